#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "calc/estimate.h"
#include "ratedata/formats.h"
#include "ratedata/number_text.h"

namespace levywise {
namespace {


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
