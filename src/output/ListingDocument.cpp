#include "output/ListingDocument.h"

#include <ctime>
#include <optional>
#include <utility>

#include "model/Windows1252.h"
#include "output/LoadListing.h"
#include "output/OutputFonts.h"
#include "output/PageFrames.h"

namespace tavo {
namespace {

constexpr const char* kProgramTitle = "Bauwaage";
constexpr int kBlankLinesAboveFooter = 1;

std::optional<std::tm> localTime(std::time_t time) {
    std::tm local{};
#ifdef _WIN32
    if (localtime_s(&local, &time) != 0) return std::nullopt;
#else
    if (localtime_r(&time, &local) == nullptr) return std::nullopt;
#endif
    return local;
}

// Empty when the time cannot be formatted.
std::string formatTime(const std::optional<std::tm>& time, const char* format) {
    char text[32];
    if (!time || std::strftime(text, sizeof text, format, &*time) == 0) return {};
    return text;
}

void appendPart(std::string& footer, const std::string& part) {
    if (!part.empty()) footer += ' ' + part;
}

constexpr const char* kNoRoomForListing =
    "Auf der Seite bleibt kein Platz für die Bauwaage: Seitenränder, Kopf- und Fußzeilen füllen sie ganz. "
    "Bitte die Ränder verkleinern oder weniger Kopfzeilen angeben.";

// The paper's width and height in millimetres; 0 for a device without paper.
std::pair<int, int> paperSizeMm(const DeviceGeometry& g) {
    if (g.printableWidth <= 0 || g.printableHeight <= 0) return {0, 0};
    return {static_cast<int>(static_cast<long long>(g.paperWidth) * g.printableWidthMm / g.printableWidth),
            static_cast<int>(static_cast<long long>(g.paperHeight) * g.printableHeightMm / g.printableHeight)};
}


}  // namespace

std::string footerText(const PrintSettings& settings, const std::string& documentPath, std::time_t now) {
    std::string footer = settings.showFileName ? utf8ToWindows1252(documentPath) : std::string();
    const std::optional<std::tm> local = localTime(now);
    if (settings.showDate) appendPart(footer, formatTime(local, "%d.%m.%Y"));
    if (settings.showTime) appendPart(footer, formatTime(local, "%H:%M"));
    return footer;
}

ListingBuild buildListingDocument(PageComposer& composer, OutputDevice& device, const ProjectData& project,
                                  const ListingFrame& frame) {
    ListingBuild build;
    if (!composer.beginDocument(project.startPage, device)) return build;
    build.started = true;
    const PrintSettings::Margins margins = usableMargins(frame.settings.margins, paperSizeMm(device.geometry()));
    composer.setMargins(margins.left, margins.top, margins.right, margins.bottom);
    const OutputFonts fonts = createOutputFonts(composer, frame.settings.font1, frame.settings.font2);

    writeFooter(composer, fonts, frame.settings.pageNumbering, kBlankLinesAboveFooter, kProgramTitle, frame.footer);
    writeHeader(composer, fonts, frame.banner, project.titleLines);
    if (composer.printableHeight() <= composer.frameHeight(FrameKind::Header) + composer.frameHeight(FrameKind::Footer)) {
        // Every page would hold its frames and nothing of the listing.
        build.warnings.push_back(kNoRoomForListing);
        composer.finishDocument();
        return build;
    }
    const LoadListingResult body = writeLoadListing(composer, project, fonts);
    build.listed = body.listed;
    if (!body.listed) build.warnings.push_back(body.warning);
    if (const std::optional<double> overflow = composer.overflowPercent()) {
        build.warnings.push_back(overflowWarningText(*overflow));
    }

    composer.pageBreak();
    composer.finishDocument();
    return build;
}

}  // namespace tavo
