#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ratedata/currency.h"

namespace levywise {

// The money format of every amount the estimate shows: "$", comma grouping,
// two decimals; negatives as -$1,234.50; an amount that rounds to zero shows
// as $0.00. Cents come from CentsAsShown.
std::string FormatCurrency(Currency value);

// An amount in cents as the money format rounds it: a double's
// 15-significant-digit decimal form (so 2.675 shows as $2.68), a Currency's
// ten-thousandths, each a half cent away from zero. The double must lie in
// the range of money; one far past it is held at the largest cents. The formats below show a NaN as
// they would show 0 and an infinity as "Overflow"; the estimate never passes either.
std::int64_t CentsAsShown(double amount);
std::int64_t CentsAsShown(Currency amount);

// Cents in the money format: 123456 -> "$1,234.56", -5 -> "-$0.05".
std::string MoneyText(std::int64_t cents);

// "0.0000000": at least one whole digit, exactly seven decimals (0.2647000).
std::string FormatFixed7(double value);

// "##.####%": the value as a percentage with up to four decimals, no leading
// zero, the point always kept: 0.2 -> "20.%", 0.015 -> "1.5%".
std::string FormatPercent4(double value);

// "$##,###": dollar sign, whole dollars with comma grouping: 5000 -> "$5,000".
std::string FormatDollarsWhole(double value);

// "##,###": whole number with comma grouping; zero gives an empty text.
std::string FormatGroupedWhole(double value);

// The whole dollars "$##,###" and "##,###" show for a finite value, in
// cents; empty when they are past the range of cents.
std::optional<std::int64_t> WholeDollarCentsAsShown(double value);

// The plain text of a double: up to 15 significant digits, no grouping, no
// trailing zeros, "0.264"; exponent form (1E-05, 1.5E+15) below 0.0001 and
// from 1E+15 on.
std::string PlainNumberText(double value);

// The same digits always in positional form: 0.00001, 1000000000000000.
std::string PlainDecimalText(double value);

} // namespace levywise
