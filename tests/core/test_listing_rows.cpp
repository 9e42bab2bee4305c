#include <gtest/gtest.h>

#include <tuple>

#include "rate_text.h"
#include "ratedata/listing_rows.h"

namespace levywise {
namespace {

using test::Loaded;

std::string names(const std::vector<ListingRow>& rows) {
    std::string out;
    for (const ListingRow& r : rows)
        out += (out.empty() ? "" : "|") + r.Name.substr(0, r.Name.find_last_not_of(' ') + 1);
    return out;
}

TEST(ListingRows, CellTextsOfEachColumn) {
    struct Case {
        std::string columns; // columns 5 to 11 of the unit's line
        std::string rate, optHS, optO65, optDP;
    };
    for (const Case& c : std::vector<Case>{
             {"1.5\t\t\t\t20%", "1.5000000", "20.%", "", ""},
             {"0\t\t\t\t1", "0.0000000", "100.%", "", ""},
             {"0\t\t\t\t3000", "0.0000000", "$3,000", "", ""},
             {"0\t\t\t\t\t3000\t12500", "0.0000000", "", "3,000", "12,500"},
             {"0\t\t\t\t\t0.1\t10%", "0.0000000", "", "", ""}, // fractions: never shown
         }) {
        const modMain d = Loaded({"401\tUNIT\tS\tN\t" + c.columns});
        const auto rows = BuildListingRows(d);
        ASSERT_EQ(rows.size(), 1u) << c.columns;
        const ListingRow& r = rows[0];
        EXPECT_EQ((std::vector<std::string>{r.TaxRate, r.OptHS, r.OptO65, r.OptDP}),
                  (std::vector<std::string>{c.rate, c.optHS, c.optO65, c.optDP}))
            << c.columns;
    }
}

TEST(ListingRows, LeavesOutTheNoUnitEntriesAndAFileUnitCoded100) {
    const modMain d = Loaded({"101\tCOUNTY\tK\tN\t0.5", "100\tOLD COUNTY\tK\tN\t0.4",
                              "201\tCITY\tC\tN\t0.3", "901\tSCHOOL\tI\tN\t1.1"});
    EXPECT_EQ(d.LoadedCount, 7);
    EXPECT_EQ(names(BuildListingRows(d)), "CITY|COUNTY|SCHOOL");
    EXPECT_TRUE(BuildListingRows(modMain()).empty()) << "before any file is loaded";
}

TEST(ListingSort, ByNameOrRateBothWays) {
    const modMain d = Loaded({"1\tBETA\tC\tN\t0.3", "2\tALPHA\tC\tN\t0.25", "3\tGAMMA\tC\tN\t1.2",
                              "4\tDELTA\tC\tN\t0.3"});
    for (const auto& [column, descending, order] :
         std::vector<std::tuple<ListingColumn, bool, std::string>>{
             {ListingColumn::Name, false, "ALPHA|BETA|DELTA|GAMMA"},
             {ListingColumn::Name, true, "GAMMA|DELTA|BETA|ALPHA"},
             // Equal rates keep their order in both directions.
             {ListingColumn::Rate, false, "ALPHA|BETA|DELTA|GAMMA"},
             {ListingColumn::Rate, true, "GAMMA|BETA|DELTA|ALPHA"},
         }) {
        auto rows = BuildListingRows(d);
        SortListingRows(rows, column, descending);
        EXPECT_EQ(names(rows), order);
    }
}

TEST(ListingSort, NumbersCompareAsNumbersAndBeforeText) {
    for (const auto& [a, b, sign] : std::vector<std::tuple<std::string, std::string, int>>{
             {"9.5000000", "10.0000000", -1}, // not "1" < "9"
             {"-0.1000000", "0.0500000", -1},
             {"1", "1.0000000", 0},
             {"3,000", "12", 1},
             {"999", "ALPHA", -1},
             {"ALPHA ", "ALPHA", 1},
             {"\xC9TANG", "ZETA", 1}, // bytes compare unsigned
         }) {
        const int forward = CompareListingCells(a, b), backward = CompareListingCells(b, a);
        EXPECT_EQ((forward > 0) - (forward < 0), sign) << a << " vs " << b;
        EXPECT_EQ((backward > 0) - (backward < 0), -sign) << b << " vs " << a;
    }
}

} // namespace
} // namespace levywise
