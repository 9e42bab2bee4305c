#include "report/worksheet_html.h"

#include "ratedata/formats.h"
#include "ratedata/text.h"
#include "report/captions.h"
#include "report/html_parts.h"
#include "report/labels.h"
#include "report/pictures.h"

namespace levywise {
namespace {

using html::kTable;
using html::Row;

std::string labelled(std::string_view label, std::string_view text, bool figure = true) {
    return Row({HtmlEscaped(label), HtmlEscaped(text)}, figure);
}

std::string unitTable(const captions::Unit& unit, const EstimateLabels& e) {
    const UnitLabels& l = e.*unit.Labels;
    std::string html = "<h2>" + std::string(unit.Kind) + ": " + HtmlEscaped(Displayed(l.TotName)) +
                       "</h2>\n" + kTable;
    for (const captions::UnitRow& row : captions::kUnitRows)
        html += labelled(row.Worksheet, l.*row.Figure);
    return html + "</table>\n";
}

std::string districtTable(const EstimateRecord& r) {
    std::string html = "<h2>Special districts</h2>\n";
    if (r.Districts.empty()) return html + "<p>No special district is taxed.</p>\n";
    html += kTable;
    html += "<tr><th>Code</th><th>Name</th><th>Rate</th><th>Tax</th></tr>\n";
    for (const DistrictEstimate& d : r.Districts) {
        const Jurisdiction& unit = r.district(d);
        html += "<tr><td>" + HtmlEscaped(Displayed(FieldShown(unit.Code.view()))) + "</td><td>" +
                HtmlEscaped(Displayed(FieldShown(unit.Name.view()))) + "</td><td align=\"right\">" +
                HtmlEscaped(PlainNumberText(unit.TaxRate)) + "</td><td align=\"right\">" +
                MoneyText(CentsAsShown(d.Tax)) + "</td></tr>\n";
    }
    return html + "</table>\n";
}

std::string totalsTable(const EstimateRecord& r, const EstimateLabels& e) {
    std::string html = std::string("<h2>Totals</h2>\n") + kTable;
    for (const captions::Unit& unit : captions::kUnits)
        html += labelled(Displayed((e.*unit.Labels).TotName), (e.*unit.Labels).TotTax);
    return html + labelled(captions::kSpecialTax, e.TotSpclTax) +
           labelled(captions::kTotalTax, e.TotTax) +
           labelled(captions::kTotalPerMonth, MoneyText(MonthlyCents(r.TotTaxCents))) +
           labelled(captions::kShareOfValue, ShareOfValueText(r)) + "</table>\n<p>" +
           captions::kFootnote + "</p>\n";
}

} // namespace

std::string HtmlEscaped(std::string_view utf8) { return MarkupEscaped(utf8); }

std::string WorksheetHtml(const EstimateRecord& r, std::string_view date) {
    const std::vector<InputLine> inputs = InputLines(r);
    std::string html = html::Head("Property Tax Estimate");
    html += "<p>Date: " + HtmlEscaped(date) + "</p>\n<h2>Property</h2>\n" + kTable;
    for (const InputLine& line : inputs) html += labelled(line.Label, line.Text, false);
    html += "</table>\n";
    const EstimateLabels labels = LabelsOf(r);
    for (const captions::Unit& unit : captions::kUnits) html += unitTable(unit, labels);
    html += districtTable(r) + totalsTable(r, labels) + html::PictureBlock(WhereTheTaxGoesOf(r));
    html += "<p>This is an estimate from the rate file " + HtmlEscaped(r.Rates->Source.Path) +
            " (" + HtmlEscaped(inputs.back().Text) +
            "), not a tax bill: the taxes levied may differ.</p>\n</body></html>\n";
    return html;
}

std::string ComparisonHtml(const Comparison& c, std::string_view date, SideNames sides,
                           const Picture* picture) {
    const std::string first = HtmlEscaped(sides.First);
    const std::string second = HtmlEscaped(sides.Second);
    std::string html = html::Head("Property Tax Comparison");
    html += "<p>Date: " + HtmlEscaped(date) + "</p>\n" + kTable;
    html += "<tr><th></th><th>" + first + "</th><th>" + second + "</th><th>Change</th></tr>\n";
    for (const ComparisonRow& r : c.Rows) {
        const std::string mark = r.Differs ? "<b>" : "";
        const std::string unmark = r.Differs ? "</b>" : "";
        html += Row({mark + HtmlEscaped(r.Label) + unmark, mark + HtmlEscaped(r.Kept) + unmark,
                     mark + HtmlEscaped(r.Now) + unmark, HtmlEscaped(r.Change)},
                    r.Kind != RowKind::Input, r.Differs ? " bgcolor=\"#ffd27f\"" : "");
    }
    html += "</table>\n<p>Inputs that differ are marked. Each change is " + second + " minus " +
            first + ", in percent of " + first + ".</p>\n";
    if (picture) html += html::PictureBlock(*picture);
    return html + "</body></html>\n";
}

} // namespace levywise
