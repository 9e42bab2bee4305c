#include "ratedata/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace levywise {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

struct ProfileCase {
    const char* what;
    std::string text;
    std::string expected; // for section "general", key "k", default "DEF"
};

TEST(ProfileStringFromText, FollowsWindowsIniRules) {
    const std::string long130(130, 'v');
    const std::vector<ProfileCase> cases = {
        {"blanks trimmed, text after ] ignored", "  [ general ] x=y\n\t k \t=\t r.tab \t", "r.tab"},
        {"value keeps later =", "[general]\nk = a=b", "a=b"},
        {"line without = is no key", "[general]\nk\nk=x", "x"},
        {"empty value is found", "[general]\nk=", ""},
        {"double quotes removed, inside kept", "[general]\nk= \" a b \" ", " a b "},
        {"single quotes removed, nothing inside", "[general]\nk=''", ""},
        {"mismatched quotes kept", "[general]\nk=\"x'", "\"x'"},
        {"lone quote kept", "[general]\nk=\"", "\""},
        {"comment line skipped", "[general]\n  ;k=c\nk=v", "v"},
        {"no inline comment", "[general]\nk=value ; note", "value ; note"},
        {"# is ordinary", "[general]\n#k=a\nk=#b", "#b"},
        {"later duplicate section not read", "[general]\na=1\n[other]\n[General]\nk=2", "DEF"},
        {"key before any section", "k=0\n[general]\n", "DEF"},
        {"[ without ] is no section", "[general\nk=1", "DEF"},
        {"cut after quotes removed", "[general]\nk=\"" + long130 + "\"", long130.substr(0, 119)},
        {"value ends at NUL", "[general]\nk=ab\0cd"s, "ab"},
        {"UTF-8 byte order mark skipped", "\xEF\xBB\xBF[general]\nk=v", "v"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProfileStringFromText(c.text, "general", "k", "DEF"), c.expected) << c.what;
    }
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(dir_); }
    void TearDown() override { fs::remove_all(dir_, ignored_); }
    std::string Write(const std::string& content) {
        std::ofstream(dir_ / "levywise.ini", std::ios::binary) << content;
        return (dir_ / "levywise.ini").string();
    }
    fs::path dir_ =
        fs::temp_directory_path() / ("levywise_settings_" + std::to_string(std::random_device{}()));
    std::error_code ignored_;
};

TEST_F(SettingsFileTest, MissingOrUnusableFileGivesDefault) {
    const std::string longDefault(300, 'd');
    EXPECT_EQ(ReadProfileString("general", "k", longDefault, (dir_ / "none.ini").string()),
              longDefault);
    EXPECT_EQ(ReadProfileString("general", "k", "DEF", dir_.string()), "DEF");
    EXPECT_EQ(ReadProfileString("general", "k", "DEF", ""), "DEF");
}

// The file is read in pieces of 64 KiB. Whatever falls on the seam between two
// pieces (a CR LF pair, a section header, a key, a long value) must read as it
// does when the whole text is in memory.
TEST_F(SettingsFileTest, EveryPositionOfTheSeamBetweenTwoPiecesReadsTheSame) {
    constexpr std::size_t kPiece = 64 * 1024;
    const std::vector<ProfileCase> cases = {
        {"CR LF pair split", "\r\n[general]\r\nk=seam.tab\r\n", "seam.tab"},
        {"blank lines of CR LF", "\r\n\r\n[general]\r\n\r\nk=two\r\n", "two"},
        {"lone CRs", "\r[general]\rk=one\rk=two\r", "one"},
        {"lone LFs, last line unended", "\n[ General ]\n  K = 'quoted'", "quoted"},
        {"value past the limit", "\n[general]\nk=" + std::string(200, 'v') + "\n",
         std::string(119, 'v')},
        {"other section first", "\n[other]\nk=no\n[general]\nk=yes\n", "yes"},
    };
    for (const ProfileCase& c : cases) {
        for (std::size_t at = 0; at <= c.text.size(); ++at) {
            // A comment line fills the first piece up to the chosen character.
            const std::string content = ";" + std::string(kPiece - 1 - at, 'x') + c.text;
            ASSERT_EQ(ReadProfileString("general", "k", "DEF", Write(content)), c.expected)
                << c.what << ", seam before character " << at;
            ASSERT_EQ(ProfileStringFromText(content, "general", "k", "DEF"), c.expected) << c.what;
        }
    }
}

TEST_F(SettingsFileTest, RateFilePathFromSettings) {
    const std::string missing = (dir_ / "none.ini").string();
    // The settings' text (no file when empty), the current folder, the separator, the path.
    for (const auto& [ini, currentDir, separator, expected] :
         std::vector<std::tuple<std::optional<std::string>, std::string, char, std::string>>{
             {std::nullopt, "/home/u", '/', "/home/u/taxrate.tab"},
             {"[general]\nTaxRateFile=r24.tab", "/cur", '/', "/cur/r24.tab"},
             {"[general]\nTaxRatePath=/data", "/cur", '/', "/data/taxrate.tab"},
             {"[general]\nTaxRatePath=/data/", "/cur", '/', "/data/taxrate.tab"},
             {"[General]\r\ntaxratepath=C:\\rates", "", '\\', "C:\\rates\\taxrate.tab"},
             {"[general]\nTaxRatePath=C:\\rates\\", "", '/', "C:\\rates\\taxrate.tab"},
             {"[general]\nTaxRatePath=\nTaxRateFile=a.tab", "/cur", '/', "a.tab"},
             {"[general]\nTaxRatePath=.", "/cur", '/', ".taxrate.tab"}}) {
        const std::string path = ini ? Write(*ini) : missing;
        EXPECT_EQ(RateFilePathFromSettings(path, currentDir, separator), expected)
            << ini.value_or("no file");
    }
}

} // namespace
} // namespace levywise
