#include "cli/output_file.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#define isatty _isatty
#define unlink _unlink
#define STDERR_FILENO 2
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace levywise::cli {
namespace {

std::string reason(int error) { return std::strerror(error); }

// The temporary file a signal that ends the process removes first: kept in
// static memory, since a signal handler may only touch that and call
// async-signal-safe functions.
char interruptedFile[4096];
volatile std::sig_atomic_t removeOnSignal = 0;
constexpr int kEndingSignals[] = {SIGINT, SIGTERM};
using Handler = void (*)(int);
Handler before[std::size(kEndingSignals)];

extern "C" void removeAndEnd(int signal) {
    if (removeOnSignal) unlink(interruptedFile);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void removeOnEndingSignal(const std::filesystem::path& file) {
    const std::string name = file.string();
    if (name.size() >= sizeof interruptedFile) return;
    std::memcpy(interruptedFile, name.c_str(), name.size() + 1);
    removeOnSignal = 1;
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
        before[i] = std::signal(kEndingSignals[i], removeAndEnd);
        // A signal the process was started to ignore stays ignored.
        if (before[i] == SIG_IGN) std::signal(kEndingSignals[i], SIG_IGN);
    }
}

void keepOnEndingSignal() {
    if (!removeOnSignal) return;
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
        std::signal(kEndingSignals[i], before[i] == SIG_ERR ? SIG_DFL : before[i]);
    removeOnSignal = 0;
}

// A new file beside target that no one else has opened.
std::FILE* createBeside(const std::filesystem::path& target, std::filesystem::path& created) {
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = target;
        candidate.replace_filename("." + target.filename().string() + ".levywise-" +
                                   std::to_string(entropy() % 1000000000u));
        // "x": fail rather than open a file that already exists.
        if (std::FILE* f = std::fopen(candidate.string().c_str(), "wbx")) {
            created = candidate;
            return f;
        }
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

// The file a path names through any symbolic links, which the results then
// replace instead of the link; empty when the links go round in a circle.
std::filesystem::path linkTarget(const std::filesystem::path& path) {
    std::filesystem::path target = path;
    std::error_code ec;
    for (int links = 0; std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec));
         ++links) {
        const std::filesystem::path next = std::filesystem::read_symlink(target, ec);
        if (ec || links == 40) return {};
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

} // namespace

OutputFile::~OutputFile() { abandon(); }

bool OutputFile::open(const std::string& path, std::string& error) {
    if (path.empty()) {
        file_ = stdout;
        return true;
    }
    const std::filesystem::path target = linkTarget(path);
    if (target.empty()) {
        error = "its symbolic links lead nowhere";
        return false;
    }
    std::error_code ec;
    const auto status = std::filesystem::status(target, ec);
    if (std::filesystem::is_directory(status)) {
        error = "this is a folder";
        return false;
    }
    owned_ = true;
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        file_ = std::fopen(path.c_str(), "wb"); // a device or a pipe: nothing to replace
        if (!file_) error = reason(errno);
        return file_ != nullptr;
    }
    target_ = target;
    file_ = createBeside(target_, temporary_);
    if (!file_) {
        error = "no file can be created beside it (" + reason(errno) + ")";
        return false;
    }
    removeOnEndingSignal(temporary_);
    // The results keep the permissions of the file they replace.
    if (std::filesystem::exists(status))
        std::filesystem::permissions(temporary_, status.permissions(), ec);
    return true;
}

bool OutputFile::commit(std::string& error) {
    bool written = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    if (owned_) {
        written = std::fclose(file_) == 0 && written;
        file_ = nullptr;
    }
    if (!written) {
        error = "the results could not all be written";
        abandon();
        return false;
    }
    if (!temporary_.empty()) {
        std::error_code ec;
        std::filesystem::rename(temporary_, target_, ec);
        if (ec) {
            error = "the results could not replace it (" + ec.message() + ")";
            abandon();
            return false;
        }
        temporary_.clear();
        keepOnEndingSignal();
    }
    return true;
}

void OutputFile::abandon() {
    if (owned_ && file_) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temporary_, ec);
        temporary_.clear();
        keepOnEndingSignal();
    }
}

bool IsStandardInput(const std::string& path) {
#ifdef _WIN32
    BY_HANDLE_FILE_INFORMATION in{}, named{};
    const auto input = reinterpret_cast<HANDLE>(_get_osfhandle(0));
    if (input == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(input, &in)) return false;
    const HANDLE file =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(file, &named);
    CloseHandle(file);
    return known && in.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
           in.nFileIndexHigh == named.nFileIndexHigh && in.nFileIndexLow == named.nFileIndexLow;
#else
    struct stat in {
    }, named{};
    return fstat(STDIN_FILENO, &in) == 0 && stat(path.c_str(), &named) == 0 &&
           in.st_dev == named.st_dev && in.st_ino == named.st_ino;
#endif
}

bool SameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return !a.empty() && !b.empty() && std::filesystem::equivalent(a, b, ec) && !ec;
}

} // namespace levywise::cli
