#include "file/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "model/Windows1252.h"

namespace tavo {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// The C library reports through errno; a library that leaves it unset still
// must not report success.
std::error_code lastError() {
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The bounds narrow the first continuation byte only.
        std::size_t extra = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (text.size() - i <= extra) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return false;
        }
        i += extra + 1;
    }
    return true;
}

std::error_code readWholeFile(const fs::path& path, std::string& bytes) {
    errno = 0;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) return lastError();
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, got);
    if (std::ferror(file.get())) return lastError();
    return {};
}

// Makes a new file with the content; fails with file_exists when there is one.
std::error_code writeNewFile(const fs::path& path, std::string_view content) {
    errno = 0;
    FileHandle file(std::fopen(path.c_str(), "wbx"));
    if (!file) return lastError();
    if (std::fwrite(content.data(), 1, content.size(), file.get()) != content.size() ||
        std::fflush(file.get()) != 0) {
        return lastError();
    }
    if (std::fclose(file.release()) != 0) return lastError();
    return {};
}

}  // namespace

std::error_code readTextFile(const fs::path& path, std::string& utf8) {
    std::string bytes;
    if (const std::error_code error = readWholeFile(path, bytes)) return error;
    std::string_view text = bytes;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    utf8 = isValidUtf8(text) ? std::string(text) : windows1252ToUtf8(text);
    return {};
}

std::error_code copyFileIfAbsent(const fs::path& from, const fs::path& to) {
    std::string bytes;
    if (const std::error_code error = readWholeFile(from, bytes)) return error;
    const std::error_code error = writeNewFile(to, bytes);
    if (error && error != std::errc::file_exists) {
        std::error_code ignored;
        fs::remove(to, ignored);
    }
    return error;
}

}  // namespace tavo
