// Takes a screenshot of the whole X screen for the smoke test:
//   levywise_screen_grab OUT.png [--wait SECONDS] [--colour RRGGBB] [--min-colours N]
// Keeps grabbing (up to --wait seconds) until the screen shows at least N
// colours and, when given, the colour; saves the last grab either way.
// Exit status 0 when the screen passed, 1 when it stayed blank, 2 on bad use.
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <cstdio>

#include "tools/screen_check.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("out"), QStringLiteral("The PNG file to write."));
    const QCommandLineOption waitOption(QStringLiteral("wait"), QStringLiteral("Seconds to wait."),
                                        QStringLiteral("seconds"), QStringLiteral("0"));
    const QCommandLineOption colourOption(QStringLiteral("colour"),
                                          QStringLiteral("A colour that must show, RRGGBB."),
                                          QStringLiteral("rgb"));
    const QCommandLineOption minOption(QStringLiteral("min-colours"),
                                       QStringLiteral("Fewest distinct colours."),
                                       QStringLiteral("n"), QStringLiteral("8"));
    parser.addOptions({waitOption, colourOption, minOption});
    parser.addHelpOption();
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        std::fprintf(stderr, "usage: levywise_screen_grab OUT.png [--wait S] [--colour RRGGBB]\n");
        return 2;
    }
    QColor wanted;
    if (parser.isSet(colourOption)) {
        wanted = QColor(QLatin1Char('#') + parser.value(colourOption));
        if (!wanted.isValid()) {
            std::fprintf(stderr, "levywise_screen_grab: not a colour: %s\n",
                         qPrintable(parser.value(colourOption)));
            return 2;
        }
    }
    const int minColours = parser.value(minOption).toInt();
    const qint64 waitMs = static_cast<qint64>(parser.value(waitOption).toDouble() * 1000);

    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "levywise_screen_grab: no screen\n");
        return 1;
    }
    QElapsedTimer clock;
    clock.start();
    QImage image;
    ScreenCheck check;
    for (;;) {
        image = screen->grabWindow(0).toImage();
        check = CheckScreen(image, wanted);
        const bool passed =
            check.distinctColours >= minColours && (!wanted.isValid() || check.colourFound);
        if (passed) {
            // Once the window is there, give it a moment to finish painting.
            QThread::msleep(300);
            image = screen->grabWindow(0).toImage();
            check = CheckScreen(image, wanted);
            break;
        }
        if (clock.elapsed() >= waitMs) break;
        QThread::msleep(200);
    }
    if (!image.save(parser.positionalArguments().first())) {
        std::fprintf(stderr, "levywise_screen_grab: cannot write %s\n",
                     qPrintable(parser.positionalArguments().first()));
        return 1;
    }
    std::printf("%dx%d, %d colours%s\n", image.width(), image.height(), check.distinctColours,
                wanted.isValid() ? (check.colourFound ? ", colour found" : ", colour missing")
                                 : "");
    const bool passed = !image.isNull() && check.distinctColours >= minColours &&
                        (!wanted.isValid() || check.colourFound);
    return passed ? 0 : 1;
}
