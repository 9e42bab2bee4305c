#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <memory>

#include "app/frmMain.h"
#include "app/platform/platform.h"
#include "app/splash/frmQuenbySplash.h"
#include "app/splash/levywise_logo.h"
#include "app/startup/shown_probe.h"
#include "listing/frmRateTable.h"
#include "ratedata/mod_main.h"
#include "specials/frmCfgSpcl.h"

using namespace levywise;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Levywise"));
    QApplication::setWindowIcon(LevywiseIcon());
    const QStringList arguments = QApplication::arguments();

    QtPlatform platform;
    modMain data;
    std::unique_ptr<frmCfgSpcl> specials;
    std::unique_ptr<frmMain> mainWindow;
    // The listing window is discarded by its Done button and outlives the
    // main window when that is closed other than through Exit.
    QPointer<frmRateTable> rateTable;

    const auto openMainWindow = [&] {
        specials = std::make_unique<frmCfgSpcl>(data, platform);
        mainWindow = std::make_unique<frmMain>(data, platform, *specials);
        mainWindow->setShowRateTable([&] {
            if (!rateTable) rateTable = new frmRateTable(data, platform);
            rateTable->show();
            rateTable->raise();
            rateTable->activateWindow();
        });
        mainWindow->setCloseRateTable([&] {
            if (rateTable) rateTable->close();
        });
        mainWindow->Form_Load();
        if (const QScreen* screen = mainWindow->screen())
            mainWindow->move(screen->availableGeometry().center() - mainWindow->rect().center());
        if (WantsExitWhenShown(arguments)) ExitWhenShown(mainWindow.get());
        mainWindow->show();
    };

    if (arguments.contains(QStringLiteral("--no-splash"))) {
        data.RequiredRateVersion = RequiredVersionFrom(kRateFileVersion);
        openMainWindow();
    } else {
        auto* splash = new frmQuenbySplash(data);
        QObject::connect(splash, &frmQuenbySplash::finished, openMainWindow);
        splash->show();
    }
    const int status = app.exec();
    if (rateTable) delete rateTable;
    return status;
}
