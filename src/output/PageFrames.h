#pragma once

#include <array>
#include <string>

#include "output/HeaderLines.h"
#include "output/OutputFonts.h"
#include "output/PageComposer.h"

namespace tavo {

// The page header: the banner lines in the title font, each in up to three parts
// (left-aligned at the left margin, centred, right-aligned at the right margin),
// a rule, then the project's title lines that are not empty, closed by a rule,
// and one blank line. Texts are Windows-1252.
void writeHeader(PageComposer& composer, const OutputFonts& fonts, const HeaderLines& banner,
                 const std::array<std::string, 2>& titleLines);

// The page footer: `blankLines` blank lines, a rule, then "KOVA - title", the text in
// the small font, and by `numbering` (0 none, 1 the word "Seite:" alone, 2 with the
// page number) the page label ending at the right margin. An empty title or text is
// left out. Texts are Windows-1252.
void writeFooter(PageComposer& composer, const OutputFonts& fonts, int numbering, int blankLines,
                 const std::string& title, const std::string& text);

}  // namespace tavo
