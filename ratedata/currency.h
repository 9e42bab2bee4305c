#pragma once

#include <compare>
#include <cstdint>
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

    static constexpr Currency fromRaw(std::int64_t tenThousandths) { return Currency(tenThousandths); }
    static constexpr Currency fromWhole(std::int32_t dollars) { return Currency(std::int64_t{dollars} * kScale); }
    static constexpr Currency max() { return Currency(std::numeric_limits<std::int64_t>::max()); }
    static constexpr Currency min() { return Currency(std::numeric_limits<std::int64_t>::min()); }

    // Rounds to the nearest ten-thousandth, a half to the even neighbour.
    // Empty when the value is not finite or lies outside the range.
    static std::optional<Currency> fromDouble(double value);

    constexpr std::int64_t raw() const { return raw_; }
    double toDouble() const {
        // The whole part is exact; the fraction adds a single rounding.
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
    // this + value, the sum rounded to a ten-thousandth (half to even) as a
    // whole, not the double rounded first; empty when it leaves the range.
    std::optional<Currency> plus(double value) const {
        // Most figures of an estimate are whole dollars: those add as integers.
        if (value > -kWholeFastLimit && value < kWholeFastLimit) {
            const auto whole = static_cast<std::int64_t>(value);
            std::int64_t sum = 0;
            if (static_cast<double>(whole) == value)
                return __builtin_add_overflow(raw_, whole * kScale, &sum) ? std::nullopt
                                                                          : std::optional(Currency(sum));
        }
        return plusFraction(value);
    }
    std::optional<Currency> minus(double value) const { return plus(-value); }

    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    static constexpr double kWholeFastLimit = 900000000000000.0;
    constexpr explicit Currency(std::int64_t raw) : raw_(raw) {}
    std::optional<Currency> plusFraction(double value) const;
    std::int64_t raw_ = 0;
};

} // namespace levywise
