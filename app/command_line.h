#pragma once

#include <QStringList>
#include <optional>

class QTextStream;

namespace levywise {

// What the window program's command line asks for.
struct StartOptions {
    bool splash = true;
    bool exitWhenShown = false;
};

QStringList ArgumentList(int argc, char** argv);

// A first look at the arguments as the program got them, before Qt has taken
// its own options (-platform, -style...) out: answers --help and --version,
// which need no window system, and returns the exit status then.
std::optional<int> AnswerWithoutWindows(const QStringList& arguments, QTextStream& out);

// The arguments left after Qt's own. Answers --help and --version on `out`;
// reports an unknown option or a stray argument on `err` with a usage line
// (exit status 2). Returns nothing when the windows should start.
std::optional<int> ReadStartOptions(const QStringList& arguments, StartOptions& options,
                                    QTextStream& out, QTextStream& err);

} // namespace levywise
