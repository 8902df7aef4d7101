#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "output/FontRecord.h"

namespace tavo {

class IniProfile;

// The record a missing or unreadable font line stands for: 11-point cell
// height, "Arial", variable pitch and Swiss family; bold for the title font.
// The character set is the system font's on Windows; there is no such font
// here, so it is 0, the Western (ANSI) set, which is what that font has on the
// systems the program is sold for.
FontRecord defaultFontRecord(bool isTitleFont);

// "height,weight,italic,underline,strikeOut,pitchAndFamily,charSet,face" with the
// face cut to 32 characters and trailing blanks removed.
std::string formatFontLine(const FontRecord& font);

// The reverse of formatFontLine, with the tolerance of the stored format: blanks
// around the text and after each comma are skipped, the face is taken up to 31
// characters. A line without all eight fields (the face must not be empty) or
// with a number beyond the range of int gives defaultFontRecord. The small
// fields keep the low byte of their number, as a byte field assigned an int does.
FontRecord parseFontLine(std::string_view line, bool isTitleFont);

// The user's print settings, section "Print" of the settings file.
struct PrintSettings {
    struct Margins {  // millimetres
        int left = 20;
        int top = 10;
        int right = 10;
        int bottom = 10;
        bool operator==(const Margins&) const = default;
    };

    bool showFileName = true;  // footer parts
    bool showDate = true;
    bool showTime = false;
    int pageNumbering = 2;  // 0 none, 1 the word "Seite:" alone, 2 "Seite:" and the number
    Margins margins;
    FontRecord font1 = defaultFontRecord(false);  // listing text
    FontRecord font2 = defaultFontRecord(true);   // page header and footer

    bool operator==(const PrintSettings&) const = default;
};

// Stored values outside what the program can print with fall back to their
// defaults: a margin below 0 or above kMaxMarginMm, a font height outside 4 to
// 72 points, a page numbering other than 0, 1 or 2.
inline constexpr int kMaxMarginMm = 1000;
inline constexpr int kMinFontPoints = 4;
inline constexpr int kMaxFontPoints = 72;
PrintSettings loadPrintSettings(const IniProfile& profile);

// The margins for paper of this size (millimetres; 0 when unknown): one above a
// third of the paper's side it lies along falls back to its default.
PrintSettings::Margins usableMargins(const PrintSettings::Margins& margins, std::pair<int, int> paperSizeMm);

// false when a key could not be written.
bool savePrintSettings(IniProfile& profile, const PrintSettings& settings);

}  // namespace tavo
