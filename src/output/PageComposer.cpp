#include "output/PageComposer.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace tavo {
namespace {

// Stands for the format's tabs while it is formatted, so that tabs coming from the
// arguments stay text.
constexpr char kFormatColumnBreak = '\x1f';

// A cell with any of these is kept even without text.
constexpr CellFlags kMarkFlags = CF_RULE_BOTTOM | CF_RULE_TOP | CF_RULE_MIDDLE | CF_RULE_DOUBLE | CF_PAGE_NUMBER |
                                 CF_BOX_FRAME | CF_BOX_FILL | CF_LINE_LEFT | CF_LINE_RIGHT | CF_LINE_CENTER;

// number × numerator / denominator, rounded half away from zero as Windows' MulDiv.
int mulDiv(int number, int numerator, int denominator) {
    const long long product = static_cast<long long>(number) * numerator;
    const long long quotient = (std::llabs(product) + denominator / 2) / denominator;
    return static_cast<int>(product < 0 ? -quotient : quotient);
}

// The share of `extra` pixels that blank `index` of `blanks` gets; the remainder goes
// to the first blanks.
int blankShare(int extra, int blanks, int index) {
    const int remainder = extra % blanks;
    const int step = remainder < 0 ? -1 : 1;
    return extra / blanks + (index < std::abs(remainder) ? step : 0);
}

}  // namespace

PageComposer::Section PageComposer::sectionOf(FrameKind kind) {
    switch (kind) {
    case FrameKind::Header: return Section::Header;
    case FrameKind::Footer: return Section::Footer;
    case FrameKind::RunningHead: break;
    }
    return Section::RunningHead;
}

// Page headers and footers stand apart from the continuous body.
bool PageComposer::standsInBody(Section section) {
    return section == Section::Block || section == Section::RunningHead;
}

// Splits the records into pages: frames become current as they come, lines and blocks
// fill the free height, and a running head waits to be placed before the next line or
// block.
class PageComposer::Paginator {
public:
    Paginator(const std::vector<Record>& records, int printableHeight)
        : records_(records), printableHeight_(printableHeight) {}

    std::vector<Page> run() {
        beginPage();
        for (std::size_t i = 0; i < records_.size(); ++i) {
            if (const auto* line = std::get_if<ComposedLine>(&records_[i])) {
                placeLine(i, line->height);
            } else if (const auto* frame = std::get_if<Frame>(&records_[i])) {
                takeFrame(i, *frame);
            } else {
                breakPage();
            }
        }
        return std::move(pages_);
    }

private:
    int heightOf(std::optional<std::size_t> frame) const {
        return frame ? std::get<Frame>(records_[*frame]).height : 0;
    }
    Page& page() { return pages_.back(); }

    void recomputeFree() {
        free_ = printableHeight_ - heightOf(page().header) - heightOf(page().footer) - heightOf(page().runningHead) -
                heightOf(page().continuationHead);
    }

    // Past the last page allowed, the rest of the document stays on it.
    bool beginPage() {
        if (pages_.size() == kMaxPages) return false;
        pages_.push_back(Page{header_, footer_, runningHead_, continuationHead_, 0, 0});
        hasBody_ = false;
        hasInk_ = false;
        pendingRunningHead_.reset();  // the new page shows it at its top
        recomputeFree();
        return true;
    }

    // A page that blank lines alone began would print nothing but its frames: a page
    // break takes it back instead of adding one.
    void breakPage() {
        if (!hasBody_ || hasInk_) {
            beginPage();
            return;
        }
        hasBody_ = false;
        page().bodyBegin = page().bodyEnd = 0;
        recomputeFree();
    }

    // Overflow moves a line or block on only from a page that holds something.
    void beginPageUnlessEmpty() {
        if (hasBody_) beginPage();
    }

    void addToBody(std::size_t record, int height) {
        if (!hasBody_) page().bodyBegin = record;
        page().bodyEnd = record + 1;
        hasBody_ = true;
        const auto* line = std::get_if<ComposedLine>(&records_[record]);
        hasInk_ = hasInk_ || !line || !line->cells.empty();
        free_ -= height;
    }

    void takeFrame(std::size_t index, const Frame& frame) {
        switch (frame.section) {
        case Section::Header:
            header_ = index;
            if (!hasBody_) {
                page().header = index;
                recomputeFree();
            }
            break;
        case Section::Footer:
            footer_ = index;
            if (!hasBody_ || free_ + heightOf(page().footer) - frame.height >= 0) {
                free_ += heightOf(page().footer) - frame.height;
                page().footer = index;
            }
            break;
        case Section::RunningHead:
            runningHead_ = frame.lines.empty() ? std::nullopt : std::optional(index);
            pendingRunningHead_ = runningHead_;
            if (!runningHead_ && !hasBody_) {
                page().runningHead.reset();
                recomputeFree();
            }
            break;
        case Section::ContinuationHead:
            continuationHead_ = frame.lines.empty() ? std::nullopt : std::optional(index);
            break;
        case Section::Block:
            placeBlock(index, frame.height, frame.newPage);
            break;
        }
    }

    // Places the pending running head here when it fits with what follows it, else at
    // the top of a new page, where it stands in the body instead of above it.
    void placeRunningHead(bool fitsHere) {
        const std::size_t runningHead = *pendingRunningHead_;
        if (!fitsHere && hasBody_ && beginPage()) {
            page().runningHead.reset();
            recomputeFree();
        }
        pendingRunningHead_.reset();
        addToBody(runningHead, heightOf(runningHead));
    }

    void placeLine(std::size_t index, int height) {
        if (pendingRunningHead_) placeRunningHead(free_ - height - heightOf(pendingRunningHead_) >= 0);
        if (free_ - height < 0) beginPageUnlessEmpty();
        addToBody(index, height);
    }

    void placeBlock(std::size_t index, int height, bool newPage) {
        if (pendingRunningHead_) {
            placeRunningHead(!newPage && free_ - height - heightOf(pendingRunningHead_) >= 0);
        } else if (newPage || free_ - height < 0) {
            beginPageUnlessEmpty();
        }
        addToBody(index, height);
    }

    const std::vector<Record>& records_;
    const int printableHeight_;
    std::vector<Page> pages_;
    std::optional<std::size_t> header_;
    std::optional<std::size_t> footer_;
    std::optional<std::size_t> runningHead_;
    std::optional<std::size_t> pendingRunningHead_;
    std::optional<std::size_t> continuationHead_;
    int free_ = 0;
    bool hasBody_ = false;
    bool hasInk_ = false;  // the body holds more than blank lines
};

// Draws composed lines on a device: texts by their alignment, then each cell's rules,
// vertical lines, frame or fill.
class PageComposer::LinePainter {
public:
    // Nothing is drawn right of `paperEdge`, where the paper ends.
    LinePainter(const PageComposer& composer, OutputDevice& device, std::optional<int> pageNumber, int paperEdge)
        : composer_(composer), device_(device), pageNumber_(pageNumber), paperEdge_(paperEdge) {}

    // Returns the top of the next line.
    int drawLines(const std::vector<ComposedLine>& lines, int left, int top) {
        for (const ComposedLine& line : lines) {
            drawLine(line, left, top);
            top += line.height;
        }
        return top;
    }

    void drawLine(const ComposedLine& line, int left, int top) {
        const int baseline = top + line.height - line.descent;
        int pen = left;
        for (const ComposedCell& cell : line.cells) {
            const Rect box{left + cell.x, top, left + cell.x + cell.width, top + line.height};
            const std::string pageText =
                (cell.flags & CF_PAGE_NUMBER) && pageNumber_ ? std::to_string(*pageNumber_) : std::string();
            const std::string_view text = pageText.empty() ? line.cellText(cell) : std::string_view(pageText);
            if (!text.empty()) pen = drawText(cell, box, baseline, pen, text);
            drawMarks(cell.flags, box);
        }
    }

private:
    const FontRequest& fontOf(int slot) const {
        const auto& font = composer_.fonts_[static_cast<std::size_t>(slot)];
        return font ? font->request : composer_.fonts_[0]->request;
    }

    // Returns where the text ended, where a CF_CONTINUE cell goes on.
    int drawText(const ComposedCell& cell, const Rect& box, int baseline, int pen, std::string_view text) {
        const FontRequest& font = fontOf(cell.fontSlot);
        if ((cell.flags & CF_JUSTIFY) && !(cell.flags & (CF_CONTINUE | CF_RIGHT | CF_CENTER))) {
            return drawJustified(font, box, baseline, text);
        }
        const int width = device_.textWidth(font, text);
        int x = box.left;
        if (cell.flags & CF_CONTINUE) {
            x = pen;
        } else if (cell.flags & CF_RIGHT) {
            x = box.right - width;
        } else if (cell.flags & CF_CENTER) {
            x = (box.left + box.right) / 2 - width / 2;
        }
        const std::string_view visible = onPaper(font, x, width, text);
        if (!visible.empty()) device_.drawText(font, x, baseline, visible);
        return x + width;
    }

    // The part of a text that reaches the paper's edge: a name's rest runs on, however
    // long, and drawing what no paper shows would cost more than all the rest.
    std::string_view onPaper(const FontRequest& font, int x, int width, std::string_view text) {
        const int room = paperEdge_ - x;
        if (width <= room) return text;
        if (room <= 0) return {};
        // The proportional cut and a few characters more, as characters differ in width.
        constexpr std::size_t kSpare = 8;
        const auto cut = static_cast<std::size_t>(static_cast<double>(text.size()) * room / width) + kSpare;
        if (cut >= text.size()) return text;
        const std::string_view part = text.substr(0, cut);
        return device_.textWidth(font, part) >= room ? part : text;
    }

    // Spreads the difference between cell and text width over the blanks.
    int drawJustified(const FontRequest& font, const Rect& box, int baseline, std::string_view text) {
        const int blanks = static_cast<int>(std::count(text.begin(), text.end(), ' '));
        const int extra = blanks > 0 ? box.right - box.left - device_.textWidth(font, text) : 0;
        const int blankWidth = device_.textWidth(font, " ");
        int x = box.left;
        int blank = 0;
        for (std::size_t start = 0;;) {
            const std::size_t end = std::min(text.find(' ', start), text.size());
            const std::string_view word = text.substr(start, end - start);
            if (!word.empty()) {
                device_.drawText(font, x, baseline, word);
                x += device_.textWidth(font, word);
            }
            if (end == text.size()) return x;
            x += blankWidth + blankShare(extra, blanks, blank++);
            start = end + 1;
        }
    }

    void drawMarks(CellFlags flags, const Rect& box) {
        if (flags & CF_BOX_FRAME) {
            device_.frameRect(box);
            return;
        }
        if (flags & CF_BOX_FILL) {
            device_.fillRect(box);
            return;
        }
        const bool twice = flags & CF_RULE_DOUBLE;
        const int gap = composer_.unitsPerMm_;
        if (flags & CF_RULE_TOP) {
            rule(box, box.top);
            if (twice) rule(box, box.top + gap);
        }
        if (flags & CF_RULE_MIDDLE) {
            const int middle = (box.top + box.bottom) / 2;
            if (twice) {
                rule(box, middle - gap / 2);
                rule(box, middle + gap / 2);
            } else {
                rule(box, middle);
            }
        }
        if (flags & CF_RULE_BOTTOM) {
            rule(box, box.bottom - 1);
            if (twice) rule(box, box.bottom - 1 - gap);
        }
        if (flags & CF_LINE_LEFT) verticalLine(box, box.left);
        if (flags & CF_LINE_CENTER) verticalLine(box, (box.left + box.right) / 2);
        if (flags & CF_LINE_RIGHT) verticalLine(box, box.right);
    }

    void rule(const Rect& box, int y) { device_.drawLine(box.left, y, std::max(box.left, box.right - 1), y); }
    void verticalLine(const Rect& box, int x) { device_.drawLine(x, box.bottom - 1, x, box.top); }

    const PageComposer& composer_;
    OutputDevice& device_;
    std::optional<int> pageNumber_;
    int paperEdge_;
};

bool PageComposer::beginDocument(int startPage, OutputDevice& device) {
    endDocument();
    const DeviceGeometry geometry = device.geometry();
    const FontRequest defaultFont;
    const std::optional<FontMetrics> metrics = device.fontMetrics(defaultFont);
    if (geometry.pixelsPerInchX <= 0 || geometry.pixelsPerInchY <= 0 || !metrics) return false;

    device_ = &device;
    geometry_ = geometry;
    startPage_ = startPage;
    unitsPerMm_ = mulDiv(geometry.pixelsPerInchY, 100, 2540);
    fonts_[0] = FontSlot{defaultFont, *metrics};
    setMargins(10, 10, 10, 10);
    const int origin = 0;
    const CellFlags left = CF_LEFT;
    setColumns({&origin, 1}, {&left, 1});
    return true;
}

PrintableSize PageComposer::setMargins(int left, int top, int right, int bottom) {
    const DeviceGeometry& g = geometry_;
    printable_ = Rect{0, 0, g.printableWidth, g.printableHeight};
    if (g.printableWidthMm > 0 && g.printableHeightMm > 0 && g.paperWidth > 0 && g.paperHeight > 0) {
        const auto toX = [&](int mm) {
            return static_cast<int>(static_cast<long long>(mm) * g.printableWidth / g.printableWidthMm);
        };
        const auto toY = [&](int mm) {
            return static_cast<int>(static_cast<long long>(mm) * g.printableHeight / g.printableHeightMm);
        };
        const int borderRight = g.paperWidth - g.printableOffsetX - g.printableWidth;
        const int borderBottom = g.paperHeight - g.printableOffsetY - g.printableHeight;
        printable_.left = std::max(0, toX(left) - g.printableOffsetX);
        printable_.top = std::max(0, toY(top) - g.printableOffsetY);
        printable_.right = g.printableWidth - std::max(0, toX(right) - borderRight);
        printable_.bottom = g.printableHeight - std::max(0, toY(bottom) - borderBottom);
    }
    return {printableWidth(), printableHeight()};
}

int PageComposer::addFont(const FontRecord& font) {
    if (!isOpen()) return 0;
    const auto free = std::find_if(fonts_.begin() + 1, fonts_.end(), [](const auto& slot) { return !slot; });
    if (free == fonts_.end()) return 0;
    const int points = font.width != 0 ? font.width : font.height;
    const FontRequest request{font, -mulDiv(points, geometry_.pixelsPerInchY, 72)};
    const std::optional<FontMetrics> metrics = device_->fontMetrics(request);
    if (!metrics) return 0;
    *free = FontSlot{request, *metrics};
    return static_cast<int>(free - fonts_.begin());
}

void PageComposer::endDocument() {
    *this = PageComposer();
}

int PageComposer::selectFont(int slot) {
    const int previous = currentFont_;
    if (!isOpen()) return previous;
    if (slot < 0 || slot >= kFontSlots || !fonts_[static_cast<std::size_t>(slot)]) slot = 0;
    if (openCellHasText()) {
        closeCell();
        currentFont_ = slot;
        openCell(CF_CONTINUE, 0, 0);
    } else {
        currentFont_ = slot;
        openCell_.fontSlot = slot;
    }
    return previous;
}

int PageComposer::textWidth(int slot, std::string_view text) const {
    if (!isOpen()) return 0;
    if (slot < 0 || slot >= kFontSlots || !fonts_[static_cast<std::size_t>(slot)]) slot = 0;
    return device_->textWidth(fonts_[static_cast<std::size_t>(slot)]->request, text);
}

int PageComposer::parseColumnCode(std::string_view code, std::span<int> widths, std::span<CellFlags> flags) {
    const std::size_t count = std::min({code.size(), widths.size(), flags.size()});
    for (std::size_t i = 0; i < count; ++i) {
        widths[i] = 0;
        switch (code[i]) {
        case 'l': flags[i] = CF_LEFT; break;
        case 'r': flags[i] = CF_RIGHT; break;
        case 'c': flags[i] = CF_CENTER; break;
        case 'a': flags[i] = CF_JUSTIFY; break;
        default: break;
        }
    }
    return static_cast<int>(count);
}

void PageComposer::widenColumn(std::span<int> widths, int column, int width) {
    if (column < 0 || static_cast<std::size_t>(column) >= widths.size()) return;
    int& current = widths[static_cast<std::size_t>(column)];
    current = std::max(current, width);
}

std::vector<int> PageComposer::widthsToPositions(std::span<const int> widths, int start) {
    std::vector<int> positions;
    positions.reserve(widths.size());
    for (const int width : widths) {
        positions.push_back(start);
        start += width;
    }
    return positions;
}

void PageComposer::applyColumns(std::span<const int> positions, std::span<const CellFlags> flags) {
    const std::size_t count = std::min({positions.size(), flags.size(), kMaxColumns});
    if (count > 0 && positions[count - 1] > printableWidth()) {
        const int width = printableWidth();
        const double percent = width <= 0 ? 100.0 : 100.0 * positions[count - 1] / width - 100.0;
        overflowPercent_ = std::max(overflowPercent_.value_or(percent), percent);
    }
    setColumns(positions, flags);
}

void PageComposer::setColumns(std::span<const int> positions, std::span<const CellFlags> flags) {
    const std::size_t count = std::min({positions.size(), flags.size(), kMaxColumns});
    columns_.clear();
    for (std::size_t i = 0; i < count; ++i) columns_.push_back(Column{positions[i], flags[i]});
    if (!line_.cells.empty()) resetLine();
    // The open cell keeps what has been written into it and moves to column 0.
    const std::size_t textOffset = openCell_.textOffset;
    openColumn(0);
    openCell_.textOffset = textOffset;
}

void PageComposer::print(const char* format, ...) {
    if (!isOpen()) return;
    std::string marked(format);
    std::replace(marked.begin(), marked.end(), '\t', kFormatColumnBreak);
    std::array<char, kFormatBufferSize> buffer{};
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer.data(), buffer.size(), marked.c_str(), arguments);
    va_end(arguments);
    if (length <= 0) return;
    append({buffer.data(), std::min(static_cast<std::size_t>(length), buffer.size() - 1)}, kFormatColumnBreak);
}

void PageComposer::printLiteral(std::string_view text) {
    append(text, '\t');
}

void PageComposer::newLines(int count) {
    for (int i = 0; i < count; ++i) print("\n");
}

void PageComposer::rule(CellFlags flags) {
    if (!isOpen()) return;
    line_.text.resize(openCell_.textOffset);
    openCell(flags, 0, printableWidth());
    endLine();
}

void PageComposer::beginFrame(FrameKind kind) {
    if (!isOpen()) return;
    closeFrame(false);
    openFrame_ = records_.size();
    if (kind == FrameKind::Header) header_ = openFrame_;
    if (kind == FrameKind::Footer) footer_ = openFrame_;
    records_.emplace_back(Frame{sectionOf(kind), {}, 0, false});
}

void PageComposer::endFrame() {
    closeFrame(false);
}

void PageComposer::beginBlock() {
    if (!isOpen() || (openFrame() && openFrame()->section == Section::Block)) return;
    closeFrame(false);
    openFrame_ = records_.size();
    records_.emplace_back(Frame{Section::Block, {}, 0, false, continuationHead_.has_value()});
}

void PageComposer::keepTogether(int lines) {
    const Frame* block = openFrame();
    if (!block || block->section != Section::Block || lines <= 0) return;
    if (blockTakes(*block, static_cast<std::size_t>(lines), lines * currentMetrics().lineHeight)) return;
    closeFrame(false);
    beginBlock();
}

void PageComposer::endBlock(bool newPage) {
    closeFrame(newPage);
}

void PageComposer::beginContinuationHead() {
    if (!isOpen()) return;
    if (lineHasContent()) endLine();
    openHead_ = records_.size();
    records_.emplace_back(Frame{Section::ContinuationHead, {}, 0, false});
}

void PageComposer::endContinuationHead() {
    if (!openHead_) return;
    if (lineHasContent()) endLine();
    const bool empty = std::get<Frame>(records_[*openHead_]).lines.empty();
    continuationHead_ = empty ? std::nullopt : openHead_;
    openHead_.reset();
}

void PageComposer::endContinuation() {
    beginContinuationHead();
    endContinuationHead();
}

void PageComposer::pageBreak() {
    if (!isOpen()) return;
    // Text written before the break belongs before it.
    if (lineHasContent()) endLine();
    records_.emplace_back(PageBreakMark{});
}

void PageComposer::finishDocument() {
    if (!isOpen()) return;
    if (lineHasContent()) endLine();
    closeFrame(false);
    openHead_.reset();
    // A running head replaced before anything was written under it never shows.
    Frame* runningHead = nullptr;
    for (Record& record : records_) {
        if (std::holds_alternative<ComposedLine>(record)) {
            runningHead = nullptr;
        } else if (auto* frame = std::get_if<Frame>(&record)) {
            if (frame->section == Section::Block) runningHead = nullptr;
            if (frame->section != Section::RunningHead) continue;
            if (runningHead) *runningHead = Frame{Section::RunningHead, {}, 0, false};
            runningHead = frame;
        }
    }
    bodyLines_ = collectBodyLines();
}

int PageComposer::frameHeight(FrameKind kind) const {
    for (auto record = records_.rbegin(); record != records_.rend(); ++record) {
        const auto* frame = std::get_if<Frame>(&*record);
        if (frame != nullptr && frame->section == sectionOf(kind)) return frame->height;
    }
    return 0;
}

int PageComposer::paginate() {
    pages_ = Paginator(records_, printableHeight()).run();
    return static_cast<int>(pages_.size());
}

int PageComposer::finalPageNumber() const {
    return static_cast<int>(pages_.size()) + startPage_ - 1;
}

void PageComposer::renderPage(int pageNumber, OutputDevice& device) const {
    const long long index = static_cast<long long>(pageNumber) - startPage_;
    if (index < 0 || index >= static_cast<long long>(pages_.size())) return;
    const Page& page = pages_[static_cast<std::size_t>(index)];
    const auto frameAt = [&](std::size_t record) -> const Frame& { return std::get<Frame>(records_[record]); };

    LinePainter painter(*this, device, pageNumber, geometry_.printableWidth);
    int y = printable_.top;
    if (page.header) y = painter.drawLines(frameAt(*page.header).lines, printable_.left, y);
    if (page.runningHead) y = painter.drawLines(frameAt(*page.runningHead).lines, printable_.left, y);
    if (page.continuationHead) y = painter.drawLines(frameAt(*page.continuationHead).lines, printable_.left, y);
    for (std::size_t i = page.bodyBegin; i < page.bodyEnd; ++i) {
        if (const auto* line = std::get_if<ComposedLine>(&records_[i])) {
            painter.drawLine(*line, printable_.left, y);
            y += line->height;
        } else if (const auto* frame = std::get_if<Frame>(&records_[i])) {
            if (standsInBody(frame->section)) y = painter.drawLines(frame->lines, printable_.left, y);
        }
    }
    if (page.footer) {
        const Frame& footer = frameAt(*page.footer);
        painter.drawLines(footer.lines, printable_.left, printable_.bottom - footer.height);
    }
    device.flush();
}

const ComposedLine& PageComposer::documentLine(std::size_t index) const {
    return lineOf(bodyLines_.at(index));
}

void PageComposer::renderDocumentLine(std::size_t index, OutputDevice& device, int dx, int dy) const {
    const ComposedLine& line = documentLine(index);
    LinePainter(*this, device, std::nullopt, geometry_.printableWidth - printable_.left - dx).drawLine(line, -dx, line.y - dy);
    device.flush();
}

void PageComposer::append(std::string_view text, char columnBreak) {
    if (!isOpen()) return;
    for (const char c : text) {
        if (c == columnBreak) {
            nextColumn();
        } else if (c == '\n') {
            endLine();
        } else if (line_.text.size() < kMaxLineBytes) {
            line_.text.push_back(c);
        }
    }
}

void PageComposer::openCell(CellFlags flags, int x, int width) {
    openCell_ = ComposedCell{flags, x, width, line_.text.size(), 0, currentFont_};
}

void PageComposer::openColumn(std::size_t index) {
    if (index >= columns_.size()) {
        openCell(CF_CONTINUE, 0, 0);
        return;
    }
    columnIndex_ = index;
    const int x = columns_[index].x;
    const int end = index + 1 < columns_.size() ? columns_[index + 1].x : printableWidth();
    openCell(columns_[index].flags, x, end - x);
}

void PageComposer::closeCell() {
    ComposedCell cell = openCell_;
    cell.textLength = line_.text.size() - cell.textOffset;
    if ((cell.textLength == 0 && !(cell.flags & kMarkFlags)) || line_.cells.size() >= kMaxCells) {
        line_.text.resize(cell.textOffset);
        return;
    }
    const FontMetrics& metrics = currentMetrics();
    lineAscent_ = std::max(lineAscent_, metrics.lineHeight - metrics.descent);
    lineDescent_ = std::max(lineDescent_, metrics.descent);
    line_.cells.push_back(cell);
}

void PageComposer::nextColumn() {
    closeCell();
    openColumn(columnIndex_ + 1);
}

void PageComposer::endLine() {
    closeCell();
    if (line_.cells.empty()) {
        lineAscent_ = currentMetrics().lineHeight - currentMetrics().descent;
        lineDescent_ = currentMetrics().descent;
    }
    line_.height = lineAscent_ + lineDescent_;
    line_.descent = lineDescent_;
    placeLine(std::move(line_));
    resetLine();
}

void PageComposer::placeLine(ComposedLine line) {
    const auto bodyPosition = [this](int height) { return std::exchange(bodyY_, bodyY_ + height); };
    Frame* frame = openHead_ ? &std::get<Frame>(records_[*openHead_]) : openFrame();
    if (frame) {
        const bool isBlock = frame->section == Section::Block;
        if (isBlock ? blockTakes(*frame, 1, line.height) : frame->lines.size() < kMaxFrameLines) {
            line.y = standsInBody(frame->section) ? bodyPosition(line.height) : frame->height;
            frame->height += line.height;
            frame->lines.push_back(std::move(line));
            return;
        }
        if (!isBlock) return;  // a full page frame drops further lines
        closeFrame(false);     // a full block lets the line flow on
        if (continuationHead_) {
            // ... or, in a table that repeats its headings, goes on in the next block.
            beginBlock();
            placeLine(std::move(line));
            return;
        }
    }
    line.y = bodyPosition(line.height);
    records_.emplace_back(std::move(line));
}

void PageComposer::resetLine() {
    line_ = ComposedLine();
    lineAscent_ = 0;
    lineDescent_ = 0;
    openColumn(0);
}

void PageComposer::closeFrame(bool newPage) {
    if (Frame* frame = openFrame()) frame->newPage = newPage && frame->section == Section::Block;
    openFrame_.reset();
}

PageComposer::Frame* PageComposer::openFrame() {
    return openFrame_ ? &std::get<Frame>(records_[*openFrame_]) : nullptr;
}

int PageComposer::frameHeight(std::optional<std::size_t> record) const {
    return record ? std::get<Frame>(records_[*record]).height : 0;
}

// A block never grows taller than the body of a page (below the continuation head
// it may stand under): beyond that a page would cut it off. Its first line always
// goes in.
bool PageComposer::blockTakes(const Frame& block, std::size_t lines, int height) const {
    const int head = block.continued ? frameHeight(continuationHead_) : 0;
    const int room = printableHeight() - frameHeight(header_) - frameHeight(footer_) - head;
    return block.lines.size() + lines <= kMaxBlockLines && (block.lines.empty() || block.height + height <= room);
}

std::vector<PageComposer::LineRef> PageComposer::collectBodyLines() const {
    std::vector<LineRef> lines;
    for (std::size_t i = 0; i < records_.size(); ++i) {
        if (std::holds_alternative<ComposedLine>(records_[i])) {
            lines.push_back({i, std::nullopt});
        } else if (const auto* frame = std::get_if<Frame>(&records_[i])) {
            if (!standsInBody(frame->section)) continue;
            for (std::size_t j = 0; j < frame->lines.size(); ++j) lines.push_back({i, j});
        }
    }
    return lines;
}

const ComposedLine& PageComposer::lineOf(const LineRef& ref) const {
    if (!ref.frameLine) return std::get<ComposedLine>(records_[ref.record]);
    return std::get<Frame>(records_[ref.record]).lines[*ref.frameLine];
}

std::string overflowWarningText(double percent) {
    return formatString("Druckbarer Bereich um %.1lf %% zu schmal!", percent);
}

}  // namespace tavo
