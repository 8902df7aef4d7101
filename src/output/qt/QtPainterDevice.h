#pragma once

#include "output/OutputDevice.h"
#include "output/qt/CodePageGlyphs.h"

#include <QFont>
#include <QPen>

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QPaintDevice;
class QPainter;

namespace tavo {

// The style hint of the family bits of a Windows pitch-and-family byte.
QFont::StyleHint styleHintOf(std::uint8_t pitchAndFamily);

// The composer's device over Qt: measures on `metrics`, the paint device the document
// is laid out for (a printer, a PDF writer, an image), and draws with `painter`, which
// may paint elsewhere, such as a widget showing the printer's pages. Without a painter
// it only measures. For a printer or PDF writer the page layout gives the paper size
// and the unprintable border. Texts are gathered by line and drawn at the next rule,
// frame or fill, or at flush().
class QtPainterDevice final : public OutputDevice {
public:
    QtPainterDevice(const QPaintDevice& metrics, QPainter* painter);

    DeviceGeometry geometry() const override;
    std::optional<FontMetrics> fontMetrics(const FontRequest& font) const override;
    int textWidth(const FontRequest& font, std::string_view text) const override;
    void drawText(const FontRequest& font, int x, int baselineY, std::string_view text) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void frameRect(const Rect& rect) override;
    void fillRect(const Rect& rect) override;
    void flush() override;

private:
    // A shaped text's glyphs, placed from a point `raise` above the baseline, and its width.
    struct ShapedText {
        QList<QGlyphRun> glyphs;
        qreal raise = 0;
        qreal width = 0;
    };
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
    };
    // One font object per font asked for. A text with a character the font lacks is
    // shaped, and so drawn in a fallback font; shaping is slow, so its result is kept.
    struct CachedFont {
        FontRequest request;
        QFont font;
        QFontMetricsF metrics;
        CodePageGlyphs glyphs;
        std::unordered_map<std::string, ShapedText, TextHash, std::equal_to<>> shaped;
    };

    // The texts of one font on one baseline, drawn as one run: the cost of a PDF page
    // lies mostly in the runs drawn on it, and a table row is one run instead of one
    // per cell.
    struct PendingRun {
        const CachedFont* font = nullptr;
        int baselineY = 0;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };

    QPen rulePen() const;
    CachedFont& cached(const FontRequest& font) const;
    const ShapedText& shaped(CachedFont& font, std::string_view text) const;
    QFont makeFont(const FontRequest& font) const;

    const QPaintDevice& metrics_;
    QPainter* painter_;
    mutable std::vector<std::unique_ptr<CachedFont>> fonts_;
    PendingRun pending_;
};

}  // namespace tavo
