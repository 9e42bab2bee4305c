#include "cli/unit_codes.h"

#include <algorithm>

#include "calc/estimate.h"
#include "ratedata/text.h"

namespace levywise::cli {

std::optional<std::uint32_t> PackedCode(std::string_view code) {
    code = Trimmed(code);
    if (code.size() > 3) return std::nullopt;
    std::uint32_t key = static_cast<std::uint32_t>(code.size()) + 1;
    for (std::size_t i = 0; i < code.size(); ++i)
        key |= static_cast<std::uint32_t>(static_cast<unsigned char>(code[i])) << (8 * (i + 1));
    return key;
}

UnitCodes::UnitCodes(const modMain& data) {
    fill(counties_, data, kCountyUnit, PlaceholderCodes::NoCounty);
    fill(cities_, data, kCityUnit, PlaceholderCodes::NoCity);
    fill(schools_, data, kSchoolUnit, PlaceholderCodes::NoSchool);
    for (int i = 1; i <= data.SpclCount; ++i) {
        const auto key = PackedCode(data.SpclTbl[static_cast<std::size_t>(i)].Code.view());
        int group = districtsByCode_.find(*key);
        if (group < 0) {
            group = static_cast<int>(districtGroups_.size());
            districtGroups_.emplace_back();
            districtsByCode_.insertIfAbsent(*key, group);
        }
        districtGroups_[static_cast<std::size_t>(group)].push_back(i);
        if (data.SpclSel[static_cast<std::size_t>(i)].Selected.equals("Y")) defaults_.push_back(i);
    }
}

void UnitCodes::fill(List& list, const modMain& data, char unitType, std::string_view placeholder) {
    const char type[1] = {unitType};
    for (int k = 1; k <= data.RateCount; ++k) {
        const Jurisdiction& unit = data.RateTbl[static_cast<std::size_t>(k)];
        if (!unit.UnitType.equals(std::string_view(type, 1))) continue;
        std::string item = ItemText(unit);
        const Jurisdiction& found = FindUnit(data, item);
        const bool noCounty = CodeOfItem(item) == PlaceholderCodes::NoCounty;
        list.entries.push_back(ListEntry{std::move(item), &found, noCounty});
    }
    for (std::size_t e = 0; e < list.entries.size(); ++e) {
        const std::string_view code = CodeOfItem(list.entries[e].Item);
        list.byCode.insertIfAbsent(*PackedCode(code), static_cast<int>(e));
        if (list.placeholder < 0 && code == placeholder) list.placeholder = static_cast<int>(e);
    }
}

const ListEntry* UnitCodes::find(const List& list, std::string_view code) {
    const auto key = PackedCode(code);
    if (!key) return nullptr;
    constexpr std::uint32_t kNoCode = 1; // an empty code, blanks around it dropped
    const int e = *key == kNoCode ? list.placeholder : list.byCode.find(*key);
    return e < 0 ? nullptr : &list.entries[static_cast<std::size_t>(e)];
}

const ListEntry* UnitCodes::county(std::string_view code) const { return find(counties_, code); }
const ListEntry* UnitCodes::city(std::string_view code) const { return find(cities_, code); }
const ListEntry* UnitCodes::school(std::string_view code) const { return find(schools_, code); }

std::span<const int> UnitCodes::districts(std::string_view code) const {
    const auto key = PackedCode(code);
    const int group = key ? districtsByCode_.find(*key) : -1;
    if (group < 0) return {};
    return districtGroups_[static_cast<std::size_t>(group)];
}

std::optional<std::string_view> UnitCodes::districtsOf(std::string_view list, char separator,
                                                       std::vector<int>& slots) const {
    const std::size_t before = slots.size();
    while (!list.empty()) {
        const std::size_t end = list.find(separator);
        const std::string_view code = Trimmed(list.substr(0, end));
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
        if (code.empty()) continue;
        const auto found = districts(code);
        if (found.empty()) return code;
        slots.insert(slots.end(), found.begin(), found.end());
    }
    // Districts are added up in table order, as the window adds them.
    std::sort(slots.begin() + static_cast<std::ptrdiff_t>(before), slots.end());
    slots.erase(std::unique(slots.begin() + static_cast<std::ptrdiff_t>(before), slots.end()),
                slots.end());
    return std::nullopt;
}

} // namespace levywise::cli
