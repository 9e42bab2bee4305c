#pragma once

// The pieces the HTML documents of report/ share: the page's head, a table,
// its rows, a picture. Text from a rate file or a path is escaped by the
// caller (HtmlEscaped) before it becomes a cell.

#include <string>
#include <string_view>
#include <vector>

#include "charts/bar_chart.h"

namespace levywise::html {

// The document up to its heading: UTF-8, no scripts, no external resources.
std::string Head(std::string_view title);

inline constexpr const char* kTable = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n";

// A row of cells, each already HTML, the first a heading cell; figures are
// aligned right.
std::string Row(const std::vector<std::string>& cells, bool figures = true,
                std::string_view attributes = {});

// A picture whose figures the tables around it already hold.
std::string PictureBlock(const Picture& picture);

} // namespace levywise::html
