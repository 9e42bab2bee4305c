#include "cli/check.h"

#include <fstream>
#include <iterator>
#include <map>

#include "cli/exit_status.h"
#include "cli/rate_loading.h"
#include "ratedata/rate_file.h"
#include "ratedata/text.h"
#include "report/labels.h"

namespace levywise::cli {
namespace {

struct UnitCounts {
    int counties = 0, cities = 0, schools = 0, specials = 0, others = 0;
};

// The file's own units: the loader adds one "no unit" entry to each list.
UnitCounts countUnits(const RateFileContents& c) {
    UnitCounts n{-1, -1, -1, 0, 0};
    for (int k = 1; k <= c.slotCount(); ++k) {
        switch (c.Slots[static_cast<std::size_t>(k)].UnitType[0]) {
        case kCountyUnit: ++n.counties; break;
        case kCityUnit: ++n.cities; break;
        case kSchoolUnit: ++n.schools; break;
        case kSpecialUnit: ++n.specials; break;
        default: ++n.others; break;
        }
    }
    return n;
}

// The lines of the units that share a code with another, code by code in
// the order the codes first appear: each code, then its lines.
std::vector<std::pair<std::string, std::vector<int>>> sharedCodes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<std::pair<std::string, std::vector<int>>> codes;
    std::map<std::string, std::size_t, std::less<>> byCode;
    int number = 0;
    for (std::size_t at = 0; at < bytes.size(); ++number) {
        std::size_t end = bytes.find_first_of("\r\n", at);
        if (end == std::string::npos) end = bytes.size();
        const std::string_view line = std::string_view(bytes).substr(at, end - at);
        at = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        const std::string_view column = line.substr(0, line.find('\t'));
        // As the loader reads it: the header skipped, three characters kept,
        // blank lines and the "no city" and "no school" lines left out.
        if (number == 0 || line.find_first_not_of(" \t") == std::string_view::npos ||
            column == PlaceholderCodes::NoCity || column == PlaceholderCodes::NoSchool)
            continue;
        const std::string code(Trimmed(column.substr(0, 3)));
        if (code.empty()) continue;
        const auto [it, added] = byCode.try_emplace(code, codes.size());
        if (added) codes.emplace_back(code, std::vector<int>{});
        codes[it->second].second.push_back(number + 1);
    }
    std::erase_if(codes, [](const auto& c) { return c.second.size() < 2; });
    return codes;
}

std::string linesText(const std::vector<int>& lines) {
    std::string text = "lines " + std::to_string(lines.front());
    for (std::size_t i = 1; i < lines.size(); ++i)
        text += (i + 1 < lines.size() ? ", " : " and ") + std::to_string(lines[i]);
    return text;
}

} // namespace

int RunCheck(const std::string& path, std::ostream& out, std::ostream& err) {
    const RateFileRead read = ReadRateFile(path);
    if (read.status != RateFileStatus::Loaded) {
        err << "levywise-cli: " << RateFileProblem(path, read) << '\n';
        return RefusalStatus(read);
    }
    const RateFileContents& c = read.contents;
    const UnitCounts n = countUnits(c);
    out << path << ": a rate file this program reads\n"
        << "  County:            "
        << (c.CountyName ? Displayed(*c.CountyName) : "(none named: no tab follows it)") << '\n'
        << "  Label:             " << Displayed(c.TableLabel) << '\n'
        << "  County units:      " << n.counties << '\n'
        << "  Cities:            " << n.cities << '\n'
        << "  School districts:  " << n.schools << '\n'
        << "  Special districts: " << n.specials << '\n'
        << "  Other units:       " << n.others << '\n'
        << "  Units in all:      " << c.slotCount() - 3 << '\n';
    for (const Error& warning : c.Warnings)
        out << "Warning: " << WarningText(path, warning) << '\n';
    for (const auto& [code, lines] : sharedCodes(path))
        out << "Warning: " << path << ", " << linesText(lines) << ": these units share the code \""
            << Displayed(code) << "\"; estimate, compare and batch refuse it\n";
    return FinishedWriting(out, err);
}

} // namespace levywise::cli
