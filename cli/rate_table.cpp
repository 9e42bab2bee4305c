#include "cli/rate_table.h"

#include "cli/display_text.h"

namespace levywise::cli {
namespace {

constexpr std::size_t kShownText = 40;

std::string withPlainLineEnds(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') continue;
        if (text[i] == '\n')
            while (!out.empty() && out.back() == ' ') out.pop_back();
        out += text[i];
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

} // namespace

std::string ErrorText(const RateFileError& e) {
    std::string out = e.file;
    if (e.line > 0) out += ", line " + std::to_string(e.line);
    if (e.column > 0) out += ", column " + std::to_string(e.column);
    if (e.line > 0 && e.column > 0) {
        const bool cut = e.text.size() > kShownText;
        out += " (\"" + Shown(std::string_view(e.text).substr(0, kShownText)) +
               (cut ? "...\")" : "\")");
    }
    return out + ": " + e.problem + ".";
}

std::string RateFileProblem(const RateFileRead& read) {
    if (read.status == RateFileStatus::WrongVersion) {
        return std::string(kVersionErrorTitle) + ": the version tag of this file is \"" +
               Shown(read.contents.VersionTag) + "\", not \"" + std::string(kRateFileVersion) +
               "\".\n" + withPlainLineEnds(VersionErrorText(RequiredVersionFrom(kRateFileVersion)));
    }
    return ErrorText(read.error);
}

bool LoadRateTable(const std::string& path, modMain& data, std::ostream& err) {
    const RateFileRead read = ReadRateFile(path);
    if (read.status != RateFileStatus::Loaded) {
        err << "levywise-cli: " << (read.status == RateFileStatus::WrongVersion ? path + ": " : "")
            << RateFileProblem(read) << '\n';
        return false;
    }
    data.RequiredRateVersion = RequiredVersionFrom(kRateFileVersion);
    InstallRateTable(data, read.contents);
    return true;
}

} // namespace levywise::cli
