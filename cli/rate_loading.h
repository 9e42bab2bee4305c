#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "calc/estimate.h"
#include "ratedata/rate_file.h"

namespace levywise::cli {

// Why a rate file was not loaded, for a terminal: the file, then what the
// program's message box says, one line of it a line.
std::string RateFileProblem(const std::string& path, const RateFileRead& read);

// "<file>, line 3, column 5 ("0,5"): ..." for a terminal.
std::string WarningText(const std::string& path, const Error& warning);

// The exit status of a rate file that was not loaded: kExitUsage when the
// file named cannot be read at all, kExitFailed when it was read and refused.
int RefusalStatus(const RateFileRead& read);

// Reads a rate file as the program loads it into table, made ready for
// estimates. On refusal writes the reason after who to err; returns the
// exit status.
int LoadTable(const std::string& path, std::ostream& err, std::unique_ptr<LoadedTable>& table,
              std::string_view who = "levywise-cli: ");

} // namespace levywise::cli
