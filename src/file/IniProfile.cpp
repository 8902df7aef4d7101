#include "file/IniProfile.h"

#include <cstdint>
#include <optional>

#include "file/IniDocument.h"
#include "file/TextFile.h"
#include "file/AtomicWrite.h"

namespace tavo {
namespace fs = std::filesystem;

namespace {

// A missing file is an empty profile; a file that exists but cannot be read is
// no profile at all, so that a write cannot replace it with a stub.
std::optional<IniDocument> readDocument(const fs::path& path) {
    std::string text;
    const std::error_code error = readTextFile(path, text);
    if (error == std::errc::no_such_file_or_directory) return IniDocument();
    if (error) return std::nullopt;
    return IniDocument(text);
}

std::optional<std::string> readValue(const fs::path& path, std::string_view section, std::string_view key) {
    const std::optional<IniDocument> document = readDocument(path);
    return document ? document->value(section, key) : std::nullopt;
}

// Letters count on from 10 as in any base up to 36; what is no digit at all
// gets a value beyond every base.
std::uint32_t digitValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
    if (c >= 'a' && c <= 'z') return static_cast<std::uint32_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'Z') return static_cast<std::uint32_t>(c - 'A' + 10);
    return 36;
}

}  // namespace

int profileInteger(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && static_cast<unsigned char>(value[i]) <= ' ') ++i;
    const bool negative = i < value.size() && value[i] == '-';
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) ++i;

    std::uint32_t base = 10;
    if (value.size() - i >= 2 && value[i] == '0') {
        switch (value[i + 1]) {
            case 'x': base = 16; break;
            case 'o': base = 8; break;
            case 'b': base = 2; break;
            default: break;
        }
        if (base != 10) i += 2;
    }

    std::uint32_t total = 0;
    for (; i < value.size(); ++i) {
        const std::uint32_t digit = digitValue(value[i]);
        if (digit >= base) break;
        total = total * base + digit;
    }
    return static_cast<int>(negative ? 0u - total : total);
}

IniProfile::IniProfile(fs::path path) : path_(std::move(path)) {}

int IniProfile::getInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::optional<std::string> value = readValue(path_, section, key);
    return value && !value->empty() ? profileInteger(*value) : defaultValue;
}

std::string IniProfile::getString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
    return readValue(path_, section, key).value_or(std::string(defaultValue));
}

template <typename Change>
bool IniProfile::rewrite(Change change) {
    std::optional<IniDocument> document = readDocument(path_);
    if (!document) return false;
    const std::string before = document->text();
    change(*document);
    const std::string after = document->text();
    if (after == before) return true;  // spares the disk, and makes no file for nothing

    std::error_code ignored;  // a folder that cannot be made shows in the write below
    fs::create_directories(path_.parent_path(), ignored);
    return !writeFileAtomically(path_, after);
}

bool IniProfile::writeInt(std::string_view section, std::string_view key, int value) {
    return writeString(section, key, std::to_string(value));
}

bool IniProfile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    return rewrite([&](IniDocument& document) { document.setValue(section, key, value); });
}

bool IniProfile::removeKey(std::string_view section, std::string_view key) {
    return rewrite([&](IniDocument& document) { document.removeKey(section, key); });
}

}  // namespace tavo
