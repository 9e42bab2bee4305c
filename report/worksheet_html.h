#pragma once

// The estimate worksheet and the comparison as small self-contained HTML
// documents: UTF-8, no scripts, no external resources, every text from a
// rate file or a path escaped. The window renders them for preview,
// printing and PDF; the command-line tool prints them.

#include <string>
#include <string_view>

#include "calc/record.h"
#include "report/comparison.h"
#include "report/pictures.h"

namespace levywise {

// UTF-8 text with &, <, >, " and ' as character references.
std::string HtmlEscaped(std::string_view utf8);

// "Property Tax Estimate": the date given, the rate file, the inputs, each
// unit's breakdown, the special districts, the totals with their footnote,
// the total per month and as a share of the value, and the picture of where
// the tax goes.
std::string WorksheetHtml(const EstimateRecord& record, std::string_view date);

// What the two sides of a comparison are called in its headings.
struct SideNames {
    std::string_view First = "Kept";
    std::string_view Second = "Now";
};

// "Property Tax Comparison": the date given and the comparison's table, the
// inputs that differ marked, and the picture given (WhatChangedOf), if any.
std::string ComparisonHtml(const Comparison& comparison, std::string_view date,
                           SideNames sides = {}, const Picture* picture = nullptr);

} // namespace levywise
