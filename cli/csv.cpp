#include "cli/csv.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace levywise::cli {

std::size_t FileSource::read(char* buffer, std::size_t size) {
    return std::fread(buffer, 1, size, file_);
}

bool FileSource::failed() const { return std::ferror(file_) != 0; }

bool FileSink::write(std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

std::size_t StringSource::read(char* buffer, std::size_t size) {
    const std::size_t n = std::min({size, chunk_, text_.size() - pos_});
    std::memcpy(buffer, text_.data() + pos_, n);
    pos_ += n;
    return n;
}

} // namespace levywise::cli

namespace levywise::cli {
namespace {

constexpr std::size_t kChunk = std::size_t{1} << 16;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isLineEnd(char c) { return c == '\n' || c == '\r'; }

// Plain lines are scanned a word of eight bytes at a time; each byte of
// interest is marked by its high bit.
// The first byte of a word is its lowest.
using Word = std::uint64_t;
constexpr Word kOnes = 0x0101010101010101;
constexpr Word kHighBits = 0x8080808080808080;
// The buffer always holds a word's bytes past the bytes read, so that a
// word can be loaded wherever they end.
constexpr std::size_t kSlack = sizeof(Word);

Word load(const char* bytes) {
    Word word = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&word, bytes, sizeof word);
    } else {
        for (std::size_t i = sizeof word; i-- > 0;)
            word = word << 8 | static_cast<unsigned char>(bytes[i]);
    }
    return word;
}

// Marks exactly the bytes equal to c.
Word bytesEqual(Word word, char c) {
    const Word x = word ^ (kOnes * static_cast<unsigned char>(c));
    return ~(((x & ~kHighBits) + ~kHighBits) | x) & kHighBits;
}

// Marks the first byte that ends a plain line or spoils it: a quote, or a
// control character up to CR (line ends and tabs among them). Bytes after
// the first may be marked wrongly.
Word firstStop(Word word) {
    const Word quote = word ^ (kOnes * '"');
    return (((quote - kOnes) & ~quote) | ((word - kOnes * '\x0E') & ~word)) & kHighBits;
}

std::size_t byteOf(Word marks) { return static_cast<std::size_t>(std::countr_zero(marks)) / 8; }

} // namespace

CsvReader::CsvReader(ByteSource& source, std::size_t maxRecordBytes)
    : source_(source), maxRecordBytes_(maxRecordBytes), buffer_(kChunk * 2 + kSlack, '\0') {}

// Moves the unread bytes to the front and reads more behind them; false when
// the input has nothing more.
bool CsvReader::fill() {
    if (atEnd_) return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        base_ += begin_;
        begin_ = 0;
    }
    if (buffer_.size() - kSlack - end_ < kChunk) buffer_.resize(buffer_.size() + kChunk * 2);
    const std::size_t n = source_.read(buffer_.data() + end_, buffer_.size() - kSlack - end_);
    if (n == 0) {
        atEnd_ = true;
        return false;
    }
    end_ += n;
    return true;
}

// Whether the byte at offset pos from the start of the unread bytes is
// there, reading more when needed. Offsets survive fill(); indexes do not.
bool CsvReader::available(std::size_t pos) {
    while (begin_ + pos >= end_)
        if (!fill()) return false;
    return true;
}

bool CsvReader::skipEmptyLines() {
    if (!started_) {
        started_ = true;
        if (available(kByteOrderMark.size() - 1) &&
            std::string_view(buffer_.data() + begin_, kByteOrderMark.size()) == kByteOrderMark)
            begin_ += kByteOrderMark.size();
    }
    while (available(0) && isLineEnd(buffer_[begin_])) {
        const std::size_t n = lineEndLength(0);
        begin_ += n;
        ++line_;
    }
    return available(0);
}

// The length of the line end at offset pos: 2 for CR LF, else 1.
std::size_t CsvReader::lineEndLength(std::size_t pos) {
    if (buffer_[begin_ + pos] == '\r' && available(pos + 1) && buffer_[begin_ + pos + 1] == '\n')
        return 2;
    return 1;
}

// Reads on in a line until its line end, the end of the input or the limit
// (an input offset); the line's state says how far it got.
void CsvReader::scanLine(LineScan& line, std::uint64_t limit) {
    std::size_t pos = static_cast<std::size_t>(line.at - offsetOf(0));
    for (; offsetOf(pos) < limit; ++pos) {
        if (!available(pos)) {
            line.complete = true;
            break;
        }
        const char c = buffer_[begin_ + pos];
        if (isLineEnd(c)) {
            line.complete = true;
            break;
        }
        if (line.open) {
            if (c != '"') continue;
            if (available(pos + 1) && buffer_[begin_ + pos + 1] == '"') {
                ++pos;
                continue;
            }
            line.open = false;
            line.fieldStart = false;
            if (available(pos + 1) && buffer_[begin_ + pos + 1] != ',' &&
                !isLineEnd(buffer_[begin_ + pos + 1]))
                line.bad = true;
            continue;
        }
        if (c == ',') ++line.commas;
        if (c == '"' && line.fieldStart) line.open = true;
        line.fieldStart = c == ',';
    }
    line.at = offsetOf(pos);
}

// Finds the offset where the record starting at begin_ ends (its line end,
// or the end of the input) and counts the line breaks inside quotes.
CsvReader::Scan CsvReader::findRecordEnd(std::size_t& end, long& lines) {
    // Most records have no quotes and lie whole in the buffer.
    const char* const from = buffer_.data() + begin_;
    const std::size_t size = end_ - begin_;
    const auto* lf = static_cast<const char*>(std::memchr(from, '\n', size));
    const std::size_t line = lf ? static_cast<std::size_t>(lf - from) : size;
    const auto* cr = static_cast<const char*>(std::memchr(from, '\r', line));
    const std::size_t lineEnd = cr ? static_cast<std::size_t>(cr - from) : line;
    if (lineEnd < size && !std::memchr(from, '"', lineEnd)) {
        end = lineEnd;
        lines = 0;
        return end > maxRecordBytes_ ? Scan::TooLong : Scan::Complete;
    }
    const std::uint64_t start = offsetOf(0);
    LineScan first{start, start, false, false, true, 0, false};
    scanLine(first, start + maxRecordBytes_ + 1);
    if (!first.complete) return Scan::TooLong;
    if (first.open) return findClosingLine(first, end, lines);
    end = static_cast<std::size_t>(first.at - start);
    lines = 0;
    return Scan::Complete;
}

// Reads the line starting at from (entered inside a quote) into the lines
// read ahead, or as much of it as the limit allows; false when there is no
// such line or it does not end before the limit.
bool CsvReader::readAhead(std::uint64_t from, std::uint64_t limit) {
    if (!partialLine_) {
        if (aheadAtEnd_ || !available(static_cast<std::size_t>(from - offsetOf(0)))) return false;
        partialLine_ = LineScan{from, from, false, true, false, 0, false};
    }
    LineScan& line = *partialLine_;
    scanLine(line, limit);
    if (!line.complete) return false;
    const std::size_t pos = static_cast<std::size_t>(line.at - offsetOf(0));
    const bool last = !available(pos);
    const std::uint64_t next = last ? line.at : line.at + lineEndLength(pos);
    ahead_.push_back(AheadLine{line, next, aheadSeq_, aheadCommas_, aheadBad_});
    if (!line.open) closing_.push_back(aheadSeq_);
    ++aheadSeq_;
    aheadCommas_ += line.commas;
    aheadBad_ += line.bad ? 1 : 0;
    aheadAtEnd_ = last;
    partialLine_.reset();
    return true;
}

// The record's first line leaves a quote open: the record runs on to the
// first line that closes it, when that comes within the limit and the whole
// reads cleanly into the fields expected. Each line is read ahead once
// whatever the number of records that start before it.
CsvReader::Scan CsvReader::findClosingLine(const LineScan& first, std::size_t& end, long& lines) {
    const std::uint64_t start = offsetOf(0);
    const std::size_t firstEnd = static_cast<std::size_t>(first.at - start);
    if (!available(firstEnd)) return Scan::Unclosed;
    const std::uint64_t second = first.at + lineEndLength(firstEnd);
    while (!ahead_.empty() && ahead_.front().scan.start < second) ahead_.pop_front();
    if (ahead_.empty() && partialLine_ && partialLine_->start != second) partialLine_.reset();
    if (ahead_.empty() && !partialLine_) aheadAtEnd_ = false;
    const long firstSeq = ahead_.empty() ? aheadSeq_ : ahead_.front().seq;
    while (!closing_.empty() && closing_.front() < firstSeq) closing_.pop_front();

    const std::uint64_t limit = start + maxRecordBytes_ + 1;
    while (closing_.empty()) {
        const std::uint64_t from = ahead_.empty() ? second : ahead_.back().next;
        if (!readAhead(from, limit)) return partialLine_ ? Scan::TooLong : Scan::Unclosed;
    }
    const AheadLine& front = ahead_.front();
    const AheadLine& last = ahead_[static_cast<std::size_t>(closing_.front() - front.seq)];
    if (last.scan.at >= limit) return Scan::TooLong;
    const long commas = first.commas + last.commasBefore + last.scan.commas - front.commasBefore;
    const bool bad = first.bad || last.badBefore + (last.scan.bad ? 1 : 0) > front.badBefore;
    if (bad || (expectedFields_ != 0 && static_cast<std::size_t>(commas) + 1 != expectedFields_))
        return Scan::Unclosed;
    end = static_cast<std::size_t>(last.scan.at - start);
    lines = last.seq - front.seq + 1;
    return Scan::Complete;
}

// Splits [begin, end) of the buffer into fields, undoubling quotes in place.
void CsvReader::parseFields(char* data, std::size_t begin, std::size_t end, CsvRecord& record) {
    fields_.clear();
    std::size_t p = begin;
    while (true) {
        if (p < end && data[p] == '"') {
            std::size_t read = p + 1;
            std::size_t write = p + 1;
            bool closed = false;
            while (read < end) {
                if (data[read] == '"') {
                    if (read + 1 < end && data[read + 1] == '"') {
                        data[write++] = '"';
                        read += 2;
                        continue;
                    }
                    closed = true;
                    ++read;
                    break;
                }
                data[write++] = data[read++];
            }
            fields_.emplace_back(data + p + 1, write - p - 1);
            if (!closed) {
                record.Problem = "a quoted field is not closed";
                break;
            }
            if (read < end && data[read] != ',') {
                record.Problem =
                    "a closing quote must be followed by a comma or the end of the line";
                break;
            }
            if (read == end) break;
            p = read + 1;
            continue;
        }
        std::size_t fieldEnd = p;
        while (fieldEnd < end && data[fieldEnd] != ',') ++fieldEnd;
        fields_.emplace_back(data + p, fieldEnd - p);
        if (fieldEnd == end) break;
        p = fieldEnd + 1;
    }
    record.Fields = fields_;
}

// A record that cannot be read whole: its first line stands for it, and
// reading goes on after that line.
void CsvReader::takeFirstLine(CsvRecord& record) {
    std::size_t pos = 0;
    while (pos <= maxRecordBytes_ && available(pos) && !isLineEnd(buffer_[begin_ + pos])) ++pos;
    if (pos > maxRecordBytes_) {
        // Not even one line fits: drop the rest of it.
        // The rest of it is dropped only when reading goes on: a caller that
        // stops here (at a header row from an endless input) is not kept waiting.
        record.Fields = {};
        record.Problem = "the row is too long";
        dropLine_ = true;
        ++line_;
        return;
    }
    // Only a quote left open can make a record run past a line that fits.
    const std::size_t lineEnd = available(pos) ? lineEndLength(pos) : 0;
    parseFields(buffer_.data(), begin_, begin_ + pos, record);
    record.Problem = "a quoted field is not closed";
    begin_ += pos + lineEnd;
    ++line_;
}

void CsvReader::dropRestOfLine() {
    dropLine_ = false;
    while (available(0)) {
        const char* from = buffer_.data() + begin_;
        std::size_t n = 0;
        while (begin_ + n < end_ && !isLineEnd(from[n])) ++n;
        begin_ += n;
        if (begin_ < end_) break;
    }
    if (available(0)) begin_ += lineEndLength(0);
}

// Most records are a line of plain fields lying whole in the buffer, ended
// by LF: those are split in one pass. False, with nothing read, for any
// other record.
bool CsvReader::nextPlainLine(CsvRecord& record) {
    const char* const line = buffer_.data() + begin_;
    const std::size_t size = std::min(end_ - begin_, maxRecordBytes_ + 1);
    std::size_t count = 0; // fields found
    std::size_t fieldStart = 0;
    for (std::size_t at = 0; at < size; at += sizeof(Word)) {
        // Room for the fields that end in this word, checked once for all.
        if (fields_.size() < count + sizeof(Word) + 1) fields_.resize(2 * count + sizeof(Word) + 1);
        const Word word = load(line + at);
        const Word stops = firstStop(word);
        Word commas = bytesEqual(word, ',');
        if (stops != 0) commas &= (stops & (~stops + 1)) - 1; // those before the stop
        for (; commas != 0; commas &= commas - 1) {
            const std::size_t comma = at + byteOf(commas);
            fields_[count++] = std::string_view(line + fieldStart, comma - fieldStart);
            fieldStart = comma + 1;
        }
        if (stops == 0) continue;
        const std::size_t stop = at + byteOf(stops);
        if (stop == 0 || stop >= size || line[stop] != '\n') return false;
        fields_[count++] = std::string_view(line + fieldStart, stop - fieldStart);
        record = CsvRecord{std::span(fields_).first(count), {}, line_, true};
        begin_ += stop + 1;
        ++line_;
        return true;
    }
    return false;
}

bool CsvReader::next(CsvRecord& record) {
    if (dropLine_) dropRestOfLine();
    if (started_ && nextPlainLine(record)) return true;
    if (!skipEmptyLines()) return false;
    record = CsvRecord{};
    record.Line = line_;
    std::size_t end = 0;
    long lines = 0;
    if (findRecordEnd(end, lines) != Scan::Complete) {
        takeFirstLine(record);
        return true;
    }
    // Settled before the fields are cut, since reading on moves the buffer.
    const std::size_t lineEnd = available(end) ? lineEndLength(end) : 0;
    if (lines == 0) {
        parseFields(buffer_.data(), begin_, begin_ + end, record);
    } else {
        // Line breaks inside quotes are rare, and a quote left open by
        // mistake would swallow the rows below it: the record counts only
        // when it reads cleanly into the expected number of fields.
        spill_.assign(buffer_, begin_, end);
        parseFields(spill_.data(), 0, end, record);
        if (!record.Problem.empty() ||
            (expectedFields_ != 0 && fields_.size() != expectedFields_)) {
            record = CsvRecord{};
            record.Line = line_;
            takeFirstLine(record);
            return true;
        }
    }
    begin_ += end + lineEnd;
    line_ += lines + 1;
    return true;
}

} // namespace levywise::cli

namespace levywise::cli {
namespace {

bool needsQuotes(std::string_view text) {
    for (const char c : text)
        if (c == ',' || c == '"' || c == '\n' || c == '\r') return true;
    return false;
}

} // namespace

CsvWriter::CsvWriter(ByteSink& sink) : sink_(sink), buffer_(kFlushAt + 4096, '\0') {}

CsvWriter::~CsvWriter() { flush(); }

void CsvWriter::field(std::string_view text) {
    if (!needsQuotes(text)) {
        unquotedField(text);
        return;
    }
    char* p = room(2 * text.size() + 3);
    char* const start = p;
    if (rowStarted_) *p++ = ',';
    rowStarted_ = true;
    *p++ = '"';
    for (const char c : text) {
        if (c == '"') *p++ = '"';
        *p++ = c;
    }
    *p++ = '"';
    used_ += static_cast<std::size_t>(p - start);
}

void CsvWriter::textField(std::string_view text) {
    if (!LooksLikeFormula(text)) {
        field(text);
        return;
    }
    std::string quoted = "'";
    quoted += text;
    field(quoted);
}

void CsvWriter::endRow() {
    *room(1) = '\n';
    ++used_;
    rowStarted_ = false;
    if (used_ >= kFlushAt) flush();
}

bool CsvWriter::flush() {
    if (used_ > 0 && !failed_) failed_ = !sink_.write(std::string_view(buffer_.data(), used_));
    used_ = 0;
    return !failed_;
}

} // namespace levywise::cli
