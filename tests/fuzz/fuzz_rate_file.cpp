// Feeds arbitrary bytes to the rate file reader. Besides never crashing, a
// read must agree with a plain re-reading of the same lines: a loaded table
// holds every record line, sorted by name; a refusal names a line and column
// that really hold the fault; and a loaded table, once replaced by another,
// leaves nothing of itself behind.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "exact_model.h"
#include "fuzz_check.h"
#include "ratedata/number_text.h"
#include "ratedata/rate_file.h"
#include "table_checks.h"

namespace levywise::fuzz {
namespace {

constexpr std::string_view kFileName = "county.tab";

// The table the program had loaded before the fuzzed file came along.
constexpr std::string_view kEarlierFile =
    "TaxRates v3.54\tEarlier\tCorvell\t\r\n"
    "101\tCORVELL COUNTY\tK\tN\t0.4127\t\t\t\t20%\t40000\t40000\t\t\t5000\t7500\t10000\t12000\r\n"
    "201\tCITY OF QUARLOW\tC\tN\t0.5873\t\t\t\t0.2\r\n"
    "301\tWATER DISTRICT\tS\tY\t0.05\r\n"
    "302\tFIRE DISTRICT\tS\tN\t0.03\r\n";

const RateFileContents& EarlierContents() {
    static const RateFileContents contents = [] {
        const RateFileRead read = ParseRateFile(kEarlierFile, "earlier.tab");
        FUZZ_CHECK(read.status == RateFileStatus::Loaded);
        return read.contents;
    }();
    return contents;
}

const modMain& EarlierTables() {
    static const modMain data = [] {
        modMain d;
        InstallRateTable(d, EarlierContents());
        return d;
    }();
    return data;
}

// CR LF, a lone CR and a lone LF each end a line.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = 0;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        lines.push_back(text.substr(0, end));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> columns;
    for (;;) {
        const std::size_t tab = line.find('\t');
        columns.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) return columns;
        line.remove_prefix(tab + 1);
    }
}

bool Blank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string Fixed(std::string_view text, std::size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

// What a record line must become: its code, name and type letter; the
// rest of its columns are looked at through the line itself.
struct ExpectedUnit {
    std::string code, name, type;
    std::string_view line;
};

bool IsRecord(std::string_view line) {
    // Spreadsheets end rows with tabs: a line of blank columns is no record.
    if (line.find_first_not_of(" \t") == std::string_view::npos) return false;
    const std::string_view code = SplitTabs(line)[0];
    return code != "000" && code != "900";
}

ExpectedUnit UnitOf(std::string_view line) {
    const std::vector<std::string_view> cols = SplitTabs(line);
    const std::string_view type = cols.size() > 2 && !Blank(cols[2]) ? cols[2].substr(0, 1) : " ";
    return {Fixed(cols[0], 3), Fixed(cols.size() > 1 ? cols[1] : "", 30), std::string(type), line};
}

void CheckHeader(const RateFileRead& read, std::string_view firstLine) {
    const std::vector<std::string_view> cols = SplitTabs(firstLine);
    const std::size_t taken = std::min<std::size_t>(cols.size() - 1, 4); // only where a tab follows
    const std::string tag = taken >= 1 ? std::string(cols[0]) : std::string();
    const bool rightVersion = Upper(tag) == Upper(kRateFileVersion);
    FUZZ_CHECK(rightVersion == (read.status != RateFileStatus::WrongVersion));
    if (read.status == RateFileStatus::Refused) return;
    FUZZ_CHECK(read.contents.VersionTag == tag);
    FUZZ_CHECK(read.contents.TableLabel == (taken >= 2 ? cols[1] : std::string_view()));
    FUZZ_CHECK(read.contents.CountyName.has_value() == (taken >= 3));
    if (taken >= 3) FUZZ_CHECK(*read.contents.CountyName == cols[2]);
    if (!rightVersion) FUZZ_CHECK(read.contents.Slots.empty());
}

void CheckRefusal(const Error& error, const std::vector<std::string_view>& lines) {
    FUZZ_CHECK(error.file == kFileName);
    FUZZ_CHECK(!error.problem.empty());
    FUZZ_CHECK(error.message().rfind(kFileName, 0) == 0);
    if (error.line == 0) {
        FUZZ_CHECK(lines.empty()); // only an empty file is refused as a whole
        return;
    }
    FUZZ_CHECK(error.line >= 2 && static_cast<std::size_t>(error.line) <= lines.size());
    FUZZ_CHECK(error.message().find(", line " + std::to_string(error.line)) != std::string::npos);
    const std::string_view line = lines[static_cast<std::size_t>(error.line) - 1];
    FUZZ_CHECK(IsRecord(line));

    int unitsBefore = 0, specialsBefore = 0;
    for (int n = 2; n < error.line; ++n) {
        const std::string_view earlier = lines[static_cast<std::size_t>(n) - 1];
        if (!IsRecord(earlier)) continue;
        ++unitsBefore;
        if (UnitOf(earlier).type == "S") ++specialsBefore;
    }
    const int freeSlots = modMain::kRateSlots - 3;
    if (error.column == 0) {
        const bool tableFull = unitsBefore == freeSlots;
        const bool districtsFull =
            specialsBefore == modMain::kSpecialSlots && UnitOf(line).type == "S";
        FUZZ_CHECK(tableFull || districtsFull);
        return;
    }
    // Only the numeric columns can be at fault; the rate only through a comma
    // or a number past a double's range (an exponent or hundreds of digits).
    FUZZ_CHECK(unitsBefore < freeSlots);
    FUZZ_CHECK(error.column >= 5 && error.column <= 20);
    const std::vector<std::string_view> cols = SplitTabs(line);
    FUZZ_CHECK(static_cast<std::size_t>(error.column) <= cols.size());
    FUZZ_CHECK(error.text == cols[static_cast<std::size_t>(error.column) - 1]);
    FUZZ_CHECK(!Blank(error.text));
    if (error.column == 5)
        FUZZ_CHECK(error.text.find_first_of(",eE") != std::string::npos || error.text.size() > 300);
}

// An amount column of a loaded file in ten-thousandths, worked out from the
// text as an exact rational: blanks around it, a sign, "$", digits with
// thousands commas, a fraction and an exponent; the value times 10000
// rounded half to even. Blank is 0.
mpz_class TenThousandthsWritten(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return 0;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const bool negative = text.starts_with('-');
    if (text.starts_with('-') || text.starts_with('+')) text.remove_prefix(1);
    if (text.starts_with('$')) text.remove_prefix(1);
    mpz_class mantissa = 0;
    long digits = 0, decimals = 0;
    bool point = false;
    for (; !text.empty() && text.find_first_of("0123456789,.") == 0; text.remove_prefix(1)) {
        if (text[0] == '.') point = true;
        if (text[0] == ',' || text[0] == '.') continue;
        mantissa = mantissa * 10 + (text[0] - '0');
        ++digits;
        if (point) ++decimals;
    }
    long exponent = 0;
    if (!text.empty()) { // "e", a sign and digits: all the loaded file can hold here
        const bool down = text.find('-') != std::string_view::npos;
        for (const char c : text)
            if (c >= '0' && c <= '9') exponent = std::min(exponent * 10 + (c - '0'), 1000000L);
        if (down) exponent = -exponent;
    }
    if (negative) mantissa = -mantissa;
    const long shift = exponent - decimals + 4; // the value times 10000 is mantissa x 10^shift
    mpz_class power;
    if (shift >= 0) {
        mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(std::min(shift, 40L)));
        return mantissa * power;
    }
    if (-shift > digits + 1) return 0; // below a tenth of a ten-thousandth
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(-shift));
    mpq_class value(mantissa, power);
    value.canonicalize();
    return model::halfEven(value);
}

// Each column lands in its own field: the rate (0 when not a number), the
// fixed amounts, the veteran amounts rounded half to even, and the flags.
void CheckColumns(const Jurisdiction& unit, const std::vector<std::string_view>& cols) {
    const auto column = [&](std::size_t n) {
        return n <= cols.size() ? cols[n - 1] : std::string_view();
    };
    const auto number = [&](std::size_t n) { return ParsePlainNumber(column(n)).value_or(0.0); };
    FUZZ_CHECK(unit.DefaultSel.view() == (Blank(column(4)) ? "N" : column(4).substr(0, 1)));
    FUZZ_CHECK(unit.TaxRate == number(5));
    const Currency amounts[] = {unit.HSAmt, unit.O65Amt, unit.DPAmt};
    for (std::size_t i = 0; i < 3; ++i)
        FUZZ_CHECK(mpz_class(static_cast<long>(amounts[i].raw())) ==
                   TenThousandthsWritten(column(6 + i)));
    const std::int16_t vets[] = {unit.Vet1, unit.Vet2, unit.Vet3, unit.Vet4};
    for (std::size_t i = 0; i < 4; ++i) FUZZ_CHECK(vets[i] == RoundHalfEven(number(14 + i)));
    FUZZ_CHECK(unit.Reserved21 == !Blank(column(21)));
}

void CheckLoaded(const RateFileContents& contents, const std::vector<std::string_view>& lines) {
    std::vector<ExpectedUnit> expected = {
        {"000", Fixed(" No City", 30), "C", {}},
        {"900", Fixed(" No School", 30), "I", {}},
        {"100", Fixed(" No County", 30), "K", {}},
    };
    int specials = 0;
    for (std::size_t n = 1; n < lines.size(); ++n) {
        if (!IsRecord(lines[n])) continue;
        expected.push_back(UnitOf(lines[n]));
        if (expected.back().type == "S") ++specials;
    }
    FUZZ_CHECK(expected.size() <= static_cast<std::size_t>(modMain::kRateSlots));
    FUZZ_CHECK(specials <= modMain::kSpecialSlots && specials == contents.SpecialCount);
    std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
        return std::memcmp(a.name.data(), b.name.data(), 30) < 0;
    });
    FUZZ_CHECK(contents.slotCount() == static_cast<int>(expected.size()));
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const Jurisdiction& unit = contents.Slots[k + 1];
        FUZZ_CHECK(unit.Code.view() == expected[k].code);
        FUZZ_CHECK(unit.Name.view() == expected[k].name);
        FUZZ_CHECK(unit.UnitType.view() == expected[k].type);
        if (!expected[k].line.empty()) CheckColumns(unit, SplitTabs(expected[k].line));
    }
}

// Installing the file must give a well-formed table, and installing the
// earlier file again must bring back exactly the earlier tables.
void CheckInstall(const RateFileContents& contents) {
    modMain data = EarlierTables();
    InstallRateTable(data, contents);
    CheckInstalledTable(data);
    FUZZ_CHECK(data.CountyName == contents.CountyName.value_or(EarlierTables().CountyName));
    InstallRateTable(data, EarlierContents());
    FUZZ_CHECK(SameTables(data, EarlierTables()));
}

} // namespace
} // namespace levywise::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace levywise;
    using namespace levywise::fuzz;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RateFileRead read = ParseRateFile(bytes, kFileName);
    const std::vector<std::string_view> lines = SplitLines(bytes);
    if (!lines.empty()) CheckHeader(read, lines[0]);
    switch (read.status) {
    case RateFileStatus::Refused: CheckRefusal(read.error, lines); break;
    case RateFileStatus::WrongVersion: FUZZ_CHECK(!lines.empty()); break;
    case RateFileStatus::Loaded:
        CheckLoaded(read.contents, lines);
        CheckInstall(read.contents);
        break;
    }
    return 0;
}
