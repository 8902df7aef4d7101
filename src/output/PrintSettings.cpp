#include "output/PrintSettings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <optional>

#include "file/IniProfile.h"

namespace tavo {
namespace {

constexpr std::string_view kSection = "Print";
constexpr std::string_view kFileNameKey = "Datei";
constexpr std::string_view kDateKey = "Datum";
constexpr std::string_view kTimeKey = "Zeit";
constexpr std::string_view kNumberingKey = "Seite";
constexpr std::string_view kLeftKey = "Left";
constexpr std::string_view kTopKey = "Top";
constexpr std::string_view kRightKey = "Right";
constexpr std::string_view kBottomKey = "Bottom";
constexpr std::string_view kBlanks = " \t\r\n\v\f";
constexpr std::size_t kStoredFaceLength = 32;
constexpr std::size_t kFaceLength = 31;

// Face names are UTF-8, so characters are counted, not bytes.
std::string_view firstCharacters(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t seen = 0; end < text.size(); ++end) {
        const bool startsCharacter = (static_cast<unsigned char>(text[end]) & 0xC0) != 0x80;
        if (startsCharacter && seen++ == count) break;
    }
    return text.substr(0, end);
}

std::string_view withoutTrailingBlanks(std::string_view text) {
    const std::size_t last = text.find_last_not_of(kBlanks);
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

void skipBlanks(std::string_view& text) { text.remove_prefix(std::min(text.find_first_not_of(kBlanks), text.size())); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// One number and its comma: a sign, digits and the comma right after them.
std::optional<std::int32_t> readField(std::string_view& text) {
    skipBlanks(text);
    const bool hasSign = text.starts_with('+') || text.starts_with('-');
    if (text.size() <= std::size_t{hasSign} || !isDigit(text[hasSign])) return std::nullopt;
    const char* const end = text.data() + text.size();
    std::int32_t value = 0;
    const auto [stop, error] = std::from_chars(text.data() + (text.front() == '+'), end, value);
    if (error != std::errc() || stop == end || *stop != ',') return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(stop + 1 - text.data()));
    return value;
}

// The low byte, as the stored int lands in a byte field.
std::uint8_t lowByte(std::int32_t value) { return static_cast<std::uint8_t>(value & 0xFF); }

std::string_view fontKey(bool isTitleFont) { return isTitleFont ? "Font2" : "Font1"; }

}  // namespace

FontRecord defaultFontRecord(bool isTitleFont) {
    FontRecord font;
    font.height = -11;
    font.weight = isTitleFont ? kFontWeightBold : kFontWeightNormal;
    font.pitchAndFamily = 0x22;
    font.charSet = 0;
    font.faceName = "Arial";
    return font;
}

std::string formatFontLine(const FontRecord& font) {
    const std::array<std::int32_t, 7> fields = {font.height,    font.weight,         font.italic, font.underline,
                                                font.strikeOut, font.pitchAndFamily, font.charSet};
    std::string line;
    for (const std::int32_t field : fields) line += std::to_string(field) + ',';
    // The stored format pads the face to its full width; the padding goes again
    // with the trailing blanks.
    line += firstCharacters(font.faceName, kStoredFaceLength);
    return std::string(withoutTrailingBlanks(line));
}

FontRecord parseFontLine(std::string_view line, bool isTitleFont) {
    std::string_view text = withoutTrailingBlanks(line);
    std::array<std::int32_t, 7> fields{};
    for (std::int32_t& field : fields) {
        const std::optional<std::int32_t> value = readField(text);
        if (!value) return defaultFontRecord(isTitleFont);
        field = *value;
    }
    skipBlanks(text);
    const std::string_view face = text.substr(0, text.find('\n'));
    if (face.empty()) return defaultFontRecord(isTitleFont);

    FontRecord font;
    font.height = fields[0];
    font.weight = fields[1];
    font.italic = lowByte(fields[2]);
    font.underline = lowByte(fields[3]);
    font.strikeOut = lowByte(fields[4]);
    font.pitchAndFamily = lowByte(fields[5]);
    font.charSet = lowByte(fields[6]);
    font.faceName = firstCharacters(face, kFaceLength);
    return font;
}

PrintSettings loadPrintSettings(const IniProfile& profile) {
    const PrintSettings defaults;
    const auto flag = [&](std::string_view key, bool fallback) { return profile.getInt(kSection, key, fallback) != 0; };
    const auto number = [&](std::string_view key, int fallback) { return profile.getInt(kSection, key, fallback); };
    const auto font = [&](bool isTitleFont) {
        return parseFontLine(profile.getString(kSection, fontKey(isTitleFont), ""), isTitleFont);
    };

    PrintSettings settings;
    settings.showFileName = flag(kFileNameKey, defaults.showFileName);
    settings.showDate = flag(kDateKey, defaults.showDate);
    settings.showTime = flag(kTimeKey, defaults.showTime);
    settings.pageNumbering = number(kNumberingKey, defaults.pageNumbering);
    settings.margins = {number(kLeftKey, defaults.margins.left), number(kTopKey, defaults.margins.top),
                        number(kRightKey, defaults.margins.right), number(kBottomKey, defaults.margins.bottom)};
    settings.font1 = font(false);
    settings.font2 = font(true);
    return settings;
}

bool savePrintSettings(IniProfile& profile, const PrintSettings& settings) {
    const std::array<std::pair<std::string_view, int>, 8> numbers = {{
        {kFileNameKey, settings.showFileName},
        {kDateKey, settings.showDate},
        {kTimeKey, settings.showTime},
        {kNumberingKey, settings.pageNumbering},
        {kLeftKey, settings.margins.left},
        {kTopKey, settings.margins.top},
        {kRightKey, settings.margins.right},
        {kBottomKey, settings.margins.bottom},
    }};
    bool written = true;
    for (const auto& [key, value] : numbers) written = profile.writeInt(kSection, key, value) && written;
    written = profile.writeString(kSection, fontKey(false), formatFontLine(settings.font1)) && written;
    written = profile.writeString(kSection, fontKey(true), formatFontLine(settings.font2)) && written;
    return written;
}

}  // namespace tavo
