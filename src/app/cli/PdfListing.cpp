#include "app/cli/PdfListing.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <filesystem>
#include <string_view>

#include "app/cli/ListingInputs.h"

namespace tavo {
namespace {

PdfExport failed(std::string message) { return {false, true, {std::move(message)}}; }

std::string fileName(const QString& argument) { return QFile::encodeName(argument).toStdString(); }

}  // namespace

std::optional<PdfListingRequest> parsePdfListingRequest(const QStringList& operands) {
    const std::optional<ListingOperands> split = takeSettingsOption(operands);
    if (!split || split->files.size() != 2) return std::nullopt;
    const QString& project = split->files[0];
    return PdfListingRequest{fileName(project), project.toStdString(), fileName(split->files[1]), split->settingsPath};
}

PdfExport writePdfListing(const PdfListingRequest& request) {
    ListingSetup setup;
    if (const FileOutcome read = loadListingSetup(request.projectPath, request.settingsPath, setup); !read.ok) {
        return failed(read.message);
    }
    const std::string documentName = std::filesystem::path(request.documentPath).stem().string();
    return exportPdf(*setup.project, setup.frame(request.documentPath), documentName, request.pdfPath);
}

std::unique_ptr<QCoreApplication> makeCliApplication(int argc, char* argv[]) {
    // Qt is shown the program's name alone: "-platform" and its kin among the
    // operands are the user's words, not options for Qt.
    static int qtArgumentCount = 1;
    if (argc < 2 || std::string_view(argv[1]) != "pdf") return std::make_unique<QCoreApplication>(qtArgumentCount, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(qtArgumentCount, argv);
}

}  // namespace tavo
