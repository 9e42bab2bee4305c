#pragma once

#include <ostream>
#include <string>

#include "ratedata/mod_main.h"
#include "ratedata/rate_file.h"

namespace levywise::cli {

// Why a rate file was not loaded, for a terminal: the file, then what the
// program's message box says, one line of it a line.
std::string RateFileProblem(const std::string& path, const RateFileRead& read);

// "<file>, line 3, column 5 ("0,5"): ..." for a terminal.
std::string WarningText(const std::string& path, const RateFileError& warning);

// Reads a rate file into data as the program loads it. On refusal writes the
// reason to err, leaves data as it was and returns false.
bool LoadRateTable(const std::string& path, modMain& data, std::ostream& err);

} // namespace levywise::cli
