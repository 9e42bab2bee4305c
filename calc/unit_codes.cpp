#include "calc/unit_codes.h"

#include <algorithm>

#include "ratedata/text.h"

namespace levywise {

namespace {

// Any other code of up to three bytes, packed with its length.
std::uint32_t packed(std::string_view code) {
    std::uint32_t key = static_cast<std::uint32_t>(code.size()) + 1;
    for (std::size_t i = 0; i < code.size(); ++i)
        key |= static_cast<std::uint32_t>(static_cast<unsigned char>(code[i])) << (8 * (i + 1));
    return key;
}

} // namespace

bool UnitCodes::CodeMap::insertIfAbsent(std::string_view code, int value) {
    code = Trimmed(code);
    if (const int number = ThreeDigitCode(code); number >= 0) {
        int& slot = byDigits_[static_cast<std::size_t>(number)];
        if (slot >= 0) return false;
        slot = value;
        return true;
    }
    return code.size() > 3 || others_.try_emplace(packed(code), value).second;
}

int UnitCodes::CodeMap::find(std::string_view code) const {
    if (const int number = ThreeDigitCode(code); number >= 0)
        return byDigits_[static_cast<std::size_t>(number)];
    if (code.size() > 3) return -1;
    const auto it = others_.find(packed(code));
    return it == others_.end() ? -1 : it->second;
}

UnitCodes::UnitCodes(const modMain& data) {
    // The unit of an entry is the first slot with its code, whatever its type.
    for (int k = data.RateCount; k >= 1; --k)
        firstSlot_[data.RateTbl[static_cast<std::size_t>(k)].Code.view()] = k;
    CodeMap seen;
    for (int k = 1; k <= data.RateCount; ++k) {
        const std::string_view code = data.RateTbl[static_cast<std::size_t>(k)].Code.view();
        if (!Trimmed(code).empty() && !seen.insertIfAbsent(code, k))
            shared_.insertIfAbsent(code, k);
    }
    fill(counties_, data, kCountyUnit, PlaceholderCodes::NoCounty);
    fill(cities_, data, kCityUnit, PlaceholderCodes::NoCity);
    fill(schools_, data, kSchoolUnit, PlaceholderCodes::NoSchool);
    for (int i = 1; i <= data.SpclCount; ++i) {
        const std::string_view code =
            Trimmed(data.SpclTbl[static_cast<std::size_t>(i)].Code.view());
        int group = districtsByCode_.find(code);
        if (group < 0) {
            group = static_cast<int>(districtGroups_.size());
            districtGroups_.emplace_back();
            districtsByCode_.insertIfAbsent(code, group);
        }
        districtGroups_[static_cast<std::size_t>(group)].push_back(i);
        if (data.SpclSel[static_cast<std::size_t>(i)].Selected.equals("Y")) selected_.push_back(i);
    }
}

void UnitCodes::fill(List& list, const modMain& data, char unitType, std::string_view placeholder) {
    const char type[1] = {unitType};
    for (int k = 1; k <= data.RateCount; ++k) {
        const Jurisdiction& unit = data.RateTbl[static_cast<std::size_t>(k)];
        if (!unit.UnitType.equals(std::string_view(type, 1))) continue;
        const std::string_view code = unit.Code.view();
        const auto e = static_cast<int>(list.entries.size());
        list.entries.push_back(ListEntry{&data.RateTbl[static_cast<std::size_t>(firstSlot_[code])],
                                         code == PlaceholderCodes::NoCounty,
                                         shared_.find(Trimmed(code)) >= 0});
        list.byCode.insertIfAbsent(code, e);
        if (list.placeholder < 0 && code == placeholder) list.placeholder = e;
    }
}

const ListEntry* UnitCodes::findOther(const List& list, std::string_view code) {
    code = Trimmed(code);
    return entryAt(list, code.empty() ? list.placeholder : list.byCode.find(code));
}

std::size_t UnitCodes::districtCount(std::string_view code) const {
    const int group = districtsByCode_.find(Trimmed(code));
    return group < 0 ? 0 : districtGroups_[static_cast<std::size_t>(group)].size();
}

std::optional<std::string_view> UnitCodes::districtsOf(std::span<const std::string_view> codes,
                                                       bool onlyOne,
                                                       std::vector<int>& slots) const {
    const std::size_t before = slots.size();
    for (std::string_view code : codes) {
        code = Trimmed(code);
        if (code.empty()) continue;
        const int group = districtsByCode_.find(code);
        if (group < 0) return code;
        const std::vector<int>& found = districtGroups_[static_cast<std::size_t>(group)];
        if (onlyOne && found.size() > 1) return code;
        slots.insert(slots.end(), found.begin(), found.end());
    }
    // Districts are added up in table order, as the window adds them.
    std::sort(slots.begin() + static_cast<std::ptrdiff_t>(before), slots.end());
    slots.erase(std::unique(slots.begin() + static_cast<std::ptrdiff_t>(before), slots.end()),
                slots.end());
    return std::nullopt;
}

} // namespace levywise
