#pragma once

#include <QDialog>

#include <functional>

class QAction;
class QPrinter;
class QPrintPreviewWidget;

namespace tavo {

// The page preview: the pages as the printer prints them, with the commands of
// its tool bar. Printing and the PDF export close it and run after it.
class PreviewDialog : public QDialog {
    Q_OBJECT

public:
    enum class Then { Nothing, Print, ExportPdf };

    // paintPages draws every page on the printer it is given, a new page before each but the first.
    PreviewDialog(QPrinter& printer, std::function<void(QPrinter&)> paintPages, QWidget* parent = nullptr);

    // What the user chose to do once the preview is closed.
    Then then() const { return then_; }
    QPrintPreviewWidget* pages() const { return pages_; }
    // The tool bar's command with the given text, as the user sees it.
    QAction* command(const QString& text) const;

private:
    void closeFor(Then then);
    void turnPage(int by);
    void updateCommands();

    QPrintPreviewWidget* pages_;
    QAction* next_;
    QAction* previous_;
    Then then_ = Then::Nothing;
};

}  // namespace tavo
