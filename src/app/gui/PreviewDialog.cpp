#include "app/gui/PreviewDialog.h"

#include <QAction>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

namespace tavo {
namespace {

constexpr qreal kZoomStep = 1.25;

}  // namespace

PreviewDialog::PreviewDialog(QPrinter& printer, std::function<void(QPrinter&)> paintPages, QWidget* parent)
    : QDialog(parent), pages_(new QPrintPreviewWidget(&printer)) {
    setWindowTitle(QStringLiteral("Seitenansicht"));
    auto* bar = new QToolBar;
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const auto add = [this, bar](const QString& text, auto handler) {
        QAction* action = bar->addAction(text);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    add(QStringLiteral("&Drucken..."), [this] { closeFor(Then::Print); });
    next_ = add(QStringLiteral("&Nächste Seite"), [this] { turnPage(1); });
    previous_ = add(QStringLiteral("&Vorherige Seite"), [this] { turnPage(-1); });
    add(QStringLiteral("Ver&größern"), [this] { pages_->zoomIn(kZoomStep); });
    add(QStringLiteral("Ver&kleinern"), [this] { pages_->zoomOut(kZoomStep); });
    add(QStringLiteral("&Schließen"), [this] { closeFor(Then::Nothing); });
    add(QStringLiteral("Export PDF"), [this] { closeFor(Then::ExportPdf); });

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

void PreviewDialog::closeFor(Then then) {
    then_ = then;
    accept();
}

void PreviewDialog::turnPage(int by) {
    pages_->setCurrentPage(pages_->currentPage() + by);
    updateCommands();
}

void PreviewDialog::updateCommands() {
    next_->setEnabled(pages_->currentPage() < pages_->pageCount());
    previous_->setEnabled(pages_->currentPage() > 1);
}

}  // namespace tavo
