#include <gtest/gtest.h>

#include "calc/estimate_labels.h"
#include "rate_text.h"

namespace levywise {
namespace {

using test::Loaded;

std::string item(std::string_view code) { return std::string(50, ' ') + std::string(code); }

EstimateInput inputFor(std::string value, std::string_view county, std::string_view city = "000",
                       std::string_view school = "900") {
    EstimateInput in;
    in.AprValText = std::move(value);
    in.CountyItem = item(county);
    in.CityItem = item(city);
    in.SchoolItem = item(school);
    return in;
}

TEST(CalculateTaxes, TotalsUseTheCentRoundedUnitTaxes) {
    // County and city taxes of 100.004 each show as $100.00; their total is
    // $200.00 although the unrounded sum would show as $200.01.
    modMain d = Loaded({"101\tCOUNTY\tK\tN\t0.100004", "201\tCITY\tC\tN\t0.100004"});
    const auto e = CalculateTaxes(d, inputFor("100000", "101", "201"));
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e->County.TotTax, "$100.00");
    EXPECT_EQ(e->City.TotTax, "$100.00");
    EXPECT_EQ(e->Totals.TotTax, "$200.00");
}

TEST(CalculateTaxes, SelectedDistrictsAreSummedToTenThousandths) {
    modMain d = Loaded({"101\tCOUNTY\tK\tN\t0", "301\tD1\tS\tY\t0.33333", "302\tD2\tS\tY\t0.33333",
                        "303\tD3\tS\ty\t5", "304\tD4\tS\tN\t5"});
    const auto e = CalculateTaxes(d, inputFor("100", "101"));
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e->SpclTotal.raw(), 6666);
    EXPECT_EQ(e->Totals.TotSpclTax, "$0.67");
    EXPECT_EQ(e->Totals.TotTax, "$0.67");
    d.SpclSel[4].Selected.assign("Y");
    EXPECT_EQ(CalculateTaxes(d, inputFor("100", "101"))->Totals.TotSpclTax, "$5.67");
    // 5998.99 / 100 x 0.5 lies just below 29.99495: the sum is rounded once, to 29.9949.
    modMain one = Loaded({"101\tCOUNTY\tK\tN\t0", "301\tD1\tS\tY\t0.5"});
    EXPECT_EQ(CalculateTaxes(one, inputFor("5998.99", "101"))->Totals.TotSpclTax, "$29.99");
}

TEST(CalculateTaxes, NoCountyLeavesTheSpecialDistrictsOut) {
    modMain d = Loaded({"101\tCOUNTY\tK\tN\t1", "201\tCITY\tC\tN\t0.5", "901\tSCHOOL\tI\tN\t1.25",
                        "301\tD1\tS\tY\t1", "100\tCOUNTY ONE HUNDRED\tK\tN\t1"});
    const auto none = CalculateTaxes(d, inputFor("10000", "100", "201", "901"));
    ASSERT_TRUE(none.ok());
    EXPECT_EQ(none->County.Tax, "$0.00"); // " No County" sorts before the file's unit 100
    EXPECT_EQ(none->Totals.TotSpclTax, "$0.00");
    EXPECT_EQ(none->Totals.TotTax, "$175.00");
    const auto some = CalculateTaxes(d, inputFor("10000", "101", "201", "901"));
    EXPECT_EQ(some->Totals.TotSpclTax, "$100.00");
    EXPECT_EQ(some->Totals.TotTax, "$375.00");
}

TEST(CalculateTaxes, NoSelectionAtAllStillTaxesDistrictsWithAnEmptyCounty) {
    modMain d = Loaded({"301\tD1\tS\tY\t1"});
    EstimateInput in;
    in.AprValText = "1000";
    const auto e = CalculateTaxes(d, in);
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e->Totals.TotSpclTax, "$10.00");
}

} // namespace
} // namespace levywise
