// Feeds arbitrary settings text to the settings reader, in two ways: as raw
// bytes with any section and key, where a value found must be a piece of
// one line of the text, at most 119 characters long; and as a settings file
// with a known entry hidden among fuzzed lines, which must be found exactly.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "ratedata/settings_file.h"

namespace levywise::fuzz {
namespace {

constexpr std::size_t kMaxValue = 119;

void CheckAnyText(FuzzedDataProvider& in) {
    const std::string section = in.ConsumeRandomLengthString(24);
    const std::string key = in.ConsumeRandomLengthString(24);
    const std::string fallback = in.ConsumeRandomLengthString(200);
    const std::string text = in.ConsumeRemainingBytesAsString();
    const std::string value = ProfileStringFromText(text, section, key, fallback);
    if (value == fallback) return;
    FUZZ_CHECK(value.size() <= kMaxValue);
    FUZZ_CHECK(value.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    FUZZ_CHECK(text.find(value) != std::string::npos);
    // A value needs a section header and a key line.
    FUZZ_CHECK(text.find('[') != std::string::npos && text.find(']') != std::string::npos);
    FUZZ_CHECK(text.find('=') != std::string::npos);
}

// Letters and digits only, so the name means the same wherever it stands.
std::string PlainName(FuzzedDataProvider& in) {
    static constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_";
    std::string name(1 + in.ConsumeIntegralInRange<std::size_t>(0, 15), 'x');
    for (char& c : name)
        c = kLetters[in.ConsumeIntegralInRange<std::size_t>(0, kLetters.size() - 1)];
    return name;
}

std::string CaseFlipped(std::string name) {
    for (char& c : name) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return name;
}

std::string Without(std::string text, std::string_view drop) {
    std::string out;
    for (const char c : text)
        if (drop.find(c) == std::string_view::npos) out += c;
    return out;
}

std::string Blanks(FuzzedDataProvider& in) {
    std::string out;
    for (std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, 3); n > 0; --n)
        out += in.ConsumeBool() ? ' ' : '\t';
    return out;
}

// What the reader must return for the text after "=": blanks around it
// dropped, then one pair of matching quotes, then everything from a NUL on,
// then all past the 119th character.
std::string Cleaned(std::string_view value) {
    const std::size_t first = value.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    value = value.substr(first, value.find_last_not_of(" \t") - first + 1);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    value = value.substr(0, value.find('\0'));
    return std::string(value.substr(0, kMaxValue));
}

void CheckHiddenEntry(FuzzedDataProvider& in) {
    const std::string section = PlainName(in);
    const std::string key = PlainName(in);
    const bool flipSection = in.ConsumeBool();
    const bool flipKey = in.ConsumeBool();
    const std::string value = Without(in.ConsumeRandomLengthString(300), "\r\n");
    // Lines before the section cannot open one: they hold no "[".
    const std::string before = Without(in.ConsumeRandomLengthString(400), "[");
    std::string text = before + "\r\n";
    text += Blanks(in) + "[" + Blanks(in) + section + Blanks(in) + "]\n";
    text += Blanks(in) + key + Blanks(in) + "=" + value + "\r";
    text += in.ConsumeRemainingBytesAsString();
    const std::string found =
        ProfileStringFromText(text, flipSection ? CaseFlipped(section) : section,
                              flipKey ? CaseFlipped(key) : key, "\x01missing");
    FUZZ_CHECK(found == Cleaned(value));
}

} // namespace
} // namespace levywise::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool())
        levywise::fuzz::CheckHiddenEntry(in);
    else
        levywise::fuzz::CheckAnyText(in);
    return 0;
}
