#include "app/cli/ListingInputs.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "file/IniProfile.h"
#include "app/SettingsLocation.h"
#include "file/TextFile.h"
#include "file/BinFile.h"

namespace tavo {
namespace fs = std::filesystem;

std::optional<ListingOperands> takeSettingsOption(const QStringList& operands) {
    ListingOperands result{operands, std::nullopt};
    QStringList& files = result.files;
    if (const qsizetype option = files.indexOf(QStringLiteral("--settings")); option >= 0) {
        if (option + 1 >= files.size()) return std::nullopt;
        result.settingsPath = QFile::encodeName(files.takeAt(option + 1)).toStdString();
        files.removeAt(option);
    }
    if (files.contains(QStringLiteral("--settings"))) return std::nullopt;
    return result;
}

ListingFrame ListingSetup::frame(const std::string& documentPath) const {
    return {settings, banner, footerText(settings, documentPath, std::time(nullptr))};
}

FileOutcome loadListingSetup(const std::string& projectPath, const std::optional<std::string>& settingsPath,
                             ListingSetup& setup) {
    const fs::path programDir = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    fs::path settingsFile;
    if (settingsPath) {
        // IniProfile reads a missing file as empty; a mistyped name must not pass for the defaults.
        std::string content;
        if (const std::error_code error = readTextFile(*settingsPath, content)) {
            return {false, openErrorMessage(*settingsPath, error.value())};
        }
        settingsFile = *settingsPath;
    } else {
        settingsFile = locateSettingsFile(currentSettingsEnvironment(programDir));
    }
    setup.settings = loadPrintSettings(IniProfile(settingsFile));
    setup.banner = loadBanner(headerLinesPath(programDir));
    std::int32_t version = 0;
    return loadProjectFile(projectPath, *setup.project, version);
}

}  // namespace tavo
