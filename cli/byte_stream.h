#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

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
