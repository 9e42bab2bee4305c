// The estimate as the window shows it: the labels of each unit and the
// totals, with the units chosen by the entries of the window's lists.
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

TEST(UnitLabels, BaseRateAndTax) {
    const modMain d = Loaded({"101\tHARLAN COUNTY\tK\tN\t0.2640"});
    const auto e = CalculateTaxes(d, inputFor("100000", "101"));
    ASSERT_TRUE(e.ok());
    const UnitLabels& l = e->County;
    EXPECT_EQ(l.AprVal, "$100,000.00");
    EXPECT_EQ(l.TRate, "0.264");
    EXPECT_EQ(l.Name, "HARLAN COUNTY" + std::string(17, ' '));
    EXPECT_EQ(l.TotName, "HARLAN COUNTY");
    EXPECT_EQ(l.Base1, "$1,000.00");
    EXPECT_EQ(l.Base2, l.Base1);
    EXPECT_EQ(l.Tax, "$264.00");
    EXPECT_EQ(l.TotTax, "$264.00");
}

TEST(UnitLabels, LookupTakesTheFirstSlotWithTheCodeOrTheEmptySlot) {
    const modMain d = Loaded({"101\tB COUNTY\tK\tN\t1", "101\tA COUNTY\tK\tN\t2"});
    EstimateInput in = inputFor("100", "101");
    EXPECT_EQ(CalculateTaxes(d, in)->County.TotName, "A COUNTY"); // sorted first
    in.CountyItem = "";
    const UnitLabels none = CalculateTaxes(d, in)->County;
    EXPECT_EQ(none.Name, "");
    EXPECT_EQ(none.TRate, "0");
    EXPECT_EQ(none.NTV, "$100.00");
    EXPECT_EQ(none.Tax, "$0.00");
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
