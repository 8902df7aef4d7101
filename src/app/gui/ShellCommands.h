#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <filesystem>
#include <memory>
#include <optional>

#include "app/AutoUpdate.h"

class QWidget;

namespace tavo {

class CPembView;
class DialogRunner;
class HelpWindow;
class IniProfile;

// Where the program and the maker's programs it starts lie.
struct ShellPlaces {
    QString programFile;    // the running program; the help file is named after it
    QString updater;
    QString remoteSupport;
    QString documentsDir;   // the updater downloads installers below it
};
ShellPlaces installedShellPlaces();
UpdatePlaces updatePlaces(const ShellPlaces& places, const std::filesystem::path& settingsFile);

// The start-up update check; true when it has started an installer and the
// program must end.
bool checkForUpdateAtStartup(const std::filesystem::path& settingsFile);

// The commands of the menu "?": help (also F1 in every page and dialog), the
// about box, the update check and remote support.
class ShellCommands : public QObject {
    Q_OBJECT

public:
    ShellCommands(IniProfile& profile, CPembView& view, QWidget* window);
    ~ShellCommands() override;

    void setDialogRunner(std::unique_ptr<DialogRunner> runner);
    void setPlaces(const ShellPlaces& places);

    // "&Hilfe": the default topic.
    void help();
    // "&Inhalt": the default topic with the table of contents.
    void helpContents();
    // F1: the topic of the page shown, or the default topic in a dialog.
    void contextHelp(int context, QWidget* modalDialog);
    void about();
    void autoUpdateSettings();
    void remoteSupport();
    // Tested the first time it is asked for, then kept.
    bool remoteSupportAvailable();

    // The help window once it has been opened.
    HelpWindow* helpWindow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool showTopic(int context, QWidget* modalDialog);

    IniProfile& profile_;
    CPembView& view_;
    QWidget* window_;
    std::unique_ptr<DialogRunner> dialogs_;
    ShellPlaces places_;
    QPointer<HelpWindow> helpWindow_;
    QString helpFile_;
    std::optional<bool> remoteSupportFound_;
};

}  // namespace tavo
