// Feeds arbitrary text to the number readers and compares them with the C
// library: whatever the rate file reader (ParsePlainNumber) or the
// leading-number rule (LeadingNumber) accepts must have the value strtod
// gives the same digits. The first bytes also serve as a money amount that
// must survive formatting and reading back to the cent.
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "money_text.h"
#include "ratedata/currency.h"
#include "ratedata/formats.h"
#include "ratedata/number_text.h"

namespace levywise::fuzz {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct CLibraryValue {
    double value;
    bool overflow;
};

// strtod on a text made only of a sign, digits, a point and an exponent.
CLibraryValue Strtod(const std::string& number) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    FUZZ_CHECK(end == number.c_str() + number.size());
    return {value, errno == ERANGE && std::isinf(value)};
}

void CheckPlainNumber(std::string_view text) {
    const std::optional<double> parsed = ParsePlainNumber(text);
    std::string number;
    for (const char c : text)
        if (c != ' ' && c != '$' && c != ',') number += c;
    if (parsed) {
        const CLibraryValue c = Strtod(number);
        FUZZ_CHECK(!c.overflow && *parsed == c.value);
        return;
    }
    // A plain decimal with blanks around it is refused only when too large.
    std::size_t i = text.find_first_not_of(' ');
    const std::size_t end = text.find_last_not_of(' ') + 1;
    if (i == std::string_view::npos) return;
    if (text[i] == '+' || text[i] == '-') ++i;
    std::size_t digits = 0;
    while (i < end && IsDigit(text[i])) ++i, ++digits;
    if (i < end && text[i] == '.') ++i;
    while (i < end && IsDigit(text[i])) ++i, ++digits;
    if (digits == 0 || i != end) return;
    FUZZ_CHECK(Strtod(number).overflow);
}

// The value of "&H..." or "&O..." (blanks already removed): 16-bit and
// 32-bit patterns are two's complement, anything wider does not fit.
std::optional<double> RadixValue(std::string_view text) {
    int base = 8;
    std::size_t i = 1;
    if (i < text.size() && (text[i] == 'H' || text[i] == 'h'))
        base = 16, ++i;
    else if (i < text.size() && (text[i] == 'O' || text[i] == 'o'))
        ++i;
    std::string digits;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        const bool octal = c >= '0' && c <= '7';
        const bool hex = IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!(base == 8 ? octal : hex)) break;
        digits += c;
    }
    if (digits.empty()) return 0.0;
    errno = 0;
    const unsigned long long value = std::strtoull(digits.c_str(), nullptr, base);
    if (errno == ERANGE || value > 0xFFFFFFFFull) return std::nullopt;
    if (value <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

void CheckLeadingNumber(std::string_view text) {
    const std::optional<double> parsed = LeadingNumber(text);
    std::string s; // blanks, tabs and line feeds are invisible to the rule
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n') s += c;
    if (!s.empty() && s[0] == '&') {
        const std::optional<double> expected = RadixValue(s);
        FUZZ_CHECK(parsed.has_value() == expected.has_value());
        if (parsed) FUZZ_CHECK(*parsed == *expected);
        return;
    }
    std::string number;
    std::size_t i = 0, digits = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
    for (; i < s.size() && IsDigit(s[i]); ++i, ++digits) number += s[i];
    if (i < s.size() && s[i] == '.') number += s[i++];
    for (; i < s.size() && IsDigit(s[i]); ++i, ++digits) number += s[i];
    if (digits == 0) {
        FUZZ_CHECK(parsed.has_value() && *parsed == 0);
        return;
    }
    if (i < s.size() && std::string_view("eEdD").find(s[i]) != std::string_view::npos) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
        const std::size_t first = j;
        for (; j < s.size() && IsDigit(s[j]); ++j) exponent += s[j];
        if (j > first) number += exponent; // "1e" and "1e+" are just 1
    }
    const CLibraryValue c = Strtod(number);
    FUZZ_CHECK(parsed.has_value() == !c.overflow);
    if (parsed) FUZZ_CHECK(*parsed == c.value);
}

// A money amount shown and read back by the estimate keeps its cents.
void CheckMoneyRoundTrip(std::int64_t raw, double value) {
    const std::string shown = FormatCurrency(Currency::fromRaw(raw));
    FUZZ_CHECK(IsMoneyText(shown));
    const std::uint64_t magnitude = raw < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(raw)
                                            : static_cast<std::uint64_t>(raw);
    const std::int64_t cents =
        static_cast<std::int64_t>((magnitude + 50) / 100) * (raw < 0 ? -1 : 1);
    FUZZ_CHECK(CentsOfMoneyText(shown) == cents);
    const std::optional<double> back = AppraisedValueFromText(shown);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(std::fabs(*back * 100 - static_cast<double>(cents)) <=
               0.01 + std::fabs(static_cast<double>(cents)) * 1e-15);

    if (!(std::fabs(value) < 1e15)) return; // money lies well within this
    const std::string shownDouble = MoneyText(CentsAsShown(value));
    FUZZ_CHECK(IsMoneyText(shownDouble));
    const std::optional<double> backDouble = AppraisedValueFromText(shownDouble);
    FUZZ_CHECK(backDouble.has_value());
    // Half a cent, plus what showing 15 significant digits may lose.
    FUZZ_CHECK(std::fabs(*backDouble - value) <= 0.005 + std::fabs(value) * 1e-14);
}

} // namespace
} // namespace levywise::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace levywise::fuzz;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckPlainNumber(text);
    CheckLeadingNumber(text);
    if (size >= 8) {
        std::int64_t raw = 0;
        double value = 0;
        std::memcpy(&raw, data, 8);
        std::memcpy(&value, data, 8);
        CheckMoneyRoundTrip(raw, value);
    }
    return 0;
}
