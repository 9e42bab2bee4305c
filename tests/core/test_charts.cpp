#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "charts/over_the_years.h"
#include "charts/what_changed.h"
#include "charts/where_tax_goes.h"
#include "ratedata/text.h"

namespace levywise {
namespace {

// Relative luminance of "#RRGGBB", as contrast ratios take it.
double luminance(const std::string& hex) {
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
        const double c = std::stoi(hex.substr(1 + 2 * i, 2), nullptr, 16) / 255.0;
        sum += weights[i] * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

// The picture read back: its texts in order, a bar written as "[width fill]"
// before the label beside it; checks what every picture must hold.
std::vector<std::string> readBack(const Picture& picture) {
    const std::string& svg = picture.Svg;
    std::smatch m;
    EXPECT_TRUE(std::regex_search(svg, m,
                                  std::regex(R"re(^<svg [^>]*width="(\d+)" height="(\d+)" )re"
                                             R"re(viewBox="0 0 \1 \2" role="img" )re"
                                             R"re(aria-labelledby="([a-z-]+) ([a-z-]+)")re")))
        << svg.substr(0, 200);
    const long width = std::stol(m[1]), height = std::stol(m[2]);
    const std::string titleId = m[3], descId = m[4];
    EXPECT_NE(svg.find("<title id=\"" + titleId + "\">" + MarkupEscaped(picture.Title) + "<"),
              std::string::npos);
    EXPECT_TRUE(
        std::regex_search(svg, m, std::regex("<desc id=\"" + descId + "\">([^<]*)</desc>")));
    const std::string desc = m[1];
    EXPECT_EQ(desc, MarkupEscaped(picture.Description));

    const std::regex element(R"re(<(text|rect class="bar") x="(\d+)" y="(\d+)")re"
                             R"re((?: width="(\d+)" height="(\d+)" fill="(#[0-9A-F]{6})")?)re"
                             R"re([^>]*>(?:([^<]*)</text>)?)re");
    std::vector<std::string> lines;
    std::string pendingBar;
    long barEnd = 0, barTop = 0, barBottom = 0, lastY = 0;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), element);
         it != std::sregex_iterator(); ++it) {
        const std::smatch& e = *it;
        const long x = std::stol(e[2]), y = std::stol(e[3]);
        if (e[1] != "text") {
            EXPECT_GE(1.05 / (luminance(e[6]) + 0.05), 3.0) << e[6]; // against white
            barEnd = x + std::stol(e[4]);
            barTop = y;
            barBottom = y + std::stol(e[5]);
            pendingBar = "[" + std::string(e[4]) + " " + std::string(e[6]) + "] ";
            continue;
        }
        const std::string text = e[7];
        EXPECT_GT(y, lastY) << text; // no two texts on one line
        EXPECT_LE(x + static_cast<long>(text.size()) * 5, width) << text;
        EXPECT_LE(y, height) << text;
        if (!pendingBar.empty()) { // the label beside its bar, not over it
            EXPECT_GE(x, barEnd) << text;
            EXPECT_TRUE(y > barTop && y <= barBottom) << text;
        }
        lastY = y;
        if (!lines.empty()) { // the title aside, every text is said in words too
            EXPECT_NE(desc.find(text), std::string::npos) << text;
        }
        lines.push_back(pendingBar + text);
        pendingBar.clear();
    }
    return lines;
}

constexpr const char* kDark = "#1F4E79";
constexpr const char* kLight = "#6C8EBF";
std::string bar(int width, const char* fill) {
    return "[" + std::to_string(width) + " " + fill + "] ";
}

TEST(Charts, EveryFigureInProportionAndInWords) {
    const std::string longName(150, 'W');
    struct Case {
        Picture picture;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {// largest first, ties in the order given, names escaped, lengths rounded
         WhereTheTaxGoesPicture({{"CITY", 25000},
                                 {"COUNTY   ", 50000},
                                 {"MUD <1> & \"A\"", 25000},
                                 {"ESD", 12345},
                                 {"NONE", 0}},
                                112345),
         {"Where the tax goes", bar(480, kDark) + "COUNTY $500.00",
          bar(240, kDark) + "CITY $250.00",
          bar(240, kDark) + "MUD &lt;1&gt; &amp; &quot;A&quot; $250.00",
          bar(119, kDark) + "ESD $123.45", bar(0, kDark) + "NONE $0.00", "Total Taxes $1,123.45"}},
        {// one unit: the full length; Windows-1252 decoded, controls replaced, room for a long name
         WhereTheTaxGoesPicture({{"CAF\xC9 \x80\x81\x01" + longName, 1}}, 1),
         {"Where the tax goes",
          bar(480, kDark) + "CAF\xC3\x89 \xE2\x82\xAC\xEF\xBF\xBD\xEF\xBF\xBD" + longName +
              " $0.01",
          "Total Taxes $0.01"}},
        {// nothing to scale by: no length, no division
         WhereTheTaxGoesPicture({{"A", 0}, {"B", -500}}, -500),
         {"Where the tax goes", bar(0, kDark) + "A $0.00", bar(0, kDark) + "B -$5.00",
          "Total Taxes -$5.00"}},
        {// one scale for both sides of every unit
         WhatChangedPicture({{"COUNTY", 50000, 60000, "+$100.00 (+20.00%)"},
                             {"CITY", 20000, 0, "-$200.00 (-100.00%)"}}),
         {"What changed", "COUNTY", bar(400, kLight) + "Kept $500.00",
          bar(480, kDark) + "Now $600.00", "Change +$100.00 (+20.00%)", "CITY",
          bar(160, kLight) + "Kept $200.00", bar(0, kDark) + "Now $0.00",
          "Change -$200.00 (-100.00%)"}},
        {// a unit missing from a file, a series shorter than the files: blank there
         OverTheYearsPicture({"2026", "2027 \xE2\x80\x93 draft", "2028"},
                             {{"COUNTY", {40000, 60000, 48000}},
                              {"MUD 5", {std::nullopt, 30000, 0}},
                              {"GONE", {20000}}}),
         {"Over the years", "COUNTY", bar(320, kDark) + "2026 $400.00",
          bar(480, kLight) + "2027 \xE2\x80\x93 draft $600.00", bar(384, kDark) + "2028 $480.00",
          "MUD 5", "2026 not in this file", bar(240, kLight) + "2027 \xE2\x80\x93 draft $300.00",
          bar(0, kDark) + "2028 $0.00", "GONE", bar(160, kDark) + "2026 $200.00",
          "2027 \xE2\x80\x93 draft not in this file", "2028 not in this file"}},
    };
    for (const Case& c : cases) EXPECT_EQ(readBack(c.picture), c.lines);
    // The two shades stay apart when printed in grey.
    EXPECT_GE((luminance(kLight) + 0.05) / (luminance(kDark) + 0.05), 2.0);
}

} // namespace
} // namespace levywise
