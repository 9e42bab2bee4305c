#include "app/splash/frmQuenbySplash.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include "app/splash/levywise_logo.h"
#include "platform/accessibility.h"
#include "platform/twips.h"
#include "platform/window_fonts.h"

namespace levywise {
namespace {

QLabel* caption(QWidget* parent, const char* name, const QString& text, const QFont& font,
                QRect twips, bool sizedToText = false) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    SetBackground(label, kPaleYellow);
    PlaceTwips(label, twips.x(), twips.y(), twips.width(), twips.height());
    if (sizedToText) label->adjustSize();
    return label;
}

// Keys that type a character, as a text box would receive them; arrows,
// function keys, Delete and modifiers alone type none.
bool typesCharacter(const QKeyEvent& event) {
    const int key = event.key();
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return true;
    const QString text = event.text();
    return !text.isEmpty() && text != QStringLiteral("\x7f");
}

} // namespace

frmQuenbySplash::frmQuenbySplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmQuenbySplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    SetBackground(this, kPaleYellow);
    ExposeAsWindow(this);
    setAccessibleName(QString::fromLatin1(kProductVersionText)); // it has no caption
    setFixedSize(TwipsRect(0, 0, 7380, 4245, this).size());

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);
    SetBackground(Frame1, kPaleYellow);
    PlaceTwips(Frame1, 150, 60, 7080, 4050);
    Frame1->installEventFilter(this);

    // Later captions lie over earlier ones and over the picture.
    imgLogo = new QLabel(Frame1);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    PlaceTwips(imgLogo, 240, 360, 4335, 3225);
    imgLogo->setScaledContents(true);
    imgLogo->setPixmap(SplashLogo(imgLogo->size()));
    imgLogo->setAccessibleName(QStringLiteral("Levywise logo"));

    const QFont small = DesignFont(QStringLiteral("Arial"), 8.25, QFont::Normal);
    lblCopyright = caption(Frame1, "lblCopyright", QStringLiteral("Copyright (C) 2024-2026"), small,
                           {4560, 3060, 2415, 255});
    lblCompany = caption(Frame1, "lblCompany", QStringLiteral("Levywise Software"), small,
                         {4560, 3270, 2415, 255});
    lblWarning =
        caption(Frame1, "lblWarning", QStringLiteral("Not supported by Corvell Appraisal District"),
                DesignFont(QStringLiteral("Arial"), 8.25, QFont::Bold), {120, 3600, 6855, 315});
    // Sized to its text, it keeps its right edge where the design put it.
    lblPlatform =
        caption(Frame1, "lblPlatform", QStringLiteral("Windows95/98/NT4.0/XP"),
                DesignFont(QStringLiteral("Arial"), 15.75, QFont::Bold), {3210, 2340, 3645, 360});
    lblPlatform->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int platformRight = lblPlatform->geometry().right();
    lblPlatform->adjustSize();
    lblPlatform->move(platformRight - lblPlatform->width() + 1, lblPlatform->y());
    lblProductName =
        caption(Frame1, "lblProductName", QStringLiteral("Levywise 3"),
                DesignFont(QStringLiteral("Bookman Old Style"), 26.25, QFont::DemiBold),
                {1200, 1140, 4230, 615}, true);
    lblCompanyProduct =
        caption(Frame1, "lblCompanyProduct", QStringLiteral("Levywise Software"),
                DesignFont(QStringLiteral("Bookman Old Style"), 18, QFont::DemiBold),
                {1800, 705, 4230, 435}, true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(2500);
    connect(Timer1, &QTimer::timeout, this, &frmQuenbySplash::Timer1_Timer);
    Timer1->start();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    Form_Load();
}

void frmQuenbySplash::Form_Load() {
    lblProductName->setText(QString::fromLatin1(kProductVersionText));
    lblProductName->adjustSize();
}

void frmQuenbySplash::Timer1_Timer() { endSplash(); }

void frmQuenbySplash::Frame1_Click() { endSplash(); }

void frmQuenbySplash::Form_KeyPress(QKeyEvent* event) {
    if (typesCharacter(*event)) endSplash();
}

void frmQuenbySplash::keyPressEvent(QKeyEvent* event) { Form_KeyPress(event); }

// Closed by the desktop rather than by one of its triggers, the splash
// still hands over, so the program never ends up without a window.
void frmQuenbySplash::closeEvent(QCloseEvent* event) {
    event->accept();
    if (ended_) return;
    ended_ = true;
    Timer1->stop();
    emit finished();
}

void frmQuenbySplash::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    activateWindow();
    setFocus();
}

// Only the frame's free area answers a click: the picture and the captions
// pass their clicks up to the frame, which tells them apart by position.
bool frmQuenbySplash::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Frame1) return QWidget::eventFilter(watched, event);
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    const bool onFreeArea = Frame1->rect().contains(at) && Frame1->childAt(at) == nullptr;
    if (mouse->button() != Qt::LeftButton) return false;
    if (event->type() == QEvent::MouseButtonPress) {
        pressedOnFrame_ = onFreeArea;
    } else {
        const bool click = pressedOnFrame_ && onFreeArea;
        pressedOnFrame_ = false;
        if (click) Frame1_Click();
    }
    return false;
}

// The splash is gone from the screen before its owner opens the main
// window, whose loading may ask the user questions.
void frmQuenbySplash::endSplash() {
    if (ended_) return;
    ended_ = true;
    Timer1->stop();
    close();
    emit finished();
}

} // namespace levywise
