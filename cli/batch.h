#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/estimate.h"
#include "cli/csv.h"

namespace levywise::cli {

// One property of a batch, as its row gives it.
struct BatchRow {
    std::string_view Value;  // read like the appraised value typed in the window
    std::string_view County; // codes; empty for the "no unit" entry
    std::string_view City;
    std::string_view School;
    std::string_view Homestead; // Y, N, yes, no, true, false, 1 or 0 in any case (empty: N)
    std::string_view Exemption; // empty, over65 or disabled
    std::string_view Veteran;   // empty or 1 to 4
    std::string_view Specials;  // empty for the file's defaults, none, or codes separated by ';'
};

// Estimates the properties of a batch against one loaded table, which must
// outlive it. Each row starts from the file's default special districts;
// nothing of one row carries over to the next. Allocates nothing per row
// once warmed up, except for the texts of failures.
class BatchEstimator {
public:
    explicit BatchEstimator(const LoadedTable& table) : table_(table) {}

    // The row's estimate into record, or false with the reason in error.
    bool estimate(const BatchRow& row, EstimateRecord& record, std::string& error);

private:
    const LoadedTable& table_;
    std::vector<std::string_view> codes_; // the districts a row lists
};

} // namespace levywise::cli

namespace levywise::cli {

struct BatchSummary {
    long Rows = 0; // rows estimated or reported as failed
    long FailedRows = 0;
    // Empty, or why the batch could not run at all (no usable header row).
    std::string InputProblem;
    bool ReadFailed = false;
    bool WriteFailed = false;
};

// Estimates every row of a CSV input against the loaded table and writes
// one output row per input row, in order: id, the five figures of the
// "Total Tax" tab as plain decimals, and the error (empty when the row was
// estimated). Streams: memory stays flat whatever the input's length.
// progress, when given, is called now and then with the rows done so far.
BatchSummary RunBatch(const LoadedTable& table, ByteSource& input, ByteSink& output,
                      const std::function<void(long)>& progress = {});

} // namespace levywise::cli
