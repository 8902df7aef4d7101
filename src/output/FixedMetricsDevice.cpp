#include "output/FixedMetricsDevice.h"

#include <cstdlib>

namespace tavo {

DeviceGeometry FixedMetricsDevice::geometry() const {
    const Rect& border = config_.borderMm;
    const int widthMm = config_.paperWidthMm - border.left - border.right;
    const int heightMm = config_.paperHeightMm - border.top - border.bottom;
    const int perMm = config_.pixelsPerInch * 10 / 254;
    return DeviceGeometry{config_.pixelsPerInch,
                          config_.pixelsPerInch,
                          widthMm * perMm,
                          heightMm * perMm,
                          widthMm,
                          heightMm,
                          config_.paperWidthMm * perMm,
                          config_.paperHeightMm * perMm,
                          border.left * perMm,
                          border.top * perMm};
}

std::optional<FontMetrics> FixedMetricsDevice::fontMetrics(const FontRequest& font) const {
    if (!font.record) return config_.defaultFont;
    if (font.record->faceName == config_.unavailableFace) return std::nullopt;
    return FontMetrics{std::abs(font.pixelHeight) + config_.leading, config_.descent};
}

int FixedMetricsDevice::textWidth(const FontRequest& /*font*/, std::string_view text) const {
    return static_cast<int>(text.size()) * config_.charWidth;
}

void FixedMetricsDevice::drawText(const FontRequest& font, int x, int baselineY, std::string_view text) {
    texts_.push_back({std::string(text), x, baselineY, font});
}

void FixedMetricsDevice::drawLine(int x1, int y1, int x2, int y2) {
    lines_.push_back({x1, y1, x2, y2});
}

void FixedMetricsDevice::frameRect(const Rect& rect) {
    rects_.push_back({rect, false});
}

void FixedMetricsDevice::fillRect(const Rect& rect) {
    rects_.push_back({rect, true});
}

void FixedMetricsDevice::clear() {
    texts_.clear();
    lines_.clear();
    rects_.clear();
}

}  // namespace tavo
