#include "report/history.h"

#include <algorithm>

#include "ratedata/formats.h"
#include "report/estimate_text.h"
#include "report/html_parts.h"
#include "report/pictures.h"
#include "report/worksheet_html.h"

namespace levywise {
namespace {

constexpr const char* kNote = "A blank: the rate file has no such unit or district, or does not "
                              "tax it. Each change is the last file's figure minus the first's, "
                              "in percent of the first's.";

// The row's cells after its label: one per file, then the change.
std::vector<std::string> cellsOf(const HistoryRow& row) {
    std::vector<std::string> cells;
    for (const std::optional<std::int64_t>& cents : row.Cents)
        cells.push_back(cents ? MoneyText(*cents) : std::string());
    cells.push_back(row.Change ? ChangeText(*row.Change) : std::string());
    return cells;
}

// The heading line's cells after its empty first one.
std::vector<std::string> headingOf(const History& h) {
    std::vector<std::string> cells = h.FileLabels;
    cells.push_back("Change");
    return cells;
}

} // namespace

std::string HistoryText(const History& h) {
    std::vector<std::vector<std::string>> lines{{""}};
    for (std::string& cell : headingOf(h)) lines.back().push_back(std::move(cell));
    for (const HistoryRow& row : h.Rows) {
        lines.push_back({row.Label});
        for (std::string& cell : cellsOf(row)) lines.back().push_back(std::move(cell));
    }
    std::vector<std::size_t> width(lines.front().size(), 0);
    for (const std::vector<std::string>& line : lines)
        for (std::size_t c = 0; c < line.size(); ++c)
            width[c] = std::max(width[c], Utf8Length(line[c]));
    std::string text;
    for (const std::vector<std::string>& line : lines) {
        std::string cells;
        for (std::size_t c = 0; c < line.size(); ++c) {
            // The label and the change aligned left, the figures right.
            const std::string blanks(width[c] - Utf8Length(line[c]), ' ');
            const bool left = c == 0 || c + 1 == line.size();
            cells += (c == 0 ? "" : "  ") + (left ? line[c] + blanks : blanks + line[c]);
        }
        cells.erase(cells.find_last_not_of(' ') + 1);
        text += cells + '\n';
    }
    return text + '\n' + kNote + '\n';
}

std::string HistoryTsv(const History& h) {
    std::string text;
    for (const std::string& cell : headingOf(h)) text += '\t' + TsvCell(cell);
    text += '\n';
    for (const HistoryRow& row : h.Rows) {
        text += TsvCell(row.Label);
        for (const std::string& cell : cellsOf(row)) text += '\t' + TsvCell(cell);
        text += '\n';
    }
    return text;
}

std::string HistoryHtml(const History& h, std::string_view date) {
    std::string html = html::Head("Property Tax History");
    html += "<p>Date: " + HtmlEscaped(date) + "</p>\n" + html::kTable + "<tr><th></th>";
    for (const std::string& cell : headingOf(h)) html += "<th>" + HtmlEscaped(cell) + "</th>";
    html += "</tr>\n";
    for (const HistoryRow& row : h.Rows) {
        std::vector<std::string> cells{HtmlEscaped(row.Label)};
        for (const std::string& cell : cellsOf(row)) cells.push_back(HtmlEscaped(cell));
        html += html::Row(cells);
    }
    html += std::string("</table>\n<p>") + kNote + "</p>\n";
    return html + html::PictureBlock(OverTheYearsOf(h)) + "</body></html>\n";
}

} // namespace levywise
