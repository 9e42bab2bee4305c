#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace levywise {

// The leading-number rule used for everything a user types and for the
// money texts read back from the result labels:
// blanks, tabs and line feeds anywhere are skipped; an optional sign, digits,
// at most one period and an optional exponent (E or D) are read; reading stops
// at the first other character; "&H" and "&O" introduce hexadecimal and octal
// digits. Text without a leading number gives 0. Empty only when the number
// is too large for a double (for example "1e400").
std::optional<double> LeadingNumber(std::string_view text);

// The appraised value as the estimate reads it: "$" and "," are dropped
// first, so "$150,000" reads as 150000; then the leading-number rule.
std::optional<double> AppraisedValueFromText(std::string_view text);

// A plain number as written in a rate file column: blanks around it, an
// optional sign, an optional "$", digits (commas allowed only as thousands
// separators, see CommasGroupThousands), an optional fraction and an optional
// exponent. Empty when the text is not such a number or does not fit a double.
std::optional<double> ParsePlainNumber(std::string_view text);

// How a column reads as a plain number, for a reader that tells why it is none.
enum class PlainRead { Ok, NotANumber, StrayComma, OutOfRange };
struct PlainNumber {
    PlainRead read;
    double value; // 0 unless Ok
};
PlainNumber ReadPlainNumber(std::string_view text);

// The same number read exactly from its decimal text as a count of
// ten-thousandths, rounded once (a half to the even neighbour): how the
// money columns are read. A number beyond a double's range or the 64-bit
// count is OutOfRange.
struct PlainAmount {
    PlainRead read;
    std::int64_t tenThousandths;
};
PlainAmount ParsePlainAmount(std::string_view text);

// True when every comma in the text separates thousands: it follows a run of
// one to three digits that does not begin with 0 (or a group of three after
// another such comma) and exactly three digits follow it, in the whole part
// of a number. "0,5" and "5000,50" are decimal commas, "1,5,000" no grouping.
bool CommasGroupThousands(std::string_view text);

// Rounds to the nearest whole number, a half to the even neighbour.
double RoundHalfEven(double value);

// True when text holds nothing but spaces (or nothing at all).
bool IsBlank(std::string_view text);

} // namespace levywise
