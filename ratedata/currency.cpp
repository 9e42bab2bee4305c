#include "ratedata/currency.h"

#include <cmath>

namespace levywise {
namespace {

// 2^63 as a double: every double at or above it (or below -2^63) is out of range.
constexpr double kTwoPow63 = 9223372036854775808.0;

// base + value * 10000, rounded once to a whole count, a half to even.
std::optional<std::int64_t> addScaled(std::int64_t base, double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double scaled = value * static_cast<double>(Currency::kScale);
    if (scaled > -kTwoPow63 && scaled < kTwoPow63) {
        // Truncate, then step down for negatives: a floor without the library call.
        auto whole = static_cast<std::int64_t>(scaled);
        if (static_cast<double>(whole) > scaled) --whole;
        const double frac = scaled - static_cast<double>(whole); // exact below 2^53; 0 above
        std::int64_t sum = 0;
        if (__builtin_add_overflow(base, whole, &sum)) return std::nullopt;
        const bool roundUp = frac > 0.5 || (frac == 0.5 && (sum % 2 != 0));
        if (roundUp && __builtin_add_overflow(sum, 1, &sum)) return std::nullopt;
        return sum;
    }
    if (!(scaled > -2 * kTwoPow63 && scaled < 2 * kTwoPow63)) return std::nullopt;
    const double whole = std::floor(scaled);
    const double frac = scaled - whole; // exact: both lie in the same binade or below
    // whole is within (-2^64, 2^64): split it so no conversion overflows.
    if (whole >= kTwoPow63 || whole < -kTwoPow63) {
        // Only reachable together with a base of the other sign.
        const double half = whole / 2; // exact for these magnitudes (even integers)
        const auto h = static_cast<std::int64_t>(half);
        std::int64_t sum = 0;
        if (__builtin_add_overflow(base, h, &sum) || __builtin_add_overflow(sum, h, &sum))
            return std::nullopt;
        base = sum;
    } else {
        std::int64_t sum = 0;
        if (__builtin_add_overflow(base, static_cast<std::int64_t>(whole), &sum)) return std::nullopt;
        base = sum;
    }
    const bool roundUp = frac > 0.5 || (frac == 0.5 && (base % 2 != 0));
    if (roundUp) {
        std::int64_t sum = 0;
        if (__builtin_add_overflow(base, 1, &sum)) return std::nullopt;
        base = sum;
    }
    return base;
}

} // namespace

std::optional<Currency> Currency::fromDouble(double value) {
    const auto raw = addScaled(0, value);
    if (!raw) return std::nullopt;
    return Currency(*raw);
}

std::optional<Currency> Currency::plusFraction(double value) const {
    const auto raw = addScaled(raw_, value);
    if (!raw) return std::nullopt;
    return Currency(*raw);
}

} // namespace levywise
