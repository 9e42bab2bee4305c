#include "cli/text_output.h"

namespace levywise::cli {

std::string_view WritePlainCents(char* room, std::int64_t cents) {
    std::uint64_t magnitude = cents < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(cents)
                                        : static_cast<std::uint64_t>(cents);
    char* const end = room + kPlainCentsRoom;
    char* p = end;
    *--p = static_cast<char>('0' + magnitude % 10);
    *--p = static_cast<char>('0' + magnitude / 10 % 10);
    *--p = '.';
    magnitude /= 100;
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
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

bool LoadRateTable(const std::string& path, modMain& data, std::ostream& err) {
    return LoadLabelledRateTable(path, data, err, "levywise-cli: ").has_value();
}

std::optional<std::string> LoadLabelledRateTable(const std::string& path, modMain& data,
                                                 std::ostream& err, std::string_view who) {
    const RateFileRead read = ReadRateFile(path);
    if (read.status != RateFileStatus::Loaded) {
        err << who << RateFileProblem(path, read) << '\n';
        return std::nullopt;
    }
    data.RequiredRateVersion = RequiredVersionFrom(kRateFileVersion);
    InstallRateTable(data, read.contents);
    return read.contents.TableLabel;
}

} // namespace levywise::cli
