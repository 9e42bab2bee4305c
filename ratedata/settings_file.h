#pragma once

#include <string>
#include <string_view>

namespace levywise {

// Reads one value from a settings (INI) file the way Windows' own profile
// reader does, which the users' levywise.ini files were written for:
// - section and key names are compared without regard to case;
// - blanks around keys and values are removed;
// - a value enclosed in a matching pair of quotes (both " or both ') loses them;
// - ";" starts a comment only as the first non-blank character of a line;
//   there are no inline comments and "#" is an ordinary character;
// - the first of duplicate keys wins; only the first of duplicate sections is read;
// - backslashes and commas are plain characters;
// - CR LF, CR and LF all end a line;
// - at most 119 characters of a value are returned;
// - a missing or unreadable file, a missing section or key gives the default
//   (the default itself is returned whole).
std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, const std::string& iniPath);

// The same rules applied to settings text already in memory.
std::string ProfileStringFromText(std::string_view iniText, std::string_view section,
                                  std::string_view key, std::string_view defaultValue);

// Where the rate file is looked for on first start: "TaxRateFile" (default
// "taxrate.tab") in the directory "TaxRatePath" (default: currentDir) of
// section "general". A directory longer than one character gets a separator
// unless it already ends in "/" or "\".
std::string RateFilePathFromSettings(const std::string& iniPath, const std::string& currentDir,
                                     char separator);

} // namespace levywise
