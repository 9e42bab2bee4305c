#include "cli/byte_stream.h"

#include <algorithm>
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
