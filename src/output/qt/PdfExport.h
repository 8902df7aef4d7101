#pragma once

#include <QPageLayout>

#include <string>
#include <vector>

#include "model/ProjectData.h"
#include "output/ListingDocument.h"

namespace tavo {

// The paper of the default printer in the orientation it is set to, without
// margins; A4 portrait when there is no printer.
QPageLayout defaultPrinterPaper();

// How an export went. The messages are for the user (UTF-8), in the order they
// arose: the build's warnings (the missing layer thickness, the column overflow),
// then why the export stopped, if it did.
struct PdfExport {
    bool written = false;
    bool listed = true;  // false: a layer row lacks its thickness
    std::vector<std::string> messages;
};

// Lays the listing out for `paper` and writes its pages, from the project's start
// page up to the last one with content, as a PDF file titled `documentName` (UTF-8).
// The margins of `paper` count as the unprintable border, as on a printer. The
// file is replaced only when the whole document is ready; nothing is written when
// the listing is refused (a layer without thickness) or has no page. `pdfPath` is a
// file name as the C run-time expects it.
PdfExport exportPdf(const ProjectData& project, const ListingFrame& frame, const std::string& documentName,
                    const std::string& pdfPath, const QPageLayout& paper = defaultPrinterPaper());

}  // namespace tavo
