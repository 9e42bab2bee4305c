#include "ratedata/rate_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "ratedata/formats.h"
#include "ratedata/number_text.h"
#include "ratedata/text.h"

namespace levywise {
namespace {

constexpr int kMaxColumns = 30;
constexpr std::string_view kTooLarge = "the file is far too large to be a rate file";

const std::string_view kDistributorAddress = "https://www.levywise.example/";

// Splits text into lines: CR LF, a lone CR and a lone LF each end a line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}
    bool next(std::string_view& line) {
        if (rest_.empty()) return false;
        std::size_t end = 0;
        while (end < rest_.size() && rest_[end] != '\r' && rest_[end] != '\n') ++end;
        if (end == rest_.size()) {
            line = rest_;
            rest_ = {};
        } else {
            line = rest_.substr(0, end);
            std::size_t skip = 1;
            if (rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n') skip = 2;
            rest_.remove_prefix(end + skip);
        }
        ++number_;
        return true;
    }
    int number() const { return number_; }

private:
    std::string_view rest_;
    int number_ = 0;
};

struct Header {
    std::string versionTag, tableLabel;
    std::optional<std::string> countyName;
};

// Header columns count only where a tab follows them; a fourth is dropped.
Header splitHeader(std::string_view line) {
    Header h;
    for (int column = 1; column <= 4; ++column) {
        const auto tab = line.find('\t');
        if (tab == std::string_view::npos) break;
        const std::string_view text = line.substr(0, tab);
        line.remove_prefix(tab + 1);
        if (column == 1) h.versionTag = text;
        if (column == 2) h.tableLabel = text;
        if (column == 3) h.countyName = std::string(text);
    }
    return h;
}

using Columns = std::array<std::string_view, kMaxColumns + 1>; // [1..30]

// Columns beyond the line's last are blank; beyond the 30th ignored.
// Returns how many columns the line gives.
int splitRecord(std::string_view line, Columns& cols) {
    cols.fill({});
    int n = 0;
    while (n < kMaxColumns) {
        const auto tab = line.find('\t');
        cols[++n] = line.substr(0, tab);
        if (tab == std::string_view::npos) break;
        line.remove_prefix(tab + 1);
    }
    return n;
}

// Converts the columns of one record line, or says why it cannot.
class RecordConverter {
public:
    RecordConverter(std::string_view file, int line, const Columns& cols,
                    std::vector<Error>& warnings)
        : file_(file), line_(line), cols_(cols), warnings_(warnings) {}

    std::optional<Error> convert(Jurisdiction& u) {
        u.Code.assign(cols_[1]);
        u.Name.assign(cols_[2]);
        u.UnitType.assign(IsBlank(cols_[3]) ? std::string_view(" ") : cols_[3].substr(0, 1));
        u.DefaultSel.assign(IsBlank(cols_[4]) ? std::string_view("N") : cols_[4].substr(0, 1));
        // Letters in the rate column read as 0, as they always have; a
        // decimal comma or a number past a double's range refuses the file.
        const PlainNumber rate = ReadPlainNumber(cols_[5]);
        if (rate.read == PlainRead::StrayComma || rate.read == PlainRead::OutOfRange) {
            problemOf(5, rate.read);
            return error_;
        }
        u.TaxRate = rate.value;
        if (cols_[5].find_first_of(kSeparators) != std::string_view::npos)
            warnings_.push_back(Error{std::string(file_), line_, 5, std::string(cols_[5]),
                                      "this rate is read as " + PlainNumberText(u.TaxRate) +
                                          ": commas and currency signs are no decimal point"});
        if (!money(6, u.HSAmt) || !money(7, u.O65Amt) || !money(8, u.DPAmt)) return error_;
        if (!percentOrNumber(9, u.OptHS)) return error_;
        if (!percentOrMoney(10, u.OptO65) || !percentOrMoney(11, u.OptDP)) return error_;
        if (!number(12, u.Reserved12) || !number(13, u.Reserved13)) return error_;
        if (!whole(14, u.Vet1) || !whole(15, u.Vet2) || !whole(16, u.Vet3) || !whole(17, u.Vet4) ||
            !whole(18, u.Reserved18) || !whole(19, u.Reserved19) || !whole(20, u.Reserved20))
            return error_;
        u.Reserved21 = !IsBlank(cols_[21]);
        return std::nullopt;
    }

private:
    bool fail(int column, std::string problem) {
        error_ = Error{std::string(file_), line_, column, std::string(cols_[column]),
                       std::move(problem)};
        return false;
    }

    // Records why a column is no number; always false.
    bool problemOf(int column, PlainRead read, std::string tooLarge = "this number is too large") {
        if (read == PlainRead::StrayComma)
            return fail(column,
                        "a comma may only separate groups of three digits, as in 12,500.50");
        if (read == PlainRead::OutOfRange) return fail(column, std::move(tooLarge));
        return fail(column, "this is not a number");
    }

    bool number(int column, double& out) {
        if (IsBlank(cols_[column])) {
            out = 0;
            return true;
        }
        const PlainNumber number = ReadPlainNumber(cols_[column]);
        if (number.read != PlainRead::Ok) return problemOf(column, number.read);
        out = number.value;
        return true;
    }

    // Columns 9 to 11 may give a percentage ("20%" is 0.2) or a plain number.
    bool percentOrNumber(int column, double& out) {
        const std::string_view text = cols_[column];
        const auto percent = text.find('%');
        if (IsBlank(text) || percent == std::string_view::npos) return number(column, out);
        std::string before(text.substr(0, percent));
        if (!CommasGroupThousands(before)) return problemOf(column, PlainRead::StrayComma);
        std::erase(before, ',');
        const auto value = LeadingNumber(before);
        if (!value) return fail(column, "this percentage is too large");
        out = *value / 100;
        return true;
    }

    bool toCurrency(int column, double value, Currency& out) {
        const auto amount = Currency::fromDouble(value);
        if (!amount) return fail(column, "this amount is too large");
        out = *amount;
        return true;
    }

    // Amounts are read exactly from their decimal text.
    bool money(int column, Currency& out) {
        if (IsBlank(cols_[column])) {
            out = Currency();
            return true;
        }
        const PlainAmount amount = ParsePlainAmount(cols_[column]);
        if (amount.read != PlainRead::Ok)
            return problemOf(column, amount.read, "this amount is too large");
        out = Currency::fromRaw(amount.tenThousandths);
        return true;
    }

    bool percentOrMoney(int column, Currency& out) {
        if (cols_[column].find('%') == std::string_view::npos) return money(column, out);
        double value = 0;
        return percentOrNumber(column, value) && toCurrency(column, value, out);
    }

    bool whole(int column, std::int16_t& out) {
        double value = 0;
        if (!number(column, value)) return false;
        const double rounded = RoundHalfEven(value);
        if (rounded < -32768 || rounded > 32767)
            return fail(column, "this whole number must lie between -32768 and 32767");
        out = static_cast<std::int16_t>(rounded);
        return true;
    }

    // Commas and currency signs, as a rate written for other regional settings holds them.
    static constexpr std::string_view kSeparators = ",$\x80\xA2\xA3\xA4\xA5";

    std::string_view file_;
    int line_;
    const Columns& cols_;
    std::vector<Error>& warnings_;
    Error error_;
};

Jurisdiction placeholder(std::string_view code, std::string_view name, std::string_view type) {
    Jurisdiction u;
    u.Code.assign(code);
    u.Name.assign(name);
    u.UnitType.assign(type);
    u.DefaultSel.assign("N");
    return u;
}

RateFileRead refused(std::string_view file, int line, int column, std::string_view text,
                     std::string problem) {
    RateFileRead r;
    r.status = RateFileStatus::Refused;
    r.error = Error{std::string(file), line, column, std::string(text), std::move(problem)};
    return r;
}

// A file named that cannot be read at all.
RateFileRead unreadable(std::string_view file, std::string problem) {
    RateFileRead r = refused(file, 0, 0, {}, std::move(problem));
    r.error.kind = Error::Kind::Unreadable;
    return r;
}

} // namespace

RateFileRead ParseRateFile(std::string_view bytes, std::string_view fileName) {
    if (bytes.empty()) return refused(fileName, 0, 0, {}, "the file is empty");
    if (bytes.size() > kMaxRateFileBytes)
        return refused(fileName, 0, 0, {}, std::string(kTooLarge));

    LineReader lines(bytes);
    std::string_view line;
    lines.next(line);
    Header header = splitHeader(line);

    RateFileRead result;
    RateFileContents& c = result.contents;
    c.VersionTag = header.versionTag;
    c.TableLabel = header.tableLabel;
    c.CountyName = header.countyName;
    if (!EqualsIgnoringCase(c.VersionTag, kRateFileVersion)) {
        result.status = RateFileStatus::WrongVersion;
        return result;
    }

    c.Slots.reserve(modMain::kRateSlots + 1);
    c.Slots.emplace_back();
    c.Slots.push_back(placeholder(PlaceholderCodes::NoCity, " No City", "C"));
    c.Slots.push_back(placeholder(PlaceholderCodes::NoSchool, " No School", "I"));
    c.Slots.push_back(placeholder(PlaceholderCodes::NoCounty, " No County", "K"));

    Columns cols;
    int lastRecordLine = 0, lastColumns = 0, columnsBefore = 0;
    while (lines.next(line)) {
        // Spreadsheets end their rows with tabs: a line of blank columns is a blank line.
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        columnsBefore = lastColumns;
        lastColumns = splitRecord(line, cols);
        lastRecordLine = lines.number();
        if (cols[1] == PlaceholderCodes::NoCity || cols[1] == PlaceholderCodes::NoSchool) continue;
        if (c.slotCount() >= modMain::kRateSlots)
            return refused(fileName, lines.number(), 0, {},
                           "the file lists more units than the " +
                               std::to_string(modMain::kRateSlots - 3) + " a rate table can hold");
        Jurisdiction unit;
        if (auto error =
                RecordConverter(fileName, lines.number(), cols, c.Warnings).convert(unit)) {
            result.status = RateFileStatus::Refused;
            result.error = std::move(*error);
            return result;
        }
        if (unit.UnitType.equals("S") && ++c.SpecialCount > modMain::kSpecialSlots)
            return refused(fileName, lines.number(), 0, {},
                           "the file lists more than " + std::to_string(modMain::kSpecialSlots) +
                               " special districts");
        c.Slots.push_back(unit);
    }
    // A copy cut short ends in the middle of a line.
    const bool lastLineEnded = bytes.back() == '\r' || bytes.back() == '\n';
    if (!lastLineEnded && lastRecordLine == lines.number() && lastColumns < columnsBefore)
        c.Warnings.push_back(Error{std::string(fileName),
                                   lastRecordLine,
                                   0,
                                   {},
                                   "the last line has no line end and fewer columns (" +
                                       std::to_string(lastColumns) + ") than the line before (" +
                                       std::to_string(columnsBefore) +
                                       "): the file may have been cut short"});

    std::stable_sort(c.Slots.begin() + 1, c.Slots.end(),
                     [](const Jurisdiction& a, const Jurisdiction& b) { return a.Name < b.Name; });
    result.status = RateFileStatus::Loaded;
    return result;
}

RateFileRead ReadRateFile(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) return unreadable(path, "the file does not exist");
    if (std::filesystem::is_directory(status))
        return unreadable(path, "this is a folder, not a rate file");
    // A named pipe keeps its reader waiting for good, and a device may never end.
    if (!std::filesystem::is_regular_file(status))
        return unreadable(path, "this is not an ordinary file, so it cannot be a rate file");
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxRateFileBytes) return refused(path, 0, 0, {}, std::string(kTooLarge));

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return unreadable(path,
                          std::string("the file cannot be opened (") + std::strerror(errno) + ")");
    std::string bytes;
    bytes.reserve(ec ? 0 : static_cast<std::size_t>(size));
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMaxRateFileBytes)
            return refused(path, 0, 0, {}, std::string(kTooLarge));
    }
    if (in.bad()) return refused(path, 0, 0, {}, "the file cannot be read");
    return ParseRateFile(bytes, path);
}

void InstallRateTable(modMain& data, const RateFileContents& contents) {
    const int n = contents.slotCount();
    std::fill(data.RateTbl.begin(), data.RateTbl.end(), Jurisdiction{});
    std::copy(contents.Slots.begin(), contents.Slots.end(), data.RateTbl.begin());
    std::fill(data.SpclTbl.begin(), data.SpclTbl.end(), Jurisdiction{});
    std::fill(data.SpclSel.begin(), data.SpclSel.end(), SpclFlags{});
    data.LoadedCount = n;
    data.SpclCount = 0;
    for (int k = 1; k <= n; ++k) {
        const Jurisdiction& unit = data.RateTbl[k];
        if (!unit.UnitType.equals("S")) continue;
        const int i = ++data.SpclCount;
        data.SpclTbl[i] = unit;
        const std::string_view flag = unit.DefaultSel.equals("Y") ? "Y" : "N";
        data.SpclSel[i].Selected.assign(flag);
        data.SpclSel[i].Default.assign(flag);
    }
    data.RateCount = n;
    if (contents.CountyName) data.CountyName = *contents.CountyName;
}

std::vector<std::string> ListItemsOfType(const modMain& data, char unitType) {
    std::vector<std::string> items;
    const char type[1] = {unitType};
    for (int k = 1; k <= data.RateCount; ++k)
        if (data.RateTbl[k].UnitType.equals(std::string_view(type, 1)))
            items.push_back(ItemText(data.RateTbl[k]));
    return items;
}

std::vector<std::string> RefusalLines(const RateFileRead& read) {
    if (read.status != RateFileStatus::WrongVersion) return {read.error.messageAfterFile()};
    // A user who picked a picture or another program's file by mistake sees so at once.
    const std::string expected(kRateFileVersion);
    const std::string_view tag = read.contents.VersionTag;
    std::string first =
        tag.empty()
            ? ": the first line of this file holds no version tag; a tax rate file begins with \"" +
                  expected + "\" and a tab."
            : ": the version tag of this file is \"" + Shortened(tag) + "\", not \"" + expected +
                  "\".";
    return {
        first,
        "The tax rate file you have selected is not the correct version level for this program. ",
        "You need Levywise " + std::string(kRequiredRateVersion) +
            " or higher to load this table. ",
        "You may download a current version of the program and data file from " +
            std::string(kDistributorAddress)};
}

} // namespace levywise
