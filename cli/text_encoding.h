#pragma once

#include <string>
#include <string_view>

namespace levywise::cli {

// Rate files are single-byte Windows-1252 text; everything this program
// prints is UTF-8. Bytes the code page leaves undefined become the control
// character of the same number, as Windows decodes them.
std::string Utf8FromCp1252(std::string_view bytes);

// The number of characters (not bytes) of UTF-8 text, for lining up columns.
std::size_t Utf8Length(std::string_view text);

} // namespace levywise::cli
