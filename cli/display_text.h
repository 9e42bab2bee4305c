#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ratedata/cp1252.h"

namespace levywise::cli {

// Rate-file text as a terminal shows it: UTF-8, control characters as the
// replacement mark.
inline std::string Shown(std::string_view bytes) {
    return Utf8FromCp1252(bytes, ControlCharacters::Replace);
}

// The number of characters (not bytes) of UTF-8 text, for lining up columns.
inline std::size_t Utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace levywise::cli
