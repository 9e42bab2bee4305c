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

// The empty county entry is the empty slot, and its districts are taxed; the
// " No County" entry (code 100) leaves them out.
TEST(CalculateTaxes, AnEmptyCountyEntryStillTaxesTheDistrictsNoCountyDoesNot) {
    const modMain d = Loaded({"301\tD1\tS\tY\t1", "100\tCOUNTY ONE HUNDRED\tK\tN\t1"});
    EstimateInput in = inputFor("10000", "");
    in.CountyItem = "";
    const auto empty = CalculateTaxes(d, in);
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(empty->County.Name, "");          // a never-written name shows as nothing
    EXPECT_EQ(empty->City.TotName, " No City"); // the first slot is looked at too
    EXPECT_EQ(empty->County.TRate, "0");
    EXPECT_EQ(empty->County.NTV, "$10,000.00");
    EXPECT_EQ(empty->Totals.TotSpclTax, "$100.00");
    in.CountyItem = item("100"); // " No County" sorts before the file's unit 100
    EXPECT_EQ(CalculateTaxes(d, in)->Totals.TotTax, "$0.00");
}

} // namespace
} // namespace levywise
