#include "report/estimate_text.h"

#include <algorithm>
#include <array>
#include <vector>

#include "ratedata/formats.h"
#include "report/captions.h"
#include "report/labels.h"

namespace levywise {
namespace {

constexpr std::size_t kLabelWidth = 32;
constexpr std::size_t kValueWidth = 16;

std::string trimmedName(std::string_view name) {
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    return Displayed(name);
}

void line(std::string& out, const std::string& label, const std::string& value) {
    out += "  ";
    out += label;
    std::size_t used = Utf8Length(label);
    const std::size_t width = std::max(kLabelWidth, used + 1) + kValueWidth;
    out += ' '; // a figure wider than its column still stands apart
    for (++used; used + value.size() < width; ++used) out += ' ';
    out += value;
    out += '\n';
}

void pad(std::string& text, std::size_t width, const std::string& cell, bool right) {
    const std::string blanks(width - Utf8Length(cell), ' ');
    text += right ? blanks + cell : cell + blanks;
}

// The rows of one kind or the other as a block of aligned columns under a
// heading line: the inputs' texts aligned left, the figures right.
void addBlock(std::string& text, const Comparison& c, bool inputs) {
    const ComparisonRow heading{RowKind::Input, "", "A", "B", inputs ? "" : "Change"};
    std::vector<const ComparisonRow*> rows{&heading};
    for (const ComparisonRow& row : c.Rows)
        if ((row.Kind == RowKind::Input) == inputs) rows.push_back(&row);
    std::array<std::size_t, 3> width{};
    for (const ComparisonRow* row : rows) {
        width[0] = std::max(width[0], Utf8Length(row->Label));
        width[1] = std::max(width[1], Utf8Length(row->Kept));
        width[2] = std::max(width[2], Utf8Length(row->Now));
    }
    for (const ComparisonRow* row : rows) {
        std::string cells = row->Differs ? "* " : "  ";
        pad(cells, width[0], row->Label, false);
        cells += "  ";
        pad(cells, width[1], row->Kept, !inputs);
        cells += "  ";
        pad(cells, width[2], row->Now, !inputs);
        cells += "  " + row->Change;
        cells.erase(cells.find_last_not_of(' ') + 1);
        text += cells + '\n';
    }
}

} // namespace

std::size_t Utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

std::string EstimateText(const EstimateRecord& r) {
    const EstimateLabels e = LabelsOf(r);
    std::string out;
    for (const captions::Unit& unit : captions::kUnits) {
        const UnitLabels& u = e.*unit.Labels;
        out += unit.Tab;
        out += ": " + trimmedName(u.TotName) + " (" +
               Displayed(CodeShown(*(r.*unit.Figures).Unit)) + ")\n";
        for (const captions::UnitRow& row : captions::kUnitRows) line(out, row.Text, u.*row.Figure);
        out += '\n';
    }

    out += captions::kDistrictsTaxed;
    out += '\n';
    if (r.Districts.empty()) out += "  none\n";
    for (const DistrictEstimate& d : r.Districts) {
        const Jurisdiction& unit = r.district(d);
        line(out, trimmedName(unit.Name.view()) + " (" + Displayed(CodeShown(unit)) + ")",
             MoneyText(CentsAsShown(d.Tax)));
    }
    out += '\n';

    out += "Total Tax\n";
    for (const captions::Unit& unit : captions::kUnits)
        line(out, trimmedName((e.*unit.Labels).TotName), (e.*unit.Labels).TotTax);
    line(out, captions::kSpecialTax, e.TotSpclTax);
    line(out, captions::kTotalTax, e.TotTax);
    out += captions::kFootnote;
    out += '\n';
    return out;
}

std::string ComparisonText(const Comparison& c) {
    std::string text;
    addBlock(text, c, true);
    text += '\n';
    addBlock(text, c, false);
    return text + "\n* the inputs that differ. Each change is B minus A, in percent of A.\n";
}

} // namespace levywise
