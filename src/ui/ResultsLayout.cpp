#include "ui/ResultsLayout.h"

#include <algorithm>

#include "output/PageComposer.h"

namespace tavo {

double zoomFactorOf(DisplaySize size) {
    switch (size) {
        case DisplaySize::Normal:
            break;
        case DisplaySize::Medium:
            return 2.0 / 3.0;
        case DisplaySize::Large:
            return 0.5;
    }
    return 1.0;
}

void BandIndex::build(const PageComposer& composer) {
    clear();
    bandHeight_ = composer.printableHeight() / 10;
    stepWidth_ = composer.printableWidth() / 10;
    documentWidth_ = composer.printableWidth();
    if (bandHeight_ < 1 || stepWidth_ < 1) return;
    for (std::size_t i = 0; i < composer.documentLineCount(); ++i) {
        const ComposedLine& line = composer.documentLine(i);
        enter(i, line.y, line.height);
    }
}

// The line becomes the last line of every band it reaches into, and the first
// of those it is the first to reach. Bands are added as the lines need them.
void BandIndex::enter(std::size_t line, int y, int height) {
    const int first = std::max(y, 0) / bandHeight_;
    const int last = std::max(y + height - 1, y) / bandHeight_;
    while (bandCount() <= last) {
        const int top = bandCount() * bandHeight_;
        bands_.push_back(Band{top, top + bandHeight_, std::nullopt, std::nullopt});
    }
    for (int i = first; i <= last; ++i) {
        Band& band = bands_[static_cast<std::size_t>(i)];
        if (!band.firstLine) band.firstLine = line;
        band.lastLine = line;
    }
}

BandIndex::ScrollMaxima BandIndex::scrollMaxima(int clientWidth, int clientHeight) const {
    if (empty()) return {};
    return ScrollMaxima{std::max((documentWidth_ - clientWidth) / stepWidth_ + 1, 0),
                        std::max(bandCount() - clientHeight / bandHeight_ + 1, 0)};
}

int BandIndex::bandsPerPage(int clientHeight) const {
    return bandHeight_ > 0 ? std::max(clientHeight / bandHeight_, 1) : 1;
}

BandIndex::LineRange BandIndex::linesToPaint(int top, int bottom, int position) const {
    if (empty()) return {};
    // A band more above: a line reaching down into the first row starts there.
    const int first = std::max(top / bandHeight_ - 1 + position, 0);
    const int last = std::min(bottom / bandHeight_ + position, bandCount() - 1);
    LineRange range;
    bool found = false;
    for (int i = first; i <= last; ++i) {
        const Band& band = bands_[static_cast<std::size_t>(i)];
        if (!band.firstLine) continue;
        if (!found) range.begin = *band.firstLine;
        range.end = *band.lastLine + 1;
        found = true;
    }
    return found ? range : LineRange{};
}

ScreenMapping::ScreenMapping(int devicePixelsPerInchX, int devicePixelsPerInchY, int screenDpiX, int screenDpiY, double zoom)
    : windowX_(static_cast<int>(devicePixelsPerInchX * zoom)),
      windowY_(static_cast<int>(devicePixelsPerInchY * zoom)),
      viewportX_(std::max(screenDpiX, 1)),
      viewportY_(std::max(screenDpiY, 1)) {}

double ScreenMapping::scaleX() const { return windowX_ > 0 ? static_cast<double>(viewportX_) / windowX_ : 1.0; }

double ScreenMapping::scaleY() const { return windowY_ > 0 ? static_cast<double>(viewportY_) / windowY_ : 1.0; }

int ScreenMapping::toDeviceX(int screenPixels) const {
    return static_cast<int>(static_cast<long long>(screenPixels) * windowX_ / viewportX_);
}

int ScreenMapping::toDeviceY(int screenPixels) const {
    return static_cast<int>(static_cast<long long>(screenPixels) * windowY_ / viewportY_);
}

int WheelNotches::add(int delta) {
    sum_ += delta;
    const int notches = sum_ / kNotch;
    if (notches == 0) return 0;
    sum_ -= notches * kNotch;
    return notches > 0 ? -1 : 1;
}

}  // namespace tavo
