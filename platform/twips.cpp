#include "platform/twips.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace levywise {
namespace {

// A widget's screen is looked up through its window, which costs: the main
// window places a hundred controls at start.
double logicalDpi(const QWidget* w) {
    const QScreen* screen = w ? w->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

int pixels(int twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

} // namespace

int TwipsToPixels(int twips, const QWidget* onScreenOf) {
    return pixels(twips, logicalDpi(onScreenOf));
}

QRect TwipsRect(int left, int top, int width, int height, const QWidget* onScreenOf) {
    const double dpi = logicalDpi(onScreenOf);
    const int x = pixels(left, dpi);
    const int y = pixels(top, dpi);
    // Scale the far edges too, so neighbours that touch in twips touch on screen.
    const int right = pixels(left + width, dpi);
    const int bottom = pixels(top + height, dpi);
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
