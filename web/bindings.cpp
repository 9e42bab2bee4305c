// The web page's way into the core: a rate file's bytes in; the table, an
// estimate, a comparison, the worksheet HTML and a check's findings out, as
// plain JavaScript objects whose every text is UTF-8 for the page to show
// as text. One table and one kept estimate live here for the page's life.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>
#include <vector>

#include "calc/estimate.h"
#include "ratedata/formats.h"
#include "ratedata/listing_rows.h"
#include "ratedata/rate_file.h"
#include "report/captions.h"
#include "report/comparison.h"
#include "report/labels.h"
#include "report/worksheet_html.h"

using emscripten::val;

namespace levywise {

extern const char kSampleCountyFile[];
extern const unsigned char kSampleCounty[];
extern const std::size_t kSampleCountySize;

namespace {

constexpr const char* kFileRefusedTitle = "Tax rate file not loaded";

struct Session {
    modMain data;
    RateSource source;
    std::vector<const Jurisdiction*> counties, cities, schools; // the lists' entries
    std::optional<EstimateRecord> now, kept;
};

// The entries of the list of a unit type, in table order.
std::vector<const Jurisdiction*> listOf(const modMain& data, char type) {
    std::vector<const Jurisdiction*> units;
    for (int k = 1; k <= data.RateCount; ++k)
        if (data.RateTbl[static_cast<std::size_t>(k)].UnitType.equals(std::string_view(&type, 1)))
            units.push_back(&data.RateTbl[static_cast<std::size_t>(k)]);
    return units;
}

Session& session() {
    static Session s;
    return s;
}

// A rate-file field as the page shows it: UTF-8, no blanks around it.
std::string shown(std::string_view cp1252) {
    std::string text = Displayed(cp1252);
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A file name as the visitor's system gave it, fit for a message.
std::string printable(std::string name) {
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return name;
}

val pair(const std::string& label, const std::string& text) {
    val row = val::array();
    row.call<void>("push", label);
    row.call<void>("push", text);
    return row;
}

// Why a file is refused, as the desktop's message box says it: { title, message }
// with the message's lines joined by line feeds; null when it is accepted.
val refusal(const RateFileRead& read, const std::string& name) {
    if (read.status == RateFileStatus::Loaded) return val::null();
    const std::vector<std::string> lines = RefusalLines(read);
    std::string message = printable(name) + Displayed(lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i) message += "\n" + Displayed(lines[i]);
    val r = val::object();
    r.set("title", std::string(read.status == RateFileStatus::WrongVersion ? kVersionErrorTitle
                                                                           : kFileRefusedTitle));
    r.set("message", message);
    return r;
}

val checkRateFile(const std::string& bytes, const std::string& name) {
    return refusal(ParseRateFile(bytes, name), name);
}

val loadRateFile(const std::string& bytes, const std::string& name) {
    const RateFileRead read = ParseRateFile(bytes, name);
    if (read.status != RateFileStatus::Loaded) return refusal(read, name);
    Session& s = session();
    InstallRateTable(s.data, read.contents);
    s.source = RateSource{name, read.contents.TableLabel};
    s.counties = listOf(s.data, kCountyUnit);
    s.cities = listOf(s.data, kCityUnit);
    s.schools = listOf(s.data, kSchoolUnit);
    s.now.reset();
    return val::null();
}

val loadSample() {
    return loadRateFile(
        std::string(reinterpret_cast<const char*>(kSampleCounty), kSampleCountySize),
        kSampleCountyFile);
}

val unitList(const std::vector<const Jurisdiction*>& entries) {
    val list = val::array();
    for (const Jurisdiction* entry : entries) {
        const Jurisdiction& unit = *entry;
        val u = val::object();
        u.set("code", shown(unit.Code.view()));
        u.set("name", shown(unit.Name.view()));
        list.call<void>("push", u);
    }
    return list;
}

// The loaded table: its names, the three lists, the special districts and the listing.
val table() {
    const Session& s = session();
    val t = val::object();
    t.set("file", s.source.Path);
    t.set("label", shown(s.source.Label));
    t.set("county", shown(s.data.CountyName));
    t.set("counties", unitList(s.counties));
    t.set("cities", unitList(s.cities));
    t.set("schools", unitList(s.schools));
    val districts = val::array();
    for (int i = 1; i <= s.data.SpclCount; ++i) {
        const Jurisdiction& d = s.data.SpclTbl[static_cast<std::size_t>(i)];
        val district = val::object();
        district.set("code", shown(d.Code.view()));
        district.set("name", shown(d.Name.view()));
        district.set("default", s.data.SpclSel[static_cast<std::size_t>(i)].Default.equals("Y"));
        districts.call<void>("push", district);
    }
    t.set("districts", districts);
    val listing = val::array();
    for (const ListingRow& row : BuildListingRows(s.data)) {
        val r = val::object();
        r.set("code", shown(row.Code));
        r.set("name", shown(row.Name));
        r.set("rate", row.TaxRate);
        r.set("type", std::string(1, row.UnitType));
        listing.call<void>("push", r);
    }
    t.set("listing", listing);
    return t;
}

val unitSection(const captions::Unit& unit, const EstimateRecord& r, const EstimateLabels& e) {
    const UnitLabels& l = e.*unit.Labels;
    val rows = val::array();
    for (const captions::UnitRow& row : captions::kUnitRows)
        rows.call<void>("push", pair(row.Worksheet, l.*row.Figure));
    val section = val::object();
    section.set("tab", std::string(unit.Tab));
    section.set("name", shown(l.TotName));
    section.set("code", shown((r.*unit.Figures).Unit->Code.view()));
    section.set("rows", rows);
    return section;
}

// The estimate as the page shows it; typed is the value as the visitor typed it.
val presented(const EstimateRecord& r, const std::string& typed) {
    const EstimateLabels e = LabelsOf(r);
    val totals = val::array();
    val units = val::array();
    for (const captions::Unit& unit : captions::kUnits) {
        totals.call<void>("push", pair(shown((e.*unit.Labels).TotName), (e.*unit.Labels).TotTax));
        units.call<void>("push", unitSection(unit, r, e));
    }
    totals.call<void>("push", pair(captions::kSpecialTax, e.TotSpclTax));
    totals.call<void>("push", pair(captions::kTotalTax, e.TotTax));
    val districts = val::array();
    for (const DistrictEstimate& d : r.Districts) {
        const Jurisdiction& unit = r.district(d);
        val row = val::array();
        for (const std::string& cell :
             {shown(unit.Code.view()), shown(unit.Name.view()), PlainNumberText(unit.TaxRate),
              MoneyText(CentsAsShown(d.Tax))})
            row.call<void>("push", cell);
        districts.call<void>("push", row);
    }
    val more = val::array();
    more.call<void>("push", pair(captions::kTotalPerMonth, MoneyText(MonthlyCents(r.TotTaxCents))));
    more.call<void>("push", pair(captions::kShareOfValue, ShareOfValueText(r)));

    val result = val::object();
    result.set("totals", totals);
    result.set("footnote", std::string(captions::kFootnote));
    result.set("units", units);
    result.set("districts", districts);
    result.set("more", more);
    result.set("total", e.TotTax);
    result.set("valueNote", HoldsNoNumber(typed));
    return result;
}

// One estimate: request = { value, county, city, school (indexes into the
// table's lists), homestead, age (0 neither, 1 over 65, 2 disabled), veteran
// (0 none, 1-4), districts (indexes into the table's districts) }. Gives the
// estimate as the page shows it, or { error }.
val estimate(val request) {
    Session& s = session();
    // The code of the list entry the page chose; none is the list's "no unit" entry.
    const auto code = [&request](const std::vector<const Jurisdiction*>& entries, const char* key) {
        const auto k = request[key].as<std::size_t>();
        return k < entries.size() ? entries[k]->Code.str() : std::string();
    };
    const std::string value = request["value"].as<std::string>();
    const std::string county = code(s.counties, "county");
    const std::string city = code(s.cities, "city");
    const std::string school = code(s.schools, "school");
    EstimateRequest in;
    in.Value = value;
    in.County = county;
    in.City = city;
    in.School = school;
    in.GHS = request["homestead"].as<bool>();
    in.Age = static_cast<AgeOption>(request["age"].as<int>() % 3);
    in.Vet = static_cast<VetOption>(request["veteran"].as<int>() % 5);
    for (int i = 1; i <= s.data.SpclCount; ++i)
        s.data.SpclSel[static_cast<std::size_t>(i)].Selected.assign("N");
    const std::vector<int> chosen = emscripten::vecFromJSArray<int>(request["districts"]);
    for (const int k : chosen)
        if (k >= 0 && k < s.data.SpclCount)
            s.data.SpclSel[static_cast<std::size_t>(k + 1)].Selected.assign("Y");

    EstimateRecord record;
    if (const auto error = Estimate(LoadedTable(s.data, s.source), in, record)) {
        val failure = val::object();
        failure.set("error", error->problem);
        return failure;
    }
    s.now = std::move(record);
    return presented(*s.now, value);
}

// The estimate shown as a printable document, dated as given; empty before
// the first estimate.
std::string worksheet(const std::string& date) {
    const Session& s = session();
    return s.now ? WorksheetHtml(*s.now, date) : std::string();
}

bool keep() {
    Session& s = session();
    if (!s.now) return false;
    s.kept = s.now;
    return true;
}

// The kept estimate beside the one shown now: rows of { label, kept, now,
// change, differs, input }; null when nothing is kept or nothing is shown.
val comparison() {
    const Session& s = session();
    if (!s.kept || !s.now) return val::null();
    val rows = val::array();
    for (const ComparisonRow& r : Compare(*s.kept, *s.now).Rows) {
        val row = val::object();
        row.set("label", r.Label);
        row.set("kept", r.Kept);
        row.set("now", r.Now);
        row.set("change", r.Change);
        row.set("differs", r.Differs);
        row.set("input", r.Kind == RowKind::Input);
        rows.call<void>("push", row);
    }
    return rows;
}

} // namespace
} // namespace levywise

EMSCRIPTEN_BINDINGS(levywise) {
    emscripten::function("checkRateFile", &levywise::checkRateFile);
    emscripten::function("loadRateFile", &levywise::loadRateFile);
    emscripten::function("loadSample", &levywise::loadSample);
    emscripten::function("table", &levywise::table);
    emscripten::function("estimate", &levywise::estimate);
    emscripten::function("worksheet", &levywise::worksheet);
    emscripten::function("keep", &levywise::keep);
    emscripten::function("comparison", &levywise::comparison);
    emscripten::constant("maxFileBytes", static_cast<double>(levywise::kMaxRateFileBytes));
}
