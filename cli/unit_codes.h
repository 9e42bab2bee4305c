#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ratedata/mod_main.h"

namespace levywise::cli {

// An entry of the county, city or school list, chosen by its code.
struct ListEntry {
    std::string Item;               // the entry's text: name, blanks, code
    const Jurisdiction* Unit;       // the unit the calculation takes for it
    bool NoCounty;                  // the " No County" code: no special district is taxed
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
    const ListEntry* county(std::string_view code) const;
    const ListEntry* city(std::string_view code) const;
    const ListEntry* school(std::string_view code) const;

    // The special-district slots (1..SpclCount) with this code, ascending;
    // empty when there is none.
    std::span<const int> districts(std::string_view code) const;

    // The districts selected when the table was loaded (the file's defaults).
    std::span<const int> defaultDistricts() const { return defaults_; }

private:
    // Open addressing over packed codes; value -1 when absent.
    class CodeMap {
    public:
        CodeMap();
        void insertIfAbsent(std::uint32_t key, int value);
        int find(std::uint32_t key) const;

    private:
        std::vector<std::uint32_t> keys_;
        std::vector<int> values_;
    };

    struct List {
        std::vector<ListEntry> entries;
        CodeMap byCode;
        int placeholder = -1;
    };

    static void fill(List& list, const modMain& data, char unitType, std::string_view placeholder);
    static const ListEntry* find(const List& list, std::string_view code);

    List counties_, cities_, schools_;
    std::vector<std::vector<int>> districtGroups_;
    CodeMap districtsByCode_;
    std::vector<int> defaults_;
};

// A code as compared: without the blanks around it, packed with its length;
// empty when longer than a code can be.
std::optional<std::uint32_t> PackedCode(std::string_view code);

} // namespace levywise::cli
