// Pictures the main window with an estimate of the sample county, for the
// README: run from data/ on the offscreen platform,
//   QT_QPA_PLATFORM=offscreen levywise_window_screenshot OUT.png
// It types a value, picks a county, a city and a school district, marks the
// general homestead, presses Calculate and saves the window's image.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

#include "app/frmMain.h"
#include "platform/platform.h"
#include "ratedata/mod_main.h"

namespace {

template <class T>
T* control(const QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name));
}

bool choose(QComboBox* list, const QString& code) {
    const int index = list ? list->findText(code, Qt::MatchEndsWith) : -1;
    if (index < 0) return false;
    list->setCurrentIndex(index);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: levywise_window_screenshot OUT.png (run from data/)\n");
        return 2;
    }
    levywise::QtPlatform platform;
    levywise::modMain data;
    levywise::frmMain window(data, platform);
    window.Form_Load();
    window.show();
    QApplication::processEvents();

    control<QLineEdit>(window, "txtAprVal")->setText(QStringLiteral("250000"));
    if (!choose(control<QComboBox>(window, "comboCounties"), QStringLiteral("101")) ||
        !choose(control<QComboBox>(window, "comboCities"), QStringLiteral("201")) ||
        !choose(control<QComboBox>(window, "comboSchools"), QStringLiteral("910"))) {
        std::fprintf(stderr, "levywise_window_screenshot: the sample county was not loaded\n");
        return 1;
    }
    control<QCheckBox>(window, "chkGHS")->setChecked(true);
    control<QPushButton>(window, "Command1")->setFocus();
    control<QPushButton>(window, "Command1")->click();
    QApplication::processEvents();

    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "levywise_window_screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
