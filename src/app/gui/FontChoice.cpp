#include "app/gui/FontChoice.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "model/Windows1252.h"
#include "output/qt/QtPainterDevice.h"

namespace tavo {
namespace {

constexpr std::uint8_t kFixedPitch = 0x01;
constexpr std::uint8_t kVariablePitch = 0x02;
constexpr std::uint8_t kFamilyMask = 0xF0;
constexpr std::size_t kMaxFaceChars = 31;

// The Windows family bits of a style hint; none for a font without one.
std::uint8_t familyOf(QFont::StyleHint hint) {
    switch (hint) {
        case QFont::Serif:
            return 0x10;
        case QFont::SansSerif:
            return 0x20;
        case QFont::Monospace:
        case QFont::TypeWriter:
            return 0x30;
        case QFont::Cursive:
            return 0x40;
        case QFont::Decorative:
            return 0x50;
        default:
            return 0;
    }
}

// The font's own style nearest to its weight and slant. The dialog finds a style
// by its name, and the German name Qt gives some ("Fett Kursiv") is none of the
// names the font's styles have, so that the dialog would fall back to another.
QString ownStyleOf(const QFont& font) {
    QString nearest;
    int distance = 0;
    for (const QString& style : QFontDatabase::styles(font.family())) {
        if (QFontDatabase::italic(font.family(), style) != font.italic()) continue;
        const int d = std::abs(QFontDatabase::weight(font.family(), style) - font.weight());
        if (nearest.isEmpty() || d < distance) {
            nearest = style;
            distance = d;
        }
    }
    return nearest;
}

}  // namespace

QFont dialogFontOf(const FontRecord& record) {
    QFont font(QString::fromStdString(windows1252ToUtf8(record.faceName)));
    font.setStyleHint(styleHintOf(record.pitchAndFamily));
    if (!QFontDatabase::hasFamily(font.family())) font.setFamily(QFontInfo(font).family());
    const int size = std::abs(record.width != 0 ? record.width : record.height);
    if (size > 0) font.setPointSize(size);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(record.weight > 0 ? record.weight : kFontWeightNormal, 1, 1000)));
    font.setItalic(record.italic != 0);
    font.setUnderline(record.underline != 0);
    font.setStrikeOut(record.strikeOut != 0);
    font.setStyleName(ownStyleOf(font));
    return font;
}

FontRecord recordOfFont(const QFont& font, const FontRecord& previous) {
    FontRecord record = previous;
    if (font.family() != dialogFontOf(previous).family())
        record.faceName = utf16ToWindows1252(font.family().toStdU16String()).substr(0, kMaxFaceChars);
    if (font.pointSizeF() > 0) {
        record.height = -std::max(1, static_cast<int>(std::lround(font.pointSizeF())));
        record.width = 0;
    }
    record.weight = font.weight();
    record.italic = font.italic() ? 1 : 0;
    record.underline = font.underline() ? 1 : 0;
    record.strikeOut = font.strikeOut() ? 1 : 0;
    const std::uint8_t family = font.styleHint() != QFont::AnyStyle ? familyOf(font.styleHint()) : previous.pitchAndFamily & kFamilyMask;
    record.pitchAndFamily = static_cast<std::uint8_t>((QFontInfo(font).fixedPitch() ? kFixedPitch : kVariablePitch) | family);
    return record;
}

}  // namespace tavo
