#include "output/TextDevice.h"

#include "model/Windows1252.h"

#include <algorithm>

namespace tavo {
namespace {

constexpr int kA4WidthMm = 210;
constexpr int kA4HeightMm = 297;

int mmToCells(int mm, int perInch) {
    return mm * perInch * 10 / 254;
}

char combined(char current, char added) {
    if (current == '#' || added == '#') return '#';
    if (current == ' ') return added;
    if (added == '-' && current == '-') return '=';
    if (added == current || (added == '-' && current == '=')) return current;
    return '+';
}

}  // namespace

TextDevice::TextDevice(int charsPerInch, int linesPerInch)
    : charsPerInch_(charsPerInch),
      linesPerInch_(linesPerInch),
      columns_(mmToCells(kA4WidthMm, charsPerInch)),
      rows_(mmToCells(kA4HeightMm, linesPerInch)),
      cells_(static_cast<std::size_t>(columns_ * rows_)) {}

DeviceGeometry TextDevice::geometry() const {
    return DeviceGeometry{charsPerInch_, linesPerInch_, columns_, rows_, kA4WidthMm, kA4HeightMm,
                          columns_, rows_, 0, 0};
}

std::optional<FontMetrics> TextDevice::fontMetrics(const FontRequest& /*font*/) const {
    return FontMetrics{1, 0};
}

int TextDevice::textWidth(const FontRequest& /*font*/, std::string_view text) const {
    return static_cast<int>(text.size());
}

// The text stands in the row above its baseline, where a line of height 1 with no
// descent has its baseline. Control characters show as '?'.
void TextDevice::drawText(const FontRequest& /*font*/, int x, int baselineY, std::string_view text) {
    for (const char c : text) {
        if (Cell* cell = cellAt(x++, baselineY - 1)) {
            const bool control = static_cast<unsigned char>(c) < 0x20;
            *cell = Cell{control ? '?' : c, true};
        }
    }
}

void TextDevice::drawLine(int x1, int y1, int x2, int y2) {
    if (y1 == y2) {
        for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) mark(x, y1, '-');
    } else if (x1 == x2) {
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) mark(x1, y, '|');
    }
}

void TextDevice::frameRect(const Rect& rect) {
    const int right = rect.right - 1;
    const int bottom = rect.bottom - 1;
    for (int x = rect.left + 1; x < right; ++x) {
        mark(x, rect.top, '-');
        if (bottom != rect.top) mark(x, bottom, '-');
    }
    for (int y = rect.top + 1; y < bottom; ++y) {
        mark(rect.left, y, '|');
        mark(right, y, '|');
    }
    for (const int y : {rect.top, bottom}) {
        mark(rect.left, y, '+');
        mark(right, y, '+');
    }
}

void TextDevice::fillRect(const Rect& rect) {
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) mark(x, y, '#');
    }
}

std::string TextDevice::pageText() const {
    std::vector<std::string> rows;
    for (int row = 0; row < rows_; ++row) {
        std::string text;
        for (int column = 0; column < columns_; ++column) {
            text.push_back(cells_[static_cast<std::size_t>(row * columns_ + column)].glyph);
        }
        text.erase(text.find_last_not_of(' ') + 1);
        rows.push_back(std::move(text));
    }
    while (!rows.empty() && rows.back().empty()) rows.pop_back();
    std::string page;
    for (const std::string& row : rows) page += windows1252ToUtf8(row) + '\n';
    return page;
}

void TextDevice::clearPage() {
    std::fill(cells_.begin(), cells_.end(), Cell{});
}

TextDevice::Cell* TextDevice::cellAt(int column, int row) {
    if (column < 0 || column >= columns_ || row < 0 || row >= rows_) return nullptr;
    return &cells_[static_cast<std::size_t>(row * columns_ + column)];
}

void TextDevice::mark(int column, int row, char glyph) {
    Cell* cell = cellAt(column, row);
    if (cell && !cell->isText) cell->glyph = combined(cell->glyph, glyph);
}

}  // namespace tavo
