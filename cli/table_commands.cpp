#include "cli/table_commands.h"

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/csv.h"
#include "cli/text_output.h"
#include "ratedata/rate_file.h"
#include "ratedata/text.h"

namespace levywise::cli {
namespace {

struct UnitCounts {
    int counties = 0, cities = 0, schools = 0, specials = 0, others = 0;
};

// The file's own units: the loader adds one "no unit" entry to each list.
UnitCounts countUnits(const RateFileContents& c) {
    UnitCounts n{-1, -1, -1, 0, 0};
    for (int k = 1; k <= c.slotCount(); ++k) {
        switch (c.Slots[static_cast<std::size_t>(k)].UnitType[0]) {
        case kCountyUnit: ++n.counties; break;
        case kCityUnit: ++n.cities; break;
        case kSchoolUnit: ++n.schools; break;
        case kSpecialUnit: ++n.specials; break;
        default: ++n.others; break;
        }
    }
    return n;
}

// The lines of the units that share a code with another, code by code in
// the order the codes first appear: each code, then its lines.
std::vector<std::pair<std::string, std::vector<int>>> sharedCodes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::pair<std::string, std::vector<int>>> codes;
    std::map<std::string, std::size_t, std::less<>> byCode;
    int number = 0;
    for (std::size_t at = 0; at < bytes.size(); ++number) {
        std::size_t end = bytes.find_first_of("\r\n", at);
        if (end == std::string::npos) end = bytes.size();
        const std::string_view line = std::string_view(bytes).substr(at, end - at);
        at = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        const std::string_view column = line.substr(0, line.find('\t'));
        // As the loader reads it: the header skipped, three characters kept,
        // blank lines and the "no city" and "no school" lines left out.
        if (number == 0 || line.find_first_not_of(" \t") == std::string_view::npos ||
            column == PlaceholderCodes::NoCity || column == PlaceholderCodes::NoSchool)
            continue;
        const std::string code(Trimmed(column.substr(0, 3)));
        if (code.empty()) continue;
        const auto [it, added] = byCode.try_emplace(code, codes.size());
        if (added) codes.emplace_back(code, std::vector<int>{});
        codes[it->second].second.push_back(number + 1);
    }
    std::erase_if(codes, [](const auto& c) { return c.second.size() < 2; });
    return codes;
}

std::string linesText(const std::vector<int>& lines) {
    std::string text = "lines " + std::to_string(lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i)
        text += (i + 1 < lines.size() ? ", " : " and ") + std::to_string(lines[i]);
    return text;
}

} // namespace

int RunCheck(const std::string& path, std::ostream& out, std::ostream& err) {
    const RateFileRead read = ReadRateFile(path);
    if (read.status != RateFileStatus::Loaded) {
        err << "levywise-cli: " << RateFileProblem(path, read) << '\n';
        return RefusalStatus(path);
    }
    const RateFileContents& c = read.contents;
    const UnitCounts n = countUnits(c);
    out << path << ": a rate file this program reads\n"
        << "  County:            "
        << (c.CountyName ? Shown(*c.CountyName) : "(none named: no tab follows it)") << '\n'
        << "  Label:             " << Shown(c.TableLabel) << '\n'
        << "  County units:      " << n.counties << '\n'
        << "  Cities:            " << n.cities << '\n'
        << "  School districts:  " << n.schools << '\n'
        << "  Special districts: " << n.specials << '\n'
        << "  Other units:       " << n.others << '\n'
        << "  Units in all:      " << c.slotCount() - 3 << '\n';
    for (const RateFileError& warning : c.Warnings)
        out << "Warning: " << WarningText(path, warning) << '\n';
    for (const auto& [code, lines] : sharedCodes(path))
        out << "Warning: " << path << ", " << linesText(lines) << ": these units share the code \""
            << Shown(code) << "\"; estimate, compare and batch refuse it\n";
    return FinishedWriting(out, err);
}

} // namespace levywise::cli

namespace levywise::cli {
namespace {

std::string typeName(char type) {
    switch (type) {
    case kCountyUnit: return "county";
    case kCityUnit: return "city";
    case kSchoolUnit: return "school";
    case kSpecialUnit: return "special district";
    default: return "other";
    }
}

void padded(std::string& out, const std::string& text, std::size_t width, bool right) {
    const std::size_t length = Utf8Length(text);
    const std::string fill(length < width ? width - length : 0, ' ');
    out += right ? fill + text : text + fill;
}

std::string textTable(const std::vector<ListingRow>& rows) {
    std::string out;
    const auto row = [&out](const std::string& code, const std::string& name,
                            const std::string& type, const std::string& rate, const std::string& hs,
                            const std::string& o65, const std::string& dp) {
        padded(out, code, 6, false);
        padded(out, name, 32, false);
        padded(out, type, 18, false);
        padded(out, rate, 12, false);
        padded(out, hs, 10, true);
        padded(out, o65, 10, true);
        padded(out, dp, 10, true);
        while (!out.empty() && out.back() == ' ') out.pop_back();
        out += '\n';
    };
    row("Code", "Jurisdiction Name", "Type", "Tax Rate", "Opt HS", "Opt O65", "Opt DP");
    for (const ListingRow& r : rows)
        row(Shown(r.Code), Shown(r.Name), typeName(r.UnitType), r.TaxRate, r.OptHS, r.OptO65,
            r.OptDP);
    return out;
}

std::string csvTable(const std::vector<ListingRow>& rows) {
    StringSink sink;
    {
        CsvWriter csv(sink);
        // The type comes last, so that scripts that read the columns by position still work.
        for (const char* h : {"code", "name", "tax_rate", "opt_hs", "opt_o65", "opt_dp", "type"})
            csv.field(h);
        csv.endRow();
        for (const ListingRow& r : rows) {
            for (const std::string* cell : {&r.Code, &r.Name}) csv.textField(Shown(*cell));
            for (const std::string* cell : {&r.TaxRate, &r.OptHS, &r.OptO65, &r.OptDP})
                csv.field(*cell);
            csv.field(typeName(r.UnitType));
            csv.endRow();
        }
    }
    return sink.text;
}

std::string jsonArray(const std::vector<ListingRow>& rows) {
    nlohmann::ordered_json j = nlohmann::ordered_json::array();
    for (const ListingRow& r : rows) {
        j.push_back({{"code", Shown(r.Code)},
                     {"name", Shown(r.Name)},
                     {"type", typeName(r.UnitType)},
                     {"tax_rate", r.TaxRate},
                     {"opt_hs", r.OptHS},
                     {"opt_o65", r.OptO65},
                     {"opt_dp", r.OptDP}});
    }
    return j.dump(2) + "\n";
}

} // namespace

std::string ListingText(const std::vector<ListingRow>& rows, ListFormat format) {
    switch (format) {
    case ListFormat::Csv: return csvTable(rows);
    case ListFormat::Json: return jsonArray(rows);
    case ListFormat::Text: break;
    }
    return textTable(rows);
}

int RunList(const ListOptions& o, std::ostream& out, std::ostream& err) {
    auto data = std::make_unique<modMain>();
    if (const int status = LoadRateTable(o.File, *data, err); status != kExitDone) return status;
    std::vector<ListingRow> rows = BuildListingRows(*data);
    if (!o.Sort.empty())
        SortListingRows(rows, o.Sort == "rate" ? ListingColumn::Rate : ListingColumn::Name,
                        o.Descending);
    out << ListingText(rows, o.Format);
    return FinishedWriting(out, err);
}

} // namespace levywise::cli
