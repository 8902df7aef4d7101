#include "file/NativeFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>

namespace tavo::native {

bool truncateFile(std::FILE* file, std::int64_t size) { return ::ftruncate(::fileno(file), static_cast<off_t>(size)) == 0; }

bool syncFile(std::FILE* file) { return ::fsync(::fileno(file)) == 0; }

std::string createUniqueFile(const std::string& prefix) {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static constexpr int kAttempts = 100;
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);

    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string name = prefix;
        for (std::size_t i = 0; i < kUniqueSuffixLength; ++i) name += kAlphabet[pick(random)];
        // Not mkstemp: its mode 0600 would survive the rename and lock out the
        // colleagues who could read the project before.
        const int descriptor = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            ::close(descriptor);
            return name;
        }
        if (errno != EEXIST) return {};
    }
    return {};
}

bool mayWrite(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

namespace {

// Non-blocking is only for the open: a pipe's reads and writes then wait for
// the other end as usual.
std::FILE* openWithoutWaiting(const std::string& path, int flags, const char* mode) {
    const int descriptor = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(descriptor, mode);
    if (file == nullptr) ::close(descriptor);
    return file;
}

}  // namespace

std::FILE* openForReading(const std::string& path) { return openWithoutWaiting(path, O_RDONLY, "rb"); }

std::FILE* openInPlace(const std::string& path) { return openWithoutWaiting(path, O_WRONLY | O_TRUNC, "wb"); }

bool replaceFile(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

}  // namespace tavo::native
