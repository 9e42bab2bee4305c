#pragma once

#include <QString>
#include <cstddef>
#include <string_view>

#include "platform/text.h"

namespace levywise {

// The longest piece of a rate file (its label, the county's name) that goes
// into a window caption. Desktops limit titles: an X11 title of some
// megabytes breaks the program's connection to the display.
inline constexpr std::size_t kMaxCaptionPart = 255;

// Rate-file text for a caption: decoded, and cut with "..." when longer
// than any title bar shows.
inline QString CaptionPart(std::string_view bytes) {
    if (bytes.size() <= kMaxCaptionPart) return FromCp1252(bytes);
    return FromCp1252(bytes.substr(0, kMaxCaptionPart)) + QStringLiteral("...");
}

} // namespace levywise
