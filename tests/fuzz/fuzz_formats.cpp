// Feeds every double bit pattern (NaN, infinities and subnormals included)
// and every money amount to the number formats. Each must give a text of
// its own shape, and the text must stand for the value it was given.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

#include "fuzz_check.h"
#include "money_text.h"
#include "ratedata/currency.h"
#include "ratedata/formats.h"

namespace levywise::fuzz {
namespace {

// The shapes of the formats (whole texts).
const std::regex kFixed7(R"(-?(0|[1-9][0-9]*)\.[0-9]{7})", std::regex::optimize);
// No leading zero, the point always kept, no trailing zero after it.
const std::regex kPercent4(R"(-?([1-9][0-9]*)?\.([0-9]{0,3}[1-9])?%)", std::regex::optimize);
const std::regex kDollarsWhole(R"(-?\$([1-9][0-9]{0,2}(,[0-9]{3})*)?)", std::regex::optimize);
const std::regex kGroupedWhole(R"(-?([1-9][0-9]{0,2}(,[0-9]{3})*)?)", std::regex::optimize);
const std::regex
    kPlain(R"(-?(0|[1-9][0-9]*|[0-9]+\.[0-9]*[1-9])|-?[1-9](\.[0-9]*[1-9])?E[-+][0-9]{2,3})",
           std::regex::optimize);

bool Matches(const std::string& text, const std::regex& shape) {
    return std::regex_match(text, shape);
}

std::string WithoutCommas(std::string text) {
    std::erase(text, ',');
    return text;
}

// The decimal the text shows, read by the C library ("$" and "," dropped).
// A long double, as 15 rounded digits of the largest double exceed it.
long double Shown(const std::string& text) {
    std::string digits;
    for (const char c : text)
        if (c != '$' && c != ',' && c != '%') digits += c;
    return std::strtold(digits.c_str(), nullptr);
}

// A format showing the given number of decimals is off by at most half of
// the last one, plus what rounding to 15 significant digits may lose.
bool Near(long double shown, double value, long double halfUnit) {
    return std::fabs(shown - value) <=
           halfUnit + std::fabs(static_cast<long double>(value)) * 1e-14L;
}

void CheckDouble(double value) {
    // Money shows amounts within its range; elsewhere 0 stands in.
    const std::string money = MoneyText(CentsAsShown(std::fabs(value) < 1e15 ? value : 0.0));
    const std::string fixed = FormatFixed7(value);
    const std::string percent = FormatPercent4(value);
    const std::string dollars = FormatDollarsWhole(value);
    const std::string grouped = FormatGroupedWhole(value);
    const std::string plain = PlainNumberText(value);
    if (std::isinf(value)) {
        for (const std::string* text : {&fixed, &percent, &dollars, &grouped, &plain})
            FUZZ_CHECK(*text == "Overflow");
        return;
    }
    const double v = std::isnan(value) ? 0 : value; // NaN shows as 0

    FUZZ_CHECK(IsMoneyText(money));
    if (std::fabs(value) < 1e15) FUZZ_CHECK(Near(Shown(money), v, 0.005));

    FUZZ_CHECK(Matches(fixed, kFixed7) && fixed != "-0.0000000");
    FUZZ_CHECK(Near(Shown(fixed), v, 0.5e-7));

    FUZZ_CHECK(Matches(percent, kPercent4) && percent != "-.%");
    FUZZ_CHECK(Near(Shown(percent) / 100, v, 0.5e-6));

    FUZZ_CHECK(Matches(dollars, kDollarsWhole) && dollars != "-$");
    FUZZ_CHECK(Near(Shown(dollars), v, 0.5));
    FUZZ_CHECK(Matches(grouped, kGroupedWhole) && grouped != "-");
    FUZZ_CHECK(WithoutCommas(dollars) == "$" + WithoutCommas(grouped) ||
               WithoutCommas(dollars) == "-$" + WithoutCommas(grouped).substr(1));

    FUZZ_CHECK(Matches(plain, kPlain) && plain != "-0");
    FUZZ_CHECK(plain.size() <= 22);
    FUZZ_CHECK(Near(Shown(plain), v, 0));
}

// Both money formats agree wherever the double holds every digit of the amount.
void CheckCurrency(std::int64_t raw) {
    const Currency amount = Currency::fromRaw(raw);
    const std::string shown = FormatCurrency(amount);
    FUZZ_CHECK(IsMoneyText(shown));
    if (raw > -1000000000000000 && raw < 1000000000000000)
        FUZZ_CHECK(shown == MoneyText(CentsAsShown(amount.toDouble())));
}

} // namespace
} // namespace levywise::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (std::size_t at = 0; at + 8 <= size && at < 64; at += 8) {
        double value = 0;
        std::int64_t raw = 0;
        std::memcpy(&value, data + at, 8);
        std::memcpy(&raw, data + at, 8);
        levywise::fuzz::CheckDouble(value);
        levywise::fuzz::CheckCurrency(raw);
    }
    return 0;
}
