#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace levywise {

// Rate files are single-byte Windows-1252 text: names stay bytes in the
// tables and are decoded only for display.
QString FromCp1252(std::string_view bytes);
// Characters Windows-1252 cannot hold become "?".
std::string ToCp1252(const QString& text);

} // namespace levywise
