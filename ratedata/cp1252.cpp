#include "ratedata/cp1252.h"

#include <array>

namespace levywise {
namespace {

// 0x80..0x9F; 0 where the code page has no character.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char16_t kReplacement = 0xFFFD;

bool isControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

void appendUtf8(std::string& out, char16_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

char16_t DecodeCp1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && kHigh[byte - 0x80] != 0) return kHigh[byte - 0x80];
    return byte;
}

char EncodeCp1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    if (c <= 0x9F && kHigh[c - 0x80] == 0) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

std::string Utf8FromCp1252(std::string_view bytes, ControlCharacters controls) {
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        const char16_t c = DecodeCp1252(static_cast<unsigned char>(byte));
        appendUtf8(out, controls == ControlCharacters::Replace && isControl(c) ? kReplacement : c);
    }
    return out;
}

} // namespace levywise
