#pragma once

#include "output/OutputDevice.h"

#include <string>
#include <utility>
#include <vector>

namespace tavo {

// A device with exact integer metrics that records what is drawn on it, so that layout
// can be checked to the pixel. By default an A4 page at 254 pixels per inch (10 pixels
// a millimetre) without an unprintable border; every character is 10 pixels wide, a
// font's line height is its pixel height plus the leading.
class FixedMetricsDevice final : public OutputDevice {
public:
    struct Config {
        int pixelsPerInch = 254;
        int paperWidthMm = 210;
        int paperHeightMm = 297;
        Rect borderMm;  // unprintable border on each side
        int charWidth = 10;
        int leading = 11;
        int descent = 10;
        FontMetrics defaultFont{40, 8};
        std::string unavailableFace = "Missing";  // fonts of this face cannot be made
    };

    struct DrawnText {
        std::string text;
        int x = 0;
        int baselineY = 0;
        FontRequest font;
    };
    struct DrawnLine {
        int x1 = 0;
        int y1 = 0;
        int x2 = 0;
        int y2 = 0;

        bool operator==(const DrawnLine&) const = default;
    };
    struct DrawnRect {
        Rect rect;
        bool filled = false;

        bool operator==(const DrawnRect&) const = default;
    };

    FixedMetricsDevice() : FixedMetricsDevice(Config{}) {}
    explicit FixedMetricsDevice(Config config) : config_(std::move(config)) {}

    DeviceGeometry geometry() const override;
    std::optional<FontMetrics> fontMetrics(const FontRequest& font) const override;
    int textWidth(const FontRequest& font, std::string_view text) const override;
    void drawText(const FontRequest& font, int x, int baselineY, std::string_view text) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void frameRect(const Rect& rect) override;
    void fillRect(const Rect& rect) override;

    const std::vector<DrawnText>& texts() const { return texts_; }
    const std::vector<DrawnLine>& lines() const { return lines_; }
    const std::vector<DrawnRect>& rects() const { return rects_; }
    void clear();

private:
    Config config_;
    std::vector<DrawnText> texts_;
    std::vector<DrawnLine> lines_;
    std::vector<DrawnRect> rects_;
};

}  // namespace tavo
