#pragma once

namespace levywise::cli {

// What the process tells the script that ran it.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1; // a rate file refused, an estimate or a batch row failed
inline constexpr int kExitUsage = 2;  // the command line (or the input it names) is wrong

} // namespace levywise::cli
