#pragma once

#include <string>
#include <string_view>

namespace levywise::cli {

// Text from a command line or an input file quoted in a message: control
// characters as the replacement mark, cut after 40 characters with "…".
std::string Quoted(std::string_view text);

} // namespace levywise::cli
