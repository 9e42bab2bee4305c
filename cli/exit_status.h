#pragma once

#include <ostream>

namespace levywise::cli {

// What the process tells the script that ran it.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1; // a rate file refused, an estimate or a batch row failed, output lost
inline constexpr int kExitUsage = 2;  // the command line (or the input it names) is wrong

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
