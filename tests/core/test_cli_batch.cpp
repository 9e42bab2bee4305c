#include <gtest/gtest.h>

#include "cli/batch.h"
#include "cli/plain_cents.h"
#include "rate_text.h"

namespace levywise::cli {
namespace {

using test::Loaded;

// A small county whose figures are easy to work out by hand.
modMain Harlan() {
    return Loaded(
        {"101\tHARLAN COUNTY\tK\tN\t0.5\t\t\t\t20%\t10000\t12000\t\t\t5000\t7500\t10000\t12000",
         "201\tCITY OF QUARLOW\tC\tN\t0.4\t\t\t\t0.2", "202\tCITY OF ASHBY\tC\tN\t0.25",
         "203\tTWIN CITY\tC\tN\t0.1", "203\tTWIN ISD\tI\tN\t0.1",
         "901\tASHBY ISD\tI\tN\t1.2\t40000\t10000\t10000\t\t\t\t\t\t5000\t7500\t10000\t12000",
         "301\tHARLAN HOSPITAL DIST\tS\tY\t0.1", "302\tLAKE MUD\tS\tN\t0.9\t\t\t\t3000\t0.1",
         "303\tHARLAN ESD 2\tS\tY\t0.05\t3000", "304\tTWIN MUD\tS\tN\t0.2",
         "304\tTWIN MUD EAST\tS\tN\t0.3", "305\tBIG DISTRICT\tS\tN\t1000000000"});
}

const std::string kHeader = "id,value,county,city,school,homestead,exemption,veteran,specials\n";

// The output rows without the header row.
std::string batch(const LoadedTable& data, const std::string& rows, BatchSummary* summary = nullptr,
                  std::size_t chunk = 1 << 16) {
    StringSource in(kHeader + rows, chunk);
    StringSink out;
    const BatchSummary s = RunBatch(data, in, out);
    if (summary) *summary = s;
    const auto firstLineEnd = out.text.find('\n');
    return firstLineEnd == std::string::npos ? out.text : out.text.substr(firstLineEnd + 1);
}

TEST(Batch, FiguresOfEachRowWorkedOutByHand) {
    const LoadedTable data(Harlan(), {});
    struct Case {
        std::string row, output;
    };
    for (const Case& c : std::vector<Case>{
             // The county's disabled-person part is 12,000, its over-65 part 10,000:
             // (200,000 - 12,000 - veteran 12,000) x 0.5 / 100; each district taxed once.
             {"C,200000,101,202,901,N,disabled,4,301;303;301",
              "C,880.00,500.00,2136.00,300.00,3816.00,"},
             // No county: the districts are not taxed, whatever is chosen.
             {"F,200000,,202,,,,,301", "F,0.00,500.00,0.00,0.00,500.00,"},
             // Codes, words and letters compared without blanks around them and without case.
             // County 200,000 - 40,000 - 10,000 - 7,500 at 0.5; district 302: 200,000 - 3,000 -
             // 20,000 at 0.9.
             {"J, 200000 , 101 ,202 ,901,y,OVER65, 2 ,  302 ; ",
              "J,712.50,500.00,1710.00,1593.00,4515.50,"},
             {"=HYPERLINK(1),200000,101,,,,,,none",
              "'=HYPERLINK(1),1000.00,0.00,0.00,0.00,1000.00,"},
         }) {
        BatchSummary s;
        EXPECT_EQ(batch(data, c.row + "\n", &s), c.output + "\n") << c.row;
        EXPECT_EQ(s.FailedRows, 0) << c.row;
    }
}

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"") == std::string::npos) return text;
    std::string out = "\"";
    for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

TEST(Batch, ABadRowGetsItsErrorAndTheRestGoOn) {
    const LoadedTable data(Harlan(), {});
    struct Case {
        std::string row, error;
    };
    for (const Case& c : std::vector<Case>{
             {"1,200000,\x1b]0;9\x07,,,,,,", "unknown county code \"\ufffd]0;9\ufffd\""},
             {"1,200000,,201x,,,,,", "unknown city code \"201x\""},
             {"1,200000,,,202,,,,", "unknown school code \"202\""},
             {"1,200000,101,,,,,,301;399", "unknown special district code \"399\""},
             {"1,200000,101,203,,,,,", "more than one unit of the rate file has the code \"203\""},
             {"1,200000,101,,,,,,301;304",
              "more than one special district of the rate file has the code \"304\""},
             {"1,200000,101,,,ja,,,",
              "homestead must be Y or N (yes, no, true, false, 1 or 0), not \"ja\""},
             {"1,200000,101,,,,,,\"301, 303\"",
              "special district codes are separated by \";\", not \",\": \"301, 303\""},
             {"1,200000,101,,,,old,,", "exemption must be empty, over65 or disabled, not \"old\""},
             {"1,200000,101,,,,,0,", "veteran must be empty or 1 to 4, not \"0\""},
             {"1,200000,101,,,,,12,", "veteran must be empty or 1 to 4, not \"12\""},
             {"1,1e400,101,,,,,,", "The appraised value is too large for an estimate."},
             {"1, abc ,101,,,,,,", "value \"abc\" is not an amount"},
             {"1,-5,101,,,,,,", "value \"-5\" is negative"},
             {"1,900000000000000,101,,,,,,305", "The tax on this value is too large to be shown."},
             {"1,200000,101", "the row has 3 columns; the header has 9"},
             {"1,200000,101,,,,,,,,", "the row has 11 columns; the header has 9"},
             {"1,\"200000,101,,,,,,", "a quoted field is not closed"},
         }) {
        BatchSummary s;
        const std::string out = batch(data, c.row + "\n2,200000,101,,,,,,none\n", &s);
        EXPECT_EQ(out, "1,,,,,," + csvField(c.error) + "\n2,1000.00,0.00,0.00,0.00,1000.00,\n")
            << c.row;
        EXPECT_EQ(s.Rows, 2) << c.row;
        EXPECT_EQ(s.FailedRows, 1) << c.row;
    }
}

TEST(Batch, HomesteadAsYesOrNoInAnyOfItsWords) {
    const LoadedTable data(Harlan(), {});
    // The county's homestead is 20% of the value.
    for (const std::string yes : {"y", "YES", "True", "1"})
        EXPECT_EQ(batch(data, "h,200000,101,,," + yes + ",,,none\n"),
                  "h,800.00,0.00,0.00,0.00,800.00,\n")
            << yes;
    for (const std::string no : {"", "n", "No", "FALSE", "0"})
        EXPECT_EQ(batch(data, "h,200000,101,,," + no + ",,,none\n"),
                  "h,1000.00,0.00,0.00,0.00,1000.00,\n")
            << no;
}

TEST(Batch, EachRowStartsFromTheFileDefaults) {
    const LoadedTable data(Harlan(), {});
    const std::string out =
        batch(data, "a,200000,101,,,,,,302\nb,200000,101,,,,,,\nc,200000,101,,,,,,none\n"
                    "d,200000,101,,,,,,\n");
    EXPECT_EQ(out, "a,1000.00,0.00,0.00,1800.00,2800.00,\n"
                   "b,1000.00,0.00,0.00,300.00,1300.00,\n"
                   "c,1000.00,0.00,0.00,0.00,1000.00,\n"
                   "d,1000.00,0.00,0.00,300.00,1300.00,\n");
}

TEST(Batch, ColumnsInAnyOrderAndOnlyIdAndValueRequired) {
    const LoadedTable data(Harlan(), {});
    StringSource in("Value , ID\n200000,x\n");
    StringSink out;
    const BatchSummary s = RunBatch(data, in, out);
    EXPECT_TRUE(s.InputProblem.empty()) << s.InputProblem;
    // No county: nothing is taxed but the value is read.
    EXPECT_EQ(out.text, "id,county_tax,city_tax,school_tax,special_tax,total_tax,error\nx,0.00,0."
                        "00,0.00,0.00,0.00,\n");
}

TEST(Batch, AnUnusableHeaderStopsBeforeAnyOutput) {
    const LoadedTable data(Harlan(), {});
    struct Case {
        std::string input, problem;
    };
    for (const Case& c : std::vector<Case>{
             {"", "the input is empty; it needs a header row naming its columns"},
             {"id,value,\x1b[2J\xc3\x89" + std::string(50, 'x') + "\n",
              "the input has an unknown column \"\ufffd[2J\u00c9" + std::string(35, 'x') +
                  "\u2026\"; the columns are id, value, county, city, school, homestead, "
                  "exemption, veteran, specials"},
             {"id,value,ID\n", "the input names the column \"id\" twice"},
             {"id,county\n", "the input has no \"value\" column"},
             {"value\n", "the input has no \"id\" column"},
             {"\"id,value\n1,2\n", "the header row cannot be read: a quoted field is not closed"},
         }) {
        StringSource in(c.input);
        StringSink out;
        const BatchSummary s = RunBatch(data, in, out);
        EXPECT_EQ(s.InputProblem, c.problem) << c.input;
        EXPECT_EQ(out.text, "") << c.input;
    }
}

TEST(Batch, ProgressIsReportedWhileTheRowsGoBy) {
    const LoadedTable data(Harlan(), {});
    std::string input = kHeader;
    for (int i = 0; i < 140000; ++i) input += "p,1000,,,,,,,\n";
    StringSource in(input);
    StringSink out;
    std::vector<long> reported;
    const BatchSummary s = RunBatch(data, in, out, [&](long rows) { reported.push_back(rows); });
    EXPECT_EQ(s.Rows, 140000);
    EXPECT_EQ(reported, (std::vector<long>{65536, 131072}));
}

TEST(PlainCents, TwoPlacesAndASignOnlyWhenNegative) {
    struct Case {
        std::int64_t cents;
        std::string text;
    };
    for (const Case& c : std::vector<Case>{{0, "0.00"},
                                           {-5, "-0.05"},
                                           {123456, "1234.56"},
                                           {-92233720368547758, "-922337203685477.58"}})
        EXPECT_EQ(PlainCents(c.cents), c.text);
}

} // namespace
} // namespace levywise::cli
