#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace tavo {

class PageComposer;

// The display sizes of the results page: "Normal" shows the paper at its size,
// "Mittel" 1.5 times and "Groß" twice as large.
enum class DisplaySize { Normal = 0, Medium = 1, Large = 2 };
double zoomFactorOf(DisplaySize size);

// The composed listing cut into horizontal bands of a tenth of the printable
// height: the results window scrolls by bands vertically and by tenths of the
// printable width horizontally, and paints only the lines of the bands it shows.
// All lengths are pixels of the device the listing was composed for.
class BandIndex {
public:
    struct Band {
        int top = 0;
        int bottom = 0;
        // The first and the last document line that reach into the band.
        std::optional<std::size_t> firstLine;
        std::optional<std::size_t> lastLine;
    };
    // Document lines [begin, end).
    struct LineRange {
        std::size_t begin = 0;
        std::size_t end = 0;
        bool empty() const { return begin >= end; }
    };
    struct ScrollMaxima {
        int horizontal = 0;
        int vertical = 0;
    };

    // The composer's continuous document after finishDocument().
    void build(const PageComposer& composer);
    void clear() { *this = BandIndex(); }

    // No band: nothing to show or scroll.
    bool empty() const { return bands_.empty(); }
    int bandCount() const { return static_cast<int>(bands_.size()); }
    const Band& band(int index) const { return bands_.at(static_cast<std::size_t>(index)); }
    int bandHeight() const { return bandHeight_; }
    int stepWidth() const { return stepWidth_; }
    int documentWidth() const { return documentWidth_; }

    // The highest scroll positions for a client area of the given size: the last
    // band may stand at the top, the right edge at the right.
    ScrollMaxima scrollMaxima(int clientWidth, int clientHeight) const;
    // The bands a page up or down moves: as many as the client area holds, at least one.
    int bandsPerPage(int clientHeight) const;
    // The lines to paint for the client rows top to bottom with the document scrolled
    // by `position` bands; each line once, in document order.
    LineRange linesToPaint(int top, int bottom, int position) const;

private:
    void enter(std::size_t line, int y, int height);

    int bandHeight_ = 0;
    int stepWidth_ = 0;
    int documentWidth_ = 0;
    std::vector<Band> bands_;
};

// How the results window maps the paper onto the screen: one inch of paper is
// one inch of screen at zoom 1, and larger as the zoom factor falls.
class ScreenMapping {
public:
    ScreenMapping(int devicePixelsPerInchX, int devicePixelsPerInchY, int screenDpiX, int screenDpiY, double zoom);

    // Device pixels per screen pixel, as a scale of the painter.
    double scaleX() const;
    double scaleY() const;
    // A length of screen pixels in device pixels.
    int toDeviceX(int screenPixels) const;
    int toDeviceY(int screenPixels) const;

private:
    int windowX_;
    int windowY_;
    int viewportX_;
    int viewportY_;
};

// Sums the wheel's turns: a band is scrolled for each whole notch, however many
// notches one event brings, and what is left of a notch waits for the next turn.
class WheelNotches {
public:
    static constexpr int kNotch = 120;

    // -1 to scroll a band up (a turn away from the user), 1 down, 0 not yet.
    int add(int delta);

private:
    int sum_ = 0;
};

}  // namespace tavo
