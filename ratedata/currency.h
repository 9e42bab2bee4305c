#pragma once

#include <cmath>
#include <compare>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

namespace levywise {

// Money as a signed 64-bit count of ten-thousandths of a dollar, the way the
// rate tables and the tax figures have always been kept. Every operation that
// could leave the range says so instead of wrapping.
class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;

    static constexpr Currency fromRaw(std::int64_t tenThousandths) {
        return Currency(tenThousandths);
    }
    static constexpr Currency fromWhole(std::int32_t dollars) {
        return Currency(std::int64_t{dollars} * kScale);
    }
    static constexpr Currency max() { return Currency(std::numeric_limits<std::int64_t>::max()); }
    static constexpr Currency min() { return Currency(std::numeric_limits<std::int64_t>::min()); }

    // The exact value of the double rounded to the nearest ten-thousandth, a
    // half to the even neighbour. Empty when it is not finite or out of range.
    static std::optional<Currency> fromDouble(double value) { return Currency().plus(value); }

    constexpr std::int64_t raw() const { return raw_; }
    // The double nearest to the amount.
    double toDouble() const {
        constexpr std::int64_t kExact = std::int64_t{1} << 53;
        if (raw_ > -kExact && raw_ < kExact)
            return static_cast<double>(raw_) / static_cast<double>(kScale); // one rounding
        // Whole dollars are exact here, and a fraction that is no multiple of
        // 1/16 never lies on a rounding midpoint of the sum.
        return static_cast<double>(raw_ / kScale) +
               static_cast<double>(raw_ % kScale) / static_cast<double>(kScale);
    }

    std::optional<Currency> plus(Currency other) const {
        std::int64_t sum = 0;
        if (__builtin_add_overflow(raw_, other.raw_, &sum)) return std::nullopt;
        return Currency(sum);
    }
    std::optional<Currency> minus(Currency other) const {
        std::int64_t diff = 0;
        if (__builtin_sub_overflow(raw_, other.raw_, &diff)) return std::nullopt;
        return Currency(diff);
    }

    // value x 10000 rounded to a whole number of ten-thousandths, when that
    // does not depend on the amount it is added to (no tie between two);
    // else empty, and plus(value) decides.
    [[gnu::always_inline]] static std::optional<std::int64_t> unitsOf(double value) {
        // Most amounts are far from a half ten-thousandth: then the nearest
        // integer to the rounded product is the one to the exact product.
        // Below 2^50, value x 10000 is off by at most |y| x 2^-52 < 1/4,
        // y - n is exact and so is 1/2 - |y - n| whenever the test is close.
        const double y = value * static_cast<double>(kScale);
        if (std::fabs(y) < 0x1p50) {
            const auto n = static_cast<std::int64_t>(y < 0 ? y - 0.5 : y + 0.5);
            if (0.5 - std::fabs(y - static_cast<double>(n)) > std::fabs(y) * 0x1p-52) return n;
        }
        // Most exemptions and values are whole dollars: those are exact.
        if (value > -kWholeLimit && value < kWholeLimit) {
            const auto whole = static_cast<std::int64_t>(value);
            if (static_cast<double>(whole) == value) return whole * kScale;
        }
        return std::nullopt;
    }

    // this + value: the exact sum rounded once to a ten-thousandth, a half to
    // the even neighbour; no intermediate product is rounded. Empty when the
    // value is not finite or the sum leaves the range.
    [[gnu::always_inline]] std::optional<Currency> plus(double value) const {
        if (const auto units = unitsOf(value)) {
            std::int64_t sum = 0;
            if (__builtin_add_overflow(raw_, *units, &sum)) return std::nullopt;
            return Currency(sum);
        }
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits); // libc++ 14 has no std::bit_cast
        const int biased = static_cast<int>(bits >> 52 & 0x7FF);
        if (biased == 0x7FF) return std::nullopt;
        std::uint64_t mantissa = bits & kMantissaBits;
        if (biased != 0) mantissa |= std::uint64_t{1} << 52;
        // value x 10000 = mantissa x 625 x 2^shift exactly, and mantissa x 625 < 2^63.
        const std::uint64_t scaled = mantissa * 625;
        const int shift = (biased == 0 ? 1 : biased) - 1075 + 4;
        std::uint64_t magnitude = 0;
        if (shift >= 0) {
            if (scaled != 0 && (shift >= 64 || scaled > (~std::uint64_t{0} >> shift)))
                return std::nullopt;
            magnitude = scaled << shift;
        } else if (shift > -64) {
            const int k = -shift;
            const std::uint64_t whole = scaled >> k;
            const std::uint64_t rest = scaled & ((std::uint64_t{1} << k) - 1);
            const std::uint64_t half = std::uint64_t{1} << (k - 1);
            // On a tie the sum goes to the even one of its two neighbours.
            // For real taxes rounding up is a coin toss: decided without a branch.
            const std::uint64_t oddBelow = (static_cast<std::uint64_t>(raw_) + whole) & 1;
            magnitude = whole + ((rest > half) | ((rest == half) & (oddBelow != 0)));
        } // else below half a ten-thousandth: rounds to nothing
        return addMagnitude(bits >> 63 != 0, magnitude);
    }
    std::optional<Currency> minus(double value) const { return plus(-value); }

    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    static constexpr std::uint64_t kMantissaBits = (std::uint64_t{1} << 52) - 1;
    static constexpr double kWholeLimit = 900000000000000.0; // whole x 10000 fits 64 bits
    constexpr explicit Currency(std::int64_t raw) : raw_(raw) {}

    // raw_ + magnitude or raw_ - magnitude, where magnitude may exceed the
    // range as long as the result does not.
    [[gnu::always_inline]] std::optional<Currency> addMagnitude(bool negative,
                                                                std::uint64_t magnitude) const {
        const auto raw = static_cast<std::uint64_t>(raw_);
        constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
        if (negative) {
            if (magnitude > raw + kSignBit) return std::nullopt; // raw_ + 2^63 fits unsigned
            return Currency(static_cast<std::int64_t>(raw - magnitude));
        }
        const std::uint64_t room = kSignBit - raw; // 2^63 - raw_; 0 stands for 2^64
        if (room != 0 && magnitude >= room) return std::nullopt;
        return Currency(static_cast<std::int64_t>(raw + magnitude));
    }

    std::int64_t raw_ = 0;
};

} // namespace levywise
