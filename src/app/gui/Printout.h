#pragma once

#include <QString>

#include <filesystem>
#include <memory>
#include <optional>

#include "output/HeaderLines.h"
#include "output/ListingDocument.h"
#include "output/PageComposer.h"
#include "ui/widgets/DlgErgebnis.h"

class QPaintDevice;
class QPrinter;

namespace tavo {

class CPembView;
class Document;
class QtPainterDevice;
struct PrintSettings;

// The document build ("Druckaufbereitung"): the listing composed on the
// program's one page composer for a printer, the preview or the screen. The
// screen shows the listing as the program's printer lays it out.
class Printout : public ScreenListing {
public:
    // The banner comes from the user's header lines, else the ones the program ships.
    Printout(Document& document, const PrintSettings& settings, const std::filesystem::path& programDir,
             const std::filesystem::path& settingsFile);
    ~Printout() override;
    Printout(const Printout&) = delete;
    Printout& operator=(const Printout&) = delete;

    // The view that shows the components page when the results page finds a
    // layer without thickness.
    void setView(CPembView* view) { view_ = view; }

    // The printer the program prints on: the default printer, or Qt's PDF output
    // at A4 where no printer is installed. Made when first needed; page set-up and
    // printer set-up change it for the rest of the run.
    QPrinter& printer();

    // Composes the listing for `device`, which must stay until the next build or
    // endDocument(). The user is told every warning; false when the composer could
    // not start on the device.
    bool build(const QPaintDevice& device);
    // Whether the last build wrote the listing; not when a layer lacks its
    // thickness, which is entered on the components page.
    bool listed() const { return listed_; }
    const PageComposer& composer() const { return composer_; }
    // The pages that carry the listing: the start page up to the one before the
    // empty page the final page break begins. After build().
    int firstPage() const { return composer_.startPage(); }
    int lastPage() const { return composer_.finalPageNumber() - 1; }
    void endDocument();

    // Footer and banner as the document build prints them now.
    ListingFrame frame() const;
    // The banner in effect, and the user's file the header dialog writes it to.
    const HeaderLines& banner() const { return banner_; }
    const std::filesystem::path& userHeaderLinesFile() const { return userHeaderLines_; }
    // After the user's header lines changed: the next listing prints them.
    void reloadBanner();

    std::optional<ScreenDocument> composeForScreen() override;

private:
    Document& document_;
    const PrintSettings& settings_;
    std::filesystem::path userHeaderLines_;
    std::filesystem::path shippedHeaderLines_;
    HeaderLines banner_;
    CPembView* view_ = nullptr;
    bool listed_ = false;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QtPainterDevice> measuring_;
    PageComposer composer_;
};

// Makes the printer's page layout margins its unprintable border, the least it
// allows: the composer sets the margins of the listing itself, from the paper's edge.
void useUnprintableBorderAsMargins(QPrinter& printer);

}  // namespace tavo
