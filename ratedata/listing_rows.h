#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ratedata/mod_main.h"

namespace levywise {

// One row of the rate table listing: the unit's code and the texts of its
// five cells, exactly as the listing shows them.
struct ListingRow {
    std::string Code;    // 3 characters, as stored
    std::string Name;    // all 30 characters, trailing blanks included
    std::string TaxRate; // "0.0000000"
    std::string OptHS;   // empty when 0, "##.####%" up to 1, "$##,###" above 1
    std::string OptO65;  // "##,###"; empty when it rounds to 0
    std::string OptDP;   // "##,###"; empty when it rounds to 0
    char UnitType = ' '; // 'K', 'C', 'I' or 'S' (not a cell of the window's grid)
};

// The listing in table order: every unit of slots 1..LoadedCount except the
// "no unit" entries (codes "100", "900" and "000").
std::vector<ListingRow> BuildListingRows(const modMain& data);

enum class ListingColumn { Name, Rate };

// Orders two cells the way the listing sorts: cells that read as numbers
// compare as numbers and come before all others, which compare byte by byte.
// Negative, zero or positive, like strcmp.
int CompareListingCells(std::string_view a, std::string_view b);

// Sorts by one column; rows whose cells compare equal keep their order.
void SortListingRows(std::vector<ListingRow>& rows, ListingColumn column, bool descending);

} // namespace levywise
