#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

class QAction;
class QWidget;

namespace levywise {

// Lets the window's menu shortcuts win over a text box's own keys. A line
// edit claims Ctrl+C, Ctrl+X and Ctrl+A as copy, cut and select-all while it
// has the focus; in this program those keys belong to menu commands
// everywhere in the window.
class MenuShortcutsFirst : public QObject {
public:
    MenuShortcutsFirst(const QList<QAction*>& actions, QObject* parent);

    void watch(QWidget* textBox);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QAction*> actions_;
};

} // namespace levywise
