#pragma once

#include <QAbstractScrollArea>

#include <functional>

#include "ui/ResultsLayout.h"

class QPaintDevice;

namespace tavo {

class PageComposer;

// A listing composed for a printer: the composer's continuous document and the
// printer's paint device, on which the texts are measured again while they are
// drawn, so that the screen shows exactly the printer's layout.
struct ScreenDocument {
    const PageComposer* composer = nullptr;
    const QPaintDevice* layoutDevice = nullptr;
};

// The scrolling window of the results page: the listing as one continuous,
// unpaginated document at one of the display sizes. It scrolls by bands of a
// tenth of the printable height and by tenths of the printable width, also while
// a thumb is dragged.
class CErgebnisFenster : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit CErgebnisFenster(QWidget* parent = nullptr);

    // Shows the document from its top left corner; none shows an empty area. The
    // document belongs to its composer and must stay until it is replaced here.
    void SetDocument(const ScreenDocument& document);
    bool hasDocument() const { return document_.composer != nullptr; }
    const ScreenDocument& document() const { return document_; }
    const BandIndex& bandIndex() const { return index_; }

    // A new factor keeps the band and the step shown at the top left.
    void SetZoomFactor(double zoom);
    double zoomFactor() const { return zoom_; }

    // The sound of every key pressed in the window; tests count it instead.
    void setKeySound(std::function<void()> sound) { keySound_ = std::move(sound); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ScreenMapping mapping() const;
    void UpdateScrollBars(bool reset);

    ScreenDocument document_;
    BandIndex index_;
    double zoom_ = 1.0;
    WheelNotches wheel_;
    std::function<void()> keySound_;
};

}  // namespace tavo
