#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

// The text of an INI file with the lookup and update rules of the Windows
// profile functions, so that a settings file moved over from Windows reads and
// grows as it did there:
// - section and key names compare without regard to case (ASCII letters);
// - the first section of a name counts, and in it the first key of a name;
// - lines before the first section, comments (';') and lines without '=' are
//   never matched;
// - every line the program does not change is kept byte for byte, line end
//   included; new lines take the file's line end.
class IniDocument {
public:
    explicit IniDocument(std::string_view text = {});

    // The value as the profile functions give it: blanks around it removed and
    // one pair of enclosing quotes (' or ") stripped. nullopt for a missing key.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // A new key goes after the last key of its section, a new section to the end
    // of the file. A line break in the value would split the line, so it is
    // written as a blank.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    void removeKey(std::string_view section, std::string_view key);

    std::string text() const;

private:
    struct Location {
        std::optional<std::size_t> section;  // the header line
        std::optional<std::size_t> key;
        std::size_t endOfSection = 0;  // where a new key of the section goes
    };

    Location locate(std::string_view section, std::string_view key) const;
    void terminateLine(std::size_t index);

    std::vector<std::string> lines_;  // each with its own line end; the last may lack one
    std::string newline_;
};

}  // namespace tavo
