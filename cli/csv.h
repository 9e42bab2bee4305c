#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace levywise::cli {

// Where a command reads its bytes from: a file, standard input, a string.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to size bytes into buffer; 0 at the end of the input or on a failure.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
    virtual bool failed() const { return false; }
};

// Where a command writes its bytes to.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // False when the bytes could not be written.
    virtual bool write(std::string_view bytes) = 0;
};

class FileSource : public ByteSource {
public:
    explicit FileSource(std::FILE* file) : file_(file) {}
    std::size_t read(char* buffer, std::size_t size) override;
    bool failed() const override;

private:
    std::FILE* file_;
};

class FileSink : public ByteSink {
public:
    explicit FileSink(std::FILE* file) : file_(file) {}
    bool write(std::string_view bytes) override;

private:
    std::FILE* file_;
};

class StringSource : public ByteSource {
public:
    // chunk limits each read, so that tests can feed the input piece by piece.
    explicit StringSource(std::string text, std::size_t chunk = 1 << 16)
        : text_(std::move(text)), chunk_(chunk) {}
    std::size_t read(char* buffer, std::size_t size) override;

private:
    std::string text_;
    std::size_t pos_ = 0;
    std::size_t chunk_;
};

class StringSink : public ByteSink {
public:
    bool write(std::string_view bytes) override {
        text += bytes;
        return true;
    }
    std::string text;
};

} // namespace levywise::cli

namespace levywise::cli {

// One record of a CSV file. The texts point into the reader's buffer and
// stay valid until the next call of CsvReader::next.
struct CsvRecord {
    std::span<const std::string_view> Fields;
    // Empty, or why the record is malformed; Fields then holds the fields
    // read before the fault.
    std::string_view Problem;
    long Line = 0; // where the record starts, from 1
    // No field was quoted: none holds a comma, a quote or a line break.
    bool Plain = false;
};

// Reads RFC 4180 CSV as a stream, one record at a time, in memory bounded by
// the longest record. Lines may end in CR LF, LF or CR; a field in quotes may
// hold commas, line breaks and doubled quotes; a quote inside an unquoted
// field is an ordinary character. Empty lines are skipped and a leading
// UTF-8 byte order mark is ignored. A quote that is never closed, or a record
// longer than maxRecordBytes, spoils only its own first line: reading goes
// on with the next line, so no later record is lost.
class CsvReader {
public:
    explicit CsvReader(ByteSource& source, std::size_t maxRecordBytes = std::size_t{1} << 20);

    // The next record; false at the end of the input.
    bool next(CsvRecord& record);

    bool readFailed() const { return source_.failed(); }

    // The number of fields a record should have (0: any). A record that
    // spans lines counts as one only when it has that many; otherwise its
    // first line is reported as malformed and reading goes on below it.
    void expectFields(std::size_t count) { expectedFields_ = count; }

private:
    enum class Scan { Complete, Unclosed, TooLong };

    // How far a line has been read and what its quotes have done so far:
    // whether a quote is open, its commas outside quotes, whether a closing
    // quote was followed by anything but a comma.
    struct LineScan {
        std::uint64_t start = 0; // input offsets
        std::uint64_t at = 0;    // the line end (or the input's end) when complete
        bool complete = false;
        bool open = false;
        bool fieldStart = false;
        long commas = 0;
        bool bad = false;
    };
    // A line after a record's first, read as entered inside a quote, with the
    // counts of the lines read ahead before it.
    struct AheadLine {
        LineScan scan;
        std::uint64_t next = 0; // where the line after it starts
        long seq = 0;
        long commasBefore = 0;
        long badBefore = 0;
    };

    bool nextPlainLine(CsvRecord& record);
    bool fill();
    bool available(std::size_t pos);
    std::uint64_t offsetOf(std::size_t pos) const { return base_ + begin_ + pos; }
    bool skipEmptyLines();
    void scanLine(LineScan& line, std::uint64_t limit);
    Scan findRecordEnd(std::size_t& end, long& lines);
    Scan findClosingLine(const LineScan& first, std::size_t& end, long& lines);
    bool readAhead(std::uint64_t from, std::uint64_t limit);
    std::size_t lineEndLength(std::size_t pos);
    void parseFields(char* data, std::size_t begin, std::size_t end, CsvRecord& record);
    void takeFirstLine(CsvRecord& record);
    void dropRestOfLine();

    ByteSource& source_;
    std::size_t maxRecordBytes_;
    std::string buffer_;
    std::uint64_t base_ = 0; // the input offset of buffer_[0]
    std::size_t begin_ = 0;  // first unread byte
    std::size_t end_ = 0;    // end of the bytes read so far
    // Lines already read ahead, each once: the records that start among them
    // are judged without reading them again, so recovery stays linear.
    std::deque<AheadLine> ahead_;
    std::deque<long> closing_;            // seq of the lines in ahead_ that close a quote
    std::optional<LineScan> partialLine_; // the line after ahead_'s last, read in part
    bool aheadAtEnd_ = false;             // ahead_'s last line ends the input
    long aheadSeq_ = 0;
    long aheadCommas_ = 0;
    long aheadBad_ = 0;
    bool atEnd_ = false;
    bool started_ = false;
    bool dropLine_ = false; // the rest of a too long line is still to be skipped
    long line_ = 1;
    std::size_t expectedFields_ = 0;
    std::vector<std::string_view> fields_;
    std::string spill_; // a record of several lines, parsed apart from the buffer
};

} // namespace levywise::cli

namespace levywise::cli {

// A text a spreadsheet would run as a formula: it starts with =, +, - or @,
// or with a tab or a carriage return, which some skip before a formula.
inline bool LooksLikeFormula(std::string_view text) {
    if (text.empty()) return false;
    const char c = text.front();
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// Writes CSV rows: a field is quoted only when it holds a comma, a quote or
// a line break, and its quotes are then doubled. Rows end in LF. Output is
// gathered and handed to the sink in large pieces.
class CsvWriter {
public:
    explicit CsvWriter(ByteSink& sink);
    ~CsvWriter();

    void field(std::string_view text);
    // A text that is no number: one that a spreadsheet would run as a
    // formula (LooksLikeFormula) is written after a "'".
    void textField(std::string_view text);
    // A field known to hold no comma, quote or line break.
    void unquotedField(std::string_view text) {
        char* p = room(text.size() + 1);
        char* const start = p;
        if (rowStarted_) *p++ = ',';
        rowStarted_ = true;
        for (const char c : text) *p++ = c; // most fields are a few bytes: no library call
        used_ += static_cast<std::size_t>(p - start);
    }
    // The same for a short text with n bytes readable from its start: those
    // are copied whole, which is cheaper than counting.
    template <std::size_t n>
    void shortUnquotedField(std::string_view text) {
        char* p = room(n + 1);
        char* const start = p;
        if (rowStarted_) *p++ = ',';
        rowStarted_ = true;
        std::memcpy(p, text.data(), n);
        used_ += static_cast<std::size_t>(p - start) + text.size();
    }
    void endRow();
    // A whole row written by the caller: room for n bytes, to be filled from
    // the returned position and handed back, up to its last field, to
    // endRow(end).
    char* rowRoom(std::size_t n) { return room(n + 1); }
    void endRow(char* end) {
        *end = '\n';
        used_ = static_cast<std::size_t>(end + 1 - buffer_.data());
        if (used_ >= kFlushAt) flush();
    }
    // Hands everything written so far to the sink; false once any write failed.
    bool flush();
    bool failed() const { return failed_; }

private:
    static constexpr std::size_t kFlushAt = std::size_t{1} << 16;

    // Where the next n bytes go; the buffer grows when they do not fit.
    char* room(std::size_t n) {
        if (buffer_.size() - used_ < n) buffer_.resize(std::max(buffer_.size() * 2, used_ + n));
        return buffer_.data() + used_;
    }

    ByteSink& sink_;
    std::string buffer_; // the bytes written so far are its first used_
    std::size_t used_ = 0;
    bool rowStarted_ = false;
    bool failed_ = false;
};

} // namespace levywise::cli
