#include "cli/batch.h"

#include <cstring>

#include "cli/batch_header.h"
#include "cli/plain_cents.h"
#include "cli/quoted.h"
#include "ratedata/text.h"

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

// A row's fault as its error column says it.
bool tell(const Error& e, std::string& error) {
    switch (e.kind) {
    case Error::Kind::BadValue:
        fail(error, "value", Trimmed(e.text));
        (error += ' ') += e.problem;
        return false;
    case Error::Kind::Failed:
    case Error::Kind::Unreadable: error = e.problem; return false;
    case Error::Kind::UnknownCode:
    case Error::Kind::SharedCode: break;
    }
    // No code is longer than three characters: a longer one is codes run
    // together with another separator.
    const std::size_t other = e.text.find_first_of(", |/:");
    if (e.kind == Error::Kind::UnknownCode && e.file == "special district" && e.text.size() > 3 &&
        other != std::string::npos)
        return fail(error,
                    "special district codes are separated by \";\", not \"" +
                        std::string(1, e.text[other]) + "\":",
                    e.text);
    return fail(error, e.problem, e.text);
}

} // namespace

bool BatchEstimator::estimate(const BatchRow& row, EstimateRecord& record, std::string& error) {
    EstimateRequest request;
    request.Value = row.Value;
    request.County = row.County;
    request.City = row.City;
    request.School = row.School;
    request.Strict = true;
    // A fault of the row's own choices is told after one of its units' codes.
    std::string choiceError;
    const bool choices = readHomestead(row.Homestead, request.GHS, choiceError) &&
                         readExemption(row.Exemption, request.Age, choiceError) &&
                         readVeteran(row.Veteran, request.Vet, choiceError);
    const std::string_view specials = Trimmed(row.Specials);
    if (EqualsIgnoringCase(specials, "none")) {
        request.Districts = DistrictChoice::None;
    } else if (!specials.empty()) {
        codes_.clear();
        for (std::string_view list = specials; !list.empty();) {
            const std::size_t end = list.find(';');
            codes_.push_back(list.substr(0, end));
            list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
        }
        request.Districts = DistrictChoice::Listed;
        request.DistrictCodes = codes_;
    }
    const std::optional<Error> failure = Estimate(table_, request, record);
    if (!failure && choices) return true;
    const bool unitAtFault = failure && failure->kind != Error::Kind::Failed &&
                             failure->file != "special district" && failure->file != "value";
    if (!unitAtFault && !choices) {
        error = std::move(choiceError);
        return false;
    }
    return tell(*failure, error);
}

} // namespace levywise::cli

namespace levywise::cli {
namespace {

constexpr long kProgressEvery = 1 << 16;

void writeFigures(CsvWriter& out, const EstimateRecord& f) {
    // Each amount ends where the room's first half does: a whole half can
    // be copied from its start.
    char room[2 * kPlainCentsRoom] = {};
    for (const std::int64_t cents :
         {f.County.TaxCents, f.City.TaxCents, f.School.TaxCents, f.SpclTaxCents, f.TotTaxCents})
        out.shortUnquotedField<kPlainCentsRoom>(WritePlainCents(room, cents));
}

// The row of an estimate whose id holds no comma, quote or line break and
// does not look like a formula: written whole with one check for room.
void writePlainEstimate(CsvWriter& out, std::string_view id, const EstimateRecord& f) {
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

BatchSummary RunBatch(const LoadedTable& table, ByteSource& input, ByteSink& output,
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

    BatchEstimator estimator(table);
    EstimateRecord figures;
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
