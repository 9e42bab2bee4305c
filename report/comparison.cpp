#include "report/comparison.h"

#include <algorithm>

#include "ratedata/formats.h"
#include "report/captions.h"
#include "report/labels.h"

namespace levywise {
namespace {

constexpr const char* kNoPercent = "\xE2\x80\x94"; // an em dash

// a / b, rounded to the nearest whole number, a half away from zero; b > 0.
__int128 divideRounded(__int128 a, __int128 b) {
    __int128 quotient = a / b;
    const __int128 rest = a % b;
    if (2 * (rest < 0 ? -rest : rest) >= b) quotient += a < 0 ? -1 : 1;
    return quotient;
}

// Hundredths as a decimal with two places: 1234 -> "12.34", -5 -> "-0.05".
std::string hundredthsText(__int128 hundredths) {
    const bool negative = hundredths < 0;
    unsigned __int128 size = negative ? -static_cast<unsigned __int128>(hundredths)
                                      : static_cast<unsigned __int128>(hundredths);
    std::string digits;
    do {
        digits += static_cast<char>('0' + static_cast<int>(size % 10));
        size /= 10;
    } while (size != 0 || digits.size() < 3);
    digits.insert(2, 1, '.');
    if (negative) digits += '-';
    std::reverse(digits.begin(), digits.end());
    return digits;
}

ComparisonRow moneyRow(std::string label, const MoneyChange& change) {
    return {RowKind::Money,        std::move(label),   MoneyText(change.Kept),
            MoneyText(change.Now), ChangeText(change), false};
}

std::string districtLabel(const EstimateRecord& r, const DistrictEstimate& d) {
    const Jurisdiction& unit = r.district(d);
    return Displayed(FieldShown(unit.Code.view())) + " " + Displayed(FieldShown(unit.Name.view()));
}

std::int64_t taxCents(const DistrictEstimate& d) { return CentsAsShown(d.Tax); }

// Each special district's row, matched by code; one taxed on one side only
// is blank on the other.
void addDistrictRows(Comparison& c, const EstimateRecord& kept, const EstimateRecord& now) {
    for (const MatchedDistrict& m : MatchedDistricts(kept, now)) {
        ComparisonRow row =
            moneyRow(m.Now ? districtLabel(now, *m.Now) : districtLabel(kept, *m.Kept),
                     ChangeOf(m.Kept ? taxCents(*m.Kept) : 0, m.Now ? taxCents(*m.Now) : 0));
        if (!m.Kept) row.Kept.clear();
        if (!m.Now) row.Now.clear();
        c.Rows.push_back(std::move(row));
    }
}

} // namespace

std::vector<MatchedDistrict> MatchedDistricts(const EstimateRecord& kept,
                                              const EstimateRecord& now) {
    std::vector<MatchedDistrict> pairs;
    std::vector<bool> matched(now.Districts.size(), false);
    for (const DistrictEstimate& k : kept.Districts) {
        const std::string code = FieldShown(kept.district(k).Code.view());
        std::size_t n = 0;
        while (n < now.Districts.size() &&
               (matched[n] || FieldShown(now.district(now.Districts[n]).Code.view()) != code))
            ++n;
        if (n < now.Districts.size()) matched[n] = true;
        pairs.push_back({&k, n < now.Districts.size() ? &now.Districts[n] : nullptr});
    }
    for (std::size_t n = 0; n < now.Districts.size(); ++n)
        if (!matched[n]) pairs.push_back({nullptr, &now.Districts[n]});
    return pairs;
}

std::int64_t MonthlyCents(std::int64_t yearCents) {
    return static_cast<std::int64_t>(divideRounded(yearCents, 12));
}

std::string PercentText(std::int64_t part, std::int64_t whole) {
    if (whole == 0) return {};
    const __int128 size = whole < 0 ? -static_cast<__int128>(whole) : whole;
    return hundredthsText(divideRounded(static_cast<__int128>(part) * 10000, size));
}

std::string ShareOfValueText(const EstimateRecord& r) {
    const std::string percent = PercentText(r.TotTaxCents, CentsAsShown(r.AprVal));
    return percent.empty() ? kNoPercent : percent + "%";
}

MoneyChange ChangeOf(std::int64_t keptCents, std::int64_t nowCents) {
    // Both lie within the range of money, so their difference fits.
    return {keptCents, nowCents, nowCents - keptCents,
            PercentText(nowCents - keptCents, keptCents)};
}

std::string ChangeText(const MoneyChange& c) {
    std::string text = (c.Change > 0 ? "+" : "") + MoneyText(c.Change) + " (";
    if (c.Percent.empty()) return text + kNoPercent + ")";
    const bool rise = c.Percent != "0.00" && c.Percent.front() != '-';
    return text + (rise ? "+" : "") + c.Percent + "%)";
}

Comparison Compare(const EstimateRecord& kept, const EstimateRecord& now) {
    Comparison c;
    const std::vector<InputLine> keptInputs = InputLines(kept);
    const std::vector<InputLine> nowInputs = InputLines(now);
    for (std::size_t i = 0; i < keptInputs.size(); ++i)
        c.Rows.push_back({RowKind::Input,
                          keptInputs[i].Label,
                          keptInputs[i].Text,
                          nowInputs[i].Text,
                          {},
                          keptInputs[i].Text != nowInputs[i].Text});

    c.County = ChangeOf(kept.County.TaxCents, now.County.TaxCents);
    c.City = ChangeOf(kept.City.TaxCents, now.City.TaxCents);
    c.School = ChangeOf(kept.School.TaxCents, now.School.TaxCents);
    c.Special = ChangeOf(kept.SpclTaxCents, now.SpclTaxCents);
    c.Total = ChangeOf(kept.TotTaxCents, now.TotTaxCents);
    c.Monthly = ChangeOf(MonthlyCents(kept.TotTaxCents), MonthlyCents(now.TotTaxCents));

    c.Rows.push_back(moneyRow(captions::kUnits[0].Tab, c.County));
    c.Rows.push_back(moneyRow(captions::kUnits[1].Tab, c.City));
    c.Rows.push_back(moneyRow(captions::kUnits[2].Tab, c.School));
    addDistrictRows(c, kept, now);
    c.Rows.push_back(moneyRow(captions::kSpecialTaxRow, c.Special));
    c.Rows.push_back(moneyRow(captions::kTotalTax, c.Total));
    c.Rows.push_back(moneyRow(captions::kTotalPerMonth, c.Monthly));
    c.Rows.push_back({RowKind::Share,
                      captions::kShareOfValue,
                      ShareOfValueText(kept),
                      ShareOfValueText(now),
                      {},
                      false});
    return c;
}

std::string TsvCell(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char ch) { return ch == '\t' || ch == '\n' || ch == '\r'; },
        ' ');
    return text;
}

std::string ComparisonTsv(const Comparison& comparison) {
    std::string text = "\tKept\tNow\tChange\n";
    for (const ComparisonRow& row : comparison.Rows)
        text += TsvCell(row.Label) + '\t' + TsvCell(row.Kept) + '\t' + TsvCell(row.Now) + '\t' +
                TsvCell(row.Change) + '\n';
    return text;
}

} // namespace levywise
