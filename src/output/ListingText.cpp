#include "output/ListingText.h"

#include "output/TextDevice.h"

namespace tavo {

TextListing listingAsText(const ProjectData& project, const ListingFrame& frame) {
    TextDevice device(kTextCharsPerInch, kTextLinesPerInch);
    PageComposer composer;
    TextListing listing{buildListingDocument(composer, device, project, frame), {}};
    if (!listing.build.started) return listing;
    composer.paginate();
    for (int page = composer.startPage(); page < composer.finalPageNumber(); ++page) {
        device.clearPage();
        composer.renderPage(page, device);
        listing.pages.push_back(device.pageText());
    }
    return listing;
}

}  // namespace tavo
