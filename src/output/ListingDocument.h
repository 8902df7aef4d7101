#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "model/ProjectData.h"
#include "output/HeaderLines.h"
#include "output/OutputDevice.h"
#include "output/PageComposer.h"
#include "output/PrintSettings.h"

namespace tavo {

// What the document build prints besides the project.
struct ListingFrame {
    const PrintSettings& settings;
    // The banner lines of the page header (loadBanner), Windows-1252 with tabs.
    const HeaderLines& banner;
    // The footer's text after the program title (footerText), Windows-1252.
    std::string footer;
};

// How a build went. The warnings are for the user, in UTF-8, in the order they arose
// (the missing layer thickness, the column overflow).
struct ListingBuild {
    bool started = false;  // false: the composer could not start on the device
    bool listed = false;   // false: no body, since a layer row lacks its thickness
    std::vector<std::string> warnings;
};

// The footer text in Windows-1252: the document's path (given in UTF-8) if wanted,
// then the local date (dd.mm.yyyy) and time (hh:mm), each after one blank, as the
// settings choose. A date or time the system cannot give is left out.
std::string footerText(const PrintSettings& settings, const std::string& documentPath, std::time_t now);

// The document build on a device: starts the composer with the project's start
// page, sets the margins, creates the four output fonts, writes footer, header and
// the load listing, ends with a page break and finishes the document, ready for
// paginate() and renderPage().
ListingBuild buildListingDocument(PageComposer& composer, OutputDevice& device, const ProjectData& project,
                                  const ListingFrame& frame);

}  // namespace tavo
