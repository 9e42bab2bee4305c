#include "cli/compare.h"

#include <algorithm>
#include <array>
#include <vector>

#include "calc/worksheet_html.h"
#include "cli/estimate_json.h"
#include "cli/text_output.h"
#include "ratedata/formats.h"

namespace levywise::cli {
namespace {

constexpr SideNames kSides{"A", "B"};

void pad(std::string& line, std::size_t width, const std::string& text, bool right) {
    const std::string blanks(width - Utf8Length(text), ' ');
    line += right ? blanks + text : text + blanks;
}

// The rows of one kind or the other as a block of aligned columns under a
// heading line: the inputs' texts aligned left, the figures right.
void addBlock(std::string& text, const Comparison& c, bool inputs) {
    const ComparisonRow heading{RowKind::Input, "", std::string(kSides.First),
                                std::string(kSides.Second), inputs ? "" : "Change"};
    std::vector<const ComparisonRow*> rows{&heading};
    for (const ComparisonRow& row : c.Rows)
        if ((row.Kind == RowKind::Input) == inputs) rows.push_back(&row);
    std::array<std::size_t, 3> width{};
    for (const ComparisonRow* row : rows) {
        width[0] = std::max(width[0], Utf8Length(row->Label));
        width[1] = std::max(width[1], Utf8Length(row->Kept));
        width[2] = std::max(width[2], Utf8Length(row->Now));
    }
    for (const ComparisonRow* row : rows) {
        std::string line = row->Differs ? "* " : "  ";
        pad(line, width[0], row->Label, false);
        line += "  ";
        pad(line, width[1], row->Kept, !inputs);
        line += "  ";
        pad(line, width[2], row->Now, !inputs);
        line += "  " + row->Change;
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + '\n';
    }
}

} // namespace

std::string ComparisonText(const Comparison& c) {
    std::string text;
    addBlock(text, c, true);
    text += '\n';
    addBlock(text, c, false);
    return text + "\n* the inputs that differ. Each change is B minus A, in percent of A.\n";
}

std::string ComparisonJson(const EstimateReport& a, const EstimateReport& b, const Comparison& c) {
    nlohmann::ordered_json j;
    j["format"] = kJsonFormat;
    j["a"] = EstimateJsonValue(a);
    j["b"] = EstimateJsonValue(b);
    nlohmann::ordered_json& change = j["change"];
    AddMoney(change, "county", c.County.Change);
    AddMoney(change, "city", c.City.Change);
    AddMoney(change, "school", c.School.Change);
    AddMoney(change, "special", c.Special.Change);
    AddMoney(change, "total", c.Total.Change);
    AddMoney(change, "monthly", c.Monthly.Change);
    change["total_percent"] = c.Total.Percent.empty() ? nlohmann::ordered_json(nullptr)
                                                      : nlohmann::ordered_json(c.Total.Percent);
    return j.dump(2) + "\n";
}

int RunCompare(const EstimateOptions& a, const EstimateOptions& b, OutputFormat format,
               std::ostream& out, std::ostream& err) {
    WorkedEstimate first, second;
    if (const int status = WorkOutEstimate(a, first, err, {"levywise-cli: scenario A: "});
        status != kExitDone)
        return status;
    if (const int status = WorkOutEstimate(b, second, err, {"levywise-cli: scenario B: ", "--b-"});
        status != kExitDone)
        return status;
    const Comparison c = Compare(RecordOf(first, a.Rates), RecordOf(second, b.Rates));
    switch (format) {
    case OutputFormat::Text: out << ComparisonText(c); break;
    case OutputFormat::Json:
        out << ComparisonJson(ReportOf(*first.Data, first.Input, first.Figures),
                              ReportOf(*second.Data, second.Input, second.Figures), c);
        break;
    case OutputFormat::Html: out << ComparisonHtml(c, TodayText(), kSides); break;
    }
    return FinishedWriting(out, err);
}

} // namespace levywise::cli
