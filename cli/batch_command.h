#pragma once

#include <ostream>
#include <string>

namespace levywise::cli {

// The options of "levywise-cli batch"; empty paths mean standard input and
// standard output.
struct BatchOptions {
    std::string Rates;
    std::string Input;
    std::string Output;
};

// Runs a batch between files (or the standard streams); problems and the
// progress line go to err. Returns the exit status.
int RunBatchCommand(const BatchOptions& options, std::ostream& err);

} // namespace levywise::cli
