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

// The code of the selected unit: the last three bytes of its item's text
// (all of it when shorter); empty when nothing is selected.
std::string SelectedUnitCode(const QComboBox* list);

} // namespace levywise
