#include "cli/estimate.h"

#include <ctime>
#include <vector>

#include "cli/exit_status.h"
#include "cli/quoted.h"
#include "cli/rate_loading.h"
#include "ratedata/text.h"
#include "report/estimate_json.h"
#include "report/estimate_text.h"
#include "report/worksheet_html.h"

namespace levywise::cli {
namespace {

VetOption vetOption(int bracket) {
    switch (bracket) {
    case 1: return VetOption::Vet1;
    case 2: return VetOption::Vet2;
    case 3: return VetOption::Vet3;
    case 4: return VetOption::Vet4;
    default: return VetOption::None;
    }
}

// The codes of a list separated by commas.
std::vector<std::string_view> codesOf(std::string_view list) {
    std::vector<std::string_view> codes;
    while (!list.empty()) {
        const std::size_t end = list.find(',');
        codes.push_back(list.substr(0, end));
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
    }
    return codes;
}

// What is wrong with the request, as the command says it.
void tell(const Error& e, const EstimateOptions& o, const EstimateSide& side, std::ostream& err) {
    err << side.Who;
    switch (e.kind) {
    case Error::Kind::UnknownCode:
        err << o.Rates << " has no " << e.file << " with the code \"" << Quoted(e.text)
            << "\"; \"levywise-cli list " << o.Rates << "\" shows the codes\n";
        return;
    case Error::Kind::SharedCode:
        err << o.Rates << " has more than one unit with the code \"" << Quoted(e.text)
            << "\"; \"levywise-cli check " << o.Rates << "\" names their lines\n";
        return;
    case Error::Kind::BadValue:
        err << side.Dashes << "value \"" << Quoted(e.text) << "\" " << e.problem
            << "; give the appraised value as a number such as 200000\n";
        return;
    case Error::Kind::Failed:
    case Error::Kind::Unreadable: break;
    }
    err << e.problem << '\n';
}

} // namespace

EstimateRequest RequestOf(const EstimateOptions& o, std::vector<std::string_view>& codes) {
    EstimateRequest in;
    in.Value = o.Value;
    in.County = o.County;
    in.City = o.City;
    in.School = o.School;
    in.Strict = true;
    in.GHS = o.Homestead;
    in.Age = o.Over65 ? AgeOption::O65 : o.Disabled ? AgeOption::DP : AgeOption::Neither;
    in.Vet = vetOption(o.Veteran);
    codes = codesOf(o.Special);
    if (EqualsIgnoringCase(o.Special, "none")) {
        in.Districts = DistrictChoice::None;
    } else if (!EqualsIgnoringCase(o.Special, "default")) {
        in.Districts = DistrictChoice::Listed;
        in.DistrictCodes = codes;
    }
    return in;
}

bool NamesNoDistrict(const EstimateOptions& o, std::ostream& err, const EstimateSide& side) {
    if (o.Special.find_first_not_of(", ") != std::string::npos) return false;
    err << side.Who << side.Dashes
        << "special names no district; give codes separated by commas, none or default\n";
    return true;
}

int WorkOutEstimate(const EstimateOptions& o, WorkedEstimate& worked, std::ostream& err,
                    EstimateSide side) {
    if (const int status = LoadTable(o.Rates, err, worked.Table, side.Who); status != kExitDone)
        return status;

    std::vector<std::string_view> codes;
    const EstimateRequest in = RequestOf(o, codes);
    const auto error = Estimate(*worked.Table, in, worked.Record);
    const bool unitAtFault = error && error->kind != Error::Kind::Failed &&
                             error->file != "special district" && error->file != "value";
    if (error && unitAtFault) {
        tell(*error, o, side, err);
        return ExitStatusOf(*error);
    }
    if (NamesNoDistrict(o, err, side)) return kExitUsage;
    if (error) {
        tell(*error, o, side, err);
        return ExitStatusOf(*error);
    }
    return kExitDone;
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    char text[16];
    const std::size_t n = std::strftime(text, sizeof text, "%Y-%m-%d", std::localtime(&now));
    return std::string(text, n);
}

int RunEstimate(const EstimateOptions& o, OutputFormat format, std::ostream& out,
                std::ostream& err) {
    WorkedEstimate worked;
    if (const int status = WorkOutEstimate(o, worked, err); status != kExitDone) return status;
    switch (format) {
    case OutputFormat::Text: out << EstimateText(worked.Record); break;
    case OutputFormat::Json: out << EstimateJson(worked.Record); break;
    case OutputFormat::Html: out << WorksheetHtml(worked.Record, TodayText()); break;
    }
    return FinishedWriting(out, err);
}

} // namespace levywise::cli
