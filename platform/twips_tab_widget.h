#pragma once

#include <QRect>
#include <QTabWidget>

namespace levywise {

// A tab control whose pages place their controls in twips relative to the
// whole tab control (tab strip included), the way the window was designed,
// rather than relative to the page area below the tabs. The tabs share the
// control's width evenly, in one row.
class TwipsTabWidget : public QTabWidget {
public:
    explicit TwipsTabWidget(QWidget* parent = nullptr);

    // Puts a control on a page at a twips position within the tab control.
    static void Place(QWidget* control, const QRect& twips);

    // Moves every placed control to its place; done on each resize and
    // show, and needed after controls are placed on a page laid out before.
    void placePageControls();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
};

} // namespace levywise
