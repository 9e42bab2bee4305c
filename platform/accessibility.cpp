#include "platform/accessibility.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>

namespace levywise {
namespace {

constexpr const char* kWindowProperty = "levywiseAccessibleWindow";
constexpr const char* kListProperty = "levywiseAccessibleList";
constexpr const char* kShownTextProperty = "levywiseAccessibleShownText";

class ShownText : public QAccessibleWidget {
public:
    explicit ShownText(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

// The toolkit's own interface of a drop-down list takes the entry chosen
// for its name on Linux, so a screen reader never hears what the list is for.
class NamedList : public QAccessibleWidget {
public:
    explicit NamedList(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return widget()->accessibleName();
        if (t != QAccessible::Value) return QAccessibleWidget::text(t);
        const QVariant spoken = list()->currentData(Qt::AccessibleTextRole);
        return spoken.isValid() ? spoken.toString() : list()->currentText();
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && child->object() == list()->view() ? 0 : -1;
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* Interface(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (widget->property(kWindowProperty).toBool())
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (auto* list = qobject_cast<QComboBox*>(widget);
        list && list->property(kListProperty).toBool())
        return new NamedList(list);
    if (auto* label = qobject_cast<QLabel*>(widget);
        label && label->property(kShownTextProperty).toBool())
        return new ShownText(label);
    return nullptr;
}

void InstallOnce() {
    static const bool installed = (QAccessible::installFactory(Interface), true);
    (void)installed;
}

} // namespace

void ExposeAsWindow(QWidget* window) {
    InstallOnce();
    window->setProperty(kWindowProperty, true);
}

void ExposeTextAsShown(QLabel* label) {
    InstallOnce();
    label->setProperty(kShownTextProperty, true);
}

void ExposeAsNamedList(QComboBox* list, const QString& name) {
    InstallOnce();
    list->setProperty(kListProperty, true);
    list->setAccessibleName(name);
}

} // namespace levywise
