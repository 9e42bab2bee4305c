#include <QApplication>

#include "app/application.h"
#include "app/frmMain.h"
#include "platform/platform.h"
#include "app/splash/levywise_logo.h"
#include "app/startup/shown_probe.h"
#include "ratedata/mod_main.h"

using namespace levywise;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Levywise"));
    QApplication::setWindowIcon(LevywiseIcon());
    const QStringList arguments = QApplication::arguments();

    QtPlatform platform;
    modMain data;
    Application shell(data, platform);
    if (WantsExitWhenShown(arguments))
        shell.setBeforeMainWindowShown([](frmMain& window) { ExitWhenShown(&window); });
    shell.start(!arguments.contains(QStringLiteral("--no-splash")));
    return app.exec();
}
