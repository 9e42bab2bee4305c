#include "cli/batch_command.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#define isatty _isatty
#define unlink _unlink
#define STDERR_FILENO 2
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "cli/batch.h"
#include "cli/exit_status.h"
#include "cli/output_file.h"
#include "cli/rate_loading.h"

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
        if (now - start_ < std::chrono::seconds(1) || now - last_ < std::chrono::milliseconds(250))
            return;
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

// Why the output must not be written: it is a file the batch reads.
std::string overwrites(const BatchOptions& o) {
    if (o.Output.empty()) return {};
    if (SameFile(o.Output, o.Input)) return "is the file read";
    if (o.Input.empty() && IsStandardInput(o.Output)) return "is the standard input read";
    if (SameFile(o.Output, o.Rates)) return "is the file of rates";
    return {};
}

} // namespace

int RunBatchCommand(const BatchOptions& o, std::ostream& err) {
    std::unique_ptr<LoadedTable> table;
    if (const int status = LoadTable(o.Rates, err, table); status != kExitDone) return status;

    if (const std::string kept = overwrites(o); !kept.empty()) {
        err << "levywise-cli: " << o.Output << " " << kept << "; the results would overwrite it\n";
        return kExitUsage;
    }

    FilePtr inputFile;
    if (!o.Input.empty()) {
        std::error_code ec;
        if (std::filesystem::is_directory(o.Input, ec)) {
            err << "levywise-cli: " << o.Input << ": the input is a folder, not a CSV file\n";
            return kExitUsage;
        }
        inputFile.reset(std::fopen(o.Input.c_str(), "rb"));
        if (!inputFile) {
            err << "levywise-cli: " << o.Input << ": the input cannot be opened ("
                << std::strerror(errno) << ")\n";
            return kExitUsage;
        }
    }
    OutputFile output;
    std::string problem;
    if (!output.open(o.Output, problem)) {
        err << "levywise-cli: " << o.Output << ": the output cannot be written (" << problem
            << ")\n";
        return kExitUsage;
    }
    FileSource source(inputFile ? inputFile.get() : stdin);
    FileSink sink(output.stream());

    BatchSummary summary;
    {
        ProgressLine progress(err);
        summary = RunBatch(*table, source, sink, [&progress](long rows) { progress(rows); });
    }
    const std::string inputName = o.Input.empty() ? "standard input" : o.Input;
    if (!summary.InputProblem.empty()) {
        err << "levywise-cli: " << inputName << ": " << summary.InputProblem << '\n';
        return summary.ReadFailed ? kExitFailed : kExitUsage;
    }
    if (summary.ReadFailed) {
        err << "levywise-cli: " << inputName << ": the input could not be read to its end\n";
        return kExitFailed;
    }
    // Until here a file named by --output is untouched: a failed batch leaves it as it was.
    if (summary.WriteFailed || !output.commit(problem)) {
        err << "levywise-cli: " << (o.Output.empty() ? "standard output" : o.Output) << ": "
            << (problem.empty() ? "the results could not all be written" : problem) << "\n";
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
