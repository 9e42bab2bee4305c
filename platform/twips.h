#pragma once

#include <QColor>
#include <QRect>

class QWidget;

namespace levywise {

// The windows are laid out in twips (1/1440 inch) and scaled by the screen's
// logical DPI, so they keep their proportions on any screen.
int TwipsToPixels(int twips, const QWidget* onScreenOf = nullptr);
QRect TwipsRect(int left, int top, int width, int height, const QWidget* onScreenOf = nullptr);
// Places a child at its twips position and size.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

// The background of every window: RGB(255, 255, 192).
inline const QColor kPaleYellow(255, 255, 192);

// Gives a widget a solid background colour (labels, frames, check boxes).
void SetBackground(QWidget* widget, const QColor& color);

} // namespace levywise
