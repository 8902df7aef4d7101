#pragma once

#include <QStringList>

#include <memory>
#include <optional>
#include <string>

#include "file/ProjectFile.h"
#include "output/HeaderLines.h"
#include "output/ListingDocument.h"
#include "output/PrintSettings.h"

namespace tavo {

// What the commands that lay out the listing share: the option "--settings FILE"
// and the print settings and banner the listing is framed with.

// The operands with "--settings FILE" taken out; none when the option lacks its
// file or is given twice.
struct ListingOperands {
    QStringList files;
    std::optional<std::string> settingsPath;  // as the C run-time expects it
};
std::optional<ListingOperands> takeSettingsOption(const QStringList& operands);

struct ListingSetup {
    std::unique_ptr<ProjectData> project = std::make_unique<ProjectData>();
    PrintSettings settings;
    HeaderLines banner;

    // The frame of the listing, its footer naming documentPath (UTF-8) and the time now.
    ListingFrame frame(const std::string& documentPath) const;
};

// The project, the print settings of the named settings file, which must be
// readable, or of "Tavo.ini" at its usual place, and the banner of the header-lines
// file beside the program.
FileOutcome loadListingSetup(const std::string& projectPath, const std::optional<std::string>& settingsPath,
                             ListingSetup& setup);

}  // namespace tavo
