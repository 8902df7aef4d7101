#include "app/cli/TextListing.h"

#include <QFile>

#include "app/cli/ListingInputs.h"
#include "output/ListingText.h"

namespace tavo {
namespace {

constexpr char kPageSeparator = '\f';

TextListingOutput failed(std::string message) { return {false, {}, {std::move(message)}}; }

}  // namespace

std::optional<TextListingRequest> parseTextListingRequest(const QStringList& operands) {
    const std::optional<ListingOperands> split = takeSettingsOption(operands);
    if (!split || split->files.size() != 1) return std::nullopt;
    const QString& file = split->files[0];
    return TextListingRequest{QFile::encodeName(file).toStdString(), file.toStdString(), split->settingsPath};
}

TextListingOutput writeTextListing(const TextListingRequest& request) {
    ListingSetup setup;
    if (const FileOutcome read = loadListingSetup(request.projectPath, request.settingsPath, setup); !read.ok) {
        return failed(read.message);
    }
    const TextListing listing = listingAsText(*setup.project, setup.frame(request.footerPath));
    TextListingOutput output{listing.build.listed, {}, listing.build.warnings};
    if (!listing.build.listed) return output;
    for (std::size_t i = 0; i < listing.pages.size(); ++i) {
        if (i > 0) output.pages += kPageSeparator;
        output.pages += listing.pages[i];
    }
    return output;
}

}  // namespace tavo
