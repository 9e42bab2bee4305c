#include "platform/accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace levywise {
namespace {

constexpr const char* kWindowProperty = "levywiseAccessibleWindow";
constexpr const char* kShownTextProperty = "levywiseAccessibleShownText";

class ShownText : public QAccessibleWidget {
public:
    explicit ShownText(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* Interface(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (widget->property(kWindowProperty).toBool())
        return new QAccessibleWidget(widget, QAccessible::Window);
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

} // namespace levywise
