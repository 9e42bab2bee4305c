#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/estimate.h"
#include "cli/estimate.h"
#include "rate_text.h"
#include "ratedata/cp1252.h"
#include "report/estimate_text.h"
#include "report/labels.h"

namespace levywise::cli {
namespace {

using test::Loaded;

// The command line's own rules: a value is a number as the window reads it,
// and not below zero; a code two units share names neither.
TEST(Estimate, StrictRequestsRefuseWhatTheWindowWouldTake) {
    const LoadedTable table(Loaded({"101\tHARLAN COUNTY\tK\tN\t0.5", "12 \tSHORT CODE COUNTY\tK",
                                    "501\tANOTHER UNIT\tI", "501\tZETA CITY\tC"}),
                            {});
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
