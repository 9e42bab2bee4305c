#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace levywise {

// A text field of exactly N bytes, as the rate table stores names and codes.
// Assigning cuts a longer text and pads a shorter one with spaces; a field
// that was never written holds NUL bytes (and so sorts before any name).
template <std::size_t N>
class FixedText {
public:
    constexpr FixedText() { bytes_.fill('\0'); }
    explicit FixedText(std::string_view text) { assign(text); }

    void assign(std::string_view text) {
        const std::size_t n = text.size() < N ? text.size() : N;
        for (std::size_t i = 0; i < n; ++i) bytes_[i] = text[i];
        for (std::size_t i = n; i < N; ++i) bytes_[i] = ' ';
    }

    std::string_view view() const { return {bytes_.data(), N}; }
    std::string str() const { return std::string(view()); }
    // Without the trailing spaces (NULs are kept: a fresh field stays as it is).
    std::string_view trimmedRight() const {
        std::string_view v = view();
        while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
        return v;
    }
    bool equals(std::string_view text) const { return view() == text; }
    char operator[](std::size_t i) const { return bytes_[i]; }

    // Byte order with every byte taken as unsigned, the order of the sorted table.
    friend bool operator<(const FixedText& a, const FixedText& b) {
        for (std::size_t i = 0; i < N; ++i) {
            const auto x = static_cast<unsigned char>(a.bytes_[i]);
            const auto y = static_cast<unsigned char>(b.bytes_[i]);
            if (x != y) return x < y;
        }
        return false;
    }
    friend bool operator==(const FixedText&, const FixedText&) = default;

private:
    std::array<char, N> bytes_;
};

} // namespace levywise
