#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace levywise::cli {

// Where a command's results go: standard output, or a named file that is
// written whole or not at all. A regular file (or a new one) is written to a
// temporary file beside it, which replaces it only once everything has been
// written; a device or a pipe is written to directly.
class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile(); // abandons what was not committed

    // Opens the output (standard output when path is empty); on failure says
    // why in error.
    bool open(const std::string& path, std::string& error);
    std::FILE* stream() const { return file_; }

    // Flushes and closes; a temporary file then replaces the target. False
    // with the reason in error when the results could not all be written.
    bool commit(std::string& error);

private:
    void abandon();

    std::FILE* file_ = nullptr;
    bool owned_ = false;
    std::filesystem::path target_;
    std::filesystem::path temporary_;
};

// Whether path names the file this process reads as its standard input.
bool IsStandardInput(const std::string& path);

// Whether two paths name the same file (device and inode, links followed).
bool SameFile(const std::string& a, const std::string& b);

} // namespace levywise::cli
