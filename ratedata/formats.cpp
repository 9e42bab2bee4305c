#include "ratedata/formats.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include <fmt/format.h>

namespace levywise {
namespace {

constexpr const char* kOverflowText = "Overflow";

// A finite double as the decimal the screens show:
// value = 0.d1 d2 ... dn x 10^pointPos, with d1 non-zero and no trailing
// zeros in digits. Zero has no digits. pointPos is the number of digits in
// front of the decimal point, so it may be negative (0.005: digits "5",
// pointPos -2) or beyond the digits (1500: digits "15", pointPos 4).
struct Decimal {
    bool negative = false;
    std::string digits;
    int pointPos = 0;

    bool isZero() const { return digits.empty(); }
};

void DropTrailingZeros(std::string& digits) {
    const std::size_t last = digits.find_last_not_of('0');
    digits.resize(last == std::string::npos ? 0 : last + 1);
}

// The value's 15-significant-digit decimal form, rounded from the exact
// binary value the way printf's "%.14e" rounds it. Works for every finite
// double, subnormals and the largest included.
Decimal ToDecimal15(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0 || !std::isfinite(value)) { return d; }
    // "d.ddddddddddddddde+XXX": at most 22 characters. fmt, not std::to_chars
    // (missing from libc++) nor printf (whose decimal point follows the locale).
    char text[48];
    const char* const end = fmt::format_to_n(text, sizeof text, "{:.14e}", std::fabs(value)).out;
    const char* p = text;
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.') { d.digits += *p; }
    }
    int exponent = 0;
    bool negativeExponent = false;
    if (p != end) {
        ++p; // 'e'
    }
    if (p != end && (*p == '+' || *p == '-')) {
        negativeExponent = *p == '-';
        ++p;
    }
    for (; p != end; ++p) { exponent = exponent * 10 + (*p - '0'); }
    d.pointPos = (negativeExponent ? -exponent : exponent) + 1;
    DropTrailingZeros(d.digits);
    return d;
}

// Rounds to the given number of decimals, a half away from zero.
void RoundToDecimals(Decimal& d, int decimals) {
    const long keep = static_cast<long>(d.pointPos) + decimals;
    if (keep >= static_cast<long>(d.digits.size())) { return; }
    if (keep < 0) {
        // Below half a unit of the last decimal shown.
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        std::size_t i = d.digits.size();
        while (i > 0 && d.digits[i - 1] == '9') {
            d.digits[i - 1] = '0';
            --i;
        }
        if (i == 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPos;
        } else {
            ++d.digits[i - 1];
        }
    }
    DropTrailingZeros(d.digits);
}

// The digits in front of the point; empty when there are none (|value| < 1).
std::string WholeDigits(const Decimal& d) {
    if (d.isZero() || d.pointPos <= 0) { return {}; }
    const std::size_t whole = static_cast<std::size_t>(d.pointPos);
    if (whole <= d.digits.size()) { return d.digits.substr(0, whole); }
    return d.digits + std::string(whole - d.digits.size(), '0');
}

// Exactly count digits after the point, zeros filled in.
std::string FractionDigits(const Decimal& d, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
        const long index = static_cast<long>(d.pointPos) + i;
        const bool inside = index >= 0 && index < static_cast<long>(d.digits.size());
        out += inside ? d.digits[static_cast<std::size_t>(index)] : '0';
    }
    return out;
}

// "1234567" -> "1,234,567".
std::string Grouped(const std::string& digits) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) { out += ','; }
        out += digits[i];
    }
    return out;
}

// Rounded to the given decimals; the sign is dropped when nothing but zeros
// is left, so no "-0" ever shows.
Decimal Rounded(double value, int decimals) {
    Decimal d = ToDecimal15(value);
    RoundToDecimals(d, decimals);
    if (d.isZero()) { d.negative = false; }
    return d;
}

std::string MoneyText(bool negative, const std::string& whole, const std::string& cents) {
    std::string out = negative ? "-$" : "$";
    out += whole.empty() ? std::string("0") : Grouped(whole);
    out += '.';
    out += cents;
    return out;
}

} // namespace

std::int64_t CentsAsShown(double amount) {
    // The shown decimal keeps 15 significant digits, so it lies within
    // 5e-15 of the amount relatively. Unless the amount in cents is that
    // close to a half, rounding it straight to the nearest cent agrees with
    // the decimal; otherwise the decimal itself is rounded.
    const double scaled = amount * 100;
    if (std::fabs(scaled) < 1e12) {
        double whole = static_cast<double>(static_cast<std::int64_t>(scaled)); // floor, inline
        if (whole > scaled) whole -= 1;
        const double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5) > 1e-12 * std::fabs(scaled) + 1e-300)
            return static_cast<std::int64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    }
    const Decimal d = Rounded(amount, 2);
    std::int64_t cents = 0;
    constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();
    for (const char digit : WholeDigits(d) + FractionDigits(d, 2)) {
        if (cents > (kMost - 9) / 10) return d.negative ? -kMost : kMost; // far past money's range
        cents = cents * 10 + (digit - '0');
    }
    return d.negative ? -cents : cents;
}

std::int64_t CentsAsShown(Currency amount) {
    const std::int64_t raw = amount.raw();
    // Unsigned negation, so the most negative amount has a magnitude too.
    const std::uint64_t magnitude = raw < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(raw)
                                            : static_cast<std::uint64_t>(raw);
    const auto cents = static_cast<std::int64_t>(magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0));
    return raw < 0 ? -cents : cents;
}

std::string MoneyText(std::int64_t cents) {
    const std::uint64_t magnitude = cents < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(cents)
                                              : static_cast<std::uint64_t>(cents);
    const std::uint64_t dollars = magnitude / 100;
    const unsigned centPart = static_cast<unsigned>(magnitude % 100);
    std::string centText(2, '0');
    centText[0] = static_cast<char>('0' + centPart / 10);
    centText[1] = static_cast<char>('0' + centPart % 10);
    return MoneyText(cents < 0, dollars == 0 ? std::string() : std::to_string(dollars), centText);
}

std::string FormatCurrency(Currency value) { return MoneyText(CentsAsShown(value)); }

std::string FormatFixed7(double value) {
    if (std::isinf(value)) { return kOverflowText; }
    if (std::isnan(value)) { value = 0; }
    const Decimal d = Rounded(value, 7);
    const std::string whole = WholeDigits(d);
    std::string out = d.negative ? "-" : "";
    out += whole.empty() ? std::string("0") : whole;
    out += '.';
    out += FractionDigits(d, 7);
    return out;
}

std::string FormatPercent4(double value) {
    if (std::isinf(value)) { return kOverflowText; }
    if (std::isnan(value)) { value = 0; }
    Decimal d = ToDecimal15(value);
    d.pointPos += 2; // times 100, exactly
    RoundToDecimals(d, 4);
    if (d.isZero()) { d.negative = false; }
    std::string fraction = FractionDigits(d, 4);
    DropTrailingZeros(fraction);
    std::string out = d.negative ? "-" : "";
    out += WholeDigits(d);
    out += '.';
    out += fraction;
    out += '%';
    return out;
}

std::string FormatDollarsWhole(double value) {
    if (std::isinf(value)) { return kOverflowText; }
    if (std::isnan(value)) { value = 0; }
    const Decimal d = Rounded(value, 0);
    return (d.negative ? "-$" : "$") + Grouped(WholeDigits(d));
}

std::string FormatGroupedWhole(double value) {
    if (std::isinf(value)) { return kOverflowText; }
    if (std::isnan(value)) { value = 0; }
    const Decimal d = Rounded(value, 0);
    return (d.negative ? "-" : "") + Grouped(WholeDigits(d));
}

std::string PlainNumberText(double value) {
    if (std::isinf(value)) { return kOverflowText; }
    const Decimal d = ToDecimal15(value);
    if (d.isZero()) {
        return "0"; // also NaN and -0
    }
    std::string out = d.negative ? "-" : "";
    // Decided on the rounded digits: 999999999999999.9 is 1E+15.
    const int exponent = d.pointPos - 1;
    if (exponent < -4 || exponent >= 15) {
        out += d.digits[0];
        if (d.digits.size() > 1) {
            out += '.';
            out.append(d.digits, 1);
        }
        out += 'E';
        out += exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) { out += '0'; }
        out += std::to_string(magnitude);
        return out;
    }
    if (d.pointPos <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.pointPos), '0');
        out += d.digits;
        return out;
    }
    out += WholeDigits(d);
    const std::size_t whole = static_cast<std::size_t>(d.pointPos);
    if (d.digits.size() > whole) {
        out += '.';
        out.append(d.digits, whole);
    }
    return out;
}

} // namespace levywise
