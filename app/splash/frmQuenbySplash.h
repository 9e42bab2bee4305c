#pragma once

#include <QWidget>

#include "levywise_version.h"

class QFrame;
class QLabel;
class QTimer;

namespace levywise {

// The window shown while the program starts: the product's name and version
// on pale yellow. It ends after 2.5 seconds, on a click on the free area of
// its frame or on a key that types a character, whichever comes first; it
// then closes, discards itself and emits finished() exactly once, and its
// owner opens the main window.
class frmQuenbySplash : public QWidget {
    Q_OBJECT
public:
    explicit frmQuenbySplash(QWidget* parent = nullptr);

signals:
    void finished();

public slots:
    void Form_Load();
    void Timer1_Timer();
    void Frame1_Click();

protected:
    void Form_KeyPress(QKeyEvent* event);
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void endSplash();

    QTimer* Timer1 = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* imgLogo = nullptr;
    QLabel* lblCopyright = nullptr;
    QLabel* lblCompany = nullptr;
    QLabel* lblWarning = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* lblProductName = nullptr;
    QLabel* lblCompanyProduct = nullptr;

    bool ended_ = false;
    bool pressedOnFrame_ = false;
};

// The product's name and version as every window shows it.
inline constexpr const char* kProductVersionText = kProgramCaption;

} // namespace levywise
