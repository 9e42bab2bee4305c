#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "calc/estimate.h"
#include "cli/estimate.h"
#include "cli/list.h"
#include "rate_text.h"
#include "ratedata/cp1252.h"
#include "report/estimate_json.h"
#include "report/estimate_text.h"
#include "report/labels.h"

namespace levywise::cli {
namespace {

using test::Loaded;

modMain Harlan() {
    return Loaded({"101\tHARLAN COUNTY\tK\tN\t0.5\t\t\t\t20%", "12 \tSHORT CODE COUNTY\tK\tN\t0.3",
                   "201\tCITY OF QUARLOW\tC\tN\t0.4\t\t\t\t0.2", "501\tANOTHER UNIT\tI\tN\t1.0",
                   "501\tZETA CITY\tC\tN\t0.7", "901\tASHBY ISD\tI\tN\t1.2",
                   "301\tHARLAN HOSPITAL DIST\tS\tY\t0.1", "302\tLAKE CAF\xC9 MUD\tS\tN\t0.9",
                   "303\tHARLAN ESD 2\tS\tY\t0.05\t3000", "303\tHARLAN ESD 2 ANNEX\tS\tN\t0.02"});
}

// The command line's own rules: a value is a number as the window reads it,
// and not below zero; a code two units share names neither.
TEST(Estimate, StrictRequestsRefuseWhatTheWindowWouldTake) {
    const LoadedTable table(Harlan(), {});
    struct Case {
        std::string value, county, problem;
    };
    for (const Case& c : std::vector<Case>{
             {" $150,000 ", "101", ""},
             {".5", "101", ""},
             {"12abc", "101", ""}, // the number at the start, as the window reads it
             {"&hF", "101", ""},
             {"&o7", "101", ""},
             {"&8", "101", "is not an amount"},
             {"&HG", "101", "is not an amount"},
             {"abc", "101", "is not an amount"},
             {"", "101", "is not an amount"},
             {".", "101", "is not an amount"},
             {"-.5", "101", "is negative"},
             {"1e400", "101", kValueTooLarge},
             {"1", "501", "unknown county code"},
             {"1", "12", ""}, // a code shorter than three characters
         }) {
        EstimateRequest r;
        r.Value = c.value;
        r.County = c.county;
        r.Strict = true;
        EstimateRecord record;
        const auto error = Estimate(table, r, record);
        EXPECT_EQ(error ? error->problem : "", c.problem) << c.value;
    }
    EstimateRequest r;
    r.Value = "1";
    r.City = "501";
    EstimateRecord record;
    EXPECT_FALSE(Estimate(table, r, record)); // the window takes the first unit with the code
    r.Strict = true;
    EXPECT_EQ(Estimate(table, r, record)->kind, Error::Kind::SharedCode);
}

// "$1,234.56", "-$0.05", "10,000", "": the cents a money text shows.
std::int64_t centsOfText(std::string text) {
    const bool negative = !text.empty() && text[0] == '-';
    std::erase_if(text, [](char c) { return c == '-' || c == '$' || c == ','; });
    const std::size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string part = point == std::string::npos ? "00" : text.substr(point + 1);
    const std::int64_t cents = (whole.empty() ? 0 : std::stoll(whole)) * 100 + std::stoll(part);
    return negative ? -cents : cents;
}

// Every "x_cents" of a document against the text of its "x"; returns how many.
int expectCentsAsTexts(const nlohmann::ordered_json& j, const std::string& where) {
    int checked = 0;
    if (j.is_array())
        for (const auto& item : j) checked += expectCentsAsTexts(item, where);
    if (!j.is_object()) return checked;
    for (const auto& [key, value] : j.items()) {
        checked += expectCentsAsTexts(value, where);
        const std::size_t suffix = key.rfind("_cents");
        if (suffix == std::string::npos) continue;
        const std::string text = j.at(key.substr(0, suffix));
        // No cents only beside a percentage or an amount past the range of cents.
        if (value.is_null()) {
            EXPECT_TRUE(text.ends_with('%') || text.size() > 26) << where << ": " << key;
            continue;
        }
        EXPECT_EQ(value.get<std::int64_t>(), centsOfText(text)) << where << ": " << key;
        ++checked;
    }
    return checked;
}

TEST(Json, EveryCentsFieldIsTheCentsItsTextShows) {
    const RateFileRead read = ReadRateFile(LEVYWISE_SAMPLE_DIR "/taxrate.tab");
    ASSERT_EQ(read.status, RateFileStatus::Loaded);
    modMain sample;
    InstallRateTable(sample, read.contents);
    // Rates and exemptions that round on a half cent, in exponent form,
    // past the range of cents or as fractions the listing shows whole.
    const LoadedTable tables[] = {
        {std::move(sample), {}},
        {Loaded({"101\tTINY RATE COUNTY\tK\tN\t0.00001\t\t\t\t1\t0.2\t0.5",
                 "201\tHUGE HS CITY\tC\tN\t0.12345\t\t\t\t1000000000000000000000\t2.5",
                 "901\tODD ISD\tI\tN\t1.23456789\t25000\t10000\t\t0.3333\t\t\t\t\t5000\t7500",
                 "301\tTHIRD DIST\tS\tY\t0.33333\t\t\t\t1.5"}),
         {}}};
    for (const LoadedTable& table : tables) {
        const std::vector<ListingRow> rows = BuildListingRows(table.data());
        const auto listing = nlohmann::ordered_json::parse(ListingText(rows, ListFormat::Json));
        EXPECT_GT(expectCentsAsTexts(listing, "list"), 2 * static_cast<int>(rows.size()));
        std::vector<std::string> county, city, school;
        for (const ListingRow& r : rows) {
            if (r.UnitType == kCountyUnit) county.push_back(r.Code);
            if (r.UnitType == kCityUnit) city.push_back(r.Code);
            if (r.UnitType == kSchoolUnit) school.push_back(r.Code);
        }
        int estimated = 0;
        for (std::size_t i = 0; i < std::max({county.size(), city.size(), school.size()}); ++i) {
            EstimateRequest in;
            in.Value = i % 2 ? "123456.785" : "98765.43";
            in.County = county[i % county.size()];
            in.City = city[i % city.size()];
            in.School = school[i % school.size()];
            in.GHS = i % 3 != 0;
            in.Age = i % 2 ? AgeOption::O65 : AgeOption::DP;
            in.Vet = i % 2 ? VetOption::Vet4 : VetOption::Vet1;
            EstimateRecord record;
            if (Estimate(table, in, record)) continue; // a homestead past the range of money
            const auto j = nlohmann::ordered_json::parse(EstimateJson(record));
            EXPECT_EQ(expectCentsAsTexts(j, "estimate " + std::to_string(i)),
                      3 * 7 + 5 + static_cast<int>(record.Districts.size()));
            ++estimated;
        }
        EXPECT_GT(estimated, 0);
    }
}

TEST(EstimateText, AFigureWiderThanItsColumnStillStandsApart) {
    const LoadedTable table(
        Loaded({"101\tC\tK\tN\t0", "301\t" + std::string(30, 'N') + "\tS\tY\t100000"}), {});
    EstimateRequest in;
    in.Value = "90000000000";
    in.County = "101";
    EstimateRecord record;
    ASSERT_FALSE(Estimate(table, in, record));
    EXPECT_NE(EstimateText(record).find("NNN (301) $90,000,000,000,000.00\n"), std::string::npos);
}

TEST(TextEncoding, Windows1252BothWaysAndControlsShownAsAMark) {
    EXPECT_EQ(Utf8FromCp1252("CAF\xC9"), "CAF\u00c9");
    EXPECT_EQ(Utf8FromCp1252("\x80 \x93x\x94 \x81"), "\u20ac \u201cx\u201d \u0081");
    EXPECT_EQ(Displayed("A\x1b[2J\x7f\x81\t\xC9"), "A\ufffd[2J\ufffd\ufffd\ufffd\u00c9");
    EXPECT_EQ(Utf8Length(Utf8FromCp1252("\x80\xC9"
                                        "ab")),
              4u);
    for (const char16_t c : {u'\u20ac', u'\u0178', u'\u00c9', u'\u0081', u'a'})
        EXPECT_EQ(DecodeCp1252(static_cast<unsigned char>(EncodeCp1252(c))), c);
    EXPECT_EQ(EncodeCp1252(u'\u0100'), '?');
    for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(DecodeCp1252(undefined), char16_t{undefined});
}

} // namespace
} // namespace levywise::cli
