#pragma once

#include <ostream>

#include "ratedata/error.h"

namespace levywise::cli {

// What the process tells the script that ran it.
inline constexpr int kExitDone = 0;
// A rate file refused, an estimate or a batch row failed, output lost.
inline constexpr int kExitFailed = 1;
// The command line (or the input it names) is wrong.
inline constexpr int kExitUsage = 2;

// The exit status of a core error: a file named that cannot be read at all,
// or a fault of what the command line asked for, is a usage error; a file or
// an estimate that fails is a failure.
inline int ExitStatusOf(const Error& error) {
    return error.kind == Error::Kind::Failed ? kExitFailed : kExitUsage;
}

// The exit status of a command that has written all it had to out: a
// failure, said on err, when the writing did not succeed (a full disk, a
// closed standard output).
inline int FinishedWriting(std::ostream& out, std::ostream& err) {
    out.flush();
    if (out) return kExitDone;
    err << "levywise-cli: standard output: the output could not all be written\n";
    return kExitFailed;
}

} // namespace levywise::cli
