// The door into the engine: units found by code as the window finds them.
#include <gtest/gtest.h>

#include "calc/estimate.h"
#include "rate_text.h"
#include "report/labels.h"

namespace levywise {
namespace {

using test::Loaded;

EstimateRequest requestFor(std::string_view value, std::string_view county) {
    EstimateRequest r;
    r.Value = value;
    r.County = county;
    return r;
}

// " No County" (code 100) leaves the districts out, also where the file has
// a county of its own coded 100; before any table is loaded every unit is
// the blank first slot.
TEST(Estimate, UnitsByCode) {
    const LoadedTable table(
        Loaded({"301\tD1\tS\tY\t1", "100\tCOUNTY ONE HUNDRED\tK\tN\t1", "201\tCITY\tC\tN\t1"}), {});
    EstimateRecord record;
    ASSERT_FALSE(Estimate(table, requestFor("10000", ""), record));
    EXPECT_EQ(LabelsOf(record).TotTax, "$0.00");
    EstimateRequest noUnits = requestFor("10000", "100");
    noUnits.City = "000";
    noUnits.School = "900";
    ASSERT_FALSE(Estimate(table, noUnits, record));
    EXPECT_EQ(LabelsOf(record).TotTax, "$0.00");

    const LoadedTable nothing(modMain{}, {});
    ASSERT_FALSE(Estimate(nothing, requestFor("10000", ""), record));
    const EstimateLabels blank = LabelsOf(record);
    EXPECT_EQ(blank.County.Name, ""); // a never-written name shows as nothing
    EXPECT_EQ(blank.County.TRate, "0");
    EXPECT_EQ(blank.County.NTV, "$10,000.00");
}

} // namespace
} // namespace levywise
