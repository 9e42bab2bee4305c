#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc/estimate.h"
#include "cli/csv.h"
#include "cli/unit_codes.h"
#include "ratedata/mod_main.h"

namespace levywise::cli {

// The columns a batch input may have, in any order; id and value are required.
// The values each takes are told by BatchInputHelp.
enum class BatchColumn { Id, Value, County, City, School, Homestead, Exemption, Veteran, Specials };
inline constexpr std::size_t kBatchColumnCount = 9;

// What batch --help says of the input and the output: each column of the
// input with the values it takes.
std::string BatchInputHelp();

struct BatchHeader {
    std::array<int, kBatchColumnCount> Index{}; // the column's position, -1 when absent
    std::size_t Width = 0;                      // the number of columns each row must have

    // The row's text of a column; empty when the input has no such column.
    std::string_view of(std::span<const std::string_view> fields, BatchColumn column) const {
        const int i = Index[static_cast<std::size_t>(column)];
        return i >= 0 && static_cast<std::size_t>(i) < fields.size()
                   ? fields[static_cast<std::size_t>(i)]
                   : std::string_view();
    }
    // The same for a row known to have Width fields.
    std::string_view ofWhole(std::span<const std::string_view> fields, BatchColumn column) const {
        const int i = Index[static_cast<std::size_t>(column)];
        return i >= 0 ? fields[static_cast<std::size_t>(i)] : std::string_view();
    }
};

// Reads the header row: names compared without case and without the blanks
// around them. Empty with the reason in error when a name is unknown or
// repeated, or id or value is missing.
std::optional<BatchHeader> ParseBatchHeader(std::span<const std::string_view> names,
                                            std::string& error);

} // namespace levywise::cli

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
    explicit BatchEstimator(const modMain& data);

    // The row's figures, or false with the reason in error.
    bool estimate(const BatchRow& row, EstimateFigures& figures, std::string& error);

private:
    UnitCodes codes_;
    EstimateEngine engine_;
    std::vector<int> chosen_;
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
BatchSummary RunBatch(const modMain& data, ByteSource& input, ByteSink& output,
                      const std::function<void(long)>& progress = {});

} // namespace levywise::cli

namespace levywise::cli {

// Where a command's results go: standard output, or a named file that is
// written whole or not at all. A regular file (or a new one) is written to a
// temporary file beside it, which replaces it only once everything has been
// written; a device or a pipe is written to directly.
class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile(); // abandons what was not committed

    // Opens the output (standard output when path is empty); on failure says
    // why in error.
    bool open(const std::string& path, std::string& error);
    std::FILE* stream() const { return file_; }

    // Flushes and closes; a temporary file then replaces the target. False
    // with the reason in error when the results could not all be written.
    bool commit(std::string& error);

private:
    void abandon();

    std::FILE* file_ = nullptr;
    bool owned_ = false;
    std::filesystem::path target_;
    std::filesystem::path temporary_;
};

// Whether path names the file this process reads as its standard input.
bool IsStandardInput(const std::string& path);

// Whether two paths name the same file (device and inode, links followed).
bool SameFile(const std::string& a, const std::string& b);

} // namespace levywise::cli

namespace levywise::cli {

// The options of "levywise-cli batch"; empty paths mean standard input and
// standard output.
struct BatchOptions {
    std::string Rates;
    std::string Input;
    std::string Output;
};

// Runs a batch between files (or the standard streams); problems and the
// progress line go to err. Returns the exit status.
int RunBatchCommand(const BatchOptions& options, std::ostream& err);

} // namespace levywise::cli
