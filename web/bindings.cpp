// The web page's way into the core: a rate file's bytes in; the table, an
// estimate, a comparison, the worksheet HTML and a check's findings out, as
// plain JavaScript objects whose every text is UTF-8 for the page to show
// as text. One table and one kept estimate live here for the page's life.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <string>
#include <vector>

#include "calc/comparison.h"
#include "calc/estimate.h"
#include "calc/estimate_record.h"
#include "calc/worksheet_html.h"
#include "ratedata/formats.h"
#include "ratedata/listing_rows.h"
#include "ratedata/number_text.h"
#include "ratedata/rate_file.h"

using emscripten::val;

namespace levywise {

extern const char kSampleCountyFile[];
extern const unsigned char kSampleCounty[];
extern const std::size_t kSampleCountySize;

namespace {

constexpr const char* kFileRefusedTitle = "Tax rate file not loaded";
constexpr const char* kFootnote = "*Special District Tax includes all special districts selected";

struct Session {
    modMain data;
    std::string fileName;
    std::string label;
    std::vector<std::string> counties, cities, schools; // the lists' entries
    std::optional<EstimateRecord> now, kept;
};

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
    const std::vector<std::string> lines =
        RefusalLines(read, RequiredVersionFrom(kRateFileVersion));
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
    s.fileName = name;
    s.label = read.contents.TableLabel;
    s.counties = ListItemsOfType(s.data, kCountyUnit);
    s.cities = ListItemsOfType(s.data, kCityUnit);
    s.schools = ListItemsOfType(s.data, kSchoolUnit);
    s.now.reset();
    return val::null();
}

val loadSample() {
    return loadRateFile(
        std::string(reinterpret_cast<const char*>(kSampleCounty), kSampleCountySize),
        kSampleCountyFile);
}

val unitList(const modMain& data, const std::vector<std::string>& items) {
    val list = val::array();
    for (const std::string& item : items) {
        const Jurisdiction& unit = FindUnit(data, item);
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
    t.set("file", s.fileName);
    t.set("label", shown(s.label));
    t.set("county", shown(s.data.CountyName));
    t.set("counties", unitList(s.data, s.counties));
    t.set("cities", unitList(s.data, s.cities));
    t.set("schools", unitList(s.data, s.schools));
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

val unitSection(const char* tab, const UnitRecord& unit) {
    const UnitLabels& l = unit.Labels;
    val rows = val::array();
    rows.call<void>("push", pair("Appraised Value", l.AprVal));
    rows.call<void>("push", pair("- Value of gen. HS", l.HSVal));
    rows.call<void>("push", pair("- Value of O65 or DP HS", l.O65Val));
    rows.call<void>("push", pair("- Value of Vet Exemption", l.VetVal));
    rows.call<void>("push", pair("Net taxable value", l.NTV));
    rows.call<void>("push", pair("Tax base (net taxable value/100)", l.Base1));
    rows.call<void>("push", pair("Tax rate", l.TRate));
    rows.call<void>("push", pair("Tax", l.Tax));
    val section = val::object();
    section.set("tab", std::string(tab));
    section.set("name", shown(l.TotName));
    section.set("code", Displayed(unit.Code));
    section.set("rows", rows);
    return section;
}

// Text the estimate reads as 0 because no number begins it: whatever number
// text begins with, one more digit changes what is read. Nothing typed is no value.
bool holdsNoNumber(const std::string& text) {
    return text.find_first_not_of(" \t\n") != std::string::npos &&
           AppraisedValueFromText(text) == 0.0 && AppraisedValueFromText(text + '1') == 0.0;
}

val presented(const EstimateRecord& r) {
    val totals = val::array();
    totals.call<void>("push", pair(shown(r.County.Labels.TotName), r.County.Labels.TotTax));
    totals.call<void>("push", pair(shown(r.City.Labels.TotName), r.City.Labels.TotTax));
    totals.call<void>("push", pair(shown(r.School.Labels.TotName), r.School.Labels.TotTax));
    totals.call<void>("push", pair("Special District Tax*", MoneyText(r.SpclTaxCents)));
    totals.call<void>("push", pair("Total Taxes", MoneyText(r.TotTaxCents)));
    val units = val::array();
    units.call<void>("push", unitSection("County Tax", r.County));
    units.call<void>("push", unitSection("City Tax", r.City));
    units.call<void>("push", unitSection("School Tax", r.School));
    val districts = val::array();
    for (const DistrictRecord& d : r.Districts) {
        val row = val::array();
        for (const std::string& cell :
             {Displayed(d.Code), Displayed(d.Name), d.Rate, MoneyText(d.TaxCents)})
            row.call<void>("push", cell);
        districts.call<void>("push", row);
    }
    val more = val::array();
    more.call<void>("push", pair("Total per month", MoneyText(MonthlyCents(r.TotTaxCents))));
    more.call<void>("push", pair("Share of appraised value", ShareOfValueText(r)));

    val e = val::object();
    e.set("totals", totals);
    e.set("footnote", std::string(kFootnote));
    e.set("units", units);
    e.set("districts", districts);
    e.set("more", more);
    e.set("total", MoneyText(r.TotTaxCents));
    e.set("valueNote", holdsNoNumber(r.Input.AprValText));
    return e;
}

// One estimate: request = { value, county, city, school (indexes into the
// table's lists), homestead, age (0 neither, 1 over 65, 2 disabled), veteran
// (0 none, 1-4), districts (indexes into the table's districts) }. Gives the
// estimate as the page shows it, or { error }.
val estimate(val request) {
    Session& s = session();
    const auto item = [&request](const std::vector<std::string>& items, const char* key) {
        const auto k = request[key].as<std::size_t>();
        return k < items.size() ? items[k] : std::string();
    };
    EstimateInput in;
    in.AprValText = request["value"].as<std::string>();
    in.CountyItem = item(s.counties, "county");
    in.CityItem = item(s.cities, "city");
    in.SchoolItem = item(s.schools, "school");
    in.GHS = request["homestead"].as<bool>();
    in.Age = static_cast<AgeOption>(request["age"].as<int>() % 3);
    in.Vet = static_cast<VetOption>(request["veteran"].as<int>() % 5);
    for (int i = 1; i <= s.data.SpclCount; ++i)
        s.data.SpclSel[static_cast<std::size_t>(i)].Selected.assign("N");
    const std::vector<int> chosen = emscripten::vecFromJSArray<int>(request["districts"]);
    for (const int k : chosen)
        if (k >= 0 && k < s.data.SpclCount)
            s.data.SpclSel[static_cast<std::size_t>(k + 1)].Selected.assign("Y");

    const auto figures = ComputeEstimate(s.data, in);
    if (!figures) {
        val failure = val::object();
        failure.set("error", figures.error());
        return failure;
    }
    s.now =
        RecordEstimate(s.data, in, *figures, RateSource{s.fileName, s.label, s.data.CountyName});
    return presented(*s.now);
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
