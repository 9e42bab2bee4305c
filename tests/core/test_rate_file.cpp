#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "rate_text.h"
#include "ratedata/rate_file.h"

namespace levywise {
namespace {

using test::Loaded;
using test::RateText;

const Jurisdiction& unitNamed(const modMain& data, std::string_view name) {
    for (int k = 1; k <= data.RateCount; ++k)
        if (data.RateTbl[k].Name.trimmedRight() == name) return data.RateTbl[k];
    throw std::runtime_error("no unit " + std::string(name));
}

TEST(RateFileColumns, ConvertEachFieldAsTheFileMeansIt) {
    const modMain d =
        Loaded({"201\tCITY A\tC\t\t0.2640\t3000\t10000\t12000\t20%\t12.3456%\t25000\t1.5"
                "\t2\t2.5\t3.5\t-32768\t7500\t0\t1\t2\t0",
                "202\tCITY B\t\tY\tabc\t   \t\t\t20\t0.1\t\t\t\t\t\t\t\t\t\t\t",
                "203\tCITY C\tC\tN\t  1.5  \t\t\t\t%\tabc%\t1,000%\t"});
    const Jurisdiction& a = unitNamed(d, "CITY A");
    EXPECT_EQ((std::vector{a.Code.view(), a.UnitType.view(), a.DefaultSel.view()}),
              (std::vector<std::string_view>{"201", "C", "N"})); // N for the blank column 4
    EXPECT_DOUBLE_EQ(a.TaxRate, 0.264);
    EXPECT_EQ((std::vector{a.HSAmt, a.O65Amt, a.DPAmt, a.OptDP}),
              (std::vector{Currency::fromWhole(3000), Currency::fromWhole(10000),
                           Currency::fromWhole(12000), Currency::fromWhole(25000)}));
    EXPECT_DOUBLE_EQ(a.OptHS, 0.2);  // 20%
    EXPECT_EQ(a.OptO65.raw(), 1235); // 12.3456% kept to four decimals
    EXPECT_DOUBLE_EQ(a.Reserved12, 1.5);
    // 2.5 and 3.5 to the even 2 and 4
    EXPECT_EQ((std::vector<int>{a.Vet1, a.Vet2, a.Vet3, a.Vet4}),
              (std::vector{2, 4, -32768, 7500}));
    EXPECT_TRUE(a.Reserved21); // "0" is not blank

    const Jurisdiction& b = unitNamed(d, "CITY B");
    EXPECT_EQ((std::vector{b.UnitType.view(), b.DefaultSel.view()}),
              (std::vector<std::string_view>{" ", "Y"})); // blank type: in no list
    EXPECT_EQ(b.TaxRate, 0);                              // letters in the rate column read as 0
    EXPECT_EQ(b.HSAmt, Currency());                       // only blanks
    EXPECT_DOUBLE_EQ(b.OptHS, 20);                        // no "%": an amount
    EXPECT_EQ(b.OptO65.raw(), 1000);                      // a plain fraction
    EXPECT_FALSE(b.Reserved21);

    const Jurisdiction& c = unitNamed(d, "CITY C");
    EXPECT_DOUBLE_EQ(c.TaxRate, 1.5);
    EXPECT_EQ(c.OptHS, 0);                       // "%" without a number
    EXPECT_EQ(c.OptO65, Currency());             // letters before "%"
    EXPECT_EQ(c.OptDP, Currency::fromWhole(10)); // thousands separated before "%"
}

TEST(RateFileColumns, DoubtfulLinesAreLoadedButWarnedOf) {
    std::string text = RateText({"201\tA\tC\t\t1,500", "202\tB\tC\t\t0.5\t\t",
                                 "203\tC\tC\t\t\xA3"
                                 "1"});
    text.resize(text.size() - 2); // the last line without its line end, as a copy cut short
    const RateFileRead r = ParseRateFile(text, "t");
    ASSERT_EQ(r.status, RateFileStatus::Loaded);
    ASSERT_EQ(r.contents.Warnings.size(), 3u); // the rates' message: see the command's check
    EXPECT_EQ(r.contents.Warnings[0].line, 2);
    EXPECT_EQ(r.contents.Warnings[1].line, 4);
    EXPECT_EQ(r.contents.Warnings[2].message(),
              "t, line 4: the last line has no line end and fewer columns (5) than the line "
              "before (7): the file may have been cut short.");
    text += "\t\t"; // as many columns as the line before
    EXPECT_EQ(ParseRateFile(text, "t").contents.Warnings.size(), 2u);
}

TEST(RateFileColumns, FixedWidthTextIsCutOrPadded) {
    const modMain d = Loaded({"12\tA NAME OF THIRTY-FIVE CHARACTERS!!\tC", "1234\tSHORT NAME\tI"});
    EXPECT_EQ(d.RateTbl[4].Name.view(), "A NAME OF THIRTY-FIVE CHARACTE");
    EXPECT_EQ(d.RateTbl[4].Code.view(), "12 ");
    EXPECT_EQ(d.RateTbl[5].Code.view(), "123");
    EXPECT_EQ(ItemText(d.RateTbl[5]),
              "SHORT NAME" + std::string(20, ' ') + std::string(20, ' ') + "123");
}

TEST(RateFileLines, EveryLineEndingReadsTheSame) {
    // Each line end, and the last line without one.
    for (const auto& [eol, last] : std::vector<std::pair<std::string, std::string>>{
             {"\n", "\n"}, {"\r\n", "\r\n"}, {"\r", "\r"}, {"\n", ""}}) {
        const std::string text =
            "TaxRates v3.54\tL\tHarlan\t" + eol + "201\tA\tC" + eol + "301\tB\tS\tY" + last;
        const RateFileRead r = ParseRateFile(text, "t.tab");
        ASSERT_EQ(r.status, RateFileStatus::Loaded);
        EXPECT_EQ(r.contents.slotCount(), 5);
        EXPECT_EQ(r.contents.SpecialCount, 1);
        EXPECT_EQ(r.contents.CountyName.value_or("?"), "Harlan");
    }
}

TEST(RateFileLines, ShortAndBlankLinesCarryNothingOver) {
    const modMain d = Loaded({
        "201\tFULL\tC\tN\t0.5\t1000\t\t\t\t\t\t\t\t1\t2\t3\t4",
        "",
        "   ",
        "\t\t \t\t",     // a spreadsheet's empty row
        "202\tSHORT\tC", // no rate, no amounts: blank, not the line above's
        "203\tONE CHAR LAST\tI\tY\t1",
    });
    EXPECT_EQ(d.RateCount, 6); // 3 placeholders + 3 units: the blank lines take no slot
    const Jurisdiction& s = unitNamed(d, "SHORT");
    EXPECT_EQ(s.TaxRate, 0);
    EXPECT_EQ(s.HSAmt, Currency());
    EXPECT_EQ(s.Vet4, 0);
    EXPECT_DOUBLE_EQ(unitNamed(d, "ONE CHAR LAST").TaxRate, 1.0);
}

TEST(RateFileLines, NoCityAndNoSchoolCodesAreSkippedWithoutASlot) {
    const modMain d =
        Loaded({"000\tOLD NO CITY\tC", "900\tOLD NO SCHOOL\tI", "100\tCOUNTY 100\tK", "201\tA\tC"});
    EXPECT_EQ(d.RateCount, 5);
    EXPECT_EQ(d.LoadedCount, 5);
    EXPECT_EQ(d.RateTbl[1].Name.trimmedRight(), " No City"); // no fresh slot sorts first
    EXPECT_EQ(ListItemsOfType(d, 'K').size(), 2u);           // " No County" and "COUNTY 100"
}

TEST(RateFileHeader, VersionTagIsComparedWithoutCaseButExactly) {
    for (const auto& [header, status] : std::vector<std::pair<std::string, RateFileStatus>>{
             {"TAXRATES V3.54\tL\tC\t", RateFileStatus::Loaded},
             {" TaxRates v3.54\tL\tC\t", RateFileStatus::WrongVersion},
             {"TaxRates v3.53\tL\tC\t", RateFileStatus::WrongVersion},
             {"TaxRates v3.54", RateFileStatus::WrongVersion}, // no tab: no tag taken
         })
        EXPECT_EQ(ParseRateFile(header + "\r\n", "t.tab").status, status) << header;
}

TEST(RateFileHeader, CountyNameNeedsItsClosingTab) {
    modMain d;
    d.CountyName = "Before";
    const RateFileRead r = ParseRateFile(RateText({}, "TaxRates v3.54\tLabel\tHarlan"), "t.tab");
    ASSERT_EQ(r.status, RateFileStatus::Loaded);
    EXPECT_EQ(r.contents.TableLabel, "Label");
    InstallRateTable(d, r.contents);
    EXPECT_EQ(d.CountyName, "Before");
    InstallRateTable(
        d,
        ParseRateFile(RateText({}, "TaxRates v3.54\t\tHarlan\tfourth\tfifth"), "t.tab").contents);
    EXPECT_EQ(d.CountyName, "Harlan");
}

TEST(RateFileSort, NamesAreOrderedByUnsignedByteAndEqualNamesKeepFileOrder) {
    const modMain d = Loaded({"201\tbrook\tC", "202\t\xC9LAN\tC", "203\tZED\tC", "204\t9TH\tC",
                              "205\tSAME\tC", "206\tSAME\tI", "207\tABBOT\tC"});
    std::vector<std::string> order;
    for (int k = 1; k <= d.RateCount; ++k) order.emplace_back(d.RateTbl[k].Code.view());
    EXPECT_EQ(order, (std::vector<std::string>{"000", "100", "900", "204", "207", "205", "206",
                                               "203", "201", "202"}));
}

TEST(RateFileInstall, SpecialDistrictsGetTheirDefaultSelection) {
    const modMain d =
        Loaded({"301\tD1\tS\tY\t0.1", "302\tD2\tS\ty\t0.2", "303\tD3\tS\t\t0.3", "401\tODD\tX"});
    EXPECT_EQ(d.SpclCount, 3);
    EXPECT_EQ(d.SpclTbl[1].Name.trimmedRight(), "D1");
    EXPECT_EQ(d.SpclSel[1].Selected.view(), "Y");
    EXPECT_EQ(d.SpclSel[1].Default.view(), "Y");
    EXPECT_EQ(d.SpclSel[2].Selected.view(), "N"); // lower-case y is not a yes
    EXPECT_EQ(d.SpclSel[3].Default.view(), "N");
    EXPECT_EQ(d.RateCount, 7); // the unit of type X stays in the table, in no list
}

TEST(RateFileRefusal, NamesTheLineColumnTextAndProblem) {
    const std::string nan = "this is not a number.", amount = "this amount is too large.",
                      comma = "a comma may only separate groups of three digits, as in 12,500.50.",
                      whole = "this whole number must lie between -32768 and 32767.";
    const std::string longText = std::string(45, '7') + "x";
    struct Case {
        int column;
        std::string text, problem, shown = "";
    };
    for (const Case& c : std::vector<Case>{{6, "12abc", nan},
                                           {9, "0.x", nan},
                                           {6, longText, nan, longText.substr(0, 40) + "..."},
                                           {14, "32767.5", whole},
                                           {15, "1x", nan},
                                           {7, "1e", nan},
                                           {20, "-32769", whole},
                                           {6, "922337203685477.5808", amount},
                                           {10, "1e400%", "this percentage is too large."},
                                           {5, "0,5", comma},
                                           {5, "0.500,000", comma},
                                           {6, "5000,50", comma},
                                           {9, "1,5%", comma},
                                           {5, "1e309", "this number is too large."},
                                           {7, "1e309", amount}}) {
        const std::string record = "202\tB\tC" + std::string(c.column - 3, '\t') + c.text;
        const RateFileRead r = ParseRateFile(RateText({"201\tA\tC", record}), "rates/county.tab");
        EXPECT_EQ(r.status, RateFileStatus::Refused) << c.text;
        EXPECT_EQ(r.error.message(),
                  "rates/county.tab, line 3, column " + std::to_string(c.column) + " (\"" +
                      (c.shown.empty() ? c.text : c.shown) + "\"): " + c.problem);
    }
}

TEST(RateFileLimits, MoreUnitsOrDistrictsThanTheTableHoldsAreRefused) {
    for (const auto& [most, record, message] :
         std::vector<std::tuple<int, std::string, std::string>>{
             {497, "201\tCITY\tC",
              "t, line 499: the file lists more units than the 497 a rate table can hold."},
             {300, "301\tDIST\tS", "t, line 302: the file lists more than 300 special districts."},
         }) {
        std::vector<std::string> records(static_cast<std::size_t>(most), record);
        EXPECT_EQ(ParseRateFile(RateText(records), "t").status, RateFileStatus::Loaded);
        records.push_back(record);
        EXPECT_EQ(ParseRateFile(RateText(records), "t").error.message(), message);
    }
}

TEST(RateFileRead, FilesThatCannotBeReadAreRefusedWithTheirPath) {
    const auto dir = std::filesystem::temp_directory_path() / "levywise-rate-file-test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string empty = (dir / "empty.tab").string();
    std::ofstream(empty).close();
    std::vector<std::pair<std::string, std::string>> cases = {
        {(dir / "missing.tab").string(), ": the file does not exist."},
        {dir.string(), ": this is a folder, not a rate file."},
        {empty, ": the file is empty."}};
#ifndef _WIN32
    cases.emplace_back("/dev/zero", ": this is not an ordinary file, so it cannot be a rate file.");
#endif
    for (const auto& [path, problem] : cases) {
        const RateFileRead r = ReadRateFile(path);
        EXPECT_EQ(r.status, RateFileStatus::Refused) << path;
        EXPECT_EQ(r.error.message(), path + problem);
    }
    std::filesystem::remove_all(dir);
}

TEST(RateFileMessages, TheVersionTagIsShownWholeOrSaidToBeMissing) {
    const std::string tag(40, 'T');
    for (const auto& [first, said] : std::vector<std::pair<std::string, std::string>>{
             {tag, '"' + tag + '"'}, {"", "holds no version tag"}}) {
        const auto lines = RefusalLines(ParseRateFile(first + "\t\r\n", "t"));
        EXPECT_NE(lines.at(0).find(said), std::string::npos) << lines[0];
    }
}

} // namespace
} // namespace levywise
