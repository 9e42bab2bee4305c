#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <tuple>

#include "ratedata/currency.h"

namespace levywise {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

TEST(Currency, PlusDoubleRoundsTheExactSumOnceHalfToEven) {
    const double tie = 0.03125; // 312.5 ten-thousandths exactly
    for (const auto& [raw, value, sum] :
         std::vector<std::tuple<std::int64_t, double, std::optional<std::int64_t>>>{
             {0, tie, 312},
             {1, tie, 314}, // the sum's neighbours decide: 313.5 goes to 314
             {0, -tie, -312},
             {0, std::nextafter(tie, 0.0), 312},
             {0, std::nextafter(tie, 1.0), 313},
             {0, 410.23755, 4102375}, // the double lies below the half: no double rounding
             {0, 0.00025, 3},         // and this one above it
             {kMin, 1.8e15, 8776627963145224192}, // back inside from far below
             {0, 922337203685477.6, std::nullopt},
             {kMax, 0.0001, std::nullopt},
             {kMin, -0.0001, std::nullopt},
             {0, std::numeric_limits<double>::infinity(), std::nullopt},
             {0, std::numeric_limits<double>::quiet_NaN(), std::nullopt},
         }) {
        const auto got = Currency::fromRaw(raw).plus(value);
        EXPECT_EQ(got ? std::optional(got->raw()) : std::nullopt, sum)
            << raw << " + " << std::hexfloat << value;
    }
    EXPECT_EQ(Currency::fromWhole(100).minus(0.5)->raw(), 995000);
}

} // namespace
} // namespace levywise
