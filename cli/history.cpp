#include "cli/history.h"

#include <memory>

#include "cli/exit_status.h"
#include "cli/rate_loading.h"
#include "report/history.h"

namespace levywise::cli {

int RunHistory(const std::vector<std::string>& rateFiles, const EstimateOptions& o,
               OutputFormat format, std::ostream& out, std::ostream& err) {
    if (rateFiles.size() < 2) {
        err << "levywise-cli: history needs two rate files or more, each after its own --rates\n";
        return kExitUsage;
    }
    if (NamesNoDistrict(o, err, {})) return kExitUsage;
    std::vector<std::unique_ptr<LoadedTable>> tables(rateFiles.size());
    std::vector<const LoadedTable*> loaded;
    for (std::size_t i = 0; i < rateFiles.size(); ++i) {
        if (const int status = LoadTable(rateFiles[i], err, tables[i]); status != kExitDone)
            return status;
        loaded.push_back(tables[i].get());
    }
    std::vector<std::string_view> codes;
    History history;
    if (const auto error = HistoryOf(loaded, RequestOf(o, codes), history)) {
        err << "levywise-cli: " << error->message() << '\n';
        return ExitStatusOf(*error);
    }
    switch (format) {
    case OutputFormat::Text: out << HistoryText(history); break;
    case OutputFormat::Json: out << HistoryJson(history); break;
    case OutputFormat::Html: out << HistoryHtml(history, TodayText()); break;
    }
    return FinishedWriting(out, err);
}

} // namespace levywise::cli
