// The engine against the exact model of tests/core/exact_model.h, on random
// counties and properties: every figure that is shown, every district's tax.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <random>

#include "calc/estimate.h"
#include "exact_model.h"
#include "rate_text.h"
#include "ratedata/formats.h"

namespace levywise {
namespace {

struct Random {
    std::mt19937_64 engine;
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine); }
    double between(double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(engine);
    }
    const std::string& pick(const std::vector<std::string>& v) {
        return v[static_cast<std::size_t>(below(static_cast<int>(v.size())))];
    }
};

std::string text(double d) {
    char out[64];
    std::snprintf(out, sizeof out, "%.10g", d);
    return out;
}

// Columns 5 to 17 of a unit: rate, amounts, optional parts, veteran amounts.
std::string columns(Random& r) {
    const std::vector<std::string> rates = {"0",    "0.5",   "0.00125", "0.03125",
                                            "2.75", "-0.25", "1e9"};
    const std::vector<std::string> amounts = {"",      "3000",    "-2500",
                                              "40000", "0.00005", "900000000000000"};
    const std::vector<std::string> optionals = {"",         "0.2",    "20%", "1",
                                                "12.3456%", "0.0001", "3000"};
    std::string line = r.below(3) ? text(r.between(0.0001, 3)) : r.pick(rates);
    for (int c = 6; c <= 8; ++c)
        line += "\t" + (r.below(3) ? r.pick(amounts) : text(r.between(0, 5e4)));
    for (int c = 9; c <= 11; ++c)
        line += "\t" + (r.below(3) ? r.pick(optionals) : text(r.between(0.001, 1)));
    line += "\t\t";
    for (int c = 14; c <= 17; ++c) line += "\t" + std::to_string(r.below(65536) - 32768);
    return line;
}

std::vector<std::string> county(Random& r) {
    const std::vector<std::string> cities = {"CITY OF QUARLOW", "City of Quarlow ",
                                             "CITY OF QUARLOWE", " CITY OF QUARLOW"};
    // Only the city has the higher minimum, whatever the others are named.
    std::vector<std::string> lines = {"101\t" + r.pick(cities) + "\tK\tN\t" + columns(r),
                                      "201\t" + r.pick(cities) + "\tC\tN\t" + columns(r),
                                      "901\t" + r.pick(cities) + "\tI\tN\t" + columns(r)};
    const std::string shared = columns(r);
    for (int i = 0, n = r.below(12); i < n; ++i)
        lines.push_back("3" + std::to_string(10 + i) + "\t" + r.pick(cities) + "\tS\tN\t" +
                        (r.below(3) ? shared : columns(r)));
    return lines;
}

std::string valueText(Random& r) {
    switch (r.below(5)) {
    case 0:
        return r.pick(
            std::vector<std::string>{"0", "-5000", "1e400", "922337203685477", "12345.675"});
    case 1: return std::to_string(r.below(2000000));
    case 2: return text(std::round(r.between(0, 2e6) * 100) / 100);
    case 3: return text(std::pow(10, r.between(8, 15.2)));
    default: return text(r.between(0, 1e6));
    }
}

// The first slot with the code, as the window's lists find a unit.
const Jurisdiction& unitCoded(const modMain& data, std::string_view code) {
    for (int k = 1; k <= data.RateCount; ++k)
        if (data.RateTbl[k].Code.view() == code) return data.RateTbl[k];
    return data.RateTbl[0];
}

TEST(Estimate, EveryShownFigureEqualsTheExactModel) {
    Random r{std::mt19937_64(20260612)};
    int estimated = 0, failed = 0;
    for (int c = 0; c < 120; ++c) {
        const LoadedTable table(test::Loaded(county(r)), {});
        const modMain& data = table.data();
        EstimateRecord f;
        for (int p = 0; p < 150; ++p) {
            const std::string value = valueText(r);
            const model::Property property{std::strtod(value.c_str(), nullptr), r.below(2) == 0,
                                           r.below(3), r.below(5)};
            std::vector<std::string_view> codes;
            std::vector<model::Unit> districts;
            for (int i = 1; i <= data.SpclCount; ++i)
                if (r.below(2)) {
                    codes.push_back(data.SpclTbl[i].Code.view());
                    districts.push_back(model::UnitOf(data.SpclTbl[i], false));
                }
            const bool noCounty = r.below(8) == 0;
            const std::string_view county = noCounty ? "100" : "101";
            const EstimateRequest q{value,
                                    county,
                                    "201",
                                    "901",
                                    DistrictChoice::Listed,
                                    codes,
                                    false,
                                    property.ghs,
                                    static_cast<AgeOption>(property.age),
                                    static_cast<VetOption>(property.vet)};
            const model::Unit units[3] = {model::UnitOf(unitCoded(data, county), false),
                                          model::UnitOf(unitCoded(data, "201"), true),
                                          model::UnitOf(unitCoded(data, "901"), false)};
            const model::Result m =
                model::estimate(units, noCounty ? std::vector<model::Unit>() : districts, property);
            const auto error = Estimate(table, q, f);
            ASSERT_EQ(error ? error->problem : "", m.valueTooLarge ? kValueTooLarge
                                                   : m.taxTooLarge ? kTaxTooLarge
                                                                   : "")
                << value;
            if (error) {
                ++failed;
                continue;
            }
            ++estimated;
            const UnitEstimate* shown[3] = {&f.County, &f.City, &f.School};
            for (int k = 0; k < 3; ++k) {
                const model::UnitResult& u = m.units[k];
                const UnitEstimate& e = *shown[k];
                ASSERT_EQ(
                    (std::vector<std::int64_t>{e.HSShown.cents(), e.AgeEx.cents(), e.Vet.cents(),
                                               e.Net.cents(), CentsAsShown(e.Base), e.TaxCents}),
                    (std::vector<std::int64_t>{u.hs, u.age, u.vet, u.net, u.base, u.tax}))
                    << "unit " << k << ", value " << value << ", county " << c;
            }
            ASSERT_EQ(f.Districts.size(), m.districtTaxes.size());
            for (std::size_t i = 0; i < m.districtTaxes.size(); ++i)
                ASSERT_EQ(f.Districts[i].Tax, m.districtTaxes[i]) << value;
            ASSERT_EQ(f.SpclTotal.raw(), m.spclTotal) << value;
            ASSERT_EQ(f.SpclTaxCents, m.spclCents) << value;
            ASSERT_EQ(f.TotTaxCents, m.totalCents) << value;
        }
    }
    EXPECT_GT(estimated, 12000); // both outcomes really were exercised
    EXPECT_GT(failed, 500);
}

} // namespace
} // namespace levywise
