#pragma once

#include "model/Numbers.h"  // TAVO_PRINTF_FORMAT
#include "output/FontRecord.h"
#include "output/OutputDevice.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavo {

// Cell flags: the alignment comes from the column table, the rules from rule().
using CellFlags = std::uint32_t;
inline constexpr CellFlags CF_LEFT = 0;
inline constexpr CellFlags CF_RIGHT = 0x1;
inline constexpr CellFlags CF_CENTER = 0x2;
inline constexpr CellFlags CF_CONTINUE = 0x4;  // drawn where the previous text of the line ended
inline constexpr CellFlags CF_JUSTIFY = 0x8;
inline constexpr CellFlags CF_RULE_BOTTOM = 0x10;
inline constexpr CellFlags CF_RULE_TOP = 0x20;
inline constexpr CellFlags CF_RULE_MIDDLE = 0x40;
inline constexpr CellFlags CF_RULE_DOUBLE = 0x100;  // each rule twice, 1 mm apart
inline constexpr CellFlags CF_PAGE_NUMBER = 0x200;
inline constexpr CellFlags CF_BOX_FRAME = 0x800;
inline constexpr CellFlags CF_BOX_FILL = 0x1000;
inline constexpr CellFlags CF_LINE_LEFT = 0x8000;
inline constexpr CellFlags CF_LINE_RIGHT = 0x10000;
inline constexpr CellFlags CF_LINE_CENTER = 0x20000;

enum class FrameKind { Header = 0, Footer = 1, RunningHead = 2 };

struct PrintableSize {
    int width = 0;
    int height = 0;

    bool operator==(const PrintableSize&) const = default;
};

// A piece of a line's text with its place and how it is drawn. x is relative to the
// left edge of the printable area.
struct ComposedCell {
    CellFlags flags = CF_LEFT;
    int x = 0;
    int width = 0;
    std::size_t textOffset = 0;
    std::size_t textLength = 0;
    int fontSlot = 0;
};

// One measured line. y is its place in the continuous, unpaginated body (for lines
// of a page header or footer: within that frame).
struct ComposedLine {
    int y = 0;
    int height = 0;
    int descent = 0;
    std::vector<ComposedCell> cells;
    std::string text;  // Windows-1252, the texts of all cells in turn

    std::string_view cellText(const ComposedCell& cell) const {
        return std::string_view(text).substr(cell.textOffset, cell.textLength);
    }
};

// Lays out printed text in pages. Callers write into it much as into a file: print()
// formats like printf, a tab in the format moves to the next column of the column
// table and a newline ends the line. Lines are measured on the device the document is
// built for and kept with the page frames (header, footer, running head), the
// keep-together blocks and the page breaks until paginate() splits them into pages,
// which renderPage() draws on any device. All lengths are pixels of the build device.
class PageComposer {
public:
    static constexpr int kFontSlots = 10;  // slot 0 is the device's default font
    static constexpr std::size_t kMaxColumns = 100;
    static constexpr std::size_t kMaxCells = 100;
    static constexpr std::size_t kMaxLineBytes = 2048;
    static constexpr std::size_t kMaxFrameLines = 15;
    static constexpr std::size_t kMaxBlockLines = 30;
    static constexpr std::size_t kMaxPages = 5000;
    static constexpr std::size_t kFormatBufferSize = 2464;

    // Starts a new document on `device`, which must outlive it (until endDocument()
    // or the next beginDocument()): forgets the previous document, its fonts and its
    // overflow, sets margins of 10 mm and one left-aligned column at 0. false when
    // the device has no resolution or no default font.
    bool beginDocument(int startPage, OutputDevice& device);
    // Margins in millimetres from the paper's edge; the unprintable border counts
    // towards them. Returns the printable width and height.
    PrintableSize setMargins(int left, int top, int right, int bottom);
    // The record's size is in points (see FontRecord). Returns the slot 1..9, or 0
    // when all are taken or the device cannot make the font.
    int addFont(const FontRecord& font);
    void endDocument();
    bool isOpen() const { return device_ != nullptr; }

    // An invalid or empty slot means 0. Returns the slot that was current.
    int selectFont(int slot);
    int textWidth(int slot, std::string_view text) const;

    // Column tables: one column per code letter ("l" left, "r" right, "c" centred,
    // "a" justified; another letter keeps the flag as it was), at most as many as the
    // spans hold. Zeroes the widths; returns the number of columns.
    static int parseColumnCode(std::string_view code, std::span<int> widths, std::span<CellFlags> flags);
    static void widenColumn(std::span<int> widths, int column, int width);
    // Start positions: the first at `start`, each next one a width further on.
    static std::vector<int> widthsToPositions(std::span<const int> widths, int start);
    // setColumns(), after recording by how much the last column starts beyond the
    // printable width.
    void applyColumns(std::span<const int> positions, std::span<const CellFlags> flags);
    // Installs the table and opens column 0. A line that already has cells is
    // started afresh.
    void setColumns(std::span<const int> positions, std::span<const CellFlags> flags);

    // printf into the document. A tab in the format (not one from an argument) is a
    // column break, a newline ends the line. Output beyond the formatting buffer and
    // line text beyond 2048 bytes are dropped. The byte 0x1F in an argument also
    // breaks the column: it marks the format's tabs while formatting.
    void print(const char* format, ...) TAVO_PRINTF_FORMAT(2, 3);
    // Like print() without format conversions: every tab is a column break.
    void printLiteral(std::string_view text);
    void newLines(int count);
    // Ends the line with an empty cell over the full printable width carrying `flags`.
    void rule(CellFlags flags);

    // The lines written between begin and end form a page header, a page footer or a
    // running head (at most 15 lines). Beginning a frame closes an open one.
    void beginFrame(FrameKind kind);
    void endFrame();
    // Keep-together block of at most 30 lines and at most the height a page leaves
    // below its header, footer and continuation head; the line that would exceed
    // either closes it and flows on, or, under a continuation head, begins the next
    // block. Does nothing while a block is open.
    void beginBlock();
    // Begins a new block unless the open one can take `lines` more lines of the
    // current font, so that they stay together. Nothing without an open block.
    void keepTogether(int lines);
    // Closes the block; with `newPage` it begins on a new page. Closes any other
    // open frame instead.
    void endBlock(bool newPage = false);
    void pageBreak();

    // The lines written between begin and end (at most 15) form a continuation head:
    // they are not part of the body, but every page that begins from then on, until
    // endContinuation(), shows them at its top. So a table that has to be split
    // repeats its headings where it goes on. An open block stays open meanwhile.
    void beginContinuationHead();
    void endContinuationHead();
    void endContinuation();
    // Closes what is still open and empties running heads that another one replaces
    // before any line or block.
    void finishDocument();

    // Splits the finished document into pages; returns their number.
    int paginate();
    int finalPageNumber() const;
    void renderPage(int pageNumber, OutputDevice& device) const;

    // By how many percent the widest column table started beyond the printable
    // width since beginDocument(); none when every one fitted.
    std::optional<double> overflowPercent() const { return overflowPercent_; }

    int printableWidth() const { return printable_.right - printable_.left; }
    int printableHeight() const { return printable_.bottom - printable_.top; }
    // In the build device's pixels, relative to its printable area.
    Rect printableRect() const { return printable_; }
    int pixelsPerInchX() const { return geometry_.pixelsPerInchX; }
    int pixelsPerInchY() const { return geometry_.pixelsPerInchY; }
    int startPage() const { return startPage_; }

    // The body as one continuous, unpaginated document, for the screen: every line
    // outside page headers and footers, in order, after finishDocument().
    std::size_t documentLineCount() const { return bodyLines_.size(); }
    const ComposedLine& documentLine(std::size_t index) const;
    // Draws the line at its body position, moved left by dx and up by dy. Having no
    // page, a page-number cell shows its own text.
    void renderDocumentLine(std::size_t index, OutputDevice& device, int dx, int dy) const;

private:
    enum class Section { Header, Footer, RunningHead, ContinuationHead, Block };
    struct Frame {
        Section section = Section::Block;
        std::vector<ComposedLine> lines;
        int height = 0;
        bool newPage = false;
        bool continued = false;  // a block begun under a continuation head
    };
    struct PageBreakMark {};
    using Record = std::variant<ComposedLine, Frame, PageBreakMark>;

    struct Page {
        std::optional<std::size_t> header;
        std::optional<std::size_t> footer;
        std::optional<std::size_t> runningHead;
        std::optional<std::size_t> continuationHead;
        std::size_t bodyBegin = 0;  // records [bodyBegin, bodyEnd)
        std::size_t bodyEnd = 0;
    };
    struct Column {
        int x = 0;
        CellFlags flags = CF_LEFT;
    };
    struct FontSlot {
        FontRequest request;
        FontMetrics metrics;
    };
    struct LineRef {
        std::size_t record = 0;
        std::optional<std::size_t> frameLine;  // none for a line record
    };
    class Paginator;
    class LinePainter;

    static Section sectionOf(FrameKind kind);
    static bool standsInBody(Section section);

    void append(std::string_view text, char columnBreak);
    const FontMetrics& currentMetrics() const { return fonts_[currentFont_]->metrics; }
    bool openCellHasText() const { return line_.text.size() > openCell_.textOffset; }
    bool lineHasContent() const { return !line_.cells.empty() || openCellHasText(); }
    void openCell(CellFlags flags, int x, int width);
    void openColumn(std::size_t index);
    void closeCell();
    void nextColumn();
    void endLine();
    void placeLine(ComposedLine line);
    void resetLine();
    void closeFrame(bool newPage);
    Frame* openFrame();
    int frameHeight(std::optional<std::size_t> record) const;
    bool blockTakes(const Frame& block, std::size_t lines, int height) const;
    std::vector<LineRef> collectBodyLines() const;
    const ComposedLine& lineOf(const LineRef& ref) const;

    OutputDevice* device_ = nullptr;
    DeviceGeometry geometry_;
    int startPage_ = 1;
    int unitsPerMm_ = 0;
    Rect printable_;
    std::array<std::optional<FontSlot>, kFontSlots> fonts_;
    int currentFont_ = 0;

    std::vector<Column> columns_;
    std::size_t columnIndex_ = 0;
    ComposedLine line_;
    ComposedCell openCell_;
    int lineAscent_ = 0;
    int lineDescent_ = 0;

    std::optional<std::size_t> openFrame_;  // index of the open frame's record
    std::optional<std::size_t> openHead_;   // of the continuation head being written
    std::optional<std::size_t> continuationHead_;
    std::optional<std::size_t> header_;  // the last page header and footer begun
    std::optional<std::size_t> footer_;
    int bodyY_ = 0;
    std::vector<Record> records_;
    std::vector<Page> pages_;
    std::vector<LineRef> bodyLines_;
    std::optional<double> overflowPercent_;
};

// The warning shown after a build whose column tables did not fit, in UTF-8.
std::string overflowWarningText(double percent);

}  // namespace tavo
