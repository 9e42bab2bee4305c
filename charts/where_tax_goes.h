#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "charts/bar_chart.h"

namespace levywise {

// One taxing unit or taxed special district and its tax.
struct TaxShare {
    std::string Name; // Windows-1252 bytes, as the rate file has it
    std::int64_t Cents = 0;
};

// "Where the tax goes": one bar per share, the largest first (shares of
// equal tax in the order given), each labelled with its name and amount,
// the total under them. Every share is drawn, a zero one as a label alone.
Picture WhereTheTaxGoesPicture(std::vector<TaxShare> shares, std::int64_t totalCents);

} // namespace levywise
