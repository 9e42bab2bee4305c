#pragma once

#include <string>
#include <string_view>

namespace levywise {

// Rate files are single-byte Windows-1252 text: names stay bytes in the
// tables and are decoded only where they are shown.

// The character of a byte. Bytes the code page leaves undefined become the
// control character of the same number, as Windows decodes them.
char16_t DecodeCp1252(unsigned char byte);

// The byte of a character; '?' for a character the code page cannot hold.
char EncodeCp1252(char16_t c);

// Whether control characters (C0, DEL and C1) are kept or shown as the
// replacement mark U+FFFD, so that text from a file cannot steer a terminal.
enum class ControlCharacters { Keep, Replace };

std::string Utf8FromCp1252(std::string_view bytes,
                           ControlCharacters controls = ControlCharacters::Keep);

} // namespace levywise
