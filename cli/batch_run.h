#pragma once

#include <functional>
#include <string>

#include "cli/byte_stream.h"
#include "ratedata/mod_main.h"

namespace levywise::cli {

struct BatchSummary {
    long Rows = 0;       // rows estimated or reported as failed
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
BatchSummary RunBatch(const modMain& data, ByteSource& input, ByteSink& output,
                      const std::function<void(long)>& progress = {});

} // namespace levywise::cli
