#pragma once

#include "output/FontRecord.h"

#include <optional>
#include <string_view>

namespace tavo {

// Device pixels; the composer's logical units are the device's own.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const Rect&) const = default;
};

// What a device tells about its page. The origin of drawing is the top left corner of
// the printable area; the paper extends beyond it by the unprintable border.
struct DeviceGeometry {
    int pixelsPerInchX = 0;
    int pixelsPerInchY = 0;
    int printableWidth = 0;     // pixels
    int printableHeight = 0;    // pixels
    int printableWidthMm = 0;   // 0 when the device has no physical size
    int printableHeightMm = 0;
    int paperWidth = 0;         // pixels, 0 when the device has no paper
    int paperHeight = 0;
    int printableOffsetX = 0;   // pixels from the paper's edge to the printable area
    int printableOffsetY = 0;
};

// A font as the composer asks a device for it. pixelHeight follows the Windows rule:
// negative is the character height, positive the cell height (ascent plus descent).
// Without a record the device's default font is meant and pixelHeight is unused.
struct FontRequest {
    std::optional<FontRecord> record;
    int pixelHeight = 0;

    bool operator==(const FontRequest&) const = default;
};

struct FontMetrics {
    int lineHeight = 0;  // character height plus external leading
    int descent = 0;
};

// What the page composer needs of a printer, a PDF page, an image or the screen.
// Texts are Windows-1252 bytes; the device converts them for its own use. Lines,
// frames and fills are solid black, lines on paper at least 0.5 pt wide.
class OutputDevice {
public:
    virtual ~OutputDevice() = default;

    virtual DeviceGeometry geometry() const = 0;

    // None when the device cannot make the font.
    virtual std::optional<FontMetrics> fontMetrics(const FontRequest& font) const = 0;
    virtual int textWidth(const FontRequest& font, std::string_view text) const = 0;

    virtual void drawText(const FontRequest& font, int x, int baselineY, std::string_view text) = 0;
    // A segment that includes both of its end points.
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void frameRect(const Rect& rect) = 0;
    virtual void fillRect(const Rect& rect) = 0;
    // A device may gather what it is given to draw; the composer calls this once a page
    // or a line is drawn, and the device then puts out everything it holds.
    virtual void flush() {}

protected:
    OutputDevice() = default;
    OutputDevice(const OutputDevice&) = default;
    OutputDevice& operator=(const OutputDevice&) = default;
};

}  // namespace tavo
