#pragma once

#include <QList>
#include <QPointF>
#include <QRawFont>

#include <array>
#include <limits>
#include <memory>
#include <string_view>

namespace tavo {

// Lays out Windows-1252 text in one font without shaping: each character's glyph and
// advance, and the kerning of each character pair, are asked of the font once and
// kept. For the Latin text of a listing this gives what shaping gives, and measuring
// or placing a text then costs a table look-up per character instead of a pass
// through the font engine.
class CodePageGlyphs {
public:
    explicit CodePageGlyphs(QRawFont font);

    // Whether the font has a glyph for every character of `text`; the others must be shaped.
    bool covers(std::string_view text) const;
    // The advance of `text` with kerning, in pixels of the font. Needs covers(text).
    qreal width(std::string_view text) const;
    // Appends the glyphs of `text` begun at `x`, each on a whole pixel: finer than any
    // printer's dot at the resolutions a listing is laid out for, and a PDF page then
    // gives each position in a few digits instead of ten. Needs covers(text).
    void appendGlyphs(std::string_view text, int x, QList<quint32>& glyphs, QList<QPointF>& positions) const;
    const QRawFont& font() const { return font_; }

private:
    using Row = std::array<qreal, 256>;
    static std::size_t index(char c) { return static_cast<unsigned char>(c); }
    qreal advance(std::string_view text, std::size_t i) const;
    qreal kerning(std::size_t left, std::size_t right) const;
    static constexpr qreal kUnknown = std::numeric_limits<qreal>::quiet_NaN();

    QRawFont font_;
    std::array<quint32, 256> glyphs_{};  // 0: the font lacks the character
    Row advances_{};
    // The kerning of each pair by its left character, asked for when the pair is first met.
    mutable std::array<std::unique_ptr<Row>, 256> kerning_;
};

}  // namespace tavo
