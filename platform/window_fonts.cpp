#include "platform/window_fonts.h"

#include <QStringList>

namespace levywise {
namespace {

QString FreeFamilyFor(const QString& windowsFamily) {
    if (windowsFamily.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0 ||
        windowsFamily.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    if (windowsFamily.compare(QLatin1String("Bookman Old Style"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("URW Bookman");
    return windowsFamily;
}

} // namespace

QFont DesignFont(const QString& windowsFamily, double pointSize, int weight) {
    QFont font;
    font.setFamilies(QStringList{FreeFamilyFor(windowsFamily), windowsFamily});
    font.setPointSizeF(pointSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleHint(FreeFamilyFor(windowsFamily) == QLatin1String("URW Bookman")
                          ? QFont::Serif
                          : QFont::SansSerif);
    return font;
}

QFont DefaultDesignFont() { return DesignFont(QStringLiteral("MS Sans Serif"), 8.25); }

} // namespace levywise
