#include "platform/flat_frame_style.h"

#include <QPainter>
#include <QStyleOption>

namespace levywise {

void FlatFrameStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box || (box->subControls & SC_GroupBoxCheckBox)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const bool titled = !box->text.isEmpty();
    // The caption stands a little in from the frame's left edge.
    const int indent = box->fontMetrics.averageCharWidth();
    const QRect label =
        subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget).translated(indent, 0);
    const int top = titled ? label.center().y() : 0;
    const QRect border = box->rect.adjusted(0, top, -2, -2);

    painter->save();
    if (titled) {
        // The border leaves a gap where the caption stands.
        const QRect gap(label.left() - 2, border.top() - 1, label.width() + 4, 3);
        QRegion clip(box->rect);
        painter->setClipRegion(clip.subtracted(gap));
    }
    painter->setBrush(Qt::NoBrush);
    painter->setPen(box->palette.color(QPalette::Mid));
    painter->drawRect(border);
    painter->setPen(box->palette.color(QPalette::Light));
    painter->drawRect(border.translated(1, 1));
    painter->setClipping(false);
    if (titled)
        drawItemText(painter, label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                     box->palette, box->state & State_Enabled, box->text, QPalette::WindowText);
    painter->restore();
}

} // namespace levywise
