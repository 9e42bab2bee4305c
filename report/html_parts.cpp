#include "report/html_parts.h"

namespace levywise::html {

std::string Head(std::string_view title) {
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + std::string(title) +
           "</title></head>\n<body style=\"font-family: sans-serif; font-size: 10pt\">\n<h1>" +
           std::string(title) + "</h1>\n";
}

std::string Row(const std::vector<std::string>& cells, bool figures, std::string_view attributes) {
    std::string html = "<tr" + std::string(attributes) + ">";
    bool first = true;
    for (const std::string& cell : cells) {
        html += first ? "<th align=\"left\">" + cell + "</th>"
                      : (figures ? "<td align=\"right\">" : "<td>") + cell + "</td>";
        first = false;
    }
    return html + "</tr>\n";
}

std::string PictureBlock(const Picture& picture) {
    return "<div class=\"picture\">\n" + picture.Svg + "</div>\n";
}

} // namespace levywise::html
