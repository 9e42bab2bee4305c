#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/estimate.h"
#include "cli/text_output.h"
#include "cli/unit_codes.h"
#include "rate_text.h"

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

std::string codeOf(const ListEntry* e) { return e ? std::string(CodeOfItem(e->Item)) : "(none)"; }

TEST(UnitCodes, FindsEachListsEntriesByTheCodeTyped) {
    const modMain data = Harlan();
    const UnitCodes codes(data);
    struct Case {
        const ListEntry* found;
        std::string code;
    };
    for (const Case& c : std::vector<Case>{
             {codes.county("201"), "(none)"}, // a city, not a county
             {codes.school("501"), "501"},
             {codes.county("1011"), "(none)"},
             {codes.county("10"), "(none)"},
         })
        EXPECT_EQ(codeOf(c.found), c.code);
    EXPECT_TRUE(codes.county("")->NoCounty);
    // The calculation takes the first slot with the code, whatever its list:
    // the city coded 501 is computed as the school of the same code, as in the window.
    EXPECT_EQ(codes.school("501")->Unit->Name.trimmedRight(), "ANOTHER UNIT");
    EXPECT_EQ(codes.city("501")->Unit->Name.trimmedRight(), "ANOTHER UNIT");
}

std::string selectedCodes(const modMain& data) {
    std::string out;
    for (int i = 1; i <= data.SpclCount; ++i)
        if (data.SpclSel[static_cast<std::size_t>(i)].Selected.equals("Y"))
            out += std::string(data.SpclTbl[static_cast<std::size_t>(i)].Code.view()) + " ";
    return out;
}

TEST(SelectDistricts, DefaultNoneOrExactlyTheCodesGiven) {
    struct Case {
        std::string special, selected, unknown;
    };
    for (const Case& c : std::vector<Case>{
             {"default", "303 301 ", ""},
             {"DEFAULT", "303 301 ", ""},
             {"none", "", ""},
             {"303", "", "303"}, // two districts share it
             {"301,999", "", "999"},
         }) {
        modMain data = Harlan();
        const UnitCodes codes(data);
        const auto unknown = SelectDistricts(data, codes, c.special);
        EXPECT_EQ(unknown.value_or(""), c.unknown) << c.special;
        if (!unknown) { EXPECT_EQ(selectedCodes(data), c.selected) << c.special; }
    }
}

TEST(CheckValue, ANumberAsTheValueIsReadAndNotBelowZero) {
    struct Case {
        std::string text;
        ValueCheck check;
    };
    for (const Case& c : std::vector<Case>{
             {" $150,000 ", ValueCheck::Amount},
             {".5", ValueCheck::Amount},
             {"12abc", ValueCheck::Amount}, // the number at the start, as the window reads it
             {"1e400", ValueCheck::Amount}, // too large: the estimate says so
             {"&H1F", ValueCheck::Amount},
             {"&o7", ValueCheck::Amount},
             {"&8", ValueCheck::NoNumber},
             {"&HG", ValueCheck::NoNumber},
             {"abc", ValueCheck::NoNumber},
             {"", ValueCheck::NoNumber},
             {".", ValueCheck::NoNumber},
             {"-.5", ValueCheck::Negative},
         })
        EXPECT_EQ(CheckValue(c.text), c.check) << c.text;
}

TEST(EstimateReport, JsonHoldsEveryLabelUnderItsName) {
    modMain data = Harlan();
    const UnitCodes codes(data);
    ASSERT_TRUE(SelectDistricts(data, codes, "302") == std::nullopt);
    EstimateInput in;
    in.AprValText = "8000";
    in.CountyItem = codes.county("12")->Item;
    in.CityItem = codes.city("201")->Item;
    in.GHS = true;
    const auto report = EstimateProperty(data, in);
    ASSERT_TRUE(report.ok());
    const auto j = nlohmann::ordered_json::parse(EstimateJson(*report));
    EXPECT_EQ(j["county"]["code"], "12");
    EXPECT_EQ(j["county"]["tax_rate"], "0.3");
    // The city's 10,000 homestead is shown capped at the value.
    EXPECT_EQ(j["city"]["homestead"], "$8,000.00");
    ASSERT_EQ(j["special_districts"].size(), 1u);
    EXPECT_EQ(j["special_districts"][0]["name"], "LAKE CAF\u00c9 MUD");
    EXPECT_EQ(j["totals"]["county"], "$24.00");
    std::vector<std::string> keys;
    for (const auto& item : j["county"].items()) keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"code", "name", "appraised_value", "homestead",
                                              "over65_or_disabled", "veteran", "net_taxable_value",
                                              "tax_base", "tax_rate", "tax"}));
}

TEST(EstimateText, AFigureWiderThanItsColumnStillStandsApart) {
    EstimateReport report;
    report.Districts.push_back({"301", std::string(30, 'N'), "$922,337,203,685,477.58"});
    EXPECT_NE(EstimateText(report).find("NNN (301) $922,337,203,685,477.58\n"), std::string::npos);
}

TEST(RateFileProblem, TheWindowsMessageInUtf8OneLineALine) {
    const auto read =
        ParseRateFile(test::RateText({"101\tCOUNTY\tK\tN\t0.5", "201\tCITY\tC\tN\t0.2\t\xA3"
                                                                "12"}),
                      "ignored.tab");
    EXPECT_EQ(RateFileProblem("harlan.tab", read),
              "harlan.tab, line 3, column 6 (\"\u00a312\"): this is not a number.");
    EXPECT_EQ(RateFileProblem("old.tab", ParseRateFile("TaxRates v3.53\tOld\tHarlan\t\r\n", "x")),
              "Tax Rate File Version error: old.tab: the version tag of this file is \"TaxRates "
              "v3.53\", not "
              "\"TaxRates v3.54\".\nThe tax rate file you have selected is not the correct version "
              "level for "
              "this program.\nYou need Levywise V3.54 or higher to load this table.\nYou may "
              "download a current "
              "version of the program and data file from https://www.levywise.example/");
    EXPECT_EQ(RateFileProblem("none.tab", ParseRateFile("\t\r\n", "x")).substr(0, 95),
              "Tax Rate File Version error: none.tab: the first line of this file holds no version "
              "tag; a tax ");
}

TEST(TextEncoding, Windows1252BothWaysAndControlsShownAsAMark) {
    EXPECT_EQ(Utf8FromCp1252("CAF\xC9"), "CAF\u00c9");
    EXPECT_EQ(Utf8FromCp1252("\x80 \x93x\x94 \x81"), "\u20ac \u201cx\u201d \u0081");
    EXPECT_EQ(Shown("A\x1b[2J\x7f\x81\t\xC9"), "A\ufffd[2J\ufffd\ufffd\ufffd\u00c9");
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
