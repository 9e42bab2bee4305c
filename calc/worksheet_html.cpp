#include "calc/worksheet_html.h"

#include <initializer_list>
#include <utility>

#include "ratedata/formats.h"

namespace levywise {
namespace {

constexpr const char* kFootnote = "*Special District Tax includes all special districts selected";

std::string head(std::string_view title) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + std::string(title) +
           "</title></head>\n<body style=\"font-family: sans-serif; font-size: 10pt\">\n<h1>" +
           std::string(title) + "</h1>\n";
}

constexpr const char* kTable = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";

// A row of cells, each already HTML, the first a heading cell; figures are
// aligned right.
std::string row(std::initializer_list<std::string> cells, bool figures = true,
                std::string_view attributes = {}) {
    std::string html = "<tr" + std::string(attributes) + ">";
    bool first = true;
    for (const std::string& cell : cells) {
        html += first ? "<th align=\"left\">" + cell + "</th>"
                      : (figures ? "<td align=\"right\">" : "<td>") + cell + "</td>";
        first = false;
    }
    return html + "</tr>\n";
}

std::string labelled(std::string_view label, std::string_view text, bool figure = true) {
    return row({HtmlEscaped(label), HtmlEscaped(text)}, figure);
}

std::string unitTable(std::string_view kind, const UnitRecord& unit) {
    const UnitLabels& l = unit.Labels;
    return "<h2>" + std::string(kind) + ": " + HtmlEscaped(Displayed(l.TotName)) + "</h2>\n" +
           kTable + labelled("Appraised Value", l.AprVal) +
           labelled("- Value of gen. HS", l.HSVal) + labelled("- Value of O65 or DP HS", l.O65Val) +
           labelled("- Value of Vet Exemption", l.VetVal) + labelled("Net taxable value", l.NTV) +
           labelled("Tax base (net taxable value/100)", l.Base1) + labelled("Tax rate", l.TRate) +
           labelled("Tax", l.Tax) + "</table>\n";
}

std::string districtTable(const EstimateRecord& r) {
    std::string html = "<h2>Special districts</h2>\n";
    if (r.Districts.empty()) return html + "<p>No special district is taxed.</p>\n";
    html += kTable;
    html += "<tr><th>Code</th><th>Name</th><th>Rate</th><th>Tax</th></tr>\n";
    for (const DistrictRecord& d : r.Districts)
        html += "<tr><td>" + HtmlEscaped(Displayed(d.Code)) + "</td><td>" +
                HtmlEscaped(Displayed(d.Name)) + "</td><td align=\"right\">" + HtmlEscaped(d.Rate) +
                "</td><td align=\"right\">" + MoneyText(d.TaxCents) + "</td></tr>\n";
    return html + "</table>\n";
}

std::string totalsTable(const EstimateRecord& r) {
    return std::string("<h2>Totals</h2>\n") + kTable +
           labelled(Displayed(r.County.Labels.TotName), r.County.Labels.TotTax) +
           labelled(Displayed(r.City.Labels.TotName), r.City.Labels.TotTax) +
           labelled(Displayed(r.School.Labels.TotName), r.School.Labels.TotTax) +
           labelled("Special District Tax*", MoneyText(r.SpclTaxCents)) +
           labelled("Total Taxes", MoneyText(r.TotTaxCents)) +
           labelled("Total per month", MoneyText(MonthlyCents(r.TotTaxCents))) +
           labelled("Share of appraised value", ShareOfValueText(r)) + "</table>\n<p>" + kFootnote +
           "</p>\n";
}

} // namespace

std::string HtmlEscaped(std::string_view utf8) {
    std::string html;
    html.reserve(utf8.size());
    for (const char c : utf8) {
        switch (c) {
        case '&': html += "&amp;"; break;
        case '<': html += "&lt;"; break;
        case '>': html += "&gt;"; break;
        case '"': html += "&quot;"; break;
        case '\'': html += "&#39;"; break;
        default: html += c;
        }
    }
    return html;
}

std::string WorksheetHtml(const EstimateRecord& r, std::string_view date) {
    const std::vector<InputLine> inputs = InputLines(r);
    std::string html = head("Property Tax Estimate");
    html += "<p>Date: " + HtmlEscaped(date) + "</p>\n<h2>Property</h2>\n" + kTable;
    for (const InputLine& line : inputs) html += labelled(line.Label, line.Text, false);
    html += "</table>\n";
    html += unitTable("County", r.County) + unitTable("City", r.City) +
            unitTable("School", r.School) + districtTable(r) + totalsTable(r);
    html += "<p>This is an estimate from the rate file " + HtmlEscaped(r.Source.Path) + " (" +
            HtmlEscaped(inputs.back().Text) +
            "), not a tax bill: the taxes levied may differ.</p>\n</body></html>\n";
    return html;
}

std::string ComparisonHtml(const Comparison& c, std::string_view date, SideNames sides) {
    const std::string first = HtmlEscaped(sides.First);
    const std::string second = HtmlEscaped(sides.Second);
    std::string html = head("Property Tax Comparison");
    html += "<p>Date: " + HtmlEscaped(date) + "</p>\n" + kTable;
    html += "<tr><th></th><th>" + first + "</th><th>" + second + "</th><th>Change</th></tr>\n";
    for (const ComparisonRow& r : c.Rows) {
        const std::string mark = r.Differs ? "<b>" : "";
        const std::string unmark = r.Differs ? "</b>" : "";
        html += row({mark + HtmlEscaped(r.Label) + unmark, mark + HtmlEscaped(r.Kept) + unmark,
                     mark + HtmlEscaped(r.Now) + unmark, HtmlEscaped(r.Change)},
                    r.Kind != RowKind::Input, r.Differs ? " bgcolor=\"#ffd27f\"" : "");
    }
    html += "</table>\n<p>Inputs that differ are marked. Each change is " + second + " minus " +
            first + ", in percent of " + first + ".</p>\n</body></html>\n";
    return html;
}

} // namespace levywise
