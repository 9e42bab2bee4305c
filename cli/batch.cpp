#include "cli/batch.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <system_error>

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

#include "cli/csv.h"
#include "cli/estimate.h"
#include "cli/text_output.h"
#include "ratedata/text.h"

namespace levywise::cli {
namespace {

struct ColumnHelp {
    std::string_view name, values;
};

// In the order of BatchColumn.
constexpr std::array<ColumnHelp, kBatchColumnCount> kColumns = {{
    {"id", "required: the property's name, copied to the output"},
    {"value", "required: the appraised value, a number such as 200000 or $200,000, not negative"},
    {"county", "the county-level unit's code (empty: none)"},
    {"city", "the city's code (empty: none)"},
    {"school", "the school district's code (empty: none)"},
    {"homestead", "Y or N, yes or no, true or false, 1 or 0, in any case (empty: N)"},
    {"exemption", "over65, disabled, or empty for neither"},
    {"veteran", "the disability bracket 1 (10-30%), 2 (31-50%), 3 (51-70%) or 4 (71-100%), or "
                "empty for none"},
    {"specials", "special district codes separated by \";\", none, or empty for the rate file's "
                 "defaults"},
}};

constexpr std::array<std::string_view, kBatchColumnCount> kNames = [] {
    std::array<std::string_view, kBatchColumnCount> names;
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = kColumns[i].name;
    return names;
}();

std::string allNames() {
    std::string out;
    for (const std::string_view n : kNames) out += (out.empty() ? "" : ", ") + std::string(n);
    return out;
}

} // namespace

std::string BatchInputHelp() {
    std::string text = "The input is CSV with a header row that names its columns, in any order "
                       "and in any case:\n";
    for (const ColumnHelp& c : kColumns) {
        text += "  " + std::string(c.name);
        text.append(11 - c.name.size(), ' ');
        text += std::string(c.values) + "\n";
    }
    return text + "The output is CSV: id, county_tax, city_tax, school_tax, special_tax, "
                  "total_tax (plain decimals) and error (empty when the row was estimated).";
}

std::optional<BatchHeader> ParseBatchHeader(std::span<const std::string_view> names,
                                            std::string& error) {
    BatchHeader header;
    header.Index.fill(-1);
    header.Width = names.size();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = Trimmed(names[i]);
        std::size_t column = 0;
        while (column < kNames.size() && !EqualsIgnoringCase(kNames[column], name)) ++column;
        if (column == kNames.size()) {
            error = "the input has an unknown column \"" + Quoted(names[i]) +
                    "\"; the columns are " + allNames();
            return std::nullopt;
        }
        if (header.Index[column] >= 0) {
            error = "the input names the column \"" + std::string(kNames[column]) + "\" twice";
            return std::nullopt;
        }
        header.Index[column] = static_cast<int>(i);
    }
    for (const BatchColumn required : {BatchColumn::Id, BatchColumn::Value}) {
        if (header.Index[static_cast<std::size_t>(required)] < 0) {
            error = "the input has no \"" +
                    std::string(kNames[static_cast<std::size_t>(required)]) + "\" column";
            return std::nullopt;
        }
    }
    return header;
}

} // namespace levywise::cli

namespace levywise::cli {
namespace {

bool fail(std::string& error, std::string_view what, std::string_view text) {
    error.assign(what);
    error += " \"";
    error += Quoted(text);
    error += '"';
    return false;
}

bool readHomestead(std::string_view text, bool& ghs, std::string& error) {
    text = Trimmed(text);
    for (const std::string_view no : {"", "n", "no", "false", "0"})
        if (EqualsIgnoringCase(text, no)) {
            ghs = false;
            return true;
        }
    for (const std::string_view yes : {"y", "yes", "true", "1"})
        if (EqualsIgnoringCase(text, yes)) {
            ghs = true;
            return true;
        }
    return fail(error, "homestead must be Y or N (yes, no, true, false, 1 or 0), not", text);
}

bool readExemption(std::string_view text, AgeOption& age, std::string& error) {
    text = Trimmed(text);
    if (text.empty()) {
        age = AgeOption::Neither;
    } else if (EqualsIgnoringCase(text, "over65")) {
        age = AgeOption::O65;
    } else if (EqualsIgnoringCase(text, "disabled")) {
        age = AgeOption::DP;
    } else {
        return fail(error, "exemption must be empty, over65 or disabled, not", text);
    }
    return true;
}

bool readVeteran(std::string_view text, VetOption& vet, std::string& error) {
    text = Trimmed(text);
    static constexpr VetOption kBrackets[] = {VetOption::Vet1, VetOption::Vet2, VetOption::Vet3,
                                              VetOption::Vet4};
    if (text.empty()) {
        vet = VetOption::None;
    } else if (text.size() == 1 && text[0] >= '1' && text[0] <= '4') {
        vet = kBrackets[text[0] - '1'];
    } else {
        return fail(error, "veteran must be empty or 1 to 4, not", text);
    }
    return true;
}

} // namespace

BatchEstimator::BatchEstimator(const modMain& data) : codes_(data), engine_(data) {
    chosen_.reserve(static_cast<std::size_t>(data.SpclCount));
}

bool BatchEstimator::estimate(const BatchRow& row, EstimateFigures& figures, std::string& error) {
    EstimateRequest request;
    const ListEntry* county = codes_.county(row.County);
    if (!county) return fail(error, "unknown county code", Trimmed(row.County));
    const ListEntry* city = codes_.city(row.City);
    if (!city) return fail(error, "unknown city code", Trimmed(row.City));
    const ListEntry* school = codes_.school(row.School);
    if (!school) return fail(error, "unknown school code", Trimmed(row.School));
    for (const std::string_view code : {row.County, row.City, row.School})
        if (!Trimmed(code).empty() && codes_.shared(code))
            return fail(error, "more than one unit of the rate file has the code", Trimmed(code));
    if (!readHomestead(row.Homestead, request.GHS, error) ||
        !readExemption(row.Exemption, request.Age, error) ||
        !readVeteran(row.Veteran, request.Vet, error))
        return false;

    const std::string_view specials = Trimmed(row.Specials);
    if (specials.empty()) {
        request.Districts = codes_.defaultDistricts();
    } else if (EqualsIgnoringCase(specials, "none")) {
        request.Districts = {};
    } else {
        chosen_.clear();
        if (const auto bad = codes_.districtsOf(specials, ';', chosen_)) {
            // No code is longer than three characters: a longer one is codes
            // run together with another separator.
            const std::size_t other = bad->find_first_of(", |/:");
            if (bad->size() > 3 && other != std::string_view::npos) {
                const std::string what = "special district codes are separated by \";\", not \"" +
                                         std::string(1, (*bad)[other]) + "\":";
                return fail(error, what, *bad);
            }
            return fail(error,
                        codes_.districts(*bad).empty()
                            ? "unknown special district code"
                            : "more than one special district of the rate file has the code",
                        *bad);
        }
        request.Districts = chosen_;
    }

    request.County = county->Unit;
    request.City = city->Unit;
    request.School = school->Unit;
    request.TaxDistricts = !county->NoCounty;
    if (const ValueCheck value = CheckValue(row.Value); value != ValueCheck::Amount) {
        fail(error, "value", Trimmed(row.Value));
        (error += ' ') += ValueProblem(value);
        return false;
    }
    request.AprValText = row.Value;
    const std::string_view failure = engine_.compute(request, figures);
    if (failure.empty()) return true;
    error = failure;
    return false;
}

} // namespace levywise::cli

namespace levywise::cli {
namespace {

constexpr long kProgressEvery = 1 << 16;

void writeFigures(CsvWriter& out, const EstimateFigures& f) {
    // Each amount ends where the room's first half does: a whole half can
    // be copied from its start.
    char room[2 * kPlainCentsRoom] = {};
    for (const std::int64_t cents :
         {f.County.TaxCents, f.City.TaxCents, f.School.TaxCents, f.SpclTaxCents, f.TotTaxCents})
        out.shortUnquotedField<kPlainCentsRoom>(WritePlainCents(room, cents));
}

// The row of an estimate whose id holds no comma, quote or line break and
// does not look like a formula: written whole with one check for room.
void writePlainEstimate(CsvWriter& out, std::string_view id, const EstimateFigures& f) {
    constexpr std::size_t kAmounts = 5;
    char* p = out.rowRoom(id.size() + kAmounts * (kPlainCentsRoom + 1) + 1);
    std::memcpy(p, id.data(), id.size());
    p += id.size();
    // Each amount ends where the room's first half does: a whole half can
    // be copied from its start.
    char room[2 * kPlainCentsRoom] = {};
    for (const std::int64_t cents :
         {f.County.TaxCents, f.City.TaxCents, f.School.TaxCents, f.SpclTaxCents, f.TotTaxCents}) {
        const std::string_view amount = WritePlainCents(room, cents);
        *p++ = ',';
        std::memcpy(p, amount.data(), kPlainCentsRoom);
        p += amount.size();
    }
    *p++ = ','; // no error
    out.endRow(p);
}

void writeFailure(CsvWriter& out, std::string_view id, std::string_view error) {
    out.textField(id);
    for (int i = 0; i < 5; ++i) out.field({});
    out.textField(error);
    out.endRow();
}

// The row of a record with as many fields as the header has columns.
BatchRow rowOf(const BatchHeader& h, std::span<const std::string_view> fields) {
    const auto of = [&](BatchColumn column) { return h.ofWhole(fields, column); };
    return BatchRow{of(BatchColumn::Value),     of(BatchColumn::County),
                    of(BatchColumn::City),      of(BatchColumn::School),
                    of(BatchColumn::Homestead), of(BatchColumn::Exemption),
                    of(BatchColumn::Veteran),   of(BatchColumn::Specials)};
}

} // namespace

BatchSummary RunBatch(const modMain& data, ByteSource& input, ByteSink& output,
                      const std::function<void(long)>& progress) {
    BatchSummary summary;
    CsvReader reader(input);
    CsvWriter out(output);

    CsvRecord record;
    std::optional<BatchHeader> header;
    if (!reader.next(record)) {
        summary.InputProblem = "the input is empty; it needs a header row naming its columns";
    } else if (!record.Problem.empty()) {
        summary.InputProblem = "the header row cannot be read: " + std::string(record.Problem);
    } else {
        header = ParseBatchHeader(record.Fields, summary.InputProblem);
    }
    if (!header) {
        summary.ReadFailed = reader.readFailed();
        return summary;
    }

    reader.expectFields(header->Width);
    for (const char* name :
         {"id", "county_tax", "city_tax", "school_tax", "special_tax", "total_tax", "error"})
        out.field(name);
    out.endRow();

    BatchEstimator estimator(data);
    EstimateFigures figures;
    std::string error;
    while (reader.next(record)) {
        ++summary.Rows;
        const std::string_view id = header->of(record.Fields, BatchColumn::Id);
        if (!record.Problem.empty()) {
            ++summary.FailedRows;
            writeFailure(out, id, record.Problem);
        } else if (record.Fields.size() != header->Width) {
            ++summary.FailedRows;
            error = "the row has " + std::to_string(record.Fields.size()) +
                    " columns; the header has " + std::to_string(header->Width);
            writeFailure(out, id, error);
        } else if (!estimator.estimate(rowOf(*header, record.Fields), figures, error)) {
            ++summary.FailedRows;
            writeFailure(out, id, error);
        } else if (record.Plain && !LooksLikeFormula(id)) {
            writePlainEstimate(out, id, figures);
        } else {
            out.textField(id);
            writeFigures(out, figures);
            out.unquotedField({});
            out.endRow();
        }
        if (progress && summary.Rows % kProgressEvery == 0) progress(summary.Rows);
        if (out.failed()) break;
    }
    summary.ReadFailed = reader.readFailed();
    summary.WriteFailed = !out.flush();
    return summary;
}

} // namespace levywise::cli

namespace levywise::cli {
namespace {

std::string reason(int error) { return std::strerror(error); }

// The temporary file a signal that ends the process removes first: kept in
// static memory, since a signal handler may only touch that and call
// async-signal-safe functions.
char interruptedFile[4096];
volatile std::sig_atomic_t removeOnSignal = 0;
constexpr int kEndingSignals[] = {SIGINT, SIGTERM};
using Handler = void (*)(int);
Handler before[std::size(kEndingSignals)];

extern "C" void removeAndEnd(int signal) {
    if (removeOnSignal) unlink(interruptedFile);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void removeOnEndingSignal(const std::filesystem::path& file) {
    const std::string name = file.string();
    if (name.size() >= sizeof interruptedFile) return;
    std::memcpy(interruptedFile, name.c_str(), name.size() + 1);
    removeOnSignal = 1;
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
        before[i] = std::signal(kEndingSignals[i], removeAndEnd);
        // A signal the process was started to ignore stays ignored.
        if (before[i] == SIG_IGN) std::signal(kEndingSignals[i], SIG_IGN);
    }
}

void keepOnEndingSignal() {
    if (!removeOnSignal) return;
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
        std::signal(kEndingSignals[i], before[i] == SIG_ERR ? SIG_DFL : before[i]);
    removeOnSignal = 0;
}

// A new file beside target that no one else has opened.
std::FILE* createBeside(const std::filesystem::path& target, std::filesystem::path& created) {
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = target;
        candidate.replace_filename("." + target.filename().string() + ".levywise-" +
                                   std::to_string(entropy() % 1000000000u));
        // "x": fail rather than open a file that already exists.
        if (std::FILE* f = std::fopen(candidate.string().c_str(), "wbx")) {
            created = candidate;
            return f;
        }
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

// The file a path names through any symbolic links, which the results then
// replace instead of the link; empty when the links go round in a circle.
std::filesystem::path linkTarget(const std::filesystem::path& path) {
    std::filesystem::path target = path;
    std::error_code ec;
    for (int links = 0; std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec));
         ++links) {
        const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
        if (ec || links == 40) return {};
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

} // namespace

OutputFile::~OutputFile() { abandon(); }

bool OutputFile::open(const std::string& path, std::string& error) {
    if (path.empty()) {
        file_ = stdout;
        return true;
    }
    const std::filesystem::path target = linkTarget(path);
    if (target.empty()) {
        error = "its symbolic links lead nowhere";
        return false;
    }
    std::error_code ec;
    const auto status = std::filesystem::status(target, ec);
    if (std::filesystem::is_directory(status)) {
        error = "this is a folder";
        return false;
    }
    owned_ = true;
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        file_ = std::fopen(path.c_str(), "wb"); // a device or a pipe: nothing to replace
        if (!file_) error = reason(errno);
        return file_ != nullptr;
    }
    target_ = target;
    file_ = createBeside(target_, temporary_);
    if (!file_) {
        error = "no file can be created beside it (" + reason(errno) + ")";
        return false;
    }
    removeOnEndingSignal(temporary_);
    // The results keep the permissions of the file they replace.
    if (std::filesystem::exists(status))
        std::filesystem::permissions(temporary_, status.permissions(), ec);
    return true;
}

bool OutputFile::commit(std::string& error) {
    bool written = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    if (owned_) {
        written = std::fclose(file_) == 0 && written;
        file_ = nullptr;
    }
    if (!written) {
        error = "the results could not all be written";
        abandon();
        return false;
    }
    if (!temporary_.empty()) {
        std::error_code ec;
        std::filesystem::rename(temporary_, target_, ec);
        if (ec) {
            error = "the results could not replace it (" + ec.message() + ")";
            abandon();
            return false;
        }
        temporary_.clear();
        keepOnEndingSignal();
    }
    return true;
}

void OutputFile::abandon() {
    if (owned_ && file_) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temporary_, ec);
        temporary_.clear();
        keepOnEndingSignal();
    }
}

bool IsStandardInput(const std::string& path) {
#ifdef _WIN32
    BY_HANDLE_FILE_INFORMATION in{}, named{};
    const auto input = reinterpret_cast<HANDLE>(_get_osfhandle(0));
    if (input == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(input, &in)) return false;
    const HANDLE file =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(file, &named);
    CloseHandle(file);
    return known && in.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
           in.nFileIndexHigh == named.nFileIndexHigh && in.nFileIndexLow == named.nFileIndexLow;
#else
    struct stat in {
    }, named{};
    return fstat(STDIN_FILENO, &in) == 0 && stat(path.c_str(), &named) == 0 &&
           in.st_dev == named.st_dev && in.st_ino == named.st_ino;
#endif
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return !a.empty() && !b.empty() && std::filesystem::equivalent(a, b, ec) && !ec;
}

} // namespace levywise::cli

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
    auto data = std::make_unique<modMain>();
    if (const int status = LoadRateTable(o.Rates, *data, err); status != kExitDone) return status;

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
        summary = RunBatch(*data, source, sink, [&progress](long rows) { progress(rows); });
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
