#pragma once

#include <QProxyStyle>

namespace levywise {

// Draws frames the way the windows were designed: an etched border on the
// window's own colour, its top line running through the middle of the
// caption, with a gap for the caption. (The desktop style would shade the
// inside of a frame and put the border below the caption, where it would
// cross the controls placed near the frame's top.) Everything else is
// drawn by the desktop style.
class FlatFrameStyle : public QProxyStyle {
public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
};

} // namespace levywise
