#include "ratedata/mod_main.h"

namespace levywise {

modMain::modMain()
    : RateTbl(kRateSlots + 1), SpclTbl(kSpecialSlots + 1), SpclSel(kSpecialSlots + 1) {}

std::string ItemText(const Jurisdiction& unit) {
    std::string text(unit.Name.view());
    text.append(20, ' ');
    text.append(unit.Code.view());
    return text;
}

} // namespace levywise
