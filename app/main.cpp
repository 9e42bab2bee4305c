#include <QApplication>
#include <QStyle>
#include <QTextStream>

#include "app/application.h"
#include "app/command_line.h"
#include "app/frmMain.h"
#include "app/splash/levywise_logo.h"
#include "app/startup/shown_probe.h"
#include "levywise_version.h"
#include "platform/deferred_icon_style.h"
#include "platform/platform.h"
#include "ratedata/mod_main.h"

using namespace levywise;

int main(int argc, char** argv) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (const auto status = AnswerWithoutWindows(ArgumentList(argc, argv), out)) return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Levywise"));
    QApplication::setApplicationVersion(QString::fromLatin1(kProgramVersion));
    QApplication::setDesktopFileName(QStringLiteral("io.github.levywise.Levywise"));
    QApplication::setWindowIcon(LevywiseIcon());
    // The desktop style itself (or the one asked for with -style), with the
    // images of the menu bar's overflow button read only if it is shown.
    QApplication::setStyle(new DeferredIconStyle(QApplication::style()->name()));
    StartOptions options;
    if (const auto status = ReadStartOptions(QApplication::arguments(), options, out, err))
        return *status;

    QtPlatform platform;
    modMain data;
    Application shell(data, platform);
    if (options.exitWhenShown)
        shell.setBeforeMainWindowShown([](frmMain& window) { ExitWhenShown(&window); });
    shell.start(options.splash);
    return app.exec();
}
