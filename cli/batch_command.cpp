#include "cli/batch_command.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "cli/batch_run.h"
#include "cli/exit_status.h"
#include "cli/rate_table.h"

namespace levywise::cli {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// A line on a terminal's standard error that counts the rows while a large
// batch runs; silent when standard error is a file or a pipe.
class ProgressLine {
public:
    explicit ProgressLine(std::ostream& err) : err_(err), enabled_(isatty(STDERR_FILENO) == 1) {}
    ~ProgressLine() {
        if (shown_) err_ << '\n';
    }
    void operator()(long rows) {
        if (!enabled_) return;
        const auto now = std::chrono::steady_clock::now();
        if (now - start_ < std::chrono::seconds(1) || now - last_ < std::chrono::milliseconds(250)) return;
        last_ = now;
        shown_ = true;
        err_ << "\rlevywise-cli batch: " << rows << " rows estimated" << std::flush;
    }

private:
    std::ostream& err_;
    bool enabled_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point last_{};
};

// Whether writing to output would overwrite the file at path (which must be
// read, not lost).
bool sameFile(const std::string& output, const std::string& path) {
    std::error_code ec;
    return !output.empty() && !path.empty() && std::filesystem::equivalent(output, path, ec) && !ec;
}

} // namespace

int RunBatchCommand(const BatchOptions& o, std::ostream& err) {
    auto data = std::make_unique<modMain>();
    if (!LoadRateTable(o.Rates, *data, err)) return kExitFailed;

    for (const std::string* kept : {&o.Input, &o.Rates}) {
        if (sameFile(o.Output, *kept)) {
            err << "levywise-cli: " << o.Output << " is the file " << (kept == &o.Input ? "read" : "of rates")
                << "; the results would overwrite it\n";
            return kExitUsage;
        }
    }

    FilePtr inputFile, outputFile;
    if (!o.Input.empty()) {
        inputFile.reset(std::fopen(o.Input.c_str(), "rb"));
        if (!inputFile) {
            err << "levywise-cli: " << o.Input << ": the input cannot be opened (" << std::strerror(errno) << ")\n";
            return kExitUsage;
        }
    }
    if (!o.Output.empty()) {
        outputFile.reset(std::fopen(o.Output.c_str(), "wb"));
        if (!outputFile) {
            err << "levywise-cli: " << o.Output << ": the output cannot be written (" << std::strerror(errno)
                << ")\n";
            return kExitUsage;
        }
    }
    std::FILE* const out = outputFile ? outputFile.get() : stdout;
    FileSource source(inputFile ? inputFile.get() : stdin);
    FileSink sink(out);

    BatchSummary summary;
    {
        ProgressLine progress(err);
        summary = RunBatch(*data, source, sink, [&progress](long rows) { progress(rows); });
    }
    const bool closed = std::fflush(out) == 0 && (!outputFile || std::fclose(outputFile.release()) == 0);
    const std::string inputName = o.Input.empty() ? "standard input" : o.Input;
    if (!summary.InputProblem.empty()) {
        err << "levywise-cli: " << inputName << ": " << summary.InputProblem << '\n';
        return summary.ReadFailed ? kExitFailed : kExitUsage;
    }
    if (summary.ReadFailed) {
        err << "levywise-cli: " << inputName << ": the input could not be read to its end\n";
        return kExitFailed;
    }
    if (summary.WriteFailed || !closed) {
        err << "levywise-cli: " << (o.Output.empty() ? "standard output" : o.Output)
            << ": the results could not all be written\n";
        return kExitFailed;
    }
    if (summary.FailedRows > 0) {
        err << "levywise-cli: " << summary.FailedRows << " of " << summary.Rows
            << " rows could not be estimated; their error column says why\n";
        return kExitFailed;
    }
    return kExitDone;
}

} // namespace levywise::cli
