#pragma once

#include "output/FontRecord.h"
#include "output/PageComposer.h"

namespace tavo {

// The composer's font slots of the printed listing. A slot that could not be made
// is 0, the device's default font.
struct OutputFonts {
    int fontText = 0;   // listing rows and headings
    int fontBold = 0;   // component and element names, sums lines
    int fontSmall = 0;  // the footer's file, date and time
    int fontTitle = 0;  // page header and footer
};

// Derives the four slots from the output font and the title font, in this order,
// so that they take the slots 1 to 4 of a fresh document. The bold font is the
// output font at weight 700; the small one the output font at a character height
// of 6 points, whatever size the output font has; a title font that cannot be made
// falls back to the bold one. The records themselves stay as they are.
OutputFonts createOutputFonts(PageComposer& composer, const FontRecord& font1, const FontRecord& font2);

}  // namespace tavo
