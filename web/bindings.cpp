// The web page's way into the core: a rate file's bytes in; the table, an
// estimate, a comparison, a history over several rate files, their pictures,
// the worksheet HTML and a check's findings out, as plain JavaScript objects
// whose every text is UTF-8 for the page to show as text (a picture's SVG for
// the page to parse as SVG). One table, one kept estimate and the history's
// tables live here for the page's life.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/estimate.h"
#include "ratedata/formats.h"
#include "ratedata/listing_rows.h"
#include "ratedata/rate_file.h"
#include "report/captions.h"
#include "report/comparison.h"
#include "report/history.h"
#include "report/labels.h"
#include "report/pictures.h"
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
    std::vector<std::unique_ptr<LoadedTable>> years; // the history's tables, in the order opened
    std::optional<History> history;                  // the history shown
};

// What a request's views look at: the page's inputs read into texts.
struct PageInputs {
    std::string value, county, city, school;
    std::vector<std::string> districtCodes;
    std::vector<std::string_view> districtViews;
    EstimateRequest request;
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

// The page's inputs: request = { value, county, city, school (indexes into
// the table's lists), homestead, age (0 neither, 1 over 65, 2 disabled),
// veteran (0 none, 1-4), districts (indexes into the table's districts) }.
// The districts chosen are marked in the table and, by code, in the inputs.
void readInputs(val request, PageInputs& in) {
    Session& s = session();
    // The code of the list entry the page chose; none is the list's "no unit" entry.
    const auto code = [&request](const std::vector<const Jurisdiction*>& entries, const char* key) {
        const auto k = request[key].as<std::size_t>();
        return k < entries.size() ? entries[k]->Code.str() : std::string();
    };
    in.value = request["value"].as<std::string>();
    in.county = code(s.counties, "county");
    in.city = code(s.cities, "city");
    in.school = code(s.schools, "school");
    for (int i = 1; i <= s.data.SpclCount; ++i)
        s.data.SpclSel[static_cast<std::size_t>(i)].Selected.assign("N");
    for (const int k : emscripten::vecFromJSArray<int>(request["districts"]))
        if (k >= 0 && k < s.data.SpclCount) {
            s.data.SpclSel[static_cast<std::size_t>(k + 1)].Selected.assign("Y");
            in.districtCodes.push_back(s.data.SpclTbl[static_cast<std::size_t>(k + 1)].Code.str());
        }
    in.districtViews.assign(in.districtCodes.begin(), in.districtCodes.end());
    in.request.Value = in.value;
    in.request.County = in.county;
    in.request.City = in.city;
    in.request.School = in.school;
    in.request.DistrictCodes = in.districtViews;
    in.request.GHS = request["homestead"].as<bool>();
    in.request.Age = static_cast<AgeOption>(request["age"].as<int>() % 3);
    in.request.Vet = static_cast<VetOption>(request["veteran"].as<int>() % 5);
}

val failure(const std::string& why) {
    val f = val::object();
    f.set("error", why);
    return f;
}

// One estimate of the page's inputs (see readInputs), the districts as marked
// in the table. Gives the estimate as the page shows it, or { error }.
val estimate(val request) {
    Session& s = session();
    PageInputs in;
    readInputs(request, in);
    EstimateRecord record;
    if (const auto error = Estimate(LoadedTable(s.data, s.source), in.request, record))
        return failure(error->problem);
    s.now = std::move(record);
    return presented(*s.now, in.value);
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

// The history's rate files: an array of { bytes, name }. The first refused
// file's refusal (as loadRateFile gives it) leaves the history's tables as
// they were; null when every file is taken.
val openHistory(val files) {
    std::vector<std::unique_ptr<LoadedTable>> years;
    const auto count = files["length"].as<std::size_t>();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name = files[i]["name"].as<std::string>();
        const RateFileRead read = ParseRateFile(files[i]["bytes"].as<std::string>(), name);
        if (read.status != RateFileStatus::Loaded) return refusal(read, name);
        modMain data;
        InstallRateTable(data, read.contents);
        years.push_back(std::make_unique<LoadedTable>(std::move(data),
                                                      RateSource{name, read.contents.TableLabel}));
    }
    session().years = std::move(years);
    return val::null();
}

// The page's inputs (see readInputs) under each of the history's rate files:
// { labels, rows }, each row { label, figures (one text per file, empty where
// the file lacks it), change }; { error } naming the file that refused; null
// before a history is opened.
val history(val request) {
    Session& s = session();
    if (s.years.empty()) return val::null();
    PageInputs in;
    readInputs(request, in);
    in.request.Districts = DistrictChoice::Listed;
    std::vector<const LoadedTable*> tables;
    for (const auto& year : s.years) tables.push_back(year.get());
    s.history.emplace();
    const History& h = *s.history;
    if (const auto error = HistoryOf(tables, in.request, *s.history)) {
        s.history.reset();
        return failure(printable(error->message()));
    }
    val labels = val::array();
    for (const std::string& label : h.FileLabels) labels.call<void>("push", label);
    val rows = val::array();
    for (const HistoryRow& r : h.Rows) {
        val figures = val::array();
        for (const auto& cents : r.Cents)
            figures.call<void>("push", cents ? MoneyText(*cents) : std::string());
        val row = val::object();
        row.set("label", r.Label);
        row.set("figures", figures);
        row.set("change", r.Change ? ChangeText(*r.Change) : std::string());
        rows.call<void>("push", row);
    }
    val result = val::object();
    result.set("labels", labels);
    result.set("rows", rows);
    return result;
}

// The pictures of what is shown, each a whole SVG document or null:
// { whereTaxGoes, whatChanged, overTheYears }. Made apart from the figures,
// so that the page shows the figures first.
val pictures() {
    const Session& s = session();
    const auto svg = [](bool shown, auto picture) {
        return shown ? val(picture().Svg) : val::null();
    };
    val p = val::object();
    p.set("whereTaxGoes", svg(s.now.has_value(), [&s] { return WhereTheTaxGoesOf(*s.now); }));
    p.set("whatChanged", svg(s.kept && s.now, [&s] { return WhatChangedOf(*s.kept, *s.now); }));
    p.set("overTheYears", svg(s.history.has_value(), [&s] { return OverTheYearsOf(*s.history); }));
    return p;
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
    emscripten::function("openHistory", &levywise::openHistory);
    emscripten::function("history", &levywise::history);
    emscripten::function("pictures", &levywise::pictures);
    emscripten::constant("maxFileBytes", static_cast<double>(levywise::kMaxRateFileBytes));
}
