#include "cli/quoted.h"

namespace levywise::cli {

std::string Quoted(std::string_view text) {
    constexpr std::size_t kShownCharacters = 40;
    std::string out;
    std::size_t characters = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool starts = (byte & 0xC0) != 0x80;
        if (starts && characters++ == kShownCharacters) return out + "\u2026";
        if (byte < 0x20 || byte == 0x7F)
            out += "\ufffd";
        else
            out += c;
    }
    return out;
}

} // namespace levywise::cli
