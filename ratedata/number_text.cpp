#include "ratedata/number_text.h"

#include <cmath>
#include <cstddef>
#include <string>
#include <system_error>

#include <fast_float/fast_float.h>

namespace levywise {
namespace {

bool IsDigit(int c) { return c >= '0' && c <= '9'; }

// The value of c as a digit of the given base (8 or 16), or -1.
int DigitValue(int c, unsigned base) {
    int value = -1;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

// Converts a collected decimal text exactly (nearest double, as strtod in the
// C locale would). Empty when the number is too large for a double; numbers
// too small for one become 0.
std::optional<double> DecimalTextToDouble(std::string_view text) {
    double value = 0;
    // fast_float, not std::from_chars: libc++ has no from_chars for double.
    // Past the range it gives an infinity or 0 (newer versions also say so in ec).
    const auto [ptr, ec] = fast_float::from_chars(text.data(), text.data() + text.size(), value);
    if ((ec != std::errc() && ec != std::errc::result_out_of_range) ||
        ptr != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    // "-0" and negative underflow read as plain 0.
    return value == 0 ? 0.0 : value;
}

// Walks a text the way the leading-number rule does: blanks, tabs and line
// feeds are invisible wherever they stand.
class SkippingReader {
public:
    explicit SkippingReader(std::string_view text) : text_(text) {}

    // The next character that is not skipped, as 0..255, or -1 at the end.
    int peek() {
        while (pos_ < text_.size() && IsSkipped(text_[pos_])) { ++pos_; }
        return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : -1;
    }

    void advance() {
        if (pos_ < text_.size()) { ++pos_; }
    }

private:
    static bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// The digits after "&H" or "&O": a value that fits 16 bits is a two's-
// complement Integer, one that fits 32 bits a two's-complement Long; anything
// wider is out of range.
std::optional<double> ReadRadixDigits(SkippingReader& reader, unsigned base) {
    constexpr unsigned long long kLongMax = 0xFFFFFFFFull;
    unsigned long long value = 0;
    for (int digit = DigitValue(reader.peek(), base); digit >= 0;
         digit = DigitValue(reader.peek(), base)) {
        reader.advance();
        value = value * base + static_cast<unsigned>(digit);
        if (value > kLongMax) { return std::nullopt; }
    }
    if (value <= 0xFFFFu) {
        return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    }
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// Called with the reader on the "&".
std::optional<double> ReadRadixNumber(SkippingReader& reader) {
    reader.advance();
    const int c = reader.peek();
    if (c == 'H' || c == 'h') {
        reader.advance();
        return ReadRadixDigits(reader, 16);
    }
    if (c == 'O' || c == 'o') {
        reader.advance();
        return ReadRadixDigits(reader, 8);
    }
    return ReadRadixDigits(reader, 8);
}

// Appends the run of decimal digits at the reader; returns how many.
std::size_t CollectDigits(SkippingReader& reader, std::string& out) {
    std::size_t count = 0;
    for (int c = reader.peek(); IsDigit(c); c = reader.peek()) {
        out += static_cast<char>(c);
        reader.advance();
        ++count;
    }
    return count;
}

bool IsExponentMarker(int c) { return c == 'E' || c == 'e' || c == 'D' || c == 'd'; }

} // namespace

std::optional<double> LeadingNumber(std::string_view text) {
    SkippingReader reader(text);
    int c = reader.peek();
    if (c == '&') { return ReadRadixNumber(reader); }

    std::string number;
    if (c == '+' || c == '-') {
        if (c == '-') { number += '-'; }
        reader.advance();
    }
    std::size_t digits = CollectDigits(reader, number);
    if (reader.peek() == '.') {
        reader.advance();
        number += '.';
        digits += CollectDigits(reader, number);
    }
    if (digits == 0) { return 0.0; }

    if (IsExponentMarker(reader.peek())) {
        reader.advance();
        std::string exponent = "e";
        c = reader.peek();
        if (c == '+' || c == '-') {
            exponent += static_cast<char>(c);
            reader.advance();
        }
        // "1e" and "1e+" are just 1.
        if (CollectDigits(reader, exponent) > 0) { number += exponent; }
    }
    return DecimalTextToDouble(number);
}

std::optional<double> AppraisedValueFromText(std::string_view text) {
    // Most values are whole dollars ("$150,000"): with no more than 15 digits
    // the number is a double exactly, the one the general reading gives.
    std::uint64_t whole = 0;
    int digits = 0;
    for (const char c : text) {
        if (IsDigit(c)) {
            whole = whole * 10 + static_cast<unsigned>(c - '0');
            ++digits;
        } else if (c != '$' && c != ',' && c != ' ' && c != '\t' && c != '\n') {
            digits = -1;
            break;
        }
        if (digits > 15) break;
    }
    if (digits > 0 && digits <= 15) { return static_cast<double>(whole); }

    std::string cleaned;
    cleaned.reserve(text.size());
    for (const char c : text) {
        if (c != '$' && c != ',') { cleaned += c; }
    }
    return LeadingNumber(cleaned);
}

namespace {

// The plain-number grammar of a rate file column, collected as the decimal
// text "-123.45e6" (no "$", no commas); empty when the column is no such number.
// Its commas must have passed CommasGroupThousands.
std::optional<std::string> CollectPlainNumber(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ') { ++begin; }
    while (end > begin && text[end - 1] == ' ') { --end; }

    std::string number;
    std::size_t i = begin;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') { number += '-'; }
        ++i;
    }
    if (i < end && text[i] == '$') { ++i; }

    std::size_t digits = 0;
    // Commas have been checked to separate thousands: they are skipped.
    for (; i < end && (IsDigit(text[i]) || text[i] == ','); ++i) {
        if (text[i] == ',') continue;
        number += text[i];
        ++digits;
    }
    if (i < end && text[i] == '.') {
        number += '.';
        ++i;
        while (i < end && IsDigit(text[i])) {
            number += text[i];
            ++digits;
            ++i;
        }
    }
    if (digits == 0) { return std::nullopt; }

    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        number += 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            number += text[i];
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < end && IsDigit(text[i])) {
            number += text[i];
            ++exponentDigits;
            ++i;
        }
        if (exponentDigits == 0) { return std::nullopt; }
    }
    if (i != end) { return std::nullopt; }
    return number;
}

// A collected decimal text in ten-thousandths, rounded once (a half to the
// even neighbour); empty when the magnitude leaves the signed 64-bit range.
std::optional<std::int64_t> TenThousandthsOf(std::string_view number) {
    const bool negative = number.starts_with('-');
    std::string digits;
    long long exponent = 4; // ten-thousandths
    bool afterPoint = false;
    std::size_t i = negative ? 1 : 0;
    for (; i < number.size() && number[i] != 'e'; ++i) {
        if (number[i] == '.') {
            afterPoint = true;
        } else {
            if (!digits.empty() || number[i] != '0') digits += number[i];
            if (afterPoint) --exponent;
        }
    }
    if (i < number.size()) {
        long long written = 0;
        bool negativeExponent = false;
        for (++i; i < number.size(); ++i) {
            if (number[i] == '-') negativeExponent = true;
            if (IsDigit(number[i]) && written < 100000) written = written * 10 + (number[i] - '0');
        }
        exponent += negativeExponent ? -written : written;
    }
    if (digits.empty()) return 0;

    // The digits kept in front of the point, then the first one dropped.
    const long long kept = static_cast<long long>(digits.size()) + exponent;
    if (kept > 19) return std::nullopt;
    std::uint64_t magnitude = 0;
    for (long long d = 0; d < kept; ++d) {
        const int digit = d < static_cast<long long>(digits.size())
                              ? digits[static_cast<std::size_t>(d)] - '0'
                              : 0;
        if (__builtin_mul_overflow(magnitude, 10u, &magnitude) ||
            __builtin_add_overflow(magnitude, static_cast<unsigned>(digit), &magnitude))
            return std::nullopt;
    }
    if (kept >= 0 && kept < static_cast<long long>(digits.size())) {
        const std::size_t first = static_cast<std::size_t>(kept);
        const char dropped = digits[first];
        const bool beyondHalf = digits.find_first_not_of('0', first + 1) != std::string::npos;
        if (dropped > '5' || (dropped == '5' && (beyondHalf || magnitude % 2 != 0))) ++magnitude;
    }
    constexpr std::uint64_t kLargest = std::uint64_t{1} << 63; // the most negative amount
    if (magnitude > kLargest - (negative ? 0 : 1)) return std::nullopt;
    return negative ? static_cast<std::int64_t>(std::uint64_t{0} - magnitude)
                    : static_cast<std::int64_t>(magnitude);
}

} // namespace

PlainNumber ReadPlainNumber(std::string_view text) {
    if (!CommasGroupThousands(text)) return {PlainRead::StrayComma, 0};
    const auto number = CollectPlainNumber(text);
    if (!number) return {PlainRead::NotANumber, 0};
    const auto value = DecimalTextToDouble(*number);
    if (!value) return {PlainRead::OutOfRange, 0};
    return {PlainRead::Ok, *value};
}

std::optional<double> ParsePlainNumber(std::string_view text) {
    const PlainNumber number = ReadPlainNumber(text);
    if (number.read != PlainRead::Ok) return std::nullopt;
    return number.value;
}

PlainAmount ParsePlainAmount(std::string_view text) {
    const PlainNumber number = ReadPlainNumber(text);
    if (number.read != PlainRead::Ok) return {number.read, 0};
    const auto raw = TenThousandthsOf(*CollectPlainNumber(text));
    if (!raw) return {PlainRead::OutOfRange, 0};
    return {PlainRead::Ok, *raw};
}

bool CommasGroupThousands(std::string_view text) {
    const auto inRun = [](char c) { return IsDigit(c) || c == ','; };
    for (std::size_t comma = text.find(','); comma != std::string_view::npos;) {
        std::size_t begin = comma;
        while (begin > 0 && inRun(text[begin - 1])) --begin;
        std::size_t end = comma;
        while (end < text.size() && inRun(text[end])) ++end;
        // Digits after a decimal point or an exponent marker are not grouped.
        if (begin > 0 &&
            (text[begin - 1] == '.' || text[begin - 1] == 'e' || text[begin - 1] == 'E'))
            return false;
        const std::string_view run = text.substr(begin, end - begin);
        const std::size_t first = run.find(',');
        if (first == 0 || first > 3 || run[0] == '0' || (run.size() - first) % 4 != 0) return false;
        for (std::size_t k = first; k < run.size(); k += 4)
            if (run[k] != ',' || !IsDigit(run[k + 1]) || !IsDigit(run[k + 2]) ||
                !IsDigit(run[k + 3]))
                return false;
        comma = text.find(',', end);
    }
    return true;
}

double RoundHalfEven(double value) {
    // From 2^52 on every double is already whole.
    constexpr double kAllWhole = 4503599627370496.0;
    if (!std::isfinite(value) || std::fabs(value) >= kAllWhole) { return value; }
    const double below = std::floor(value);
    const double fraction = value - below; // exact in this range
    double result = below;
    if (fraction > 0.5) {
        result = below + 1;
    } else if (fraction == 0.5) {
        result = std::fmod(below, 2.0) == 0 ? below : below + 1;
    }
    // Keep the sign of a value that rounds to zero, as the FPU rounding does.
    return result == 0 ? std::copysign(0.0, value) : result;
}

bool IsBlank(std::string_view text) {
    for (const char c : text) {
        if (c != ' ') { return false; }
    }
    return true;
}

} // namespace levywise
