#include "cli/batch_columns.h"

#include "ratedata/text.h"

namespace levywise::cli {
namespace {

constexpr std::array<std::string_view, kBatchColumnCount> kNames = {
    "id", "value", "county", "city", "school", "homestead", "exemption", "veteran", "specials"};

std::string allNames() {
    std::string out;
    for (const std::string_view n : kNames) out += (out.empty() ? "" : ", ") + std::string(n);
    return out;
}

} // namespace

std::optional<BatchHeader> ParseBatchHeader(std::span<const std::string_view> names, std::string& error) {
    BatchHeader header;
    header.Index.fill(-1);
    header.Width = names.size();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = Trimmed(names[i]);
        std::size_t column = 0;
        while (column < kNames.size() && !EqualsIgnoringCase(kNames[column], name)) ++column;
        if (column == kNames.size()) {
            error = "the input has an unknown column \"" + std::string(names[i]) +
                    "\"; the columns are " + allNames();
            return std::nullopt;
        }
        if (header.Index[column] >= 0) {
            error = "the input names the column \"" + std::string(kNames[column]) + "\" twice";
            return std::nullopt;
        }
        header.Index[column] = static_cast<int>(i);
    }
    for (const BatchColumn required : {BatchColumn::Id, BatchColumn::Value}) {
        if (header.Index[static_cast<std::size_t>(required)] < 0) {
            error = "the input has no \"" + std::string(kNames[static_cast<std::size_t>(required)]) +
                    "\" column";
            return std::nullopt;
        }
    }
    return header;
}

} // namespace levywise::cli
