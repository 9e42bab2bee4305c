// A main window with one label, nothing else: the yardstick for the
// program's start-up time and memory (scripts/measure-startup.sh).
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "app/startup/shown_probe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setCentralWidget(new QLabel(QStringLiteral("A bare Qt window"), &window));
    if (levywise::WantsExitWhenShown(QApplication::arguments())) levywise::ExitWhenShown(&window);
    window.show();
    return app.exec();
}
