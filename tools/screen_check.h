#pragma once

#include <QColor>
#include <QImage>

// What the smoke test asks of a screenshot: that something was drawn on it
// (more than a few colours) and, when asked, that a given colour shows.
struct ScreenCheck {
    int distinctColours = 0;
    bool colourFound = false;
};

// Samples every `step`-th pixel of every `step`-th row.
ScreenCheck CheckScreen(const QImage& image, const QColor& wanted, int step = 2);
