#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace levywise::cli {

// Room for the longest plain-decimal amount: "-92233720368547758.08".
inline constexpr std::size_t kPlainCentsRoom = 24;

// A count of cents as a plain decimal with two places: 123456 -> "1234.56",
// -500 -> "-5.00". Written at the end of room, which must hold
// kPlainCentsRoom characters; returns the text.
std::string_view WritePlainCents(char* room, std::int64_t cents);

std::string PlainCents(std::int64_t cents);

} // namespace levywise::cli
