#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavo {

// The settings profile: one INI file read and written as the Windows private
// profile functions do (rules in IniDocument). Every call reads the file
// afresh, and every write rewrites it at once, so nothing is lost when the
// program ends abruptly and changes made by another running copy are seen.
//
// Texts are UTF-8 on both sides. The file is written as UTF-8; one carried over
// from Windows, which is Windows-1252, is read as such and rewritten as UTF-8
// on the first write.
//
// A missing file reads as empty, and it and its folder are made on the first
// write. A file that exists but cannot be read gives the defaults and refuses
// every write, so that it is never replaced by a stub.
class IniProfile {
public:
    explicit IniProfile(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }

    int getInt(std::string_view section, std::string_view key, int defaultValue) const;
    std::string getString(std::string_view section, std::string_view key, std::string_view defaultValue) const;

    // false when the file could not be written; it is then left as it was.
    bool writeInt(std::string_view section, std::string_view key, int value);
    bool writeString(std::string_view section, std::string_view key, std::string_view value);
    bool removeKey(std::string_view section, std::string_view key);

private:
    template <typename Change>
    bool rewrite(Change change);

    std::filesystem::path path_;
};

// The integer reading of a stored value, as GetPrivateProfileInt does it: blanks
// and a sign, then an optional base prefix (0x hexadecimal, 0o octal, 0b binary),
// then as many digits as follow. So "12abc" is 12 and a value with no digits is
// 0 (not the default: the default is only for a key that is missing or empty).
// The sum wraps at 32 bits as the original's unsigned result does.
int profileInteger(std::string_view value);

}  // namespace tavo
