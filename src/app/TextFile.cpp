#include "app/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>

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

// mode "wb" replaces a file, "wbx" makes a new one and fails when it exists.
std::error_code writeWholeFile(const fs::path& path, std::string_view content, const char* mode) {
    errno = 0;
    FileHandle file(std::fopen(path.c_str(), mode));
    if (!file) return lastError();
    if (std::fwrite(content.data(), 1, content.size(), file.get()) != content.size() ||
        std::fflush(file.get()) != 0) {
        return lastError();
    }
    if (std::fclose(file.release()) != 0) return lastError();
    return {};
}

fs::path temporarySibling(const fs::path& target) {
    // A random part keeps two running copies of the program apart.
    std::random_device random;
    fs::path temp = target;
    temp += ".tmp" + std::to_string(random());
    return temp;
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

std::error_code writeFileAtomically(const fs::path& path, std::string_view content) {
    std::error_code error;
    fs::path target = path;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        target = fs::canonical(path, error);
        if (error) return error;
    }

    const fs::path temp = temporarySibling(target);
    error = writeWholeFile(temp, content, "wb");
    if (!error) {
        const fs::file_status existing = fs::status(target, error);
        if (fs::exists(existing)) fs::permissions(temp, existing.permissions(), error);
        error.clear();  // keeping the permissions is worth a try, not a failure
        fs::rename(temp, target, error);
    }
    if (error) {
        std::error_code ignored;
        fs::remove(temp, ignored);
    }
    return error;
}

std::error_code copyFileIfAbsent(const fs::path& from, const fs::path& to) {
    std::string bytes;
    if (const std::error_code error = readWholeFile(from, bytes)) return error;
    const std::error_code error = writeWholeFile(to, bytes, "wbx");
    if (error && error != std::errc::file_exists) {
        std::error_code ignored;
        fs::remove(to, ignored);
    }
    return error;
}

}  // namespace tavo
