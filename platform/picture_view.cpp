#include "platform/picture_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

#include "platform/platform.h"
#include "platform/print_window.h"

namespace levywise {
namespace {

constexpr qreal kLargestScale = 1.5;
constexpr qreal kMostPixels = 16e6;
constexpr qreal kPrintScale = 4; // about 400 dots per inch for a picture at 96

} // namespace

PictureView::PictureView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus); // the keyboard scrolls a tall picture
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Always there, so that its coming and going cannot change the scale.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setBackgroundRole(QPalette::Base);
}

void PictureView::setPicture(const QString& title, const QString& description,
                             const QByteArray& svg) {
    picture_.load(svg);
    setAccessibleName(title);
    setAccessibleDescription(description);
    layOut();
}

qreal PictureView::scale() const {
    if (picture_.isEmpty()) return 1;
    return std::min(kLargestScale, viewport()->width() / picture_.size().width());
}

void PictureView::layOut() {
    const int height = static_cast<int>(std::ceil(picture_.size().height() * scale()));
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, height - viewport()->height()));
    bar->setPageStep(viewport()->height());
    bar->setSingleStep(std::max(1, viewport()->height() / 10));
    inView_ = {};
    viewport()->update();
}

void PictureView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    layOut();
}

void PictureView::scrollContentsBy(int, int) {
    inView_ = {};
    viewport()->update();
}

void PictureView::paintEvent(QPaintEvent*) {
    QWidget* view = viewport();
    const qreal ratio = view->devicePixelRatioF();
    if (inView_.devicePixelRatio() != ratio) inView_ = {}; // moved to another screen
    if (inView_.isNull() && !picture_.isEmpty()) {
        const qreal s = scale();
        inView_ = QPixmap((QSizeF(view->size()) * ratio).toSize());
        inView_.setDevicePixelRatio(ratio);
        inView_.fill(view->palette().color(QPalette::Base));
        const qreal width = picture_.size().width() * s;
        const qreal left = (view->width() - width) / 2;
        const qreal top = verticalScrollBar()->value() / s;
        const qreal bottom = std::min(top + view->height() / s, picture_.size().height());
        QPainter painter(&inView_);
        painter.setRenderHint(QPainter::Antialiasing);
        picture_.render(painter, QRectF(left, 0, width, (bottom - top) * s), top, bottom);
    }
    QPainter painter(view);
    if (!inView_.isNull()) painter.drawPixmap(0, 0, inView_);
}

QSize PictureView::sizeHint() const {
    const int frame = 2 * frameWidth();
    return picture_.isEmpty() ? QAbstractScrollArea::sizeHint()
                              : QSize(static_cast<int>(picture_.size().width()) + frame +
                                          verticalScrollBar()->sizeHint().width(),
                                      static_cast<int>(picture_.size().height()) + frame);
}

QImage PictureView::image(qreal scale) const {
    if (picture_.isEmpty()) return {};
    QSizeF size = picture_.size() * scale;
    if (const qreal pixels = size.width() * size.height(); pixels > kMostPixels)
        size *= std::sqrt(kMostPixels / pixels);
    QImage image(size.toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    picture_.render(painter, QRectF(QPointF(0, 0), size), 0, picture_.size().height());
    return image;
}

void PictureView::copy() const { QGuiApplication::clipboard()->setImage(image()); }

void PictureView::print(QWidget* window, Platform& platform) const {
    const QImage picture = image(kPrintScale);
    const QString title = accessibleName().isEmpty() ? window->windowTitle() : accessibleName();
    PrintOrOfferPdf(window, platform,
                    {QStringLiteral("picture"), QStringLiteral("the picture"),
                     [&] { return platform.printImage(picture, title); },
                     [&](const QString& path) { return platform.saveImageAsPdf(picture, path); }});
}

} // namespace levywise
