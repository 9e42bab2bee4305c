#include "cli/check_command.h"

#include "cli/exit_status.h"
#include "cli/rate_table.h"
#include "cli/display_text.h"
#include "ratedata/rate_file.h"

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

} // namespace

int RunCheck(const std::string& path, std::ostream& out, std::ostream& err) {
    const RateFileRead read = ReadRateFile(path);
    if (read.status != RateFileStatus::Loaded) {
        err << "levywise-cli: " << RateFileProblem(path, read) << '\n';
        return kExitFailed;
    }
    const RateFileContents& c = read.contents;
    const UnitCounts n = countUnits(c);
    out << path << ": a rate file this program reads\n"
        << "  County:            "
        << (c.CountyName ? Shown(*c.CountyName) : "(none named: no tab follows it)") << '\n'
        << "  Label:             " << Shown(c.TableLabel) << '\n'
        << "  County units:      " << n.counties << '\n'
        << "  Cities:            " << n.cities << '\n'
        << "  School districts:  " << n.schools << '\n'
        << "  Special districts: " << n.specials << '\n'
        << "  Other units:       " << n.others << '\n'
        << "  Units in all:      " << c.slotCount() - 3 << '\n';
    for (const RateFileError& warning : c.Warnings) out << "Warning: " << WarningText(path, warning) << '\n';
    return FinishedWriting(out, err);
}

} // namespace levywise::cli
