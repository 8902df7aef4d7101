#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

// The banner at the top of every printed page: up to ten lines of Windows-1252
// text, each in up to three parts printed left-aligned, centred and
// right-aligned.
//
// The parts are separated by "#" where people see the lines (the file, the
// header dialog) and by a tab where the page composer sees them: lines are held
// with tabs. load() and add() turn "#" into a tab, save() and typedLine() turn
// it back.
class HeaderLines {
public:
    static constexpr std::size_t kMaxLines = 10;
    static constexpr std::size_t kMaxLineLength = 255;

    // The maker's two lines, printed when there is no header-lines file.
    static HeaderLines makersBanner();

    // -1 while nothing is loaded, else the number of lines held.
    int count() const { return loaded_ ? static_cast<int>(lines_.size()) : -1; }
    const std::vector<std::string>& lines() const { return lines_; }
    std::string typedLine(std::size_t index) const;

    // Reads up to ten lines, each cut at 255 characters, "#" turned into a tab
    // and trailing blanks removed; the lines after the last one with a
    // non-blank character are dropped. The file is UTF-8, or Windows-1252 as
    // written on Windows. 0 on success, else the C library's error number; the
    // lines are then left as they were.
    int load(const std::filesystem::path& path);

    // Back to "nothing loaded".
    void clear();

    // A line as typed, with "#", cut at 255 characters. false when ten are held.
    bool add(std::string_view typed);

    // One line per line as typed, in UTF-8. 0 on success, else the C library's
    // error number.
    int save(const std::filesystem::path& path) const;

private:
    bool loaded_ = false;
    std::vector<std::string> lines_;
};

// The header-lines file "mervik.hdg" the program ships.
std::filesystem::path headerLinesPath(const std::filesystem::path& programDir);

// The banner the page header prints: the lines of the header-lines file when
// it can be read, else the maker's banner.
HeaderLines loadBanner(const std::filesystem::path& path);

}  // namespace tavo
