#include "file/IniDocument.h"

#include <algorithm>

namespace tavo {
namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalNames(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

struct ParsedLine {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    std::string_view name;
    std::string_view value;  // keys only, blanks around it removed
};

ParsedLine parseLine(std::string_view line) {
    const std::string_view text = trimmed(line);
    if (text.starts_with('[')) {
        const std::size_t close = text.rfind(']');
        if (close == std::string_view::npos) return {};
        return {ParsedLine::Kind::Section, trimmed(text.substr(1, close - 1)), {}};
    }
    const std::size_t equals = text.find('=');
    if (text.starts_with(';') || equals == std::string_view::npos) return {};
    return {ParsedLine::Kind::Key, trimmed(text.substr(0, equals)), trimmed(text.substr(equals + 1))};
}

std::string_view withoutQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string_view lineEnd(std::string_view line) {
    if (line.ends_with("\r\n")) return "\r\n";
    if (line.ends_with('\n')) return "\n";
    return {};
}

std::string oneLine(std::string_view value) {
    std::string text(value);
    std::ranges::replace_if(text, [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

}  // namespace

IniDocument::IniDocument(std::string_view text) : newline_("\n") {
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t newline = text.find('\n', start);
        const std::size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
        lines_.emplace_back(text.substr(start, end - start));
        start = end;
    }
    if (!lines_.empty() && lineEnd(lines_.front()) == "\r\n") newline_ = "\r\n";
}

IniDocument::Location IniDocument::locate(std::string_view section, std::string_view key) const {
    Location found;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine line = parseLine(lines_[i]);
        if (line.kind == ParsedLine::Kind::Section) {
            if (found.section) break;  // only the first section of the name counts
            if (equalNames(line.name, section)) {
                found.section = i;
                found.endOfSection = i + 1;
            }
        } else if (found.section && line.kind == ParsedLine::Kind::Key) {
            found.endOfSection = i + 1;
            if (equalNames(line.name, key)) {
                found.key = i;
                break;
            }
        }
    }
    return found;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const {
    const Location found = locate(section, key);
    if (!found.key) return std::nullopt;
    return std::string(withoutQuotes(parseLine(lines_[*found.key]).value));
}

void IniDocument::terminateLine(std::size_t index) {
    if (lineEnd(lines_[index]).empty()) lines_[index] += newline_;
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const Location found = locate(section, key);
    if (found.key) {
        std::string& line = lines_[*found.key];
        line = std::string(parseLine(line).name) + '=' + oneLine(value) + std::string(lineEnd(line));
        return;
    }
    std::string newLine = std::string(key) + '=' + oneLine(value) + newline_;
    if (found.section) {
        terminateLine(found.endOfSection - 1);
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(found.endOfSection), std::move(newLine));
        return;
    }
    if (!lines_.empty()) {
        terminateLine(lines_.size() - 1);
        if (!trimmed(lines_.back()).empty()) lines_.push_back(newline_);
    }
    lines_.push_back('[' + std::string(section) + ']' + newline_);
    lines_.push_back(std::move(newLine));
}

void IniDocument::removeKey(std::string_view section, std::string_view key) {
    if (const Location found = locate(section, key); found.key) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*found.key));
    }
}

std::string IniDocument::text() const {
    std::string text;
    for (const std::string& line : lines_) text += line;
    return text;
}

}  // namespace tavo
