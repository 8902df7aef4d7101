#include "output/qt/CodePageGlyphs.h"

#include "model/Windows1252.h"

#include <QString>

#include <cmath>
#include <string>
#include <utility>

namespace tavo {

CodePageGlyphs::CodePageGlyphs(QRawFont font) : font_(std::move(font)) {
    if (!font_.isValid()) return;
    std::string codePage(256, '\0');
    for (std::size_t c = 0; c < codePage.size(); ++c) codePage[c] = static_cast<char>(c);
    const QString characters = QString::fromStdString(windows1252ToUtf8(codePage));
    const QList<quint32> glyphs = font_.glyphIndexesForString(characters);
    // Every character of the code page is one UTF-16 unit; anything else leaves all text to shaping.
    if (glyphs.size() != static_cast<qsizetype>(glyphs_.size())) return;
    const QList<QPointF> advances = font_.advancesForGlyphIndexes(glyphs);
    for (std::size_t c = 0; c < glyphs_.size(); ++c) {
        glyphs_[c] = glyphs[static_cast<qsizetype>(c)];
        advances_[c] = advances[static_cast<qsizetype>(c)].x();
    }
}

bool CodePageGlyphs::covers(std::string_view text) const {
    for (const char c : text) {
        if (glyphs_[index(c)] == 0) return false;
    }
    return true;
}

qreal CodePageGlyphs::width(std::string_view text) const {
    qreal x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) x += advance(text, i);
    return x;
}

void CodePageGlyphs::appendGlyphs(std::string_view text, int x, QList<quint32>& glyphs, QList<QPointF>& positions) const {
    qreal advanced = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        glyphs.append(glyphs_[index(text[i])]);
        positions.append(QPointF(x + std::round(advanced), 0));
        advanced += advance(text, i);
    }
}

// The font engine adds a pair's kerning to the advance of its left glyph.
qreal CodePageGlyphs::advance(std::string_view text, std::size_t i) const {
    const std::size_t left = index(text[i]);
    if (i + 1 == text.size()) return advances_[left];
    return advances_[left] + kerning(left, index(text[i + 1]));
}

qreal CodePageGlyphs::kerning(std::size_t left, std::size_t right) const {
    std::unique_ptr<Row>& row = kerning_[left];
    if (!row) {
        row = std::make_unique<Row>();
        row->fill(kUnknown);
    }
    qreal& pair = (*row)[right];
    if (std::isnan(pair)) {
        const QList<QPointF> kerned = font_.advancesForGlyphIndexes({glyphs_[left], glyphs_[right]}, QRawFont::KernedAdvances);
        pair = kerned[0].x() - advances_[left];
    }
    return pair;
}

}  // namespace tavo
