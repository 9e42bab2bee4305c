#include "platform/twips_tab_widget.h"

#include <QTabBar>
#include <QVariant>
#include <algorithm>

#include "platform/twips.h"

namespace levywise {
namespace {

constexpr const char* kTwipsProperty = "levywiseTwipsRect";

class EvenTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        const QWidget* tabControl = parentWidget();
        if (tabControl && count() > 0)
            size.setWidth(std::max(size.width(), (tabControl->width() - 2) / count()));
        return size;
    }
};

} // namespace

TwipsTabWidget::TwipsTabWidget(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new EvenTabBar(this));
    tabBar()->setUsesScrollButtons(false);
}

void TwipsTabWidget::Place(QWidget* control, const QRect& twips) {
    control->setProperty(kTwipsProperty, twips);
    control->setGeometry(TwipsRect(twips.x(), twips.y(), twips.width(), twips.height(), control));
}

void TwipsTabWidget::resizeEvent(QResizeEvent* event) {
    QTabWidget::resizeEvent(event);
    placePageControls();
}

void TwipsTabWidget::showEvent(QShowEvent* event) {
    QTabWidget::showEvent(event);
    placePageControls();
}

// The page area's offset only settles once the tab control has laid itself
// out, so the controls are moved whenever it does.
void TwipsTabWidget::placePageControls() {
    for (int i = 0; i < count(); ++i) {
        QWidget* page = widget(i);
        const QPoint origin = page->mapTo(this, QPoint(0, 0));
        for (QObject* child : page->children()) {
            auto* control = qobject_cast<QWidget*>(child);
            if (!control) continue;
            const QVariant twips = control->property(kTwipsProperty);
            if (!twips.isValid()) continue;
            const QRect r = twips.toRect();
            control->setGeometry(
                TwipsRect(r.x(), r.y(), r.width(), r.height(), control).translated(-origin));
        }
    }
}

} // namespace levywise
