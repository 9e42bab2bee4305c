#include "platform/svg_bands.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace levywise {
namespace {

qreal number(const QXmlStreamAttributes& attributes, QLatin1String name, qreal otherwise) {
    bool ok = false;
    const qreal value = attributes.value(name).toDouble(&ok);
    return ok ? value : otherwise;
}

QRectF viewBoxOf(const QXmlStreamAttributes& attributes) {
    const QList<QStringView> parts =
        attributes.value(QLatin1String("viewBox")).split(u' ', Qt::SkipEmptyParts);
    if (parts.size() == 4)
        return {parts[0].toDouble(), parts[1].toDouble(), parts[2].toDouble(), parts[3].toDouble()};
    return {0, 0, number(attributes, QLatin1String("width"), 0),
            number(attributes, QLatin1String("height"), 0)};
}

} // namespace

bool SvgBands::load(const QByteArray& svg) {
    *this = {};
    const QString text = QString::fromUtf8(svg);
    QXmlStreamReader xml(text);
    qint64 elementStart = 0;
    int depth = 0;
    qreal fontSize = 16;
    Element element{};
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        const qint64 end = xml.characterOffset();
        if (token == QXmlStreamReader::StartElement) {
            // The reader has read ahead of a token's start, never past a
            // start tag's end; no "<" can stand inside a tag.
            const qint64 tokenStart = text.lastIndexOf(u'<', end - 1);
            const QXmlStreamAttributes a = xml.attributes();
            if (depth == 0) {
                root_ = text.mid(tokenStart, end - tokenStart);
                box_ = viewBoxOf(a);
                fontSize = number(a, QLatin1String("font-size"), fontSize);
            } else if (depth == 1) {
                elementStart = tokenStart;
                element = {{}, 1, 0};
                const qreal size = number(a, QLatin1String("font-size"), fontSize);
                if (a.hasAttribute(QLatin1String("y")) &&
                    !a.hasAttribute(QLatin1String("transform"))) {
                    const qreal y = number(a, QLatin1String("y"), 0);
                    // A text's y is its baseline: its glyphs reach above it
                    // and, below it, their descenders.
                    element.top = xml.name() == u"text" ? y - 2 * size : y - 1;
                    element.bottom = xml.name() == u"text"
                                         ? y + size
                                         : y + number(a, QLatin1String("height"), 0) + 1;
                }
            }
            ++depth;
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
            if (depth == 1) {
                element.text = text.mid(elementStart, end - elementStart);
                elements_.push_back(std::move(element));
            }
        }
    }
    if (xml.hasError() || root_.isEmpty() || box_.isEmpty()) {
        *this = {};
        return false;
    }
    return true;
}

void SvgBands::render(QPainter& painter, const QRectF& target, qreal top, qreal bottom) const {
    if (isEmpty()) return;
    QString band = root_;
    for (const Element& e : elements_)
        if (e.top > e.bottom || (e.bottom >= top && e.top <= bottom)) band += e.text;
    band += QLatin1String("</svg>");
    QSvgRenderer renderer(band.toUtf8());
    renderer.setViewBox(QRectF(box_.left(), top, box_.width(), bottom - top));
    renderer.render(&painter, target);
}

} // namespace levywise
