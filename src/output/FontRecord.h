#pragma once

#include <cstdint>
#include <string>

namespace tavo {

// A logical-font record as the settings store it and the page composer takes it.
// height (or width, when not 0) is a size in points: negative means cell height,
// positive character height.
struct FontRecord {
    std::int32_t height = -11;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 400;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0x22;  // variable pitch, Swiss family
    std::string faceName = "Arial";      // at most 31 characters

    bool operator==(const FontRecord&) const = default;
};

inline constexpr std::int32_t kFontWeightNormal = 400;
inline constexpr std::int32_t kFontWeightBold = 700;

}  // namespace tavo
