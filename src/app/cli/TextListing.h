#pragma once

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace tavo {

// What `tavo-cli text FILE.tavo [--settings FILE.ini]` is asked for.
struct TextListingRequest {
    std::string projectPath;                  // as the C run-time expects it
    std::string footerPath;                   // UTF-8, as given: the footer names the file so
    std::optional<std::string> settingsPath;  // none: "Tavo.ini" at its usual place
};

// None when the operands do not have that shape.
std::optional<TextListingRequest> parseTextListingRequest(const QStringList& operands);

// The listing with header and footer as a line printer prints it, page by page.
struct TextListingOutput {
    bool ok = false;
    std::string pages;                  // UTF-8, a form feed between two pages
    std::vector<std::string> messages;  // for the user, UTF-8: warnings, or why there are no pages
};

// Lays the project file's listing out with the print settings of the settings file
// and the banner of the header-lines file beside the program. A layer without
// thickness gives no pages.
TextListingOutput writeTextListing(const TextListingRequest& request);

}  // namespace tavo
