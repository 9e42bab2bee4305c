#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "calc/tax_figures.h"
#include "calc/totals.h"
#include "calc/unit_tax.h"
#include "rate_text.h"
#include "ratedata/formats.h"
#include "ratedata/number_text.h"

namespace levywise {
namespace {

using test::Loaded;

// Cents of a money text as the window shows it ("-$1,234.56").
std::int64_t centsOf(const std::string& text) {
    std::int64_t cents = 0;
    for (const char c : text)
        if (c >= '0' && c <= '9') cents = cents * 10 + (c - '0');
    return text.find('-') != std::string::npos ? -cents : cents;
}

class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    double between(double a, double b) { return std::uniform_real_distribution<double>(a, b)(engine_); }
    template <class T>
    const T& pick(const std::vector<T>& v) { return v[static_cast<std::size_t>(below(static_cast<int>(v.size())))]; }

private:
    std::mt19937_64 engine_;
};

std::string numberText(double d) {
    char text[64];
    std::snprintf(text, sizeof text, "%.10g", d);
    return text;
}

// An amount column: mostly blank or ordinary, now and then extreme.
std::string amount(Random& r) {
    switch (r.below(8)) {
    case 0: case 1: return "";
    case 2: return "3000";
    case 3: return numberText(std::floor(r.between(0, 100000)));
    case 4: return numberText(r.between(0, 50000));
    case 5: return "-2500";
    case 6: return r.below(4) == 0 ? "900000000000000" : "10000";
    default: return "40000";
    }
}

// An optional exemption: a fraction, a percentage, an amount or nothing.
std::string optional(Random& r) {
    switch (r.below(7)) {
    case 0: case 1: return "";
    case 2: return numberText(r.between(0.001, 0.999));
    case 3: return numberText(std::floor(r.between(1, 60))) + "%";
    case 4: return "1";
    case 5: return numberText(std::floor(r.between(1, 30000)));
    default: return "0.2";
    }
}

std::string rate(Random& r) {
    switch (r.below(7)) {
    case 0: return "0";
    case 6: return r.pick(std::vector<std::string>{"0.00125", "0.00375", "0.0625", "0.03125"}); // ties in ten-thousandths
    case 1: return numberText(r.between(-0.5, 0.0));
    case 2: return r.below(3) == 0 ? "1000000000" : "2.75";
    default: return numberText(r.between(0.0001, 3));
    }
}

std::string vet(Random& r) { return r.below(3) == 0 ? "" : std::to_string(r.below(65536) - 32768); }

std::string unitLine(Random& r, const std::string& code, const std::string& name, char type) {
    std::string line = code + "\t" + name + "\t" + type + "\t" + (r.below(2) ? "Y" : "N") + "\t" + rate(r);
    for (int column = 6; column <= 8; ++column) line += "\t" + amount(r);
    for (int column = 9; column <= 11; ++column) line += "\t" + optional(r);
    line += "\t\t";
    for (int column = 14; column <= 17; ++column) line += "\t" + vet(r);
    return line;
}

// A county with a few units of each list and up to a dozen special
// districts, some sharing their exemption rules and some their codes.
std::vector<std::string> randomCounty(Random& r) {
    std::vector<std::string> lines;
    const std::vector<std::string> cityNames = {"CITY OF QUARLOW", "City of Quarlow   ", "CITY OF QUARLOWE",
                                                "CITY OF ASHBY"};
    for (int i = 0, n = 1 + r.below(3); i < n; ++i) lines.push_back(unitLine(r, "1" + std::to_string(10 + i), "COUNTY " + std::to_string(i), 'K'));
    for (int i = 0, n = 1 + r.below(3); i < n; ++i) lines.push_back(unitLine(r, "2" + std::to_string(10 + i), r.pick(cityNames), 'C'));
    for (int i = 0, n = 1 + r.below(2); i < n; ++i) lines.push_back(unitLine(r, "9" + std::to_string(10 + i), "SCHOOL " + std::to_string(i), 'I'));
    const std::string shared = unitLine(r, "399", "SHARED", 'S');
    for (int i = 0, n = r.below(13); i < n; ++i) {
        const std::string code = "3" + std::to_string(10 + r.below(8));
        std::string line = r.below(3) == 0 ? shared : unitLine(r, code, "DISTRICT", 'S');
        line.replace(0, 3, code);
        lines.push_back(line);
    }
    return lines;
}

std::string valueText(Random& r) {
    static const std::vector<std::string> odd = {"",        "abc",     "$150,000",     "1 5 0000", "-5000",
                                                 "1e400",   "9e14",    "922337203685477", "&H7FFF",  "0.005",
                                                 "12,345.675", "+250000", "$-3,000",   "2.5e5",    "100004",
                                                 "100",     "300",     "1000"};
    switch (r.below(4)) {
    case 0: return r.pick(odd);
    case 1: return numberText(std::floor(r.between(0, 2000000)));
    case 2: return numberText(std::round(r.between(0, 2000000) * 100) / 100);
    default: return numberText(r.between(0, 1000000));
    }
}

TEST(TaxFigures, EqualTheWholeEstimateOnRandomCountiesAndProperties) {
    Random r(20260611);
    int estimated = 0, failed = 0, withDistricts = 0;
    for (int county = 0; county < 60; ++county) {
        modMain data = Loaded(randomCounty(r));
        TaxFigureCalculator calculator(data); // one per table, reused as the batch uses it
        const auto counties = ListItemsOfType(data, kCountyUnit);
        const auto cities = ListItemsOfType(data, kCityUnit);
        const auto schools = ListItemsOfType(data, kSchoolUnit);
        for (int property = 0; property < 300; ++property) {
            EstimateInput in;
            in.AprValText = valueText(r);
            in.CountyItem = r.pick(counties);
            in.CityItem = r.pick(cities);
            in.SchoolItem = r.pick(schools);
            in.GHS = r.below(2) == 0;
            in.Age = static_cast<AgeOption>(r.below(3));
            in.Vet = static_cast<VetOption>(r.below(5));
            std::vector<int> chosen;
            for (int i = 1; i <= data.SpclCount; ++i) {
                const bool on = r.below(2) == 0;
                data.SpclSel[static_cast<std::size_t>(i)].Selected.assign(on ? "Y" : "N");
                if (on) chosen.push_back(i);
            }

            FigureRequest q;
            q.County = &FindUnit(data, in.CountyItem);
            q.City = &FindUnit(data, in.CityItem);
            q.School = &FindUnit(data, in.SchoolItem);
            q.TaxDistricts = CodeOfItem(in.CountyItem) != PlaceholderCodes::NoCounty;
            q.Districts = chosen;
            q.AprValText = in.AprValText;
            q.GHS = in.GHS;
            q.Age = in.Age;
            q.Vet = in.Vet;

            const auto expected = CalculateTaxes(data, in);
            const auto figures = calculator.calculate(q);
            ASSERT_EQ(figures.ok(), expected.ok()) << in.AprValText << ": " << expected.error();
            if (!expected.ok()) {
                EXPECT_EQ(figures.error(), expected.error());
                ++failed;
                continue;
            }
            ++estimated;
            withDistricts += q.TaxDistricts && !chosen.empty();
            const Estimate& e = *expected;
            EXPECT_EQ(figures->CountyTax, centsOf(e.County.TotTax)) << in.AprValText;
            EXPECT_EQ(figures->CityTax, centsOf(e.City.TotTax)) << in.AprValText;
            EXPECT_EQ(figures->SchoolTax, centsOf(e.School.TotTax)) << in.AprValText;
            EXPECT_EQ(figures->SpclTax, centsOf(e.Totals.TotSpclTax)) << in.AprValText;
            EXPECT_EQ(figures->TotTax, centsOf(e.Totals.TotTax)) << in.AprValText;
            EXPECT_EQ(figures->SpclTotal, e.SpclTotal) << in.AprValText;
        }
    }
    // Both outcomes, and districts, really were exercised.
    EXPECT_GT(estimated, 10000);
    EXPECT_GT(failed, 100);
    EXPECT_GT(withDistricts, 3000);
}

TEST(TaxFigures, TotalAddsTheUnitTaxesAsShown) {
    // County and city taxes of 100.004 each show as $100.00: the total is
    // $200.00, not the $200.01 of the unrounded sum.
    const modMain data = Loaded({"101\tCOUNTY\tK\tN\t0.1", "201\tCITY\tC\tN\t0.1"});
    FigureRequest q;
    q.County = &FindUnit(data, "101");
    q.City = &FindUnit(data, "201");
    q.School = &FindUnit(data, "900");
    q.AprValText = "100004";
    const auto f = CalculateTaxFigures(data, q);
    ASSERT_TRUE(f.ok());
    EXPECT_EQ(f->CountyTax, 10000);
    EXPECT_EQ(f->CityTax, 10000);
    EXPECT_EQ(f->TotTax, 20000);
}

TEST(TaxFigures, CentsRoundedAsTheMoneyFormatRoundsThem) {
    std::vector<double> amounts = {0,        0.005,   -0.005,  2.675,  1.005,      0.125,
                                   100.004,  -5,      1e-300,  -1e-300, 123456789.125,
                                   1e11 + 0.005, 9.2e14, -9.2e14, 999999999999.995, 0.0049999999999999};
    Random r(7);
    for (int i = 0; i < 200000; ++i) {
        const double magnitude = std::pow(10.0, r.between(-3, 14));
        amounts.push_back((r.below(2) ? 1 : -1) * magnitude * r.between(0, 1));
        // Decimal halves of a cent, which the binary value only nearly holds.
        amounts.push_back(static_cast<double>(r.below(100000000)) / 1000);
        amounts.push_back((static_cast<double>(r.below(10000000)) * 10 + 5) / 1000);
    }
    for (const double a : amounts) ASSERT_EQ(CentsAsShown(a), centsOf(FormatCurrency(a))) << std::hexfloat << a;
    for (const std::int64_t raw : {std::int64_t{0}, std::int64_t{49}, std::int64_t{50}, std::int64_t{-50},
                                   std::int64_t{6666}, std::int64_t{-1234567}, INT64_MAX, INT64_MIN})
        EXPECT_EQ(CentsAsShown(Currency::fromRaw(raw)), centsOf(FormatCurrency(Currency::fromRaw(raw)))) << raw;
}

TEST(TaxFigures, ValueTextReadExactlyAsTheWindowReadsIt) {
    std::vector<std::string> texts = {"",       "0",      "-0",        "$",         ".",          "-",
                                      "1.",     ".5",     "$1,234.56", "$-1,234",   "-$1,234",    "1.2.3",
                                      "5-",     "--5",    "+7",        "1 000",     "1e5",        "&H10",
                                      "123456789012345",  "1234567890123456",       "0.000000000000001",
                                      "9999999999999.99", "12abc",     "1,2,3,4",   "$$5"};
    Random r(11);
    const std::string alphabet = "0123456789$,.-+ e&H";
    for (int i = 0; i < 100000; ++i) {
        std::string t;
        for (int n = r.below(18); n > 0; --n)
            t += r.below(4) == 0 ? alphabet[static_cast<std::size_t>(r.below(static_cast<int>(alphabet.size())))]
                                 : static_cast<char>('0' + r.below(10));
        texts.push_back(t);
    }
    for (const std::string& t : texts) {
        const auto expected = AppraisedValueFromText(t);
        const auto value = AppraisedValueOf(t);
        ASSERT_EQ(value.has_value(), expected.has_value()) << t;
        if (!expected) continue;
        EXPECT_EQ(std::memcmp(&*value, &*expected, sizeof(double)), 0) << t << " " << *value << " " << *expected;
    }
}

TEST(TaxFigures, QuarlowMinimumByTheShownName) {
    struct Case {
        std::string name;
        bool quarlow;
    };
    for (const Case& c : std::vector<Case>{{"CITY OF QUARLOW", true},
                                           {"city of quarlow", true},
                                           {"CITY OF QUARLOW      ", true},
                                           {" CITY OF QUARLOW", false},
                                           {"CITY OF QUARLOWE", false},
                                           {"CITY  OF QUARLOW", false}}) {
        Jurisdiction unit;
        unit.Name.assign(c.name);
        EXPECT_EQ(HasQuarlowHomesteadMinimum(unit), c.quarlow) << c.name;
    }
}

} // namespace
} // namespace levywise
