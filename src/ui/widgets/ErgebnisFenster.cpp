#include "ui/widgets/ErgebnisFenster.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "model/Numbers.h"
#include "output/PageComposer.h"
#include "output/qt/QtPainterDevice.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tavo {
namespace {

constexpr int kHorizontalPage = 5;  // steps of a tenth of the printable width

void keyBeep() {
#ifdef Q_OS_WIN
    Beep(750, 300);
#else
    // Other systems have one bell, of their own pitch and length.
    QApplication::beep();
#endif
}

}  // namespace

CErgebnisFenster::CErgebnisFenster(QWidget* parent) : QAbstractScrollArea(parent), keySound_(keyBeep) {
    setObjectName(QStringLiteral("resultsWindow"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setCursor(Qt::ArrowCursor);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        // The listing follows the thumb while it is dragged.
        bar->setTracking(true);
        bar->setSingleStep(1);
        // The wheel scrolls by the window's rule over its scroll bars too.
        bar->installEventFilter(this);
    }
    horizontalScrollBar()->setPageStep(kHorizontalPage);
    UpdateScrollBars(true);
}

void CErgebnisFenster::SetDocument(const ScreenDocument& document) {
    document_ = document.composer != nullptr && document.layoutDevice != nullptr ? document : ScreenDocument{};
    if (document_.composer != nullptr)
        index_.build(*document_.composer);
    else
        index_.clear();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    UpdateScrollBars(false);
}

// Bands are lengths on paper: the band at the top stays there at any size, as far
// as the new range allows.
void CErgebnisFenster::SetZoomFactor(double zoom) {
    if (!(zoom > 0) || valuesEqual(zoom, zoom_)) return;
    zoom_ = zoom;
    UpdateScrollBars(false);
    viewport()->update();
}

ScreenMapping CErgebnisFenster::mapping() const {
    const int deviceX = document_.composer != nullptr ? document_.composer->pixelsPerInchX() : 0;
    const int deviceY = document_.composer != nullptr ? document_.composer->pixelsPerInchY() : 0;
    return ScreenMapping(deviceX, deviceY, viewport()->logicalDpiX(), viewport()->logicalDpiY(), zoom_);
}

void CErgebnisFenster::UpdateScrollBars(bool reset) {
    QScrollBar* horizontal = horizontalScrollBar();
    QScrollBar* vertical = verticalScrollBar();
    if (reset) {
        horizontal->setValue(0);
        vertical->setValue(0);
    }
    const ScreenMapping map = mapping();
    const int clientWidth = map.toDeviceX(viewport()->width());
    const int clientHeight = map.toDeviceY(viewport()->height());
    // Setting a range limits the position to it.
    const BandIndex::ScrollMaxima maxima = hasDocument() ? index_.scrollMaxima(clientWidth, clientHeight) : BandIndex::ScrollMaxima{};
    horizontal->setRange(0, maxima.horizontal);
    vertical->setRange(0, maxima.vertical);
    vertical->setPageStep(index_.bandsPerPage(clientHeight));
    if (reset) viewport()->update();
}

void CErgebnisFenster::paintEvent(QPaintEvent* event) {
    if (!hasDocument() || index_.bandHeight() < 1) return;
    const ScreenMapping map = mapping();
    const QRect dirty = event->rect();
    const BandIndex::LineRange lines =
        index_.linesToPaint(map.toDeviceY(dirty.top()), map.toDeviceY(dirty.bottom() + 1), verticalScrollBar()->value());
    if (lines.empty()) return;

    QPainter painter(viewport());
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(map.scaleX(), map.scaleY());
    QtPainterDevice device(*document_.layoutDevice, &painter);
    const int dx = horizontalScrollBar()->value() * index_.stepWidth();
    const int dy = verticalScrollBar()->value() * index_.bandHeight();
    for (std::size_t line = lines.begin; line < lines.end; ++line) document_.composer->renderDocumentLine(line, device, dx, dy);
}

void CErgebnisFenster::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars(false);
}

void CErgebnisFenster::keyPressEvent(QKeyEvent* event) {
    keySound_();
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    switch (event->key()) {
        case Qt::Key_PageUp:
            vertical->triggerAction(QAbstractSlider::SliderPageStepSub);
            break;
        case Qt::Key_PageDown:
            vertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
            break;
        case Qt::Key_Home:
            vertical->triggerAction(QAbstractSlider::SliderToMinimum);
            break;
        case Qt::Key_End:
            vertical->triggerAction(QAbstractSlider::SliderToMaximum);
            break;
        case Qt::Key_Up:
            vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
            break;
        case Qt::Key_Down:
            vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            break;
        case Qt::Key_Left:
            horizontal->triggerAction(QAbstractSlider::SliderPageStepSub);
            break;
        case Qt::Key_Right:
            horizontal->triggerAction(QAbstractSlider::SliderPageStepAdd);
            break;
        default:
            event->ignore();
            return;
    }
    event->accept();
}

void CErgebnisFenster::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() != Qt::NoModifier || event->buttons() != Qt::NoButton) {
        event->ignore();
        return;
    }
    if (const int direction = wheel_.add(event->angleDelta().y()))
        verticalScrollBar()->triggerAction(direction < 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
    event->accept();
}

// The positions count bands and steps, not pixels: the window is painted anew.
void CErgebnisFenster::scrollContentsBy(int, int) { viewport()->update(); }

bool CErgebnisFenster::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && (watched == horizontalScrollBar() || watched == verticalScrollBar())) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

}  // namespace tavo
