#include "output/qt/PdfExport.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "file/AtomicWrite.h"
#include "file/BinFile.h"
#include "model/Numbers.h"
#include "output/PageComposer.h"
#include "output/qt/PrintSystem.h"
#include "output/qt/QtPainterDevice.h"

namespace tavo {
namespace {

// Fine enough that the composer's whole device pixels place text and rules as
// exactly as a laser printer does.
constexpr int kDotsPerInch = 600;

// Qt's PDF writer gives no reason when a page or the document cannot start.
constexpr int kNoSystemError = 0;

PdfExport stopped(PdfExport result, std::string message) {
    result.messages.push_back(std::move(message));
    return result;
}

void describeDocument(QPdfWriter& writer, const QPageLayout& paper, const std::string& documentName) {
    writer.setResolution(kDotsPerInch);
    writer.setPageLayout(paper);
    writer.setTitle(QString::fromStdString(documentName));
    writer.setCreator(QStringLiteral("Tavo"));
}

// Draws the pages [first, end) of the composed document, one PDF page each; a page
// that cannot begin is reported and left out.
void paintPages(const PageComposer& composer, int first, int end, QPdfWriter& writer, OutputDevice& device,
                std::vector<std::string>& messages) {
    for (int page = first; page < end; ++page) {
        if (page > first && !writer.newPage()) {
            messages.push_back(formatString("PDF Export: Fehler StartPage [%d]!", kNoSystemError));
            continue;
        }
        composer.renderPage(page, device);
    }
}

}  // namespace

QPageLayout defaultPrinterPaper() {
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    if (!printSystemMayHaveDefaultPrinter()) return a4;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return a4;
    const QPrinter printer(info);
    const QPageLayout layout = printer.pageLayout();
    return QPageLayout(layout.pageSize(), layout.orientation(), QMarginsF());
}

PdfExport exportPdf(const ProjectData& project, const ListingFrame& frame, const std::string& documentName,
                    const std::string& pdfPath, const QPageLayout& paper) {
    // The document is made in memory, so that the file is only touched once it is complete.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    describeDocument(writer, paper, documentName);

    QPainter painter;
    QtPainterDevice device(writer, &painter);
    PageComposer composer;
    ListingBuild build = buildListingDocument(composer, device, project, frame);
    PdfExport result{false, build.listed, std::move(build.warnings)};
    if (!build.started) return stopped(std::move(result), "PDF Export: Fehler bei Aufbereitung!");
    if (!build.listed) return result;

    composer.paginate();
    // The composer's last page is the empty one begun by the final page break.
    const int first = composer.startPage();
    const int end = composer.finalPageNumber();
    if (end <= first) return stopped(std::move(result), "PDF Export: Keine Daten!");

    if (!painter.begin(&writer)) {
        return stopped(std::move(result), formatString("PDF Export: Fehler StartDoc [%d]!", kNoSystemError));
    }
    paintPages(composer, first, end, writer, device, result.messages);
    painter.end();

    const QByteArray& bytes = pdf.data();
    const std::string_view content(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (const SaveFailure failure = saveFile(pdfPath, content)) {
        return stopped(std::move(result), saveFailureMessage(pdfPath, failure));
    }
    result.written = true;
    return result;
}

}  // namespace tavo
