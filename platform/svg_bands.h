#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace levywise {

// An SVG picture cut into the elements under its root, each with the
// heights it covers, so that a band of a tall picture is drawn without the
// rest: drawing time follows what is in view, not the picture's length. An
// element whose extent cannot be told from its own attributes (a group, a
// transformed element) belongs to every band.
class SvgBands {
public:
    // False, and an empty picture, when svg is not a well-formed picture.
    bool load(const QByteArray& svg);

    // The picture's own width and height, from its viewBox or else its size.
    QSizeF size() const { return box_.size(); }
    bool isEmpty() const { return box_.isEmpty(); }

    // Draws the part of the picture between top and bottom (the picture's
    // own units) into target, which should have the same proportions.
    void render(QPainter& painter, const QRectF& target, qreal top, qreal bottom) const;

private:
    struct Element {
        QString text;
        qreal top, bottom; // top > bottom: in every band
    };
    QString root_; // the root's start tag
    QRectF box_;   // the viewBox
    std::vector<Element> elements_;
};

} // namespace levywise
