#include "app/gui/OutputCommands.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMainWindow>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>

#include <utility>

#include "app/gui/DialogRunner.h"
#include "app/gui/FontChoice.h"
#include "app/gui/PreviewDialog.h"
#include "app/gui/PrinterSetupDialog.h"
#include "app/gui/Printout.h"
#include "ui/Document.h"
#include "output/PrintSettings.h"
#include "output/qt/PdfExport.h"
#include "output/qt/QtPainterDevice.h"
#include "ui/widgets/DlgFussKopf.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/PembView.h"

namespace tavo {
namespace {

// While the composer holds a document for the printer, the results page shows
// none; afterwards it composes its own again, from the top.
class PrinterDocument {
public:
    PrinterDocument(Printout& printout, CPembView& view) : printout_(printout), view_(view) {
        if (CTabbedDialog* results = view_.activeResultsPage()) results->OnPageDeactivated();
    }
    ~PrinterDocument() {
        printout_.endDocument();
        view_.RefreshResults();
    }
    PrinterDocument(const PrinterDocument&) = delete;
    PrinterDocument& operator=(const PrinterDocument&) = delete;

private:
    Printout& printout_;
    CPembView& view_;
};

// The document's path without its extension: the PDF file goes beside the project.
QString proposedPdfName(const std::string& documentPath) {
    if (documentPath.empty()) return {};
    const QFileInfo file(QString::fromStdString(documentPath));
    const QString name = file.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return file.dir().filePath(dot > 0 ? name.left(dot) : name);
}

// The printer's paper; a PDF file has no unprintable border.
QPageLayout paperOf(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    return QPageLayout(layout.pageSize(), layout.orientation(), QMarginsF());
}

}  // namespace

void OutputCommands::showStatus(const QString& text) {
    if (auto* window = qobject_cast<QMainWindow*>(window_)) window->statusBar()->showMessage(text);
}

OutputCommands::OutputCommands(Printout& printout, PrintSettings& settings, Document& document, CPembView& view, QWidget* window)
    : QObject(window),
      printout_(printout),
      settings_(settings),
      document_(document),
      view_(view),
      window_(window),
      dialogs_(std::make_unique<DialogRunner>()) {
    // The pages' dialogs go through the same runner, so that tests answer them too.
    view_.setEntryDialogRun([this](QDialog& dialog) { return dialogs_->run(dialog); });
}

OutputCommands::~OutputCommands() = default;

void OutputCommands::setDialogRunner(std::unique_ptr<DialogRunner> runner) { dialogs_ = std::move(runner); }

void OutputCommands::print() {
    if (!view_.UpdateData()) return;
    QPrinter& printer = printout_.printer();
    // Printed to a PDF file, the listing goes beside the project unless the user chooses another place.
    if (printer.outputFormat() == QPrinter::PdfFormat && !document_.path().empty())
        printer.setOutputFileName(proposedPdfName(document_.path()) + QStringLiteral(".pdf"));
    // Every print starts with all pages; the range chosen last time stays with that job.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    QPrintDialog dialog(&printer, window_);
    // The pages are numbered from the project's start page; how many there are is
    // known once the listing is composed for the printer chosen.
    const int startPage = document_.project().startPage;
    dialog.setMinMax(startPage, startPage + static_cast<int>(PageComposer::kMaxPages) - 1);
    if (!dialogs_->run(dialog)) return;

    const PrinterDocument job(printout_, view_);
    if (!printout_.build(printer)) return;
    if (!printout_.listed()) {
        view_.showComponentsPage();
        return;
    }
    int first = printout_.firstPage();
    int last = printout_.lastPage();
    if (printer.printRange() == QPrinter::PageRange) {
        first = std::max(first, printer.fromPage());
        last = std::min(last, printer.toPage());
    }
    printPages(printer, first, last, printer.supportsMultipleCopies() ? 1 : printer.copyCount());
}

void OutputCommands::preview() {
    if (!view_.UpdateData()) return;
    QPrinter& printer = printout_.printer();
    const PrinterDocument job(printout_, view_);
    if (!printout_.build(printer)) return;
    if (!printout_.listed()) {
        view_.showComponentsPage();
        return;
    }
    // Printing and the PDF export end the composer's document (printing may even
    // change the printer); the preview's is composed again after them.
    const auto thenComposeAgain = [this, &printer](void (OutputCommands::*command)()) {
        return [this, &printer, command] {
            (this->*command)();
            if (CTabbedDialog* results = view_.activeResultsPage()) results->OnPageDeactivated();
            printout_.build(printer);
        };
    };
    const auto paint = [this](QPrinter& target) { printPages(target, printout_.firstPage(), printout_.lastPage(), 1); };
    PreviewDialog dialog(printer, paint, {thenComposeAgain(&OutputCommands::print), thenComposeAgain(&OutputCommands::exportPdf)},
                         window_);
    dialog.resize(window_->size());
    dialogs_->run(dialog);
}

void OutputCommands::printPages(QPrinter& printer, int first, int last, int copies) {
    if (last < first) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        MsgWarning("Der Drucker hat den Druckauftrag nicht angenommen.");
        return;
    }
    QtPainterDevice device(printer, &painter);
    bool firstSheet = true;
    for (int copy = 0; copy < copies; ++copy) {
        for (int page = first; page <= last; ++page) {
            if (!firstSheet) printer.newPage();
            firstSheet = false;
            printout_.composer().renderPage(page, device);
        }
    }
}

void OutputCommands::pageSetup() {
    QPrinter& printer = printout_.printer();
    // The dialog shows the listing's margins, from the paper's edge, in millimetres.
    const PrintSettings::Margins& margins = settings_.margins;
    QPageLayout shown = printer.pageLayout();
    shown.setUnits(QPageLayout::Millimeter);
    shown.setMode(QPageLayout::FullPageMode);
    shown.setMargins(QMarginsF(margins.left, margins.top, margins.right, margins.bottom));
    printer.setPageLayout(shown);

    QPageSetupDialog dialog(&printer, window_);
    const bool accepted = dialogs_->run(dialog);
    if (accepted) {
        const QMarginsF chosen = printer.pageLayout().margins(QPageLayout::Millimeter);
        settings_.margins = PrintSettings::Margins{static_cast<int>(chosen.left()), static_cast<int>(chosen.top()),
                                                   static_cast<int>(chosen.right()), static_cast<int>(chosen.bottom())};
    }
    useUnprintableBorderAsMargins(printer);
    if (accepted) view_.RefreshResults();
}

void OutputCommands::printerSetup() {
    QPrinter& printer = printout_.printer();
    PrinterSetupDialog dialog(printer, window_);
    if (!dialogs_->run(dialog)) return;
    dialog.applyTo(printer);
    view_.RefreshResults();
}

void OutputCommands::editHeaderFooter() {
    DlgFussKopf dialog(settings_, printout_.banner(), printout_.userHeaderLinesFile(), window_);
    if (dialogs_->run(dialog)) printout_.reloadBanner();
}

void OutputCommands::chooseOutputFont() {
    if (chooseFont(false)) view_.RefreshResults();
}

void OutputCommands::chooseTitleFont() {
    if (chooseFont(true)) view_.RefreshResults();
}

bool OutputCommands::chooseFont(bool titleFont) {
    FontRecord& record = titleFont ? settings_.font2 : settings_.font1;
    QFontDialog dialog(dialogFontOf(record), window_);
    dialog.setWindowTitle(titleFont ? QStringLiteral("Schriftart für Überschrift") : QStringLiteral("Schriftart für Ergebnisse"));
    if (!dialogs_->run(dialog)) return false;
    record = recordOfFont(dialog.selectedFont(), record);
    return true;
}

void OutputCommands::exportPdf() {
    if (!view_.UpdateData()) return;
    const QString proposed = proposedPdfName(document_.path());
    QFileDialog dialog(window_, QStringLiteral("PDF Export"), proposed, QStringLiteral("PDF-Datei (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialogs_->run(dialog)) {
        const QString path = dialog.selectedFiles().value(0);
        const PdfExport result = tavo::exportPdf(document_.project(), printout_.frame(), QFileInfo(proposed).fileName().toStdString(),
                                                 QFile::encodeName(path).toStdString(), paperOf(printout_.printer()));
        for (const std::string& message : result.messages) MsgWarning("%s", message.c_str());
        if (!result.listed) view_.showComponentsPage();
        if (result.written) showStatus(QStringLiteral("PDF-Datei %1 gespeichert").arg(QFileInfo(path).fileName()));
    }
    view_.RefreshResults();
}

}  // namespace tavo
