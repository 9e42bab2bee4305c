#include "charts/bar_chart.h"

#include <algorithm>

#include "ratedata/cp1252.h"
#include "ratedata/text.h"

namespace levywise {
namespace {

constexpr std::int64_t kMargin = 8;
constexpr std::int64_t kBarLength = 480; // the largest amount's bar
constexpr std::int64_t kBarHeight = 16;
constexpr std::int64_t kLabelGap = 6;
constexpr std::int64_t kCharWidth = 7; // a generous average at font size 12
constexpr std::int64_t kMinWidth = 720;
constexpr const char* kDark = "#1F4E79";  // 8.7:1 against white
constexpr const char* kLight = "#6C8EBF"; // 3.3:1, with a dark outline

std::int64_t characters(std::string_view utf8) {
    return std::count_if(utf8.begin(), utf8.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

// largest is at least cents and never negative.
std::int64_t barLength(std::int64_t cents, std::int64_t largest) {
    if (cents <= 0) return 0;
    // Rounded to the nearest unit; 128 bits so that no amount of money overflows.
    return static_cast<std::int64_t>((static_cast<__int128>(cents) * kBarLength * 2 + largest) /
                                     (static_cast<__int128>(largest) * 2));
}

// Writes the elements and remembers how wide and tall they reach.
class Canvas {
public:
    void text(std::int64_t x, std::int64_t y, std::string_view utf8, bool bold = false) {
        body_ += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\"" +
                 (bold ? " font-weight=\"bold\"" : "") + ">" + MarkupEscaped(utf8) + "</text>\n";
        width_ = std::max(width_, x + characters(utf8) * kCharWidth + kMargin);
    }
    void bar(std::int64_t y, std::int64_t length, BarShade shade) {
        body_ += "<rect class=\"bar\" x=\"" + std::to_string(kMargin) + "\" y=\"" +
                 std::to_string(y) + "\" width=\"" + std::to_string(length) + "\" height=\"" +
                 std::to_string(kBarHeight) + "\" fill=\"" +
                 (shade == BarShade::Dark ? kDark : kLight) + "\" stroke=\"" + kDark + "\"/>\n";
    }
    std::string svg(const BarChart& chart, std::int64_t height) const {
        const std::string w = std::to_string(width_), h = std::to_string(height);
        const std::string id = MarkupEscaped(chart.Id);
        return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
               "\" viewBox=\"0 0 " + w + " " + h + "\" role=\"img\" aria-labelledby=\"" + id +
               "-title " + id + "-desc\" font-family=\"sans-serif\" font-size=\"12\">\n" +
               "<title id=\"" + id + "-title\">" + MarkupEscaped(chart.Title) + "</title>\n" +
               "<desc id=\"" + id + "-desc\">" + MarkupEscaped(chart.Description) + "</desc>\n" +
               "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"#FFFFFF\"/>\n" + body_ +
               "</svg>\n";
    }

private:
    std::string body_;
    std::int64_t width_ = kMinWidth;
};

} // namespace

Picture PictureOf(const BarChart& chart) {
    std::int64_t largest = 0;
    for (const BarGroup& group : chart.Groups)
        for (const Bar& bar : group.Bars) largest = std::max(largest, bar.Cents.value_or(0));

    Canvas canvas;
    canvas.text(kMargin, 20, chart.Title, true);
    std::int64_t y = 32;
    for (const BarGroup& group : chart.Groups) {
        if (!group.Heading.empty()) {
            canvas.text(kMargin, y + 14, group.Heading);
            y += 20;
        }
        for (const Bar& bar : group.Bars) {
            const std::int64_t length = bar.Cents ? barLength(*bar.Cents, largest) : 0;
            if (bar.Cents) canvas.bar(y + 2, length, bar.Shade);
            canvas.text(kMargin + length + kLabelGap, y + 14, bar.Label);
            y += 22;
        }
        if (!group.Note.empty()) {
            canvas.text(kMargin, y + 14, group.Note);
            y += 20;
        }
        y += 8;
    }
    if (!chart.Footer.empty()) {
        canvas.text(kMargin, y + 16, chart.Footer, true);
        y += 24;
    }
    return {chart.Title, chart.Description, canvas.svg(chart, y + kMargin)};
}

std::string ShownName(std::string_view cp1252) {
    return Utf8FromCp1252(Trimmed(cp1252), ControlCharacters::Replace);
}

} // namespace levywise
