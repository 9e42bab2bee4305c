#pragma once

#include <string>
#include <vector>

class QComboBox;

namespace levywise {

enum class ListOrder { AsAdded, SortedByText };

// Fills the county, city or school list with the rate table's item texts.
// The texts stay bytes as the rate file gave them (the chosen unit is found
// by their last three bytes); the list shows them decoded. Any earlier
// items are removed first.
void FillUnitList(QComboBox* list, std::vector<std::string> items, ListOrder order);

// The selected item's text as bytes; empty when nothing is selected.
std::string SelectedUnitItem(const QComboBox* list);

} // namespace levywise
