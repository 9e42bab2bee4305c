#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace levywise::cli {

// The columns a batch input may have, in any order; id and value are required.
// The values each takes are told by BatchInputHelp.
enum class BatchColumn { Id, Value, County, City, School, Homestead, Exemption, Veteran, Specials };
inline constexpr std::size_t kBatchColumnCount = 9;

// What batch --help says of the input and the output: each column of the
// input with the values it takes.
std::string BatchInputHelp();

struct BatchHeader {
    std::array<int, kBatchColumnCount> Index{}; // the column's position, -1 when absent
    std::size_t Width = 0;                      // the number of columns each row must have

    // The row's text of a column; empty when the input has no such column.
    std::string_view of(std::span<const std::string_view> fields, BatchColumn column) const {
        const int i = Index[static_cast<std::size_t>(column)];
        return i >= 0 && static_cast<std::size_t>(i) < fields.size()
                   ? fields[static_cast<std::size_t>(i)]
                   : std::string_view();
    }
    // The same for a row known to have Width fields.
    std::string_view ofWhole(std::span<const std::string_view> fields, BatchColumn column) const {
        const int i = Index[static_cast<std::size_t>(column)];
        return i >= 0 ? fields[static_cast<std::size_t>(i)] : std::string_view();
    }
};

// Reads the header row: names compared without case and without the blanks
// around them. Empty with the reason in error when a name is unknown or
// repeated, or id or value is missing.
std::optional<BatchHeader> ParseBatchHeader(std::span<const std::string_view> names,
                                            std::string& error);

} // namespace levywise::cli
