#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

class QPainter;
class QRectF;

namespace levywise {

// The Levywise emblem: a pale yellow house on a green tile with a gold coin
// marked with a percent sign. Drawn on a 256-unit square into target; the
// desktop icon (data/desktop/levywise.svg) is the same drawing.
void PaintEmblem(QPainter& painter, const QRectF& target);

// The splash window's picture: the emblem stretched to the given size, as
// the picture box stretches its picture; the captions lie over it.
QPixmap SplashLogo(const QSize& size);

// The windows' icon, the emblem at the usual icon sizes.
QIcon LevywiseIcon();

} // namespace levywise
