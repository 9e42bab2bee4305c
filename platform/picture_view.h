#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPixmap>

#include "platform/svg_bands.h"

class QWidget;

namespace levywise {

class Platform;

// A picture given as SVG, shown as wide as the view with its proportions
// kept (never above one and a half times its own size); a picture taller
// than the view scrolls. Only the part in view is drawn, and only when the
// picture, the size or the scroll position changes: other paints reuse it.
// Screen readers hear the picture's title as its name and its description.
class PictureView : public QAbstractScrollArea {
public:
    explicit PictureView(QWidget* parent = nullptr);

    void setPicture(const QString& title, const QString& description, const QByteArray& svg);

    // The whole picture at scale times its own size, kept under about 16
    // million pixels; null when there is none.
    QImage image(qreal scale = 1) const;
    // Puts image() on the clipboard.
    void copy() const;
    // Prints image() at print quality, or offers a PDF file when no printer
    // is set up; failures are told to the user.
    void print(QWidget* window, Platform& platform) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void layOut();
    qreal scale() const;

    SvgBands picture_;
    QPixmap inView_; // the part in view as last drawn; null when it must be drawn again
};

} // namespace levywise
