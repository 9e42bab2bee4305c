#include "cli/text_output.h"

#include <cstring>
#include <filesystem>
#include <fstream>

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

std::string_view WritePlainCents(char* room, std::int64_t cents) {
    static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324"
                                     "25262728293031323334353637383940414243444546474849"
                                     "50515253545556575859606162636465666768697071727374"
                                     "75767778798081828384858687888990919293949596979899";
    std::uint64_t magnitude = cents < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(cents)
                                        : static_cast<std::uint64_t>(cents);
    char* const end = room + kPlainCentsRoom;
    char* p = end - 2;
    std::memcpy(p, kPairs + 2 * (magnitude % 100), 2);
    *--p = '.';
    magnitude /= 100;
    while (magnitude >= 100) {
        p -= 2;
        std::memcpy(p, kPairs + 2 * (magnitude % 100), 2);
        magnitude /= 100;
    }
    if (magnitude >= 10) {
        p -= 2;
        std::memcpy(p, kPairs + 2 * magnitude, 2);
    } else {
        *--p = static_cast<char>('0' + magnitude);
    }
    if (cents < 0) *--p = '-';
    return {p, static_cast<std::size_t>(end - p)};
}

std::string PlainCents(std::int64_t cents) {
    char room[kPlainCentsRoom];
    return std::string(WritePlainCents(room, cents));
}

} // namespace levywise::cli

namespace levywise::cli {
namespace {

std::string withoutTrailingBlanks(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

} // namespace

std::string RateFileProblem(const std::string& path, const RateFileRead& read) {
    const std::vector<std::string> lines =
        RefusalLines(read, RequiredVersionFrom(kRateFileVersion));
    std::string text =
        read.status == RateFileStatus::WrongVersion ? std::string(kVersionErrorTitle) + ": " : "";
    text += path + Shown(lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i)
        text += "\n" + withoutTrailingBlanks(Shown(lines[i]));
    return text;
}

std::string WarningText(const std::string& path, const RateFileError& warning) {
    return path + Shown(warning.messageAfterFile());
}

int LoadRateTable(const std::string& path, modMain& data, std::ostream& err, std::string_view who,
                  std::string* label) {
    const RateFileRead read = ReadRateFile(path);
    if (read.status != RateFileStatus::Loaded) {
        err << who << RateFileProblem(path, read) << '\n';
        return RefusalStatus(path);
    }
    data.RequiredRateVersion = RequiredVersionFrom(kRateFileVersion);
    InstallRateTable(data, read.contents);
    if (label) *label = read.contents.TableLabel;
    return kExitDone;
}

int RefusalStatus(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return kExitUsage;
    return std::ifstream(path, std::ios::binary) ? kExitFailed : kExitUsage;
}

} // namespace levywise::cli
