#include "ratedata/mod_main.h"

#include <cctype>

namespace levywise {

modMain::modMain()
    : RateTbl(kRateSlots + 1), SpclTbl(kSpecialSlots + 1), SpclSel(kSpecialSlots + 1) {}

std::string RequiredVersionFrom(std::string_view versionConstant) {
    std::string upper(versionConstant);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto p = upper.find('V');
    if (p == std::string::npos) return {};
    return upper.substr(p);
}

std::string ItemText(const Jurisdiction& unit) {
    std::string text(unit.Name.view());
    text.append(20, ' ');
    text.append(unit.Code.view());
    return text;
}

std::string_view CodeOfItem(std::string_view itemText) {
    return itemText.size() <= 3 ? itemText : itemText.substr(itemText.size() - 3);
}

} // namespace levywise
