#include "ratedata/settings_file.h"

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "ratedata/text.h"

namespace levywise {
namespace {

// The original program read values into a 120-byte buffer, so users only
// ever got 119 characters back; longer values are cut the same way.
constexpr std::size_t kMaxValueLength = 119;

// The file is read in pieces so that a huge settings file never has to sit in
// memory whole; only the line being looked at is kept.
constexpr std::size_t kReadChunkSize = 64 * 1024;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string CleanValue(std::string_view value) {
    value = Trimmed(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    // The value ends up as a C string (a file name), which stops at a NUL.
    value = value.substr(0, value.find('\0'));
    return std::string(value.substr(0, kMaxValueLength));
}

// Looks at the file one line at a time and settles as soon as the key is found
// or the first matching section is over.
class ValueLookup {
public:
    ValueLookup(std::string_view section, std::string_view key) : section_(section), key_(key) {}

    // Returns true once the answer is known and no more lines are needed.
    bool operator()(std::string_view line) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos || line[start] == ';') return false;
        line.remove_prefix(start);

        if (line.front() == '[') {
            // A "[" without a closing "]" is no section header; the line is then
            // read like any other.
            const std::size_t close = line.find(']');
            if (close != std::string_view::npos) {
                if (inSection_) return true; // later sections, even of the same name, are not read
                inSection_ = EqualsIgnoringCase(Trimmed(line.substr(1, close - 1)), section_);
                return false;
            }
        }

        if (!inSection_) return false;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) return false;
        if (!EqualsIgnoringCase(Trimmed(line.substr(0, equals)), key_)) return false;
        value_ = CleanValue(line.substr(equals + 1));
        return true;
    }

    std::string Result(std::string_view defaultValue) && {
        return value_ ? std::move(*value_) : std::string(defaultValue);
    }

private:
    std::string_view section_;
    std::string_view key_;
    bool inSection_ = false;
    std::optional<std::string> value_;
};

// Cuts text handed over in pieces into lines. CR LF, a lone CR and a lone LF
// each end a line, also when a CR LF pair is split between two pieces.
class LineSplitter {
public:
    // Returns true once the lookup needs no more lines.
    bool Push(std::string_view piece, ValueLookup& lookup) {
        if (piece.empty()) return false;
        std::size_t pos = 0;
        if (pendingLf_) {
            pendingLf_ = false;
            if (piece.front() == '\n') pos = 1;
        }
        while (pos < piece.size()) {
            const std::size_t end = piece.find_first_of("\r\n", pos);
            if (end == std::string_view::npos) {
                partial_.append(piece.substr(pos));
                return false;
            }
            const std::string_view line = piece.substr(pos, end - pos);
            bool done;
            if (partial_.empty()) {
                done = lookup(line);
            } else {
                partial_.append(line);
                done = lookup(partial_);
                partial_.clear();
            }
            if (done) return true;
            pos = end + 1;
            if (piece[end] == '\r') {
                if (pos == piece.size()) {
                    pendingLf_ = true;
                } else if (piece[pos] == '\n') {
                    ++pos;
                }
            }
        }
        return false;
    }

    // The last line counts even without a line end.
    void Finish(ValueLookup& lookup) {
        if (!partial_.empty()) lookup(partial_);
        partial_.clear();
    }

private:
    std::string partial_;
    bool pendingLf_ = false;
};

// Files saved by Notepad may start with a UTF-8 byte order mark; Windows
// skips it, so "[general]" on the first line is still found.
std::string_view WithoutBom(std::string_view text) {
    if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
    return text;
}

} // namespace

std::string ProfileStringFromText(std::string_view iniText, std::string_view section,
                                  std::string_view key, std::string_view defaultValue) {
    try {
        ValueLookup lookup(section, key);
        LineSplitter lines;
        if (!lines.Push(WithoutBom(iniText), lookup)) lines.Finish(lookup);
        return std::move(lookup).Result(defaultValue);
    } catch (...) { return std::string(defaultValue); }
}

std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, const std::string& iniPath) {
    try {
        // Only ordinary files are read: a directory, a pipe or a device (which
        // could block or never end) counts as a missing file.
        std::error_code error;
        if (!std::filesystem::is_regular_file(iniPath, error)) return std::string(defaultValue);
        std::ifstream in(iniPath, std::ios::binary);
        if (!in) return std::string(defaultValue);

        ValueLookup lookup(section, key);
        LineSplitter lines;
        std::vector<char> buffer(kReadChunkSize);
        bool first = true;
        bool done = false;
        while (!done && in) {
            in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            const auto count = static_cast<std::size_t>(in.gcount());
            if (count == 0) break;
            std::string_view piece(buffer.data(), count);
            if (first) piece = WithoutBom(piece);
            first = false;
            done = lines.Push(piece, lookup);
        }
        if (!done) lines.Finish(lookup);
        return std::move(lookup).Result(defaultValue);
    } catch (...) { return std::string(defaultValue); }
}

std::string RateFilePathFromSettings(const std::string& iniPath, const std::string& currentDir,
                                     char separator) {
    const std::string file = ReadProfileString("general", "TaxRateFile", "taxrate.tab", iniPath);
    std::string dir = ReadProfileString("general", "TaxRatePath", currentDir, iniPath);
    try {
        if (dir.size() > 1 && dir.back() != '/' && dir.back() != '\\') dir += separator;
        return dir + file;
    } catch (...) { return file; }
}

} // namespace levywise
