#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "ratedata/currency.h"

namespace levywise {
namespace {

struct FromDoubleCase {
    double value;
    std::int64_t raw;
    friend void PrintTo(const FromDoubleCase& c, std::ostream* os) { *os << c.value; }
};

class CurrencyFromDouble : public ::testing::TestWithParam<FromDoubleCase> {};

TEST_P(CurrencyFromDouble, RoundsToTenThousandthsHalfToEven) {
    const auto c = Currency::fromDouble(GetParam().value);
    ASSERT_TRUE(c.has_value());
    EXPECT_EQ(c->raw(), GetParam().raw);
}

INSTANTIATE_TEST_SUITE_P(Values, CurrencyFromDouble,
                         ::testing::Values(FromDoubleCase{0, 0}, FromDoubleCase{1234.5678, 12345678},
                                           FromDoubleCase{0.33333, 3333},
                                           FromDoubleCase{0.123456, 1235},
                                           FromDoubleCase{0.00025, 2},   // tie down to even
                                           FromDoubleCase{0.00035, 4},   // tie up to even
                                           FromDoubleCase{-0.00025, -2},
                                           FromDoubleCase{-1234.56785, -12345678},
                                           FromDoubleCase{562949953421312.0, 5629499534213120000}));

TEST(Currency, FromDoubleRefusesWhatLeavesTheRange) {
    for (double v : {1e15, -1e15, 9.3e14, std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN(), 1e300})
        EXPECT_FALSE(Currency::fromDouble(v).has_value()) << v;
}

TEST(Currency, CheckedAdditionAndSubtractionStopAtTheEdges) {
    const Currency one = Currency::fromRaw(1);
    EXPECT_FALSE(Currency::max().plus(one).has_value());
    EXPECT_FALSE(Currency::min().minus(one).has_value());
    EXPECT_FALSE(Currency().minus(Currency::min()).has_value());
    EXPECT_EQ(Currency::max().minus(one)->raw(), std::numeric_limits<std::int64_t>::max() - 1);
    EXPECT_EQ(Currency::min().plus(one)->raw(), std::numeric_limits<std::int64_t>::min() + 1);
    EXPECT_FALSE(Currency::max().plus(1.0).has_value());
    EXPECT_FALSE(Currency::min().minus(1.0).has_value());
    EXPECT_TRUE(Currency::min().plus(1.8e15).has_value()); // back inside from far below
}

TEST(Currency, MixedSumIsRoundedOnceAsAWhole) {
    // 0.0001 + 0.00005 is 0.00015, a tie that goes to the even 0.0002; rounding
    // the double first would give 0.0001.
    EXPECT_EQ(Currency::fromRaw(1).plus(0.00005)->raw(), 2);
    EXPECT_EQ(Currency::fromRaw(2).plus(0.00005)->raw(), 2);
    EXPECT_EQ(Currency::fromRaw(3333).plus(0.33333)->raw(), 6666);
    EXPECT_EQ(Currency::fromWhole(100).minus(0.5)->raw(), 995000);
}

TEST(Currency, ToDoubleKeepsFourDecimals) {
    EXPECT_DOUBLE_EQ(Currency::fromRaw(12345678).toDouble(), 1234.5678);
    EXPECT_DOUBLE_EQ(Currency::fromRaw(-5).toDouble(), -0.0005);
    EXPECT_DOUBLE_EQ(Currency::max().toDouble(), 922337203685477.5807);
}

} // namespace
} // namespace levywise
