#pragma once

#include <ostream>
#include <string>

#include "ratedata/mod_main.h"
#include "ratedata/rate_file.h"

namespace levywise::cli {

// Why a rate file read was not loaded, for the user: the file, the line,
// the column and the text at fault, or the version the file should have.
std::string RateFileProblem(const RateFileRead& read);

// "<file>, line 3, column 6 ("12abc"): this is not a number." for a terminal.
std::string ErrorText(const RateFileError& error);

// Reads a rate file into data as the program loads it. On refusal writes the
// reason to err, leaves data as it was and returns false.
bool LoadRateTable(const std::string& path, modMain& data, std::ostream& err);

} // namespace levywise::cli
