#include <gtest/gtest.h>

#include "calc/estimate.h"
#include "rate_text.h"
#include "report/comparison.h"
#include "report/history.h"
#include "report/pictures.h"
#include "report/worksheet_html.h"

namespace levywise {
namespace {

using test::Loaded;

// The estimate of a property on a table, county 101, no exemption but the homestead.
EstimateRecord estimateOn(modMain data, RateSource source, bool homestead = false) {
    EstimateRequest in;
    in.Value = "100000";
    in.County = "101";
    in.GHS = homestead;
    EstimateRecord record;
    if (Estimate(LoadedTable(std::move(data), std::move(source)), in, record)) ADD_FAILURE();
    return record;
}

TEST(Comparison, PercentRoundsOnceHalfAwayFromZero) {
    struct Case {
        std::int64_t part, whole;
        const char* text;
    };
    for (const Case& c : std::vector<Case>{
             {0, 0, ""},           // no percentage of nothing
             {1, 800, "0.13"},     // 0.125 exactly
             {-1, 800, "-0.13"},   //
             {-3, 400000, "0.00"}, // no "-0.00"
             {50, -200, "25.00"},  // a rise on a negative amount is still a rise
             {INT64_MAX, 1, "922337203685477580700.00"}, // wider than 64 bits on the way
         })
        EXPECT_EQ(PercentText(c.part, c.whole), c.text) << c.part << "/" << c.whole;

    struct Month {
        std::int64_t year, month;
    };
    for (const Month& m : std::vector<Month>{{6, 1}, {-6, -1}, {5, 0}, {-18, -2}})
        EXPECT_EQ(MonthlyCents(m.year), m.month) << m.year;
}

// This year's rates against next year's, from the engine: units compared,
// districts matched by code, a district taxed on one side only blank on the other.
TEST(Comparison, TwoEstimatesSideBySide) {
    const EstimateRecord kept =
        estimateOn(Loaded({"101\tHARLAN COUNTY\tK\tN\t0.5", "301\tHOSPITAL\tS\tY\t0.1",
                           "302\tMUD <1>\tS\tY\t0.2"}),
                   {"a.tab", "2026"});
    const EstimateRecord now =
        estimateOn(Loaded({"101\tHARLAN COUNTY\tK\tN\t0.6", "301\tHOSPITAL\tS\tY\t0.1",
                           "303\tESD\tS\tY\t0.05"}),
                   {"b.tab", "2027"}, true);

    const Comparison c = Compare(kept, now);
    std::vector<std::string> rows;
    for (const ComparisonRow& r : c.Rows)
        rows.push_back(r.Label + "|" + r.Kept + "|" + r.Now + "|" + r.Change +
                       (r.Differs ? "|*" : ""));
    const std::vector<std::string> expected = {
        "Appraised value|$100,000.00|$100,000.00|",
        "County|HARLAN COUNTY|HARLAN COUNTY|",
        "City|No City|No City|",
        "School|No School|No School|",
        "General homestead|No|Yes||*",
        "Over 65 or disabled|Neither|Neither|",
        "Veteran|None|None|",
        "Special districts|301, 302|301, 303||*",
        "Rate file|a.tab|b.tab||*",
        "Rates|2026, Harlan County|2027, Harlan County||*",
        "County Tax|$500.00|$600.00|+$100.00 (+20.00%)",
        "City Tax|$0.00|$0.00|$0.00 (\xE2\x80\x94)",
        "School Tax|$0.00|$0.00|$0.00 (\xE2\x80\x94)",
        "301 HOSPITAL|$100.00|$100.00|$0.00 (0.00%)",
        "302 MUD <1>|$200.00||-$200.00 (-100.00%)",
        "303 ESD||$50.00|+$50.00 (\xE2\x80\x94)",
        "Special District Tax|$300.00|$150.00|-$150.00 (-50.00%)",
        "Total Taxes|$800.00|$750.00|-$50.00 (-6.25%)",
        "Total per month|$66.67|$62.50|-$4.17 (-6.25%)",
        "Share of appraised value|0.80%|0.75%|",
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(c.Total.Change, -5000);
    EXPECT_EQ(c.Monthly.Percent, "-6.25");

    // The pictures say the same figures; no bar for a unit that was not chosen.
    EXPECT_EQ(WhereTheTaxGoesOf(kept).Description,
              "HARLAN COUNTY $500.00. MUD <1> $200.00. HOSPITAL $100.00. Total Taxes $800.00.");
    EXPECT_EQ(WhatChangedOf(kept, now).Description,
              "County Tax: Kept $500.00, Now $600.00, Change +$100.00 (+20.00%). "
              "301 HOSPITAL: Kept $100.00, Now $100.00, Change $0.00 (0.00%). "
              "302 MUD <1>: Kept $200.00, Now $0.00, Change -$200.00 (-100.00%). "
              "303 ESD: Kept $0.00, Now $50.00, Change +$50.00 (\xE2\x80\x94). "
              "Total Taxes: Kept $800.00, Now $750.00, Change -$50.00 (-6.25%).");
}

// One property under three years' rates: a unit or district a file lacks is
// blank there, districts in the order first taxed, the change last against first.
TEST(History, YearsSideBySide) {
    const LoadedTable a(Loaded({"101\tHARLAN COUNTY\tK\tN\t0.5", "201\tCITY\tC\tN\t0.2",
                                "301\tHOSPITAL\tS\tY\t0.1", "302\tMUD\tS\tY\t0.2"}),
                        {"a.tab", "2026"});
    const LoadedTable b(Loaded({"101\tHARLAN COUNTY\tK\tN\t0.6", "101\tOTHER\tK\tN\t0.6",
                                "301\tHOSPITAL\tS\tY\t0.1", "303\tESD\tS\tY\t0.05"}),
                        {"b.tab", "2026"});
    const LoadedTable c(
        Loaded({"101\tHARLAN COUNTY\tK\tN\t0.4", "201\tCITY\tC\tN\t0.25", "302\tMUD\tS\tY\t0.3"}),
        {"dir/c.tab", ""});
    const LoadedTable* tables[] = {&a, &b, &c};
    EstimateRequest in;
    in.Value = "100000";
    in.County = "101";
    in.City = "201";
    History h;
    ASSERT_FALSE(HistoryOf(tables, in, h));
    EXPECT_EQ(HistoryTsv(h), "\t2026 (a.tab)\t2026 (b.tab)\tc.tab\tChange\n"
                             "HARLAN COUNTY\t$500.00\t$600.00\t$400.00\t-$100.00 (-20.00%)\n"
                             "CITY\t$200.00\t\t$250.00\t+$50.00 (+25.00%)\n"
                             "No School\t$0.00\t$0.00\t$0.00\t$0.00 (\xE2\x80\x94)\n"
                             "301 HOSPITAL\t$100.00\t$100.00\t\t\n"
                             "302 MUD\t$200.00\t\t$300.00\t+$100.00 (+50.00%)\n"
                             "303 ESD\t\t$50.00\t\t\n"
                             "Special District Tax\t$300.00\t$150.00\t$300.00\t$0.00 (0.00%)\n"
                             "Total Taxes\t$1,000.00\t$750.00\t$950.00\t-$50.00 (-5.00%)\n"
                             "Total per month\t$83.33\t$62.50\t$79.17\t-$4.16 (-4.99%)\n");
    // The picture: each unit chosen and each district, not the totals.
    EXPECT_EQ(
        OverTheYearsOf(h).Description,
        "HARLAN COUNTY: 2026 (a.tab) $500.00, 2026 (b.tab) $600.00, c.tab $400.00. "
        "CITY: 2026 (a.tab) $200.00, 2026 (b.tab) not in this file, c.tab $250.00. "
        "301 HOSPITAL: 2026 (a.tab) $100.00, 2026 (b.tab) $100.00, c.tab not in this file. "
        "302 MUD: 2026 (a.tab) $200.00, 2026 (b.tab) not in this file, c.tab $300.00. "
        "303 ESD: 2026 (a.tab) not in this file, 2026 (b.tab) $50.00, c.tab not in this file.");

    struct Refusal {
        const char* county;
        bool strict;
        const char* message;
    };
    for (const Refusal& r : std::vector<Refusal>{
             {"999", false, "a.tab, b.tab, dir/c.tab: county \"999\": no rate file has the code."},
             {"101", true,
              "b.tab: county \"101\": more than one unit of the rate file has the code."},
         }) {
        in.County = r.county;
        in.Strict = r.strict;
        const std::optional<Error> e = HistoryOf(tables, in, h);
        EXPECT_EQ(e ? e->message() : "", r.message);
    }
}

// Names and paths cannot steer the document: markup characters become
// references, Windows-1252 letters become UTF-8, nothing is fetched or run.
TEST(Worksheet, TextFromTheRateFileIsEscaped) {
    modMain d = Loaded({"101\tA<B> & \"C\" CAF\xC9\tK\tN\t0.5", "301\tMUD <script>\tS\tY\t0.1"});
    d.CountyName = "\x80";
    const EstimateRecord r = estimateOn(std::move(d), {"x<y>.tab", "L&L"});
    const std::string html = WorksheetHtml(r, "2026-12-07");
    for (const char* shown :
         {"A&lt;B&gt; &amp; &quot;C&quot; CAF\xC3\x89", "MUD &lt;script&gt;", "x&lt;y&gt;.tab",
          "L&amp;L, \xE2\x82\xAC County", "$500.00", "$100.00", "$600.00", "$50.00", "0.60%",
          "2026-12-07", "*Special District Tax includes all special districts selected"})
        EXPECT_NE(html.find(shown), std::string::npos) << shown;
    for (const char* absent : {"<script", "x<y", "src=", "href=", "\xC9"})
        EXPECT_EQ(html.find(absent), std::string::npos) << absent;
    // The picture follows the totals, the same text inside it escaped too.
    EXPECT_GT(html.find("role=\"img\""), html.find("Share of appraised value"));
    EXPECT_NE(html.find(">MUD &lt;script&gt; $100.00</text>"), std::string::npos);
}

} // namespace
} // namespace levywise
