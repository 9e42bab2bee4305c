#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "ratedata/listing_rows.h"

namespace levywise::cli {

enum class ListFormat { Text, Csv, Json };

// The options of "levywise-cli list".
struct ListOptions {
    std::string File;
    std::string Sort; // empty (table order), "name" or "rate"
    bool Descending = false;
    ListFormat Format = ListFormat::Text;
};

// The listing's rows in one of the formats: a text table with the listing's
// headers or CSV, names all 30 characters as listed; or a JSON document
// {"format": 1, "units": [...]}, names without their padding.
std::string ListingText(const std::vector<ListingRow>& rows, ListFormat format);

// Prints the rate table's listing. Returns the exit status.
int RunList(const ListOptions& options, std::ostream& out, std::ostream& err);

} // namespace levywise::cli
