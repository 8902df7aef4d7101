#include "output/qt/QtPainterDevice.h"

#include "model/Windows1252.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace tavo {
namespace {

QString toQString(std::string_view windows1252) {
    const std::string utf8 = windows1252ToUtf8(windows1252);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

int rounded(qreal value) {
    return static_cast<int>(std::lround(value));
}

// Width 0: one device pixel at any scale.
QPen thinBlackPen() {
    return QPen(Qt::black, 0);
}

// Rules are drawn at least this wide, so that a printer of high resolution does not
// make them too faint to see.
constexpr qreal kRulePoints = 0.5;

}  // namespace

QFont::StyleHint styleHintOf(std::uint8_t pitchAndFamily) {
    switch (pitchAndFamily >> 4) {
    case 1: return QFont::Serif;
    case 2: return QFont::SansSerif;
    case 3: return QFont::Monospace;
    case 4: return QFont::Cursive;
    case 5: return QFont::Decorative;
    default: return QFont::AnyStyle;
    }
}

QtPainterDevice::QtPainterDevice(const QPaintDevice& metrics, QPainter* painter)
    : metrics_(metrics), painter_(painter) {}

DeviceGeometry QtPainterDevice::geometry() const {
    DeviceGeometry geometry{metrics_.logicalDpiX(), metrics_.logicalDpiY(), metrics_.width(), metrics_.height(),
                            metrics_.widthMM(),     metrics_.heightMM(),    metrics_.width(), metrics_.height(),
                            0,                      0};
    // A painter on a paged device starts at the paint rectangle, inside the paper.
    if (const auto* paged = dynamic_cast<const QPagedPaintDevice*>(&metrics_)) {
        const QPageLayout layout = paged->pageLayout();
        const QRect paper = layout.fullRectPixels(geometry.pixelsPerInchX);
        const QRect paintable = layout.paintRectPixels(geometry.pixelsPerInchX);
        geometry.paperWidth = paper.width();
        geometry.paperHeight = paper.height();
        geometry.printableOffsetX = paintable.left();
        geometry.printableOffsetY = paintable.top();
    }
    return geometry;
}

std::optional<FontMetrics> QtPainterDevice::fontMetrics(const FontRequest& font) const {
    const QFontMetricsF& metrics = cached(font).metrics;
    const int ascent = rounded(metrics.ascent());
    const int descent = rounded(metrics.descent());
    return FontMetrics{ascent + descent + std::max(0, rounded(metrics.leading())), descent};
}

int QtPainterDevice::textWidth(const FontRequest& font, std::string_view text) const {
    CachedFont& entry = cached(font);
    return rounded(entry.glyphs.covers(text) ? entry.glyphs.width(text) : shaped(entry, text).width);
}

void QtPainterDevice::drawText(const FontRequest& font, int x, int baselineY, std::string_view text) {
    if (!painter_ || text.empty()) return;
    CachedFont& entry = cached(font);
    if (entry.glyphs.covers(text)) {
        if (pending_.font != &entry || pending_.baselineY != baselineY) flush();
        pending_.font = &entry;
        pending_.baselineY = baselineY;
        entry.glyphs.appendGlyphs(text, x, pending_.glyphs, pending_.positions);
        return;
    }
    flush();
    const ShapedText& shapedText = shaped(entry, text);
    painter_->setPen(thinBlackPen());
    const QPointF origin(x, baselineY - shapedText.raise);
    for (const QGlyphRun& glyphs : shapedText.glyphs) painter_->drawGlyphRun(origin, glyphs);
}

void QtPainterDevice::flush() {
    if (pending_.glyphs.isEmpty()) return;
    QGlyphRun run;
    run.setRawFont(pending_.font->glyphs.font());
    run.setGlyphIndexes(pending_.glyphs);
    run.setPositions(pending_.positions);
    run.setUnderline(pending_.font->font.underline());
    run.setStrikeOut(pending_.font->font.strikeOut());
    painter_->setPen(thinBlackPen());
    painter_->drawGlyphRun(QPointF(0, pending_.baselineY), run);
    pending_.glyphs.clear();
    pending_.positions.clear();
}

// 0.5 pt on the measuring device, but never thinner than one pixel of the device the
// painter draws on (a page shown smaller on the screen).
QPen QtPainterDevice::rulePen() const {
    const qreal width = kRulePoints * metrics_.logicalDpiY() / 72.0;
    const QTransform& toDevice = painter_->deviceTransform();
    const qreal scale = std::min(std::hypot(toDevice.m11(), toDevice.m12()), std::hypot(toDevice.m21(), toDevice.m22()));
    if (width * scale < 1.0) return thinBlackPen();
    return QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

void QtPainterDevice::drawLine(int x1, int y1, int x2, int y2) {
    if (!painter_) return;
    flush();
    painter_->setPen(rulePen());
    painter_->drawLine(x1, y1, x2, y2);
}

void QtPainterDevice::frameRect(const Rect& rect) {
    if (!painter_) return;
    flush();
    painter_->setPen(rulePen());
    painter_->setBrush(Qt::NoBrush);
    // A stroked rectangle covers one pixel more than its size.
    painter_->drawRect(QRect(rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1));
}

void QtPainterDevice::fillRect(const Rect& rect) {
    if (!painter_) return;
    flush();
    painter_->fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), Qt::black);
}

QtPainterDevice::CachedFont& QtPainterDevice::cached(const FontRequest& font) const {
    const auto known = std::find_if(fonts_.begin(), fonts_.end(), [&](const auto& entry) { return entry->request == font; });
    if (known != fonts_.end()) return **known;
    QFont made = makeFont(font);
    QFontMetricsF metrics(made, &metrics_);
    CodePageGlyphs glyphs(QRawFont::fromFont(made));
    fonts_.push_back(std::make_unique<CachedFont>(CachedFont{font, std::move(made), std::move(metrics), std::move(glyphs), {}}));
    return *fonts_.back();
}

// One line without wrapping, shaped as the painter shapes it for drawText().
const QtPainterDevice::ShapedText& QtPainterDevice::shaped(CachedFont& font, std::string_view text) const {
    if (const auto known = font.shaped.find(text); known != font.shaped.end()) return known->second;
    QTextLayout layout(toQString(text), font.font, &metrics_);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    return font.shaped.emplace(std::string(text), ShapedText{line.glyphRuns(), line.ascent(), line.horizontalAdvance()})
        .first->second;
}

// Sizes are fixed in pixels of the measuring device, so that a painter on another device
// draws the same layout.
QFont QtPainterDevice::makeFont(const FontRequest& font) const {
    QFont result;
    if (!font.record) {
        if (result.pointSizeF() > 0) {
            result.setPixelSize(std::max(1, rounded(result.pointSizeF() * metrics_.logicalDpiY() / 72.0)));
        }
        return result;
    }
    const FontRecord& record = *font.record;
    result.setFamily(toQString(record.faceName));
    result.setStyleHint(styleHintOf(record.pitchAndFamily));
    if (record.weight > 0) result.setWeight(static_cast<QFont::Weight>(std::clamp(record.weight, 1, 1000)));
    result.setItalic(record.italic != 0);
    result.setUnderline(record.underline != 0);
    result.setStrikeOut(record.strikeOut != 0);
    if (font.pixelHeight < 0) {
        result.setPixelSize(-font.pixelHeight);
    } else if (font.pixelHeight > 0) {
        // A cell height: scale the character height until ascent and descent fill it.
        result.setPixelSize(font.pixelHeight);
        const QFontMetricsF metrics(result, &metrics_);
        const qreal cell = metrics.ascent() + metrics.descent();
        if (cell > 0) result.setPixelSize(std::max(1, rounded(font.pixelHeight * font.pixelHeight / cell)));
    }
    return result;
}

}  // namespace tavo
