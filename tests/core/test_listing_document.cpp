#include "output/FixedMetricsDevice.h"
#include "output/ListingDocument.h"
#include "output/ListingText.h"
#include "output/PageComposer.h"
#include "support/SampleProjects.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace tavo {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

std::string joinPages(const std::vector<std::string>& pages) {
    std::string text;
    for (const std::string& page : pages) text += (text.empty() ? "" : "\f") + page;
    return text;
}

// Whole listings in their text form, compared with the files in tests/data/golden.
// After a deliberate change of the layout, run the tests once with the environment
// variable TAVO_UPDATE_GOLDEN=1: they then write the files anew instead of
// comparing, and the diff of the files shows what changed on paper.
void expectGolden(const ProjectData& project, const std::string& name) {
    const PrintSettings settings;
    const HeaderLines banner = HeaderLines::makersBanner();
    const ListingFrame frame{settings, banner, "/home/planer/Projekte/B\xFCrohaus.tavo 01.02.2024"};
    const TextListing listing = listingAsText(project, frame);
    ASSERT_TRUE(listing.build.listed);
    const std::string text = joinPages(listing.pages);

    const std::string path = std::string(TAVO_TEST_DATA_DIR) + "/golden/" + name;
    const char* update = std::getenv("TAVO_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << path << " is missing; TAVO_UPDATE_GOLDEN=1 writes it";
    std::ostringstream expected;
    expected << file.rdbuf();
    EXPECT_EQ(text, expected.str()) << "listing differs from " << path;
}

TEST(GoldenListing, SmallProject) {
    expectGolden(test::makeSmallProject(), "small_project.txt");
}

TEST(GoldenListing, MaximalProject) {
    const auto project = std::make_unique<ProjectData>(test::makeMaximalProject());
    expectGolden(*project, "maximal_project.txt");
}

// --- Footer text --------------------------------------------------------------------------

TEST(FooterText, PathDateAndTimeAsChosenEachAfterOneBlank) {
    std::tm time{59, 5, 9, 1, 1, 124, 0, 0, -1, 0, nullptr};  // 1 February 2024, 09:05:59 local time
    const std::time_t now = std::mktime(&time);
    PrintSettings settings;
    settings.showTime = true;
    EXPECT_EQ(footerText(settings, "/home/planer/B\xC3\xBCro.tavo", now), "/home/planer/B\xFCro.tavo 01.02.2024 09:05");

    // A new project has no path yet.
    EXPECT_EQ(footerText(PrintSettings{}, "", now), " 01.02.2024");
}

// --- The build ----------------------------------------------------------------------------

class ListingDocumentTest : public ::testing::Test {
protected:
    ListingDocumentTest() {
        project.componentCount = 1;
        project.componentNames[0] = "Decke";
        project.elementCount[0] = 1;
        project.elementNames[0][0] = "Feld";
        project.startPage = 3;
    }

    ListingBuild build(OutputDevice& device) {
        return buildListingDocument(composer, device, project, ListingFrame{settings, banner, "x.tavo"});
    }

    std::vector<std::string> textsOnPage(int page) const {
        FixedMetricsDevice out;
        composer.renderPage(page, out);
        std::vector<std::string> texts;
        for (const auto& text : out.texts()) texts.push_back(text.text);
        return texts;
    }

    void addPermanent(const PermanentRow& row) {
        project.permanentRow(0, 0, project.permRowCount[0][0]++) = row;
    }

    std::unique_ptr<ProjectData> owner = std::make_unique<ProjectData>();
    ProjectData& project = *owner;
    PrintSettings settings;
    HeaderLines banner = HeaderLines::makersBanner();
    PageComposer composer;
};

TEST_F(ListingDocumentTest, BuildsOnTheSettingsMarginsFromTheStartPageAndReportsColumnOverflow) {
    addPermanent({"Estrich", "", "", "1.20", "", "", "", PermanentUnit::AreaLoad});
    // An imposed row without any value still has a number column, beyond the margin.
    project.imposedRowCount[0][0] = 1;
    project.imposedRow(0, 0, 0) = {"Ohne Wert", "", "", "", "", ImposedUnit::LineLoad};
    settings.margins = {25, 15, 5, 20};
    FixedMetricsDevice device;
    const ListingBuild result = build(device);
    EXPECT_TRUE(result.started);
    EXPECT_TRUE(result.listed);
    EXPECT_EQ(composer.printableRect(), (Rect{250, 150, 2050, 2770}));
    // 121 beyond a printable width of 1800.
    EXPECT_THAT(result.warnings, ElementsAre("Druckbarer Bereich um 6.7 % zu schmal!"));

    EXPECT_EQ(composer.paginate(), 2);
    EXPECT_EQ(composer.startPage(), 3);
    EXPECT_THAT(textsOnPage(3), Contains("Estrich"));
    // The trailing page break leaves a page with header and footer alone.
    EXPECT_THAT(textsOnPage(4), AllOf(Contains("KOVA - Bauwaage   "), Not(Contains("Estrich"))));
}

TEST_F(ListingDocumentTest, ADeviceWithoutResolutionStartsNothing) {
    FixedMetricsDevice::Config config;
    config.pixelsPerInch = 0;
    FixedMetricsDevice device(config);
    const ListingBuild result = build(device);
    EXPECT_FALSE(result.started || result.listed);
    EXPECT_THAT(result.warnings, IsEmpty());
}

TEST_F(ListingDocumentTest, MissingThicknessGivesPagesWithHeaderAndFooterOnly) {
    addPermanent({"Beton", "25.00", "", "", "", "", "", PermanentUnit::Layer});
    const TextListing listing = listingAsText(project, ListingFrame{settings, banner, "x.tavo"});
    EXPECT_TRUE(listing.build.started);
    EXPECT_FALSE(listing.build.listed);
    EXPECT_THAT(listing.build.warnings,
                ElementsAre("Bitte noch fehlende Schichtdicke(n) bei Element Feld erg\xC3\xA4nzen!"));
    ASSERT_EQ(listing.pages.size(), 1u);
    EXPECT_THAT(listing.pages[0], AllOf(HasSubstr("KOVA Software"), HasSubstr("Seite:    3"), Not(HasSubstr("Feld"))));
}

TEST_F(ListingDocumentTest, APageWithNoRoomLeftForTheListingIsRefused) {
    addPermanent({"Estrich", "", "", "1.20", "", "", "", PermanentUnit::AreaLoad});
    settings.margins = {20, 90, 10, 90};
    settings.font2.height = -72;
    banner.clear();
    for (int i = 0; i < 10; ++i) banner.add("Zeile#mit#Text");
    FixedMetricsDevice device;
    const ListingBuild result = build(device);
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.listed);
    EXPECT_THAT(result.warnings, ElementsAre(HasSubstr("kein Platz f\xC3\xBCr die Bauwaage")));
}

}  // namespace
}  // namespace tavo
