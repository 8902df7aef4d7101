#pragma once

#include <QStringList>

#include <memory>
#include <optional>
#include <string>

#include "output/qt/PdfExport.h"

class QCoreApplication;

namespace tavo {

// What `tavo-cli pdf FILE.tavo OUT.pdf [--settings FILE.ini]` is asked for.
struct PdfListingRequest {
    std::string projectPath;                  // as the C run-time expects it
    std::string documentPath;                 // the same, UTF-8 as given: named in the footer and the title
    std::string pdfPath;                      // as the C run-time expects it
    std::optional<std::string> settingsPath;  // none: "Tavo.ini" at its usual place
};

// None when the operands do not have that shape.
std::optional<PdfListingRequest> parsePdfListingRequest(const QStringList& operands);

// Writes the listing of the project file as a PDF, with the print settings of the
// settings file and the banner of the header-lines file beside the program. As in
// the program, the PDF's title is the project file's name without its extension.
PdfExport writePdfListing(const PdfListingRequest& request);

// The application object for a command line. Drawing a PDF needs Qt's GUI part and
// so a platform: always the offscreen one, whatever QT_QPA_PLATFORM says, so that
// no display is needed and none can be missing. The other commands get by without
// it and start faster. The arguments are not Qt's: read them from argv.
std::unique_ptr<QCoreApplication> makeCliApplication(int argc, char* argv[]);

}  // namespace tavo
