#pragma once

#include <QString>

class QComboBox;
class QWidget;

namespace levywise {

// What screen readers are told about the windows beyond what the toolkit
// says by itself.

// A top-level window is announced as a window, named by its caption.
void ExposeAsWindow(QWidget* window);

// A list of units is announced by its own name rather than by the entry
// chosen; the entry chosen is its value, read as each entry's accessible
// text (Qt::AccessibleTextRole) where it has one.
void ExposeAsNamedList(QComboBox* list, const QString& name);

} // namespace levywise
