#include "file/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>

#include "file/NativeFile.h"
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

// The text of a file that starts with the UTF-16 byte-order mark of either order.
std::optional<std::string> utf16FileText(std::string_view bytes) {
    const bool little = bytes.starts_with("\xFF\xFE");
    if (!little && !bytes.starts_with("\xFE\xFF")) return std::nullopt;
    std::u16string units;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second));
    }
    return utf16ToUtf8(units);
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

std::error_code readWholeFile(const fs::path& path, std::string& bytes, std::size_t limit, FileOperation& failedAt) {
    failedAt = FileOperation::Open;
    errno = 0;
    FileHandle file(native::openForReading(path.string()));
    if (!file) return lastError();
    failedAt = FileOperation::Read;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (got > limit - bytes.size()) return std::make_error_code(std::errc::file_too_large);
        bytes.append(buffer, got);
    }
    if (std::ferror(file.get())) return lastError();
    return {};
}

std::error_code readTextFile(const fs::path& path, std::string& utf8) {
    std::string bytes;
    FileOperation failedAt{};
    if (const std::error_code error = readWholeFile(path, bytes, kMaxTextFileBytes, failedAt)) return error;
    if (std::optional<std::string> text = utf16FileText(bytes)) {
        utf8 = std::move(*text);
        return {};
    }
    std::string_view text = bytes;
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    utf8 = isValidUtf8(text) ? std::string(text) : windows1252ToUtf8(text);
    return {};
}

std::error_code copyFileIfAbsent(const fs::path& from, const fs::path& to) {
    std::string bytes;
    FileOperation failedAt{};
    if (const std::error_code error = readWholeFile(from, bytes, kMaxTextFileBytes, failedAt)) return error;
    const std::error_code error = writeNewFile(to, bytes);
    if (error && error != std::errc::file_exists) {
        std::error_code ignored;
        fs::remove(to, ignored);
    }
    return error;
}

}  // namespace tavo
