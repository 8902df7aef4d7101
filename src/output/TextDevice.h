#pragma once

#include "output/OutputDevice.h"

#include <string>
#include <vector>

namespace tavo {

// Draws pages as monospaced text, as a line printer would: one pixel is one character
// cell (by default 10 characters and 6 lines an inch on an A4 page without unprintable
// border), so every font is one character wide and one line high. Rules show as '-'
// ('=' where two meet in one row), vertical lines as '|', crossings and frame corners
// as '+', fills as '#'. Text always wins over lines.
class TextDevice final : public OutputDevice {
public:
    explicit TextDevice(int charsPerInch = 10, int linesPerInch = 6);

    DeviceGeometry geometry() const override;
    std::optional<FontMetrics> fontMetrics(const FontRequest& font) const override;
    int textWidth(const FontRequest& font, std::string_view text) const override;
    void drawText(const FontRequest& font, int x, int baselineY, std::string_view text) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void frameRect(const Rect& rect) override;
    void fillRect(const Rect& rect) override;

    // The page drawn so far in UTF-8: each row with its trailing blanks removed and a
    // newline, up to the last row that holds anything.
    std::string pageText() const;
    void clearPage();

private:
    struct Cell {
        char glyph = ' ';
        bool isText = false;
    };

    Cell* cellAt(int column, int row);
    void mark(int column, int row, char glyph);

    int charsPerInch_;
    int linesPerInch_;
    int columns_;
    int rows_;
    std::vector<Cell> cells_;
};

}  // namespace tavo
