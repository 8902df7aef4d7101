#include "output/HeaderLines.h"

#include <algorithm>

#include "file/TextFile.h"
#include "file/AtomicWrite.h"
#include "file/ShippedFiles.h"
#include "model/Windows1252.h"

namespace tavo {
namespace fs = std::filesystem;

namespace {

constexpr char kTypedSeparator = '#';
constexpr char kPrintSeparator = '\t';

std::string printForm(std::string_view typed) {
    std::string line(typed.substr(0, HeaderLines::kMaxLineLength));
    std::ranges::replace(line, kTypedSeparator, kPrintSeparator);
    return line;
}

void removeTrailingBlanks(std::string& line) { line.erase(line.find_last_not_of(" \t\r\v\f") + 1); }

}  // namespace

HeaderLines HeaderLines::makersBanner() {
    HeaderLines banner;
    banner.add("KOVA Software#Bauwaage#\xD6NORM B 1991-1-1");
    banner.add("#St\xE4ndige Lasten und Nutzlasten#");
    return banner;
}

std::string HeaderLines::typedLine(std::size_t index) const {
    std::string line = lines_.at(index);
    std::ranges::replace(line, kPrintSeparator, kTypedSeparator);
    return line;
}

int HeaderLines::load(const fs::path& path) {
    std::string utf8;
    if (const std::error_code error = readTextFile(path, utf8)) return error.value();
    const std::string text = utf8ToWindows1252(utf8);

    std::vector<std::string> lines;
    std::size_t used = 0;  // up to the last line with a non-blank character
    for (std::size_t start = 0; start < text.size() && lines.size() < kMaxLines;) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = printForm(std::string_view(text).substr(start, end - start));
        removeTrailingBlanks(line);
        lines.push_back(std::move(line));
        if (!lines.back().empty()) used = lines.size();
        start = end + 1;
    }
    lines.resize(used);
    lines_ = std::move(lines);
    loaded_ = true;
    return 0;
}

void HeaderLines::clear() {
    loaded_ = false;
    lines_.clear();
}

bool HeaderLines::add(std::string_view typed) {
    if (lines_.size() >= kMaxLines) return false;
    lines_.push_back(printForm(typed));
    loaded_ = true;
    return true;
}

int HeaderLines::save(const fs::path& path) const {
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) text += typedLine(i) + '\n';
    return writeFileAtomically(path, windows1252ToUtf8(text)).value();
}

fs::path headerLinesPath(const fs::path& programDir) { return findShippedFile(programDir, "mervik.hdg"); }

HeaderLines loadBanner(const fs::path& path) {
    HeaderLines lines;
    return lines.load(path) == 0 ? lines : HeaderLines::makersBanner();
}

}  // namespace tavo
