#include <gtest/gtest.h>

#include "calc/estimate_labels.h"
#include "rate_text.h"

namespace levywise {
namespace {

using test::Loaded;

CalcResult<UnitLabels> unitOf(const CalcResult<Estimate>& e, UnitLabels Estimate::*unit) {
    if (!e) return CalcResult<UnitLabels>::failure(e.error());
    return (*e).*unit;
}
CalcResult<UnitLabels> CalcCountyTax(const modMain& d, const EstimateInput& in) {
    return unitOf(CalculateTaxes(d, in), &Estimate::County);
}
CalcResult<UnitLabels> CalcCityTax(const modMain& d, const EstimateInput& in) {
    return unitOf(CalculateTaxes(d, in), &Estimate::City);
}

// A table whose county, city and school are chosen by their codes.
struct Fixture {
    modMain data;
    EstimateInput in;

    explicit Fixture(const std::vector<std::string>& records) : data(Loaded(records)) {}
    Fixture& choose(std::string_view county, std::string_view city = "000",
                    std::string_view school = "900") {
        in.CountyItem = std::string(50, ' ') + std::string(county);
        in.CityItem = std::string(50, ' ') + std::string(city);
        in.SchoolItem = std::string(50, ' ') + std::string(school);
        return *this;
    }
};

TEST(CountyHomestead, AmountPlusOptionalPartWithItsMinimum) {
    struct Case {
        std::string value, optHS, hsAmt, hs, ntv;
    };
    for (const Case& c : std::vector<Case>{
             {"150000", "0.2", "", "$30,000.00", "$120,000.00"},
             {"20000", "0.2", "", "$5,000.00", "$15,000.00"},    // raised to the minimum
             {"100007", "0.1", "", "$10,001.00", "$90,006.00"},  // rounded half up
             {"123455", "0.1", "", "$12,346.00", "$111,109.00"}, // a tie rounds up
             {"150000", "1", "", "$1.00", "$149,999.00"},        // exactly 1 is an amount
             {"150000", "3000", "", "$3,000.00", "$147,000.00"}, // no minimum for an amount
             {"150000", "20%", "3000", "$33,000.00", "$117,000.00"},
             {"", "0.2", "3000", "$8,000.00", "$0.00"},           // the minimum even for no value
             {"150,000", "0.2", "", "$30,000.00", "$120,000.00"}, // "," dropped
             {"1 5 0000", "0.2", "", "$30,000.00", "$120,000.00"},
             {"abc", "0.2", "", "$5,000.00", "$0.00"},
         }) {
        Fixture f({"101\tCOUNTY\tK\tN\t0.5\t" + c.hsAmt + "\t\t\t" + c.optHS});
        f.choose("101");
        f.in.AprValText = c.value;
        f.in.GHS = true;
        const auto l = CalcCountyTax(f.data, f.in);
        ASSERT_TRUE(l.ok()) << l.error();
        EXPECT_EQ(l->HSVal, c.hs) << c.value;
        EXPECT_EQ(l->NTV, c.ntv) << c.value;
    }
}

TEST(CityHomestead, QuarlowHasItsOwnMinimumAndTheCityShowsACappedValue) {
    struct Case {
        std::string name, value, hs, ntv;
    };
    for (const Case& c : std::vector<Case>{
             {"CITY OF QUARLOW", "20000", "$10,000.00", "$10,000.00"},
             {"City of Quarlow   ", "20000", "$10,000.00", "$10,000.00"},
             {"CITY OF QUARLOW", "8000", "$8,000.00",
              "$0.00"}, // capped display, HS 10,000 subtracted
             {"CITY OF ELSEWHERE", "20000", "$5,000.00", "$15,000.00"},
             {"CITY OF ELSEWHERE", "3000", "$3,000.00", "$0.00"},
             {"CITY OF ELSEWHERE", "-500", "-$500.00", "$0.00"},
         }) {
        Fixture f({"201\t" + c.name + "\tC\tN\t0.5\t\t\t\t0.2"});
        f.choose("100", "201");
        f.in.AprValText = c.value;
        f.in.GHS = true;
        const auto l = CalcCityTax(f.data, f.in);
        ASSERT_TRUE(l.ok());
        EXPECT_EQ(l->HSVal, c.hs) << c.name << " " << c.value;
        EXPECT_EQ(l->NTV, c.ntv) << c.name << " " << c.value;
    }
}

TEST(UnitTax, BaseRateAndTaxLabels) {
    Fixture f({"101\tHARLAN COUNTY\tK\tN\t0.2640"});
    f.choose("101");
    f.in.AprValText = "100000";
    const auto l = CalcCountyTax(f.data, f.in);
    ASSERT_TRUE(l.ok());
    EXPECT_EQ(l->AprVal, "$100,000.00");
    EXPECT_EQ(l->TRate, "0.264");
    EXPECT_EQ(l->Name, "HARLAN COUNTY" + std::string(17, ' '));
    EXPECT_EQ(l->TotName, "HARLAN COUNTY");
    EXPECT_EQ(l->Base1, "$1,000.00");
    EXPECT_EQ(l->Base2, l->Base1);
    EXPECT_EQ(l->Tax, "$264.00");
    EXPECT_EQ(l->TotTax, "$264.00");
}

TEST(UnitTax, LookupTakesTheFirstSlotWithTheCodeOrTheEmptySlot) {
    Fixture f({"101\tB COUNTY\tK\tN\t1", "101\tA COUNTY\tK\tN\t2"});
    f.in.AprValText = "100";
    f.choose("101");
    EXPECT_EQ(CalcCountyTax(f.data, f.in)->TotName, "A COUNTY"); // sorted first
    f.in.CountyItem = "";
    const auto none = CalcCountyTax(f.data, f.in);
    EXPECT_EQ(none->Name, "");
    EXPECT_EQ(none->TRate, "0");
    EXPECT_EQ(none->NTV, "$100.00");
    EXPECT_EQ(none->Tax, "$0.00");
}

} // namespace
} // namespace levywise
