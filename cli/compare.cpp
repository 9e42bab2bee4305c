#include "cli/compare.h"

#include "cli/exit_status.h"
#include "report/comparison.h"
#include "report/estimate_json.h"
#include "report/estimate_text.h"
#include "report/pictures.h"
#include "report/worksheet_html.h"

namespace levywise::cli {

int RunCompare(const EstimateOptions& a, const EstimateOptions& b, OutputFormat format,
               std::ostream& out, std::ostream& err) {
    WorkedEstimate first, second;
    if (const int status = WorkOutEstimate(a, first, err, {"levywise-cli: scenario A: "});
        status != kExitDone)
        return status;
    if (const int status = WorkOutEstimate(b, second, err, {"levywise-cli: scenario B: ", "--b-"});
        status != kExitDone)
        return status;
    const Comparison c = Compare(first.Record, second.Record);
    switch (format) {
    case OutputFormat::Text: out << ComparisonText(c); break;
    case OutputFormat::Json: out << ComparisonJson(first.Record, second.Record, c); break;
    case OutputFormat::Html: {
        const Picture picture = WhatChangedOf(first.Record, second.Record);
        out << ComparisonHtml(c, TodayText(), {"A", "B"}, &picture);
        break;
    }
    }
    return FinishedWriting(out, err);
}

} // namespace levywise::cli
