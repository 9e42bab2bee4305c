#include "ratedata/error.h"

namespace levywise {

std::string Shortened(std::string_view text) {
    constexpr std::size_t kShown = 40;
    if (text.size() <= kShown) return std::string(text);
    return std::string(text.substr(0, kShown)) + "...";
}

std::string Error::message() const { return file + messageAfterFile(); }

std::string Error::messageAfterFile() const {
    std::string out;
    if (line > 0) out += ", line " + std::to_string(line);
    if (column > 0) out += ", column " + std::to_string(column);
    if (line > 0 && column > 0) out += " (\"" + Shortened(text) + "\")";
    out += ": " + problem + ".";
    return out;
}

} // namespace levywise
