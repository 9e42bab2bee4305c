#include "cli/batch_header.h"

#include "cli/quoted.h"
#include "ratedata/text.h"

namespace levywise::cli {
namespace {

struct ColumnHelp {
    std::string_view name, values;
};

// In the order of BatchColumn.
constexpr std::array<ColumnHelp, kBatchColumnCount> kColumns = {{
    {"id", "required: the property's name, copied to the output"},
    {"value", "required: the appraised value, a number such as 200000 or $200,000, not negative"},
    {"county", "the county-level unit's code (empty: none)"},
    {"city", "the city's code (empty: none)"},
    {"school", "the school district's code (empty: none)"},
    {"homestead", "Y or N, yes or no, true or false, 1 or 0, in any case (empty: N)"},
    {"exemption", "over65, disabled, or empty for neither"},
    {"veteran", "the disability bracket 1 (10-30%), 2 (31-50%), 3 (51-70%) or 4 (71-100%), or "
                "empty for none"},
    {"specials", "special district codes separated by \";\", none, or empty for the rate file's "
                 "defaults"},
}};

constexpr std::array<std::string_view, kBatchColumnCount> kNames = [] {
    std::array<std::string_view, kBatchColumnCount> names;
    for (std::size_t i = 0; i < names.size(); ++i) names[i] = kColumns[i].name;
    return names;
}();

std::string allNames() {
    std::string out;
    for (const std::string_view n : kNames) out += (out.empty() ? "" : ", ") + std::string(n);
    return out;
}

} // namespace

std::string BatchInputHelp() {
    std::string text = "The input is CSV with a header row that names its columns, in any order "
                       "and in any case:\n";
    for (const ColumnHelp& c : kColumns) {
        text += "  " + std::string(c.name);
        text.append(11 - c.name.size(), ' ');
        text += std::string(c.values) + "\n";
    }
    return text + "The output is CSV: id, county_tax, city_tax, school_tax, special_tax, "
                  "total_tax (plain decimals) and error (empty when the row was estimated).";
}

std::optional<BatchHeader> ParseBatchHeader(std::span<const std::string_view> names,
                                            std::string& error) {
    BatchHeader header;
    header.Index.fill(-1);
    header.Width = names.size();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string_view name = Trimmed(names[i]);
        std::size_t column = 0;
        while (column < kNames.size() && !EqualsIgnoringCase(kNames[column], name)) ++column;
        if (column == kNames.size()) {
            error = "the input has an unknown column \"" + Quoted(names[i]) +
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
            error = "the input has no \"" +
                    std::string(kNames[static_cast<std::size_t>(required)]) + "\" column";
            return std::nullopt;
        }
    }
    return header;
}

} // namespace levywise::cli
