#pragma once

// One property's estimate under several rate files (one a year, say), side
// by side, with the change from the first file to the last.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc/estimate.h"
#include "report/comparison.h"

namespace levywise {

enum class HistoryRowKind { Unit, District, Special, Total, Monthly };

struct HistoryRow {
    HistoryRowKind Kind = HistoryRowKind::Unit;
    // UTF-8: a unit's or district's name as shown, from the first file that
    // has it; a caption for the other rows.
    std::string Label;
    // UTF-8: a unit's or district's code as shown; empty for the other rows.
    std::string Code;
    // One per file, in cents as shown; empty where the file lacks the unit
    // or district.
    std::vector<std::optional<std::int64_t>> Cents;
    // The last file's figure against the first's; empty when either lacks it.
    std::optional<MoneyChange> Change;
};

struct History {
    // UTF-8, one per file: its header line's label, its file name when it
    // has none.
    std::vector<std::string> FileLabels;
    // The county, the city, the school, each special district (by code, in
    // the order the files first tax them), the special districts' tax, the
    // total and the total per month.
    std::vector<HistoryRow> Rows;
};

// Works request out on every table, in the order given. A unit or district
// code that a table lacks leaves that table's figure empty; every other
// refusal is returned, naming the table's rate file, and history is not to
// be used.
std::optional<Error> HistoryOf(std::span<const LoadedTable* const> tables,
                               const EstimateRequest& request, History& history);

std::string HistoryText(const History& history);                        // a plain table
std::string HistoryTsv(const History& history);                         // the Copy text
std::string HistoryJson(const History& history);                        // "format": 1
std::string HistoryHtml(const History& history, std::string_view date); // with its picture

} // namespace levywise
