#include "app/command_line.h"

#include <QCommandLineParser>
#include <QTextStream>

#include "app/startup/shown_probe.h"
#include "levywise_version.h"

namespace levywise {
namespace {

constexpr int kExitUsage = 2;
const QString kUsage = QStringLiteral("Usage: levywise [options]");

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the program's version and exit.")};
    QCommandLineOption noSplash{QStringLiteral("no-splash"),
                                QStringLiteral("Open the main window at once, without the "
                                               "splash window.")};
    QCommandLineOption exitWhenShown{QString::fromLatin1(kExitWhenShownOption).mid(2),
                                     QStringLiteral("For start-up measurement.")};

    Parser() {
        exitWhenShown.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.setApplicationDescription(QStringLiteral(
            "Estimates the yearly property tax on one piece of real estate from a county's tax "
            "rate file.\n\n"
            "The program reads the settings file levywise.ini in the current folder or, when\n"
            "there is none there, the user's own in ~/.config/levywise, where it also\n"
            "remembers the tax rate file last opened. Its section [general] names the tax rate\n"
            "file (key TaxRateFile, default taxrate.tab) and its folder (key TaxRatePath,\n"
            "default the current folder). Without any settings file, a taxrate.tab missing\n"
            "from the current folder is taken from the installed sample county. When the file\n"
            "is not found, the program offers a file dialog."));
        parser.addOptions({help, version, noSplash, exitWhenShown});
    }

    // Qt's own help text names no program without an application object.
    QString helpText() const {
        return kUsage + QLatin1Char('\n') + parser.helpText().section(QLatin1Char('\n'), 1);
    }

    std::optional<int> answer(QTextStream& out) const {
        if (parser.isSet(help)) {
            out << helpText();
        } else if (parser.isSet(version)) {
            out << "levywise " << kProgramVersion << '\n';
        } else {
            return std::nullopt;
        }
        out.flush();
        return 0;
    }
};

} // namespace

QStringList ArgumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

std::optional<int> AnswerWithoutWindows(const QStringList& arguments, QTextStream& out) {
    Parser p;
    p.parser.parse(arguments); // Qt's own options are unknown here, and not wrong.
    return p.answer(out);
}

std::optional<int> ReadStartOptions(const QStringList& arguments, StartOptions& options,
                                    QTextStream& out, QTextStream& err) {
    Parser p;
    QString problem;
    if (!p.parser.parse(arguments))
        problem = p.parser.errorText();
    else if (!p.parser.positionalArguments().isEmpty())
        problem =
            QStringLiteral("Unexpected argument '%1'.").arg(p.parser.positionalArguments()[0]);
    if (!problem.isEmpty()) {
        err << "levywise: " << problem << '\n'
            << kUsage << "\nRun 'levywise --help' for the options.\n";
        err.flush();
        return kExitUsage;
    }
    if (const std::optional<int> status = p.answer(out)) return status;
    options.splash = !p.parser.isSet(p.noSplash);
    options.exitWhenShown = p.parser.isSet(p.exitWhenShown);
    return std::nullopt;
}

} // namespace levywise
