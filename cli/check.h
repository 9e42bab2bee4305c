#pragma once

#include <ostream>
#include <string>

namespace levywise::cli {

// Reads a rate file as the program would and prints its county, its label
// and how many units of each type it has, or why it is refused.
// Returns the exit status.
int RunCheck(const std::string& path, std::ostream& out, std::ostream& err);

} // namespace levywise::cli
