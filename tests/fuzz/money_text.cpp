#include "money_text.h"

#include <regex>

namespace levywise::fuzz {

bool IsMoneyText(const std::string& text) {
    static const std::regex money(R"(-?\$(0|[1-9][0-9]{0,2}(,[0-9]{3})*)\.[0-9]{2})",
                                  std::regex::optimize);
    return text != "-$0.00" && std::regex_match(text, money);
}

std::optional<std::int64_t> CentsOfMoneyText(const std::string& text) {
    std::int64_t cents = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') continue;
        if (__builtin_mul_overflow(cents, 10, &cents) ||
            __builtin_add_overflow(cents, c - '0', &cents))
            return std::nullopt;
    }
    return text.starts_with('-') ? -cents : cents;
}

} // namespace levywise::fuzz
