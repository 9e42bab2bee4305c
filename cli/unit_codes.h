#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ratedata/mod_main.h"
#include "ratedata/text.h"

namespace levywise::cli {

// The number a code of three digits stands for, else -1.
inline int ThreeDigitCode(std::string_view code) {
    if (code.size() != 3) return -1;
    const unsigned hundreds = static_cast<unsigned char>(code[0]) - unsigned{'0'};
    const unsigned tens = static_cast<unsigned char>(code[1]) - unsigned{'0'};
    const unsigned ones = static_cast<unsigned char>(code[2]) - unsigned{'0'};
    if (hundreds > 9 || tens > 9 || ones > 9) return -1;
    return static_cast<int>(hundreds * 100 + tens * 10 + ones);
}

// An entry of the county, city or school list, chosen by its code.
struct ListEntry {
    std::string Item;         // the entry's text: name, blanks, code
    const Jurisdiction* Unit; // the unit the calculation takes for it
    bool NoCounty;            // the " No County" code: no special district is taxed
};

// Finds list entries and special districts by the code a user typed, in
// constant time. A code is compared without the blanks around it; an empty
// code stands for the list's "no unit" entry. Built once per loaded table,
// which must outlive it.
class UnitCodes {
public:
    explicit UnitCodes(const modMain& data);

    // Null when the list has no entry with this code. The first entry of the
    // list with the code is taken, as the window would show it first.
    const ListEntry* county(std::string_view code) const { return find(counties_, code); }
    const ListEntry* city(std::string_view code) const { return find(cities_, code); }
    const ListEntry* school(std::string_view code) const { return find(schools_, code); }

    // Whether more than one unit of the table has this (non-empty) code: the
    // calculation would take one of them unseen, so a command refuses it.
    bool shared(std::string_view code) const { return shared_.find(Trimmed(code)) >= 0; }

    // The special-district slots (1..SpclCount) with this code, ascending;
    // empty when there is none.
    std::span<const int> districts(std::string_view code) const;

    // The districts of a list of codes separated by separator (blanks around
    // a code and empty entries ignored), added to slots in table order, each
    // once; the first code that names no district or more than one, if any
    // (districts() tells which).
    std::optional<std::string_view> districtsOf(std::string_view list, char separator,
                                                std::vector<int>& slots) const;

    // The districts selected when the table was loaded (the file's defaults).
    std::span<const int> defaultDistricts() const { return defaults_; }

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

    static void fill(List& list, const modMain& data, char unitType, std::string_view placeholder);
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

    List counties_, cities_, schools_;
    std::vector<std::vector<int>> districtGroups_;
    CodeMap districtsByCode_;
    CodeMap shared_; // codes of more than one slot of the table
    std::vector<int> defaults_;
};

} // namespace levywise::cli
