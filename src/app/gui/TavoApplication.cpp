#include "app/gui/TavoApplication.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <clocale>
#include <utility>

#include "app/ProgramSettings.h"
#include "app/gui/MainWindow.h"
#include "app/gui/PembDoc.h"
#include "app/gui/Printout.h"
#include "app/gui/ShellCommands.h"

namespace tavo {

void prepareQtApplication(QApplication& application) {
    // QApplication has set every locale category from the environment; the
    // project's number texts are written and read with printf and strtod, which
    // must keep the point as decimal separator whatever the user's language.
    std::setlocale(LC_NUMERIC, "C");

    QApplication::setApplicationName(QStringLiteral("Tavo"));
    QApplication::setOrganizationName(QStringLiteral("Kova-Software"));

    // "Ja", "Nein", "Abbrechen" and the file dialogs' texts are Qt's own.
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

CPembApp::CPembApp(std::filesystem::path settingsFile, QString programDir)
    : profile_(std::move(settingsFile)), programDir_(std::move(programDir)) {}

CPembApp::~CPembApp() = default;

bool CPembApp::start(const QStringList& arguments) {
    printSettings_ = loadPrintSettings(profile_);
    recentFiles_ = RecentFileList(loadRecentFiles(profile_));
    if (checkForUpdateAtStartup(profile_.path())) return false;

    doc_ = std::make_unique<CPembDoc>(profile_, recentFiles_, programDir_);
    printout_ = std::make_unique<Printout>(doc_->document(), printSettings_, programDir_.toStdU16String());
    frame_ = std::make_unique<CPembFrame>(*doc_, recentFiles_, *printout_, printSettings_, profile_);

    // The footer and the recent files show where the project lies, wherever the program was started.
    const QString file = arguments.value(1).isEmpty() ? QString() : QFileInfo(arguments.value(1)).absoluteFilePath();
    if (!file.isEmpty()) {
        if (!doc_->document().openFile(file.toStdString())) return false;
    } else {
        doc_->document().newDocument();
    }
    frame_->show();
    return true;
}

void CPembApp::exit() {
    savePrintSettings(profile_, printSettings_);
    saveRecentFiles(profile_, recentFiles_.paths());
}

}  // namespace tavo
