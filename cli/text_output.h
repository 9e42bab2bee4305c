#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "ratedata/cp1252.h"
#include "ratedata/mod_main.h"
#include "ratedata/rate_file.h"

namespace levywise::cli {

// Rate-file text as a terminal shows it: UTF-8, control characters as the
// replacement mark.
inline std::string Shown(std::string_view bytes) {
    return Utf8FromCp1252(bytes, ControlCharacters::Replace);
}

// Text from a command line or an input file quoted in a message: control
// characters as the replacement mark, cut after 40 characters with "…".
std::string Quoted(std::string_view text);

// The number of characters (not bytes) of UTF-8 text, for lining up columns.
inline std::size_t Utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace levywise::cli

namespace levywise::cli {

// Room for the longest plain-decimal amount: "-92233720368547758.08".
inline constexpr std::size_t kPlainCentsRoom = 24;

// A count of cents as a plain decimal with two places: 123456 -> "1234.56",
// -500 -> "-5.00". Written at the end of room, which must hold
// kPlainCentsRoom characters; returns the text.
std::string_view WritePlainCents(char* room, std::int64_t cents);

std::string PlainCents(std::int64_t cents);

} // namespace levywise::cli

namespace levywise::cli {

// Why a rate file was not loaded, for a terminal: the file, then what the
// program's message box says, one line of it a line.
std::string RateFileProblem(const std::string& path, const RateFileRead& read);

// "<file>, line 3, column 5 ("0,5"): ..." for a terminal.
std::string WarningText(const std::string& path, const RateFileError& warning);

// Reads a rate file into data as the program loads it. On refusal writes the
// reason to err after who ("levywise-cli: "), leaves data as it was and
// returns the exit status (RefusalStatus); else kExitDone, with the label of
// the file's header line in label when given.
int LoadRateTable(const std::string& path, modMain& data, std::ostream& err,
                  std::string_view who = "levywise-cli: ", std::string* label = nullptr);

// The exit status of a rate file that was not loaded: kExitUsage when the
// file named cannot be read at all (missing, a folder, unreadable),
// kExitFailed when it was read and refused.
int RefusalStatus(const std::string& path);

} // namespace levywise::cli

namespace levywise::cli {

// What the process tells the script that ran it.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed =
    1; // a rate file refused, an estimate or a batch row failed, output lost
inline constexpr int kExitUsage = 2; // the command line (or the input it names) is wrong

// The exit status of a command that has written all it had to out: a
// failure, said on err, when the writing did not succeed (a full disk, a
// closed standard output).
inline int FinishedWriting(std::ostream& out, std::ostream& err) {
    out.flush();
    if (out) return kExitDone;
    err << "levywise-cli: standard output: the output could not all be written\n";
    return kExitFailed;
}

} // namespace levywise::cli
