#include "cli/rate_table.h"

#include "cli/display_text.h"

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
    const RateFileRead read = ReadRateFile(path);
    if (read.status != RateFileStatus::Loaded) {
        err << "levywise-cli: " << RateFileProblem(path, read) << '\n';
        return false;
    }
    data.RequiredRateVersion = RequiredVersionFrom(kRateFileVersion);
    InstallRateTable(data, read.contents);
    return true;
}

} // namespace levywise::cli
