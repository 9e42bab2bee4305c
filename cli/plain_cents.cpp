#include "cli/plain_cents.h"

#include <cstring>

namespace levywise::cli {

std::string_view WritePlainCents(char* room, std::int64_t cents) {
    static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324"
                                     "25262728293031323334353637383940414243444546474849"
                                     "50515253545556575859606162636465666768697071727374"
                                     "75767778798081828384858687888990919293949596979899";
    std::uint64_t magnitude = cents < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(cents)
                                        : static_cast<std::uint64_t>(cents);
    char* const end = room + kPlainCentsRoom;
    char* p = end - 2;
    std::memcpy(p, kPairs + 2 * (magnitude % 100), 2);
    *--p = '.';
    magnitude /= 100;
    while (magnitude >= 100) {
        p -= 2;
        std::memcpy(p, kPairs + 2 * (magnitude % 100), 2);
        magnitude /= 100;
    }
    if (magnitude >= 10) {
        p -= 2;
        std::memcpy(p, kPairs + 2 * magnitude, 2);
    } else {
        *--p = static_cast<char>('0' + magnitude);
    }
    if (cents < 0) *--p = '-';
    return {p, static_cast<std::size_t>(end - p)};
}

std::string PlainCents(std::int64_t cents) {
    char room[kPlainCentsRoom];
    return std::string(WritePlainCents(room, cents));
}

} // namespace levywise::cli
