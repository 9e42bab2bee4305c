#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ratedata/error.h"
#include "ratedata/jurisdiction.h"
#include "ratedata/mod_main.h"

namespace levywise {

// A rate file read into memory, not yet installed.
struct RateFileContents {
    std::string VersionTag;
    std::string TableLabel;
    std::optional<std::string> CountyName; // absent when no tab follows it on the header line
    // Slot-numbered like the rate table: [0] is a fresh record, [1..] are the
    // three "no unit" entries and the file's units, sorted by Name.
    std::vector<Jurisdiction> Slots;
    int SpecialCount = 0;
    // Lines read as the program has always read them that may not mean what
    // they seem to: a rate holding a comma or a currency sign, a last line
    // cut short in a copy.
    std::vector<Error> Warnings;

    int slotCount() const { return static_cast<int>(Slots.size()) - 1; }
};

enum class RateFileStatus { Loaded, WrongVersion, Refused };

struct RateFileRead {
    RateFileStatus status = RateFileStatus::Refused;
    RateFileContents contents; // complete when Loaded; only the header when WrongVersion
    Error error;               // when Refused
};

// Larger than any real county's table by orders of magnitude; keeps a wrong
// file choice (a video, a disk image) from being read into memory whole.
inline constexpr std::size_t kMaxRateFileBytes = 64u * 1024u * 1024u;

// Reads and checks a whole rate file. Never throws.
RateFileRead ReadRateFile(const std::string& path);

// The same for file contents already in memory; fileName is only used in messages.
RateFileRead ParseRateFile(std::string_view bytes, std::string_view fileName);

// Makes a loaded file the current table: rate table, counts, special
// districts with their default selection, and the county name (kept as it
// was when the header named none).
void InstallRateTable(modMain& data, const RateFileContents& contents);

// The list entries of one unit type in table order ('K', 'C' or 'I').
std::vector<std::string> ListItemsOfType(const modMain& data, char unitType);

// Why a file was not loaded, in the lines of the message box (the window
// joins them with CR LF, a terminal with LF). The first line follows the
// file's name as the front end shows it: ", line 3, column 6 ("12abc"): this
// is not a number." or, for another version, ": the version tag of this file
// is "...", not "TaxRates v3.54"." and the version message. Text taken from
// the file stays Windows-1252 bytes, for the front end to decode.
inline constexpr std::string_view kVersionErrorTitle = "Tax Rate File Version error";
std::vector<std::string> RefusalLines(const RateFileRead& read);

} // namespace levywise
