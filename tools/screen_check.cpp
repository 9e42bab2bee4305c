#include "tools/screen_check.h"

#include <set>

ScreenCheck CheckScreen(const QImage& image, const QColor& wanted, int step) {
    ScreenCheck check;
    std::set<QRgb> colours;
    const QRgb target = wanted.isValid() ? wanted.rgb() : 0;
    for (int y = 0; y < image.height(); y += step) {
        for (int x = 0; x < image.width(); x += step) {
            const QRgb pixel = image.pixel(x, y) | 0xff000000u;
            colours.insert(pixel);
            if (wanted.isValid() && pixel == target) check.colourFound = true;
        }
    }
    check.distinctColours = static_cast<int>(colours.size());
    return check;
}
