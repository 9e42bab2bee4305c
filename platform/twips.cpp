#include "platform/twips.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace levywise {
namespace {

double logicalDpi(const QWidget* w) {
    const QScreen* screen = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

} // namespace

int TwipsToPixels(int twips, const QWidget* onScreenOf) {
    return static_cast<int>(std::lround(twips * logicalDpi(onScreenOf) / 1440.0));
}

QRect TwipsRect(int left, int top, int width, int height, const QWidget* onScreenOf) {
    const int x = TwipsToPixels(left, onScreenOf);
    const int y = TwipsToPixels(top, onScreenOf);
    // Scale the far edges too, so neighbours that touch in twips touch on screen.
    const int right = TwipsToPixels(left + width, onScreenOf);
    const int bottom = TwipsToPixels(top + height, onScreenOf);
    return QRect(x, y, right - x, bottom - y);
}

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(TwipsRect(left, top, width, height, widget));
}

void SetBackground(QWidget* widget, const QColor& color) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, color);
    p.setColor(QPalette::Button, color);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

} // namespace levywise
