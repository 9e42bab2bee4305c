#include "ratedata/formats.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace levywise {
namespace {

void ExpectShows(std::string (*format)(double),
                 std::initializer_list<std::pair<double, const char*>> cases) {
    for (const auto& [value, expected] : cases) EXPECT_EQ(format(value), expected) << value;
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(FormatsCurrency, ExactAmounts) {
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    const std::pair<std::int64_t, const char*> cases[] = {
        {12345000, "$1,234.50"},
        {-12345000, "-$1,234.50"},
        {1000050, "$100.01"}, // 100.0050: half a cent, away from zero
        {-1000050, "-$100.01"},
        {-25, "$0.00"}, // rounds to zero: no minus
        {-50, "-$0.01"},
        {9999950, "$1,000.00"},
        {kMin, "-$922,337,203,685,477.58"},
    };
    for (const auto& [raw, expected] : cases) {
        EXPECT_EQ(FormatCurrency(Currency::fromRaw(raw)), expected) << "raw " << raw;
    }
}

TEST(FormatsCents, DoublesFarPastMoneyAreHeldAtTheLargestCents) {
    constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(CentsAsShown(1.469966e17), kMost);
    EXPECT_EQ(CentsAsShown(-1e300), -kMost);
    EXPECT_EQ(CentsAsShown(92233720368547.75), 9223372036854780); // 15 digits, as shown
}

TEST(FormatsFixed7, SevenDecimals) {
    ExpectShows(FormatFixed7, {{-0.0, "0.0000000"},
                               {0.00000005, "0.0000001"},
                               {-0.00000004, "0.0000000"},
                               {-0.5, "-0.5000000"},
                               {0.99999999, "1.0000000"},
                               {1e20, "100000000000000000000.0000000"},
                               {kNaN, "0.0000000"},
                               {kInf, "Overflow"}});
}

TEST(FormatsPercent4, PercentWithPointAlwaysKept) {
    ExpectShows(FormatPercent4, {{0.2, "20.%"},
                                 {0.1234567, "12.3457%"},
                                 {0.001, ".1%"},
                                 {0, ".%"},
                                 {0.99999999, "100.%"},
                                 {-0.0000004, ".%"},
                                 {0.07, "7.%"}, // 0.07 * 100 in doubles would be 7.000000000000001
                                 {kNaN, ".%"},
                                 {kInf, "Overflow"}});
}

TEST(FormatsWhole, DollarsAndGrouped) {
    ExpectShows(FormatDollarsWhole, {{1234567.5, "$1,234,568"},
                                     {0, "$"},
                                     {-0.4, "$"},
                                     {-5000, "-$5,000"},
                                     {kNaN, "$"},
                                     {kInf, "Overflow"}});
    ExpectShows(FormatGroupedWhole, {{0, ""}, {-0.5, "-1"}, {kNaN, ""}, {-kInf, "Overflow"}});
    // In cents, the dollars the two show: none past the range of cents.
    EXPECT_EQ(WholeDollarCentsAsShown(1234567.5), 123456800);
    EXPECT_EQ(WholeDollarCentsAsShown(-0.5), -100);
    EXPECT_EQ(WholeDollarCentsAsShown(92233720368547758.0), std::nullopt);
}

TEST(FormatsPlainNumber, FixedAndExponentForms) {
    ExpectShows(PlainNumberText,
                {{0.264, "0.264"},
                 {-0.0, "0"},
                 {123456789012345, "123456789012345"},
                 {2.0 / 3.0, "0.666666666666667"},
                 {99999999999999.9, "99999999999999.9"},
                 {0.000099999999999999999, "0.0001"}, // rounds up into the fixed range
                 {kNaN, "0"},
                 {kInf, "Overflow"},
                 {0.00001, "1E-05"},
                 {0.000012, "1.2E-05"},
                 {1.5e-10, "1.5E-10"},
                 {1e15, "1E+15"},
                 {999999999999999.9, "1E+15"}}); // rounds to 15 digits first
    // The same digits where a script reads the rate: never the exponent form.
    ExpectShows(PlainDecimalText,
                {{-0.000012, "-0.000012"}, {999999999999999.9, "1000000000000000"}, {-0.0, "0"}});
}

} // namespace
} // namespace levywise
