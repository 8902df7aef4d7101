#include "app/gui/Printout.h"

#include <QApplication>
#include <QMainWindow>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStatusBar>

#include <ctime>

#include "ui/Document.h"
#include "output/PrintSettings.h"
#include "output/qt/QtPainterDevice.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/PembView.h"

namespace tavo {
namespace {

std::unique_ptr<QPrinter> makeProgramPrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (QPrinterInfo::defaultPrinter().isNull()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setPageSize(QPageSize(QPageSize::A4));
    }
    useUnprintableBorderAsMargins(*printer);
    return printer;
}

// The wait cursor and the status text while the listing is composed; the text
// shown before (such as a finished export) comes back afterwards.
class ComposingIndicator {
public:
    explicit ComposingIndicator(QWidget* view)
        : window_(view != nullptr ? qobject_cast<QMainWindow*>(view->window()) : nullptr) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (window_ == nullptr) return;
        previous_ = window_->statusBar()->currentMessage();
        window_->statusBar()->showMessage(QStringLiteral("Druckereinstellungen holen"));
    }
    ~ComposingIndicator() {
        if (window_ != nullptr) window_->statusBar()->showMessage(previous_);
        QApplication::restoreOverrideCursor();
    }
    ComposingIndicator(const ComposingIndicator&) = delete;
    ComposingIndicator& operator=(const ComposingIndicator&) = delete;

private:
    QMainWindow* window_;
    QString previous_;
};

}  // namespace

void useUnprintableBorderAsMargins(QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(layout.minimumMargins());
    printer.setPageLayout(layout);
}

Printout::Printout(Document& document, const PrintSettings& settings, const std::filesystem::path& programDir)
    : document_(document),
      settings_(settings),
      headerLinesFile_(headerLinesPath(programDir)),
      banner_(loadBanner(headerLinesFile_)) {}

Printout::~Printout() = default;

QPrinter& Printout::printer() {
    if (!printer_) printer_ = makeProgramPrinter();
    return *printer_;
}

ListingFrame Printout::frame() const {
    return ListingFrame{settings_, banner_, footerText(settings_, document_.path(), std::time(nullptr))};
}

bool Printout::build(const QPaintDevice& device) {
    ListingBuild build;
    listed_ = false;
    {
        const ComposingIndicator composing(view_);
        measuring_ = std::make_unique<QtPainterDevice>(device, nullptr);
        build = buildListingDocument(composer_, *measuring_, document_.project(), frame());
        if (build.started) composer_.paginate();
    }
    if (!build.started) {
        MsgWarning("Fehler bei Druckaufbereitung!");
        return false;
    }
    for (const std::string& warning : build.warnings) MsgWarning("%s", warning.c_str());
    listed_ = build.listed;
    return true;
}

void Printout::endDocument() {
    composer_.endDocument();
    measuring_.reset();
}

std::optional<ScreenDocument> Printout::composeForScreen() {
    QPrinter& device = printer();
    if (!build(device)) return std::nullopt;
    if (!listed_ && view_ != nullptr) view_->showComponentsPageLater();
    return ScreenDocument{&composer_, &device};
}

}  // namespace tavo
