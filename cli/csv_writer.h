#pragma once

#include <string>
#include <string_view>

#include "cli/byte_stream.h"

namespace levywise::cli {

// Writes CSV rows: a field is quoted only when it holds a comma, a quote or
// a line break, and its quotes are then doubled. Rows end in LF. Output is
// gathered and handed to the sink in large pieces.
class CsvWriter {
public:
    explicit CsvWriter(ByteSink& sink);
    ~CsvWriter();

    void field(std::string_view text);
    // A text that is no number: one that a spreadsheet would run as a
    // formula (it starts with =, +, - or @) is written after a "'".
    void textField(std::string_view text);
    // A field known to hold no comma, quote or line break.
    void unquotedField(std::string_view text) {
        if (rowStarted_) buffer_ += ',';
        rowStarted_ = true;
        buffer_ += text;
    }
    void endRow();
    // Hands everything written so far to the sink; false once any write failed.
    bool flush();
    bool failed() const { return failed_; }

private:
    ByteSink& sink_;
    std::string buffer_;
    bool rowStarted_ = false;
    bool failed_ = false;
};

} // namespace levywise::cli
