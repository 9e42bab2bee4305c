#include "cli/rate_loading.h"

#include "cli/exit_status.h"
#include "report/labels.h"

namespace levywise::cli {
namespace {

std::string withoutTrailingBlanks(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

} // namespace

std::string RateFileProblem(const std::string& path, const RateFileRead& read) {
    const std::vector<std::string> lines = RefusalLines(read);
    std::string text =
        read.status == RateFileStatus::WrongVersion ? std::string(kVersionErrorTitle) + ": " : "";
    text += path + Displayed(lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i)
        text += "\n" + withoutTrailingBlanks(Displayed(lines[i]));
    return text;
}

std::string WarningText(const std::string& path, const Error& warning) {
    return path + Displayed(warning.messageAfterFile());
}

int RefusalStatus(const RateFileRead& read) {
    return read.status == RateFileStatus::WrongVersion ? kExitFailed : ExitStatusOf(read.error);
}

int LoadTable(const std::string& path, std::ostream& err, std::unique_ptr<LoadedTable>& table,
              std::string_view who) {
    const RateFileRead read = ReadRateFile(path);
    if (read.status != RateFileStatus::Loaded) {
        err << who << RateFileProblem(path, read) << '\n';
        return RefusalStatus(read);
    }
    modMain data;
    InstallRateTable(data, read.contents);
    table =
        std::make_unique<LoadedTable>(std::move(data), RateSource{path, read.contents.TableLabel});
    return kExitDone;
}

} // namespace levywise::cli
