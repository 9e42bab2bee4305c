#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ratedata/mod_main.h"
#include "ratedata/text.h"

namespace levywise {

// The number a code of three digits stands for, else -1.
inline int ThreeDigitCode(std::string_view code) {
    if (code.size() != 3) return -1;
    const unsigned hundreds = static_cast<unsigned char>(code[0]) - unsigned{'0'};
    const unsigned tens = static_cast<unsigned char>(code[1]) - unsigned{'0'};
    const unsigned ones = static_cast<unsigned char>(code[2]) - unsigned{'0'};
    if (hundreds > 9 || tens > 9 || ones > 9) return -1;
    return static_cast<int>(hundreds * 100 + tens * 10 + ones);
}

// An entry of the county, city or school list.
struct ListEntry {
    const Jurisdiction* Unit; // the unit the calculation takes for it: the first slot with its code
    bool NoCounty;            // the " No County" code: no special district is taxed
    bool Shared;              // more than one unit of the table has its code
};

// Finds list entries and special districts by code, in constant time. A code
// is compared without the blanks around it; an empty code stands for the
// list's "no unit" entry. Built once per table, which must outlive it.
class UnitCodes {
public:
    explicit UnitCodes(const modMain& data);

    // Null when the list has no entry with this code. The first entry of the
    // list with the code is taken, as the window shows it first.
    const ListEntry* county(std::string_view code) const { return find(counties_, code); }
    const ListEntry* city(std::string_view code) const { return find(cities_, code); }
    const ListEntry* school(std::string_view code) const { return find(schools_, code); }

    // The districts of the codes (empty ones ignored), added to slots in
    // table order, each once; the first code that names none, or more than
    // one when only one may be named, if any.
    std::optional<std::string_view> districtsOf(std::span<const std::string_view> codes,
                                                bool onlyOne, std::vector<int>& slots) const;
    // The number of districts with the code.
    std::size_t districtCount(std::string_view code) const;

    // The districts whose Selected flag was "Y" when this was built.
    std::span<const int> selectedDistricts() const { return selected_; }

private:
    // Codes (without the blanks around them) to positions; the first of
    // equal codes is kept. Most codes are three digits: those are looked up
    // directly, which is cheaper than hashing.
    class CodeMap {
    public:
        CodeMap() { byDigits_.fill(-1); }
        // False when the code was there already.
        bool insertIfAbsent(std::string_view code, int value);
        int find(std::string_view code) const;
        int findThreeDigits(int number) const {
            return byDigits_[static_cast<std::size_t>(number)];
        }

    private:
        std::array<int, 1000> byDigits_;
        std::unordered_map<std::uint32_t, int> others_;
    };

    struct List {
        std::vector<ListEntry> entries;
        CodeMap byCode;
        int placeholder = -1;
    };

    void fill(List& list, const modMain& data, char unitType, std::string_view placeholder);
    // Codes of three digits, most of those typed, are found without a call.
    static const ListEntry* find(const List& list, std::string_view code) {
        const int number = ThreeDigitCode(code);
        return number < 0 ? findOther(list, code)
                          : entryAt(list, list.byCode.findThreeDigits(number));
    }
    static const ListEntry* findOther(const List& list, std::string_view code);
    static const ListEntry* entryAt(const List& list, int e) {
        return e < 0 ? nullptr : &list.entries[static_cast<std::size_t>(e)];
    }

    std::unordered_map<std::string_view, int> firstSlot_; // exact code to its first slot
    List counties_, cities_, schools_;
    std::vector<std::vector<int>> districtGroups_;
    CodeMap districtsByCode_;
    CodeMap shared_; // codes of more than one slot of the table
    std::vector<int> selected_;
};

} // namespace levywise
