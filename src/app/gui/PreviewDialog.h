#pragma once

#include <QDialog>

#include <functional>

class QAction;
class QLabel;
class QPrinter;
class QPrintPreviewWidget;

namespace tavo {

// The page preview: the pages as the printer prints them, with the commands of
// its tool bar. Printing and the PDF export run from it and leave it open.
class PreviewDialog : public QDialog {
    Q_OBJECT

public:
    // The zoom the preview keeps within.
    static constexpr double kMinZoom = 0.1;
    static constexpr double kMaxZoom = 8.0;

    // Run by the tool bar; each leaves the printer's document composed again for the preview.
    struct Commands {
        std::function<void()> print;
        std::function<void()> exportPdf;
    };

    // paintPages draws every page on the printer it is given, a new page before each but the first.
    PreviewDialog(QPrinter& printer, std::function<void(QPrinter&)> paintPages, Commands commands,
                  QWidget* parent = nullptr);

    QPrintPreviewWidget* pages() const { return pages_; }
    // The tool bar's command with the given text, as the user sees it.
    QAction* command(const QString& text) const;
    // "Seite n von m".
    QString pagePosition() const;

private:
    void runThenShowAgain(const std::function<void()>& command);
    void turnPage(int by);
    void zoom(double factor);
    void updateCommands();

    QPrintPreviewWidget* pages_;
    QLabel* position_;
    QAction* next_;
    QAction* previous_;
    QAction* zoomIn_;
    QAction* zoomOut_;
};

}  // namespace tavo
