// The settings file is read in pieces of 64 KiB. Whatever falls on the seam
// between two pieces (a CR LF pair, a section header, a key, a long value)
// must read as it does when the whole text is in memory.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "ratedata/settings_file.h"

namespace levywise {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kPiece = 64 * 1024;

struct SeamCase {
    const char* what;
    std::string text;     // placed so that the seam falls on each of its characters in turn
    std::string expected; // for section "general", key "k"
};

TEST(SettingsFileSeams, EveryPositionOfTheSeamReadsTheSame) {
    const std::vector<SeamCase> cases = {
        {"CR LF pair split", "\r\n[general]\r\nk=seam.tab\r\n", "seam.tab"},
        {"blank lines of CR LF", "\r\n\r\n[general]\r\n\r\nk=two\r\n", "two"},
        {"lone CRs", "\r[general]\rk=one\rk=two\r", "one"},
        {"lone LFs, last line unended", "\n[ General ]\n  K = 'quoted'", "quoted"},
        {"value past the limit", "\n[general]\nk=" + std::string(200, 'v') + "\n",
         std::string(119, 'v')},
        {"other section first", "\n[other]\nk=no\n[general]\nk=yes\n", "yes"},
    };
    const fs::path path = fs::temp_directory_path() /
                          ("levywise_seams_" + std::to_string(std::random_device{}()) + ".ini");
    for (const SeamCase& c : cases) {
        for (std::size_t at = 0; at <= c.text.size(); ++at) {
            // A comment line fills the first piece up to the chosen character.
            const std::string content = ";" + std::string(kPiece - 1 - at, 'x') + c.text;
            std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
            ASSERT_EQ(ReadProfileString("general", "k", "DEF", path.string()), c.expected)
                << c.what << ", seam before character " << at;
            ASSERT_EQ(ProfileStringFromText(content, "general", "k", "DEF"), c.expected) << c.what;
        }
    }
    std::error_code ignored;
    fs::remove(path, ignored);
}

} // namespace
} // namespace levywise
