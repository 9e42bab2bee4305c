#include "ratedata/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace levywise {
namespace {

// An empty expectation: the text must be refused.
void ExpectReads(std::optional<double> (*read)(std::string_view),
                 std::initializer_list<std::pair<std::string, std::optional<double>>> cases) {
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(read(text), expected) << '"' << text << '"';
}

TEST(NumberTextLeading, DecimalAndRadixTexts) {
    // "&H0FFFF": the value decides the width, not the digit count.
    ExpectReads(LeadingNumber, {{"1E-2", 0.01},
                                {"1d2", 100},
                                {"2D+1", 20},
                                {"1 e 3", 1000},
                                {"1e+", 1},
                                {"150,000", 150},
                                {"$150", 0},
                                {"", 0},
                                {"1e400", std::nullopt},
                                {std::string(400, '9'), std::nullopt},
                                {"1e-400", 0},
                                {"&H10", 16},
                                {"&h19", 25},
                                {"&H8000", -32768},
                                {"&H0FFFF", -1},
                                {"&H10000", 65536},
                                {"&H80000000", -2147483648.0},
                                {"&H100000000", std::nullopt},
                                {"&H1G", 1},
                                {"&H f f", 255},
                                {"&O17", 15},
                                {"&17", 15},
                                {"&O18", 1},
                                {"&", 0},
                                {"-&H10", 0}});
    // "-0" and a negative underflow read as a plain zero.
    EXPECT_FALSE(std::signbit(*LeadingNumber("-0")));
    EXPECT_FALSE(std::signbit(*LeadingNumber("-1e-999")));
}

TEST(NumberTextAppraisedValue, DropsDollarsAndCommas) {
    ExpectReads(AppraisedValueFromText, {{"$150,000", 150000},
                                         {"-$1,234.50", -1234.5},
                                         {"$", 0},
                                         {"$1,2$3", 123},
                                         {"1,000 abc", 1000},
                                         {"&HFF,FF", -1},
                                         {"$1e400", std::nullopt}});
}

TEST(NumberTextPlain, AcceptedColumns) {
    ExpectReads(ParsePlainNumber, {{"  5  ", 5},
                                   {"-$5.25", -5.25},
                                   {"+$5", 5},
                                   {"1,234,567.5", 1234567.5},
                                   {".5", 0.5},
                                   {"5.", 5},
                                   {"1.5E-2", 0.015},
                                   {"2e+2", 200},
                                   {"1e-400", 0}});
}

TEST(NumberTextPlain, RejectedColumns) {
    for (const char* text :
         {"", "   ", "abc", "5a", "1.2.3", "5%", "$-5", "$", "-", ".", "1e", "1e+", "e5", "1d2",
          "1 000", "- 5", "&H10", "1e400", "\t5", "$$5", "--5",
          // commas that do not separate thousands
          ",123", "5,000,", "0,500", "1234,567", "1,2,34567", "12,3456,78"}) {
        EXPECT_FALSE(ParsePlainNumber(text).has_value()) << '"' << text << '"';
    }
}

TEST(NumberTextPlain, ReadsNothingPastTheEndOfItsColumn) {
    // Columns are views into the file's line: the bytes after one belong to the next.
    const std::string_view line = "5,0|1.25|2e15";
    EXPECT_FALSE(ParsePlainNumber(line.substr(0, 2)).has_value()) << "\"5,\"";
    EXPECT_EQ(ParsePlainNumber(line.substr(4, 3)), 1.2);
    EXPECT_EQ(ParsePlainNumber(line.substr(9, 3)), 20);
}

TEST(NumberTextPlainAmount, RoundedOnceToTenThousandthsFromTheText) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"0.00006", 1}, // the first digit dropped is the first digit there is
        {"0.00005", 0}, // a half, to the even neighbour
        {"0.00015", 2},
        {"1.00005", 10000},
        {"1.000051", 10001}, // a digit past the half decides
        {"0.0000500", 0},
        {"-2.5e-4", -2},
        {"$1,234.56789", 12345679},
        {"922337203685477", 9223372036854770000},
        {"922337203685477.5807", INT64_MAX},
        {"9.223372036854775807e14", INT64_MAX},
        {"-922337203685477.5808", INT64_MIN},
    };
    for (const auto& [text, expected] : cases) {
        const PlainAmount read = ParsePlainAmount(text);
        EXPECT_EQ(read.read, PlainRead::Ok) << text;
        EXPECT_EQ(read.tenThousandths, expected) << text;
    }
}

TEST(NumberTextRounding, HalfToEven) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<double, double> cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {0.5, 0},
        {0.49999999999999994, 0},
        {4503599627370495.5, 4503599627370496.0},
        {inf, inf},
    };
    for (const auto& [value, expected] : cases) EXPECT_EQ(RoundHalfEven(value), expected) << value;
    EXPECT_TRUE(std::isnan(RoundHalfEven(std::numeric_limits<double>::quiet_NaN())));
}

} // namespace
} // namespace levywise
