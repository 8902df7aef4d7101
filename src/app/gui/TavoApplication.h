#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <memory>

#include "file/IniProfile.h"
#include "app/gui/RecentFileList.h"
#include "output/PrintSettings.h"

class QApplication;

namespace tavo {

class CPembDoc;
class CPembFrame;
class Printout;

// Makes the Qt application fit the program: C number formatting, Qt's own
// German texts, the program's names.
void prepareQtApplication(QApplication& application);

// The program's start and end: settings, the one document and its window.
class CPembApp {
public:
    CPembApp(std::filesystem::path settingsFile, QString programDir);
    ~CPembApp();
    CPembApp(const CPembApp&) = delete;
    CPembApp& operator=(const CPembApp&) = delete;

    // Loads the settings, creates document and window, and opens the file
    // named on the command line or starts a new project. False when the
    // program is to end at once: the file could not be read (the user has been
    // told), or the update check started an installer.
    bool start(const QStringList& arguments);
    // Stores what the settings keep from a run.
    void exit();

    CPembDoc& doc() { return *doc_; }
    CPembFrame& frame() { return *frame_; }
    // Page set-up, the font commands and the header and footer dialog change them.
    PrintSettings& printSettings() { return printSettings_; }

private:
    IniProfile profile_;
    QString programDir_;
    PrintSettings printSettings_;
    RecentFileList recentFiles_;
    std::unique_ptr<CPembDoc> doc_;
    std::unique_ptr<Printout> printout_;
    std::unique_ptr<CPembFrame> frame_;
};

}  // namespace tavo
