#include "cli/money_text.h"

namespace levywise::cli {

std::string_view WritePlainCents(char* room, std::int64_t cents) {
    std::uint64_t magnitude = cents < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(cents)
                                        : static_cast<std::uint64_t>(cents);
    char* const end = room + kPlainCentsRoom;
    char* p = end;
    *--p = static_cast<char>('0' + magnitude % 10);
    *--p = static_cast<char>('0' + magnitude / 10 % 10);
    *--p = '.';
    magnitude /= 100;
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (cents < 0) *--p = '-';
    return {p, static_cast<std::size_t>(end - p)};
}

std::string PlainCents(std::int64_t cents) {
    char room[kPlainCentsRoom];
    return std::string(WritePlainCents(room, cents));
}

} // namespace levywise::cli
