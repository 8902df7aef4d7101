#pragma once

#include <string>
#include <vector>

#include "output/ListingDocument.h"

namespace tavo {

// The listing as a line printer prints it, for the command line and for comparing
// whole listings. The printer's compressed font, 17 characters and 8 lines an inch,
// is used: at the usual 20 mm and 10 mm side margins its 121 characters a line
// leave the six number columns of a permanent table (12 characters each) a name
// column of 49, where the ordinary 10 an inch would leave none.
inline constexpr int kTextCharsPerInch = 17;
inline constexpr int kTextLinesPerInch = 8;

struct TextListing {
    ListingBuild build;
    // UTF-8, from the start page to the last that holds anything: the page break
    // that ends every document leaves an empty page after it, which is not printed.
    std::vector<std::string> pages;
};

TextListing listingAsText(const ProjectData& project, const ListingFrame& frame);

}  // namespace tavo
