#include "output/PageFrames.h"

#include <vector>

namespace tavo {
namespace {

constexpr int kNoNumbering = 0;
constexpr int kNumberedPages = 2;

// The right-aligned page number has a slot four digits wide.
constexpr const char* kPageNumberSlot = "0000";
constexpr const char* kPageLabel = "Seite:";

void printTitleLines(PageComposer& composer, const std::array<std::string, 2>& titleLines) {
    bool printed = false;
    for (const std::string& line : titleLines) {
        if (line.empty()) continue;
        composer.print("%s\n", line.c_str());
        printed = true;
    }
    if (printed) composer.rule(CF_RULE_MIDDLE);
    composer.print("\n");
}

}  // namespace

void writeHeader(PageComposer& composer, const OutputFonts& fonts, const HeaderLines& banner,
                 const std::array<std::string, 2>& titleLines) {
    composer.beginFrame(FrameKind::Header);
    // Left part at the left margin, middle part centred over the printable width,
    // right part ending at the right margin.
    const int width = composer.printableWidth();
    const std::vector<int> positions{0, 0, width, width};
    const std::vector<CellFlags> flags{CF_LEFT, CF_CENTER, CF_RIGHT, CF_LEFT};
    composer.setColumns(positions, flags);
    composer.selectFont(fonts.fontTitle);
    for (const std::string& line : banner.lines()) {
        composer.printLiteral(line);
        composer.newLines(1);
    }
    composer.rule(CF_RULE_MIDDLE);
    printTitleLines(composer, titleLines);
    composer.endFrame();
}

void writeFooter(PageComposer& composer, const OutputFonts& fonts, int numbering, int blankLines,
                 const std::string& title, const std::string& text) {
    // The label stands a blank before a slot of four digits at the right margin, so
    // that it stays apart from a four-digit page number.
    const int slot = composer.textWidth(fonts.fontTitle, kPageNumberSlot);
    const int label = composer.textWidth(fonts.fontTitle, kPageLabel);
    const int gap = composer.textWidth(fonts.fontTitle, " ");
    const int width = composer.printableWidth();
    const CellFlags numberFlags = numbering == kNumberedPages ? CF_RIGHT | CF_PAGE_NUMBER : CF_RIGHT;
    const std::vector<int> positions{0, width - slot - gap - label, width - slot};
    const std::vector<CellFlags> flags{CF_LEFT, CF_LEFT, numberFlags};
    composer.setColumns(positions, flags);

    composer.beginFrame(FrameKind::Footer);
    composer.selectFont(fonts.fontTitle);
    composer.newLines(blankLines);
    composer.rule(CF_RULE_MIDDLE);
    if (!title.empty()) composer.print("KOVA - %s   ", title.c_str());
    if (!text.empty()) {
        composer.selectFont(fonts.fontSmall);
        composer.print("%s", text.c_str());
        composer.selectFont(fonts.fontTitle);
    }
    if (numbering != kNoNumbering) composer.print("\t%s", kPageLabel);
    // The "0" only holds the cell; the page number is drawn in its place.
    if (numbering == kNumberedPages) composer.print("\t0");
    composer.newLines(1);
    composer.endFrame();
}

}  // namespace tavo
