#include "pictures/picture_window.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

#include "platform/accessibility.h"
#include "platform/picture_view.h"
#include "platform/twips.h"
#include "platform/window_fonts.h"
#include "report/pictures.h"

namespace levywise {

PictureWindow::PictureWindow(const char* name, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QLatin1String(name));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    setFont(DefaultDesignFont());
    SetBackground(this, kPaleYellow);
    ExposeAsWindow(this);
}

void PictureWindow::Bring() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

QPushButton* PictureWindow::Button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

void PictureWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void ShowPicture(PictureView* view, const Picture& picture) {
    view->setPicture(QString::fromStdString(picture.Title),
                     QString::fromStdString(picture.Description),
                     QByteArray::fromStdString(picture.Svg));
}

} // namespace levywise
