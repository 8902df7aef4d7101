#include "output/OutputFonts.h"

namespace tavo {
namespace {

constexpr int kSmallFontPoints = 6;  // positive: the character height

}  // namespace

OutputFonts createOutputFonts(PageComposer& composer, const FontRecord& font1, const FontRecord& font2) {
    FontRecord bold = font1;
    bold.weight = kFontWeightBold;
    FontRecord small = font1;
    small.height = kSmallFontPoints;
    small.width = 0;  // a width would take the place of the height as the size

    OutputFonts fonts;
    fonts.fontText = composer.addFont(font1);
    fonts.fontBold = composer.addFont(bold);
    fonts.fontSmall = composer.addFont(small);
    fonts.fontTitle = composer.addFont(font2);
    if (fonts.fontTitle == 0) fonts.fontTitle = fonts.fontBold;
    return fonts;
}

}  // namespace tavo
