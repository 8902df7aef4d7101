#include "app/gui/PreviewDialog.h"

#include <QAction>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace tavo {
namespace {

constexpr double kZoomStep = 1.25;
constexpr double kZoomTolerance = 0.999;

}  // namespace

PreviewDialog::PreviewDialog(QPrinter& printer, std::function<void(QPrinter&)> paintPages, Commands commands,
                             QWidget* parent)
    : QDialog(parent), pages_(new QPrintPreviewWidget(&printer)), position_(new QLabel) {
    setWindowTitle(QStringLiteral("Seitenansicht"));
    auto* bar = new QToolBar;
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [this, bar](const QString& text, auto handler) {
        QAction* action = bar->addAction(text);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    add(QStringLiteral("&Drucken..."), [this, print = std::move(commands.print)] { runThenShowAgain(print); });
    next_ = add(QStringLiteral("&Nächste Seite"), [this] { turnPage(1); });
    previous_ = add(QStringLiteral("&Vorherige Seite"), [this] { turnPage(-1); });
    zoomIn_ = add(QStringLiteral("Ver&größern"), [this] { zoom(kZoomStep); });
    zoomOut_ = add(QStringLiteral("Ver&kleinern"), [this] { zoom(1.0 / kZoomStep); });
    add(QStringLiteral("&Schließen"), [this] { accept(); });
    add(QStringLiteral("Export PDF"), [this, exportPdf = std::move(commands.exportPdf)] { runThenShowAgain(exportPdf); });
    bar->addSeparator();
    position_->setAccessibleName(QStringLiteral("Seite"));
    bar->addWidget(position_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(pages_, 1);

    connect(pages_, &QPrintPreviewWidget::paintRequested, this, [paintPages = std::move(paintPages)](QPrinter* target) { paintPages(*target); });
    connect(pages_, &QPrintPreviewWidget::previewChanged, this, &PreviewDialog::updateCommands);
    pages_->fitInView();
    // The preview lays out the pages now, so that they can be counted before it is shown.
    pages_->updatePreview();
}

QAction* PreviewDialog::command(const QString& text) const {
    const QList<QAction*> actions = findChildren<QAction*>();
    for (QAction* action : actions)
        if (action->text().remove(QLatin1Char('&')) == text) return action;
    return nullptr;
}

QString PreviewDialog::pagePosition() const { return position_->text(); }

// The command composes its own document; the preview shows its pages again, at
// the page and zoom the user had.
void PreviewDialog::runThenShowAgain(const std::function<void()>& command) {
    const int page = pages_->currentPage();
    command();
    pages_->updatePreview();
    pages_->setCurrentPage(page);
    updateCommands();
}

void PreviewDialog::turnPage(int by) {
    pages_->setCurrentPage(pages_->currentPage() + by);
    updateCommands();
}

void PreviewDialog::zoom(double factor) {
    pages_->setZoomFactor(std::clamp(pages_->zoomFactor() * factor, kMinZoom, kMaxZoom));
    updateCommands();
}

void PreviewDialog::updateCommands() {
    const int page = pages_->currentPage();
    const int count = pages_->pageCount();
    next_->setEnabled(page < count);
    previous_->setEnabled(page > 1);
    // A step goes at most to the limit; at the limit the command is off.
    zoomIn_->setEnabled(pages_->zoomFactor() < kMaxZoom * kZoomTolerance);
    zoomOut_->setEnabled(pages_->zoomFactor() > kMinZoom / kZoomTolerance);
    position_->setText(QStringLiteral("Seite %1 von %2").arg(page).arg(count));
}

}  // namespace tavo
