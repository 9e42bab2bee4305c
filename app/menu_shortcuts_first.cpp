#include "app/menu_shortcuts_first.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace levywise {

MenuShortcutsFirst::MenuShortcutsFirst(const QList<QAction*>& actions, QObject* parent)
    : QObject(parent), actions_(actions) {}

void MenuShortcutsFirst::watch(QWidget* textBox) { textBox->installEventFilter(this); }

bool MenuShortcutsFirst::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(
        QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
    for (const QAction* action : actions_) {
        if (action->shortcut().isEmpty() || action->shortcut() != pressed) continue;
        // Not accepting the override hands the key to the shortcut, and
        // filtering it keeps the text box from accepting it.
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace levywise
