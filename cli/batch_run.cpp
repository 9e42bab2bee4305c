#include "cli/batch_run.h"

#include <optional>

#include "cli/batch_columns.h"
#include "cli/batch_estimator.h"
#include "cli/csv_reader.h"
#include "cli/csv_writer.h"
#include "cli/money_text.h"

namespace levywise::cli {
namespace {

constexpr long kProgressEvery = 1 << 16;

void writeFigures(CsvWriter& out, const EstimateFigures& f) {
    char room[kPlainCentsRoom];
    for (const std::int64_t cents :
         {f.County.TaxCents, f.City.TaxCents, f.School.TaxCents, f.SpclTaxCents, f.TotTaxCents})
        out.unquotedField(WritePlainCents(room, cents));
}

void writeFailure(CsvWriter& out, std::string_view id, std::string_view error) {
    out.textField(id);
    for (int i = 0; i < 5; ++i) out.field({});
    out.textField(error);
    out.endRow();
}

BatchRow rowOf(const BatchHeader& h, std::span<const std::string_view> fields) {
    return BatchRow{h.of(fields, BatchColumn::Value),     h.of(fields, BatchColumn::County),
                    h.of(fields, BatchColumn::City),      h.of(fields, BatchColumn::School),
                    h.of(fields, BatchColumn::Homestead), h.of(fields, BatchColumn::Exemption),
                    h.of(fields, BatchColumn::Veteran),   h.of(fields, BatchColumn::Specials)};
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
    for (const char* name : {"id", "county_tax", "city_tax", "school_tax", "special_tax", "total_tax", "error"})
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
            error = "the row has " + std::to_string(record.Fields.size()) + " columns; the header has " +
                    std::to_string(header->Width);
            writeFailure(out, id, error);
        } else if (!estimator.estimate(rowOf(*header, record.Fields), figures, error)) {
            ++summary.FailedRows;
            writeFailure(out, id, error);
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
