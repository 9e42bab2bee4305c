#include "cli/csv_writer.h"

namespace levywise::cli {
namespace {

constexpr std::size_t kFlushAt = std::size_t{1} << 16;

bool needsQuotes(std::string_view text) {
    return text.find_first_of(",\"\n\r") != std::string_view::npos;
}

} // namespace

CsvWriter::CsvWriter(ByteSink& sink) : sink_(sink) { buffer_.reserve(kFlushAt + 4096); }

CsvWriter::~CsvWriter() { flush(); }

void CsvWriter::field(std::string_view text) {
    if (!needsQuotes(text)) {
        unquotedField(text);
        return;
    }
    if (rowStarted_) buffer_ += ',';
    rowStarted_ = true;
    buffer_ += '"';
    for (const char c : text) {
        if (c == '"') buffer_ += '"';
        buffer_ += c;
    }
    buffer_ += '"';
}

void CsvWriter::textField(std::string_view text) {
    if (text.empty() || std::string_view("=+-@").find(text.front()) == std::string_view::npos) {
        field(text);
        return;
    }
    std::string quoted = "'";
    quoted += text;
    field(quoted);
}

void CsvWriter::endRow() {
    buffer_ += '\n';
    rowStarted_ = false;
    if (buffer_.size() >= kFlushAt) flush();
}

bool CsvWriter::flush() {
    if (!buffer_.empty() && !failed_) failed_ = !sink_.write(buffer_);
    buffer_.clear();
    return !failed_;
}

} // namespace levywise::cli
