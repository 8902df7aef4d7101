#pragma once

#include <string>

#include "model/ProjectData.h"
#include "output/OutputFonts.h"
#include "output/PageComposer.h"

namespace tavo {

struct LoadListingResult {
    bool listed = true;  // false: nothing written, since a layer row lacks its thickness
    std::string warning;  // why not, for the user in UTF-8
};

// Writes the listing body: per component a centred heading, per element its name
// line, the table of its permanent loads ("Bauteilschichten") and the table of its
// imposed loads ("Nutzlasten"), each closed by a rule and a line of sums. A
// component heading, the first element and its permanent table are kept together
// on one page, as is every later element with its permanent table and every
// imposed table. The fonts are the slots of createOutputFonts(). A project
// without any row writes nothing and counts as listed.
LoadListingResult writeLoadListing(PageComposer& composer, const ProjectData& project, const OutputFonts& fonts);

}  // namespace tavo
