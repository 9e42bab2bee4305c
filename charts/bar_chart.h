#pragma once

// What the pictures share: groups of labelled horizontal bars on one scale,
// written as SVG text that any front end can show, scale and print.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace levywise {

// A dark solid bar, or a lighter one with a dark outline: both stand out
// from white by at least 3:1 and stay apart when printed in grey.
enum class BarShade { Dark, Light };

struct Bar {
    std::string Label;                 // UTF-8, written right of the bar
    std::optional<std::int64_t> Cents; // empty: the label alone, no bar
    BarShade Shade = BarShade::Dark;
};

struct BarGroup {
    std::string Heading; // UTF-8, above the bars; none when empty
    std::vector<Bar> Bars;
    std::string Note; // UTF-8, under the bars; none when empty
};

struct BarChart {
    std::string Id;                 // the title's and description's ids start with it
    std::string Title, Description; // UTF-8
    std::vector<BarGroup> Groups;
    std::string Footer; // UTF-8, under every group; none when empty
};

// A picture with the title and the description its SVG holds, for a front
// end that shows them where a screen reader cannot read SVG.
struct Picture {
    std::string Title;       // UTF-8
    std::string Description; // UTF-8: the figures in words
    std::string Svg;         // a whole <svg> element, role="img"
};

// Each bar as long as its amount against the largest amount of the chart,
// which gets the full length; a negative amount, or any amount when the
// largest is 0, gets none. Coordinates are whole viewBox units.
Picture PictureOf(const BarChart& chart);

// A name from a rate file as shown: Windows-1252 decoded to UTF-8, control
// characters replaced, without the blanks that pad it.
std::string ShownName(std::string_view cp1252);

} // namespace levywise
