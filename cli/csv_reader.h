#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/byte_stream.h"

namespace levywise::cli {

// One record of a CSV file. The texts point into the reader's buffer and
// stay valid until the next call of CsvReader::next.
struct CsvRecord {
    std::span<const std::string_view> Fields;
    // Empty, or why the record is malformed; Fields then holds the fields
    // read before the fault.
    std::string_view Problem;
    long Line = 0; // where the record starts, from 1
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

    bool fill();
    bool available(std::size_t pos);
    bool skipEmptyLines();
    Scan findRecordEnd(std::size_t& end, long& lines);
    std::size_t lineEndLength(std::size_t pos);
    void parseFields(char* data, std::size_t begin, std::size_t end, CsvRecord& record);
    void takeFirstLine(CsvRecord& record);

    ByteSource& source_;
    std::size_t maxRecordBytes_;
    std::string buffer_;
    std::size_t begin_ = 0; // first unread byte
    std::size_t end_ = 0;   // end of the bytes read so far
    bool atEnd_ = false;
    bool started_ = false;
    long line_ = 1;
    std::size_t expectedFields_ = 0;
    std::vector<std::string_view> fields_;
    std::string spill_; // a record of several lines, parsed apart from the buffer
};

} // namespace levywise::cli
