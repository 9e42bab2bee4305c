#include "app/splash/levywise_logo.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

#include "platform/twips.h"

namespace levywise {
namespace {

const QColor kTileGreen(0x2e, 0x6b, 0x5e);
const QColor kCoinGold(0xe0, 0xa5, 0x26);
const QColor kCoinEdge(0x8a, 0x5a, 0x00);

// The emblem drawn at the size asked for, when it is asked for: a window
// that never shows its icon (as on the offscreen platform) draws none.
class EmblemIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        PaintEmblem(*painter, QRectF(rect));
    }
    // An X11 window asks for every size twice as it is made: each is drawn once.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        for (const QPixmap& drawn : drawn_)
            if (drawn.size() == size) return drawn;
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, pixmap.rect(), mode, state);
        painter.end();
        drawn_ << pixmap;
        return pixmap;
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : {16, 24, 32, 48, 64, 128, 256}) sizes << QSize(side, side);
        return sizes;
    }
    QIconEngine* clone() const override { return new EmblemIconEngine; }

private:
    QList<QPixmap> drawn_;
};

} // namespace

void PaintEmblem(QPainter& painter, const QRectF& target) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / 256.0, target.height() / 256.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(kTileGreen);
    painter.drawRoundedRect(QRectF(0, 0, 256, 256), 40, 40);

    painter.setBrush(kPaleYellow);
    const QPointF roof[] = {{40, 128}, {128, 48}, {216, 128}};
    painter.drawPolygon(roof, 3);
    painter.drawRect(QRectF(68, 120, 120, 96));
    painter.setBrush(kTileGreen);
    painter.drawRect(QRectF(92, 152, 32, 64));

    painter.setBrush(kCoinGold);
    painter.setPen(QPen(kCoinEdge, 6));
    painter.drawEllipse(QPointF(172, 180), 50, 50);
    QPen mark(kCoinEdge, 8, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(mark);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(192, 152), QPointF(152, 208));
    painter.drawEllipse(QPointF(157, 162), 9, 9);
    painter.drawEllipse(QPointF(187, 198), 9, 9);
    painter.restore();
}

QPixmap SplashLogo(const QSize& size) {
    QPixmap pixmap(size.isEmpty() ? QSize(1, 1) : size);
    pixmap.fill(kPaleYellow);
    QPainter painter(&pixmap);
    PaintEmblem(painter, QRectF(pixmap.rect()));
    return pixmap;
}

QIcon LevywiseIcon() { return QIcon(new EmblemIconEngine); }

} // namespace levywise
