#include "ratedata/listing_rows.h"

#include <algorithm>
#include <optional>

#include "ratedata/formats.h"
#include "ratedata/number_text.h"

namespace levywise {
namespace {

bool isPlaceholder(const Jurisdiction& unit) {
    const std::string_view code = unit.Code.view();
    return code == PlaceholderCodes::NoCounty || code == PlaceholderCodes::NoSchool ||
           code == PlaceholderCodes::NoCity;
}

// A never-written name is NUL bytes, which show as nothing.
std::string shownText(std::string_view stored) {
    std::string out(stored);
    out.erase(std::remove(out.begin(), out.end(), '\0'), out.end());
    return out;
}

std::string optHSText(double optHS) {
    if (optHS == 0) return {};
    return optHS <= 1 ? FormatPercent4(optHS) : FormatDollarsWhole(optHS);
}

int compareBytes(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace

std::vector<ListingRow> BuildListingRows(const modMain& data) {
    std::vector<ListingRow> rows;
    const int last = std::min(data.LoadedCount, static_cast<int>(data.RateTbl.size()) - 1);
    for (int i = 1; i <= last; ++i) {
        const Jurisdiction& unit = data.RateTbl[static_cast<std::size_t>(i)];
        if (isPlaceholder(unit)) continue;
        rows.push_back(ListingRow{shownText(unit.Code.view()), shownText(unit.Name.view()),
                                  FormatFixed7(unit.TaxRate), optHSText(unit.OptHS),
                                  FormatGroupedWhole(unit.OptO65.toDouble()),
                                  FormatGroupedWhole(unit.OptDP.toDouble()), unit.UnitType[0]});
    }
    return rows;
}

int CompareListingCells(std::string_view a, std::string_view b) {
    const std::optional<double> x = ParsePlainNumber(a);
    const std::optional<double> y = ParsePlainNumber(b);
    if (x && y) return *x < *y ? -1 : (*y < *x ? 1 : 0);
    if (x) return -1;
    if (y) return 1;
    return compareBytes(a, b);
}

void SortListingRows(std::vector<ListingRow>& rows, ListingColumn column, bool descending) {
    const auto cell = [column](const ListingRow& r) -> const std::string& {
        return column == ListingColumn::Name ? r.Name : r.TaxRate;
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const ListingRow& a, const ListingRow& b) {
        const int c = CompareListingCells(cell(a), cell(b));
        return descending ? c > 0 : c < 0;
    });
}

} // namespace levywise
