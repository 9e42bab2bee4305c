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
CalcResult<UnitLabels> CalcSchoolTax(const modMain& d, const EstimateInput& in) {
    return unitOf(CalculateTaxes(d, in), &Estimate::School);
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

struct HomesteadCase {
    std::string name;
    std::string value;
    std::string optHS;
    std::string hsAmt;
    std::string expectedHS;
    std::string expectedNTV;
    friend void PrintTo(const HomesteadCase& c, std::ostream* os) { *os << c.name; }
};

class CountyHomestead : public ::testing::TestWithParam<HomesteadCase> {};

TEST_P(CountyHomestead, AmountPlusOptionalPartWithItsMinimum) {
    const HomesteadCase& c = GetParam();
    Fixture f({"101\tCOUNTY\tK\tN\t0.5\t" + c.hsAmt + "\t\t\t" + c.optHS});
    f.choose("101");
    f.in.AprValText = c.value;
    f.in.GHS = true;
    const auto l = CalcCountyTax(f.data, f.in);
    ASSERT_TRUE(l.ok()) << l.error();
    EXPECT_EQ(l->HSVal, c.expectedHS);
    EXPECT_EQ(l->NTV, c.expectedNTV);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CountyHomestead,
    ::testing::Values(
        HomesteadCase{"TwentyPercentOf150k", "150000", "0.2", "", "$30,000.00", "$120,000.00"},
        HomesteadCase{"FractionRaisedToMinimum", "20000", "0.2", "", "$5,000.00", "$15,000.00"},
        HomesteadCase{"FractionRoundsHalfUp", "100007", "0.1", "", "$10,001.00", "$90,006.00"},
        HomesteadCase{"FractionTieRoundsUp", "123455", "0.1", "", "$12,346.00", "$111,109.00"},
        HomesteadCase{"ExactlyOneIsAnAmount", "150000", "1", "", "$1.00", "$149,999.00"},
        HomesteadCase{"LargeIsAnAmountWithoutMinimum", "150000", "3000", "", "$3,000.00", "$147,000.00"},
        HomesteadCase{"FixedPlusFraction", "150000", "20%", "3000", "$33,000.00", "$117,000.00"},
        HomesteadCase{"EmptyValueStillGetsTheMinimum", "", "0.2", "3000", "$8,000.00", "$0.00"},
        HomesteadCase{"ExemptionAboveValueLeavesZero", "4000", "0.2", "", "$5,000.00", "$0.00"},
        HomesteadCase{"GroupedValueReadsWhole", "150,000", "0.2", "", "$30,000.00", "$120,000.00"},
        HomesteadCase{"DollarSignIgnored", "$150,000", "0.2", "", "$30,000.00", "$120,000.00"},
        HomesteadCase{"BlanksBetweenDigitsSkipped", "1 5 0000", "0.2", "", "$30,000.00", "$120,000.00"},
        HomesteadCase{"TextReadsZero", "abc", "0.2", "", "$5,000.00", "$0.00"}),
    [](const auto& info) { return info.param.name; });

TEST(CityHomestead, QuarlowHasItsOwnMinimumAndTheCityShowsACappedValue) {
    struct Case {
        std::string name, value, hs, ntv;
    };
    for (const Case& c : std::vector<Case>{
             {"CITY OF QUARLOW", "20000", "$10,000.00", "$10,000.00"},
             {"City of Quarlow   ", "20000", "$10,000.00", "$10,000.00"},
             {"CITY OF QUARLOW", "8000", "$8,000.00", "$0.00"},  // capped display, HS 10,000 subtracted
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

TEST(SchoolHomestead, QuarlowRuleIsTheCitysAlone) {
    Fixture f({"901\tCITY OF QUARLOW\tI\tN\t0.5\t\t\t\t0.2"});
    f.choose("100", "000", "901");
    f.in.AprValText = "20000";
    f.in.GHS = true;
    EXPECT_EQ(CalcSchoolTax(f.data, f.in)->HSVal, "$5,000.00");
}

TEST(UnitTax, AgeDisabilityAndVeteranExemptions) {
    Fixture f({"101\tCOUNTY\tK\tN\t1\t1000\t2000\t4000\t\t0.1\t3000\t\t\t5000\t7500\t10000\t12000"});
    f.choose("101");
    f.in.AprValText = "30000";
    struct Case {
        AgeOption age;
        VetOption vet;
        std::string ageText, vetText, ntv;
    };
    for (const Case& c : std::vector<Case>{
             {AgeOption::Neither, VetOption::None, "$0.00", "$0.00", "$30,000.00"},
             {AgeOption::O65, VetOption::None, "$7,000.00", "$0.00", "$23,000.00"},  // 2000 + (3000 raised to 5000)
             {AgeOption::DP, VetOption::None, "$7,000.00", "$0.00", "$23,000.00"},   // 4000 + 3000
             {AgeOption::Neither, VetOption::Vet3, "$0.00", "$10,000.00", "$20,000.00"},
             {AgeOption::O65, VetOption::Vet4, "$7,000.00", "$12,000.00", "$11,000.00"},
         }) {
        f.in.Age = c.age;
        f.in.Vet = c.vet;
        const auto l = CalcCountyTax(f.data, f.in);
        ASSERT_TRUE(l.ok());
        EXPECT_EQ(l->O65Val, c.ageText);
        EXPECT_EQ(l->VetVal, c.vetText);
        EXPECT_EQ(l->NTV, c.ntv);
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

TEST(UnitTax, NegativeValueGivesNoTaxButKeepsTheMinimum) {
    Fixture f({"101\tCOUNTY\tK\tN\t0.5\t\t\t\t0.2"});
    f.choose("101");
    f.in.AprValText = "-5000";
    f.in.GHS = true;
    const auto l = CalcCountyTax(f.data, f.in);
    EXPECT_EQ(l->AprVal, "-$5,000.00");
    EXPECT_EQ(l->HSVal, "$5,000.00");
    EXPECT_EQ(l->NTV, "$0.00");
    EXPECT_EQ(l->Tax, "$0.00");
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

TEST(UnitTax, PlaceholderRowsShowTheValueUntaxed) {
    Fixture f({"101\tCOUNTY\tK\tN\t1\t1000\t\t\t0.2"});
    f.choose("100", "000", "900");
    f.in.AprValText = "50000";
    f.in.GHS = true;
    for (const auto& l : {CalcCountyTax(f.data, f.in), CalcCityTax(f.data, f.in),
                          CalcSchoolTax(f.data, f.in)}) {
        EXPECT_EQ(l->HSVal, "$0.00");
        EXPECT_EQ(l->NTV, "$50,000.00");
        EXPECT_EQ(l->Base1, "$500.00");
        EXPECT_EQ(l->Tax, "$0.00");
    }
}

TEST(UnitTax, FiguresOutsideTheMoneyRangeAreReportedNotShown) {
    Fixture f({"101\tCOUNTY\tK\tN\t1e300", "102\tFAIR\tK\tN\t1\t\t\t\t0.5"});
    f.in.AprValText = "1000";
    f.choose("101");
    EXPECT_EQ(CalcCountyTax(f.data, f.in).error(), kTaxTooLarge);
    f.choose("102");
    for (const char* wild : {"1e400", "1e20", "-1e20", "99999999999999999999"}) {
        f.in.AprValText = wild;
        EXPECT_EQ(CalcCountyTax(f.data, f.in).error(), kValueTooLarge) << wild;
    }
    f.in.AprValText = "900000000000000"; // near the top of the range: still an estimate
    f.in.GHS = true;
    EXPECT_TRUE(CalcCountyTax(f.data, f.in).ok());
}

} // namespace
} // namespace levywise
