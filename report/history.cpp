#include "report/history.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include "ratedata/formats.h"
#include "ratedata/text.h"
#include "report/captions.h"
#include "report/labels.h"

namespace levywise {
namespace {

constexpr std::size_t kUnitCount = std::size(captions::kUnits);

// The file a path names, without its folders.
std::string fileName(const std::string& path) {
#ifdef _WIN32
    const std::size_t slash = path.find_last_of("/\\");
#else
    const std::size_t slash = path.find_last_of('/');
#endif
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Each file's label: its header line's, else its file name; a label that
// two files share is told apart by the path.
std::vector<std::string> fileLabels(const std::vector<EstimateRecord>& records) {
    std::vector<std::string> labels;
    for (const EstimateRecord& r : records) {
        const std::string label = Displayed(FieldShown(r.Rates->Source.Label));
        labels.push_back(label.empty() ? fileName(r.Rates->Source.Path) : label);
    }
    std::vector<std::string> told = labels;
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (std::count(labels.begin(), labels.end(), labels[i]) > 1)
            told[i] += " (" + records[i].Rates->Source.Path + ")";
    return told;
}

// A refusal of one file's estimate, naming the file; a fault of the request
// says which of its fields.
Error namingFile(Error e, const std::string& path) {
    if (e.kind != Error::Kind::Failed && e.kind != Error::Kind::Unreadable)
        e.problem = e.file + " \"" + Shortened(e.text) + "\": " + e.problem;
    if (!e.problem.empty() && e.problem.back() == '.') e.problem.pop_back();
    e.file = path;
    return e;
}

// A code of the request that no file has: a mistake, not a blank.
Error nowhere(std::string_view field, std::string_view code,
              std::span<const LoadedTable* const> tables) {
    Error e;
    e.kind = Error::Kind::UnknownCode;
    for (const LoadedTable* table : tables)
        e.file += (e.file.empty() ? "" : ", ") + table->source().Path;
    e.text = Trimmed(code);
    e.problem = std::string(field) + " \"" + Shortened(e.text) + "\": no rate file has the code";
    return e;
}

// The rows of the districts, one per code and per how often a file taxes
// it, in the order the files first tax them.
void addDistrictRows(History& h, const std::vector<EstimateRecord>& records) {
    std::map<std::pair<std::string, int>, std::size_t> rowOf;
    const std::size_t first = h.Rows.size();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const EstimateRecord& r = records[i];
        std::map<std::string, int> seen;
        for (const DistrictEstimate& d : r.Districts) {
            const Jurisdiction& unit = r.district(d);
            const std::string code = FieldShown(unit.Code.view());
            const auto key = std::make_pair(code, seen[code]++);
            auto [at, added] = rowOf.try_emplace(key, first + rowOf.size());
            if (added) {
                h.Rows.push_back({HistoryRowKind::District,
                                  Displayed(code) + " " + Displayed(FieldShown(unit.Name.view())),
                                  Displayed(code),
                                  std::vector<std::optional<std::int64_t>>(records.size()),
                                  {}});
            }
            h.Rows[at->second].Cents[i] = CentsAsShown(d.Tax);
        }
    }
}

HistoryRow totalRow(HistoryRowKind kind, const char* caption,
                    const std::vector<EstimateRecord>& records,
                    std::int64_t (*cents)(const EstimateRecord&)) {
    HistoryRow row{kind, caption, {}, {}, {}};
    for (const EstimateRecord& r : records) row.Cents.push_back(cents(r));
    return row;
}

} // namespace

std::optional<Error> HistoryOf(std::span<const LoadedTable* const> tables,
                               const EstimateRequest& request, History& history) {
    const std::string_view asked[kUnitCount] = {request.County, request.City, request.School};
    constexpr const char* kFields[kUnitCount] = {"county", "city", "school"};
    const std::span<const std::string_view> listed = request.Districts == DistrictChoice::Listed
                                                         ? request.DistrictCodes
                                                         : std::span<const std::string_view>();

    std::vector<EstimateRecord> records(tables.size());
    std::vector<std::array<bool, kUnitCount>> lacks(tables.size());
    bool unitFound[kUnitCount] = {};
    std::vector<bool> districtFound(listed.size(), false);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const LoadedTable& table = *tables[i];
        const UnitCodes& codes = table.codes();
        // A unit the file lacks is left out of its estimate, as its list's
        // "no unit" entry; so is a listed district.
        EstimateRequest in = request;
        const ListEntry* const entries[kUnitCount] = {
            codes.county(request.County), codes.city(request.City), codes.school(request.School)};
        std::string_view* const fields[kUnitCount] = {&in.County, &in.City, &in.School};
        for (std::size_t k = 0; k < kUnitCount; ++k) {
            lacks[i][k] = entries[k] == nullptr && table.data().RateCount > 0;
            if (lacks[i][k]) *fields[k] = {};
            unitFound[k] = unitFound[k] || !lacks[i][k];
        }
        std::vector<std::string_view> present;
        for (std::size_t c = 0; c < listed.size(); ++c) {
            if (Trimmed(listed[c]).empty()) continue;
            if (codes.districtCount(listed[c]) == 0) continue;
            districtFound[c] = true;
            present.push_back(listed[c]);
        }
        if (request.Districts == DistrictChoice::Listed) in.DistrictCodes = present;
        if (const auto error = Estimate(table, in, records[i]))
            return namingFile(*error, table.source().Path);
    }
    for (std::size_t k = 0; k < kUnitCount && !tables.empty(); ++k)
        if (!unitFound[k]) return nowhere(kFields[k], asked[k], tables);
    for (std::size_t c = 0; c < listed.size() && !tables.empty(); ++c)
        if (!districtFound[c] && !Trimmed(listed[c]).empty())
            return nowhere("special district", listed[c], tables);

    History h;
    h.FileLabels = fileLabels(records);
    for (std::size_t k = 0; k < kUnitCount; ++k) {
        HistoryRow row{HistoryRowKind::Unit, {}, {}, {}, {}};
        for (std::size_t i = 0; i < records.size(); ++i) {
            const UnitEstimate& unit = records[i].*captions::kUnits[k].Figures;
            if (lacks[i][k]) {
                row.Cents.emplace_back();
                continue;
            }
            if (row.Label.empty()) {
                row.Label = Displayed(FieldShown(unit.Unit->Name.view()));
                row.Code = Displayed(CodeShown(*unit.Unit));
            }
            row.Cents.emplace_back(unit.TaxCents);
        }
        h.Rows.push_back(std::move(row));
    }
    addDistrictRows(h, records);
    h.Rows.push_back(totalRow(HistoryRowKind::Special, captions::kSpecialTaxRow, records,
                              [](const EstimateRecord& r) { return r.SpclTaxCents; }));
    h.Rows.push_back(totalRow(HistoryRowKind::Total, captions::kTotalTax, records,
                              [](const EstimateRecord& r) { return r.TotTaxCents; }));
    h.Rows.push_back(totalRow(HistoryRowKind::Monthly, captions::kTotalPerMonth, records,
                              [](const EstimateRecord& r) { return MonthlyCents(r.TotTaxCents); }));
    for (HistoryRow& row : h.Rows)
        if (!row.Cents.empty() && row.Cents.front() && row.Cents.back())
            row.Change = ChangeOf(*row.Cents.front(), *row.Cents.back());
    history = std::move(h);
    return std::nullopt;
}

} // namespace levywise
