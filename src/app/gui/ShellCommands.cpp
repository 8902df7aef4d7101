#include "app/gui/ShellCommands.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>

#include <chrono>
#include <utility>

#include "app/HelpTopics.h"
#include "file/IniProfile.h"
#include "app/gui/AboutDialog.h"
#include "app/gui/AutoUpdateDialog.h"
#include "app/gui/DialogRunner.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/ProcessUpdateSystem.h"
#include "file/BinFile.h"
#include "ui/widgets/MessageSink.h"
#include "ui/widgets/Messages.h"
#include "ui/widgets/PembView.h"

namespace tavo {

namespace {

std::filesystem::path toPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

ShellPlaces installedShellPlaces() {
    return {QCoreApplication::applicationFilePath(), QString::fromUtf8(kUpdaterPath), QString::fromUtf8(kRemoteSupportPath),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)};
}

UpdatePlaces updatePlaces(const ShellPlaces& places, const std::filesystem::path& settingsFile) {
    const FileVersion version = programFileVersion();
    return {toPath(places.programFile),
            version,
            settingsFile,
            toPath(places.updater),
            downloadedInstallerPath(toPath(places.documentsDir), version, kUpdateApplicationName),
            static_cast<unsigned long>(QCoreApplication::applicationPid())};
}

bool checkForUpdateAtStartup(const std::filesystem::path& settingsFile) {
    ProcessUpdateSystem system;
    MessageSinkPrompts prompts;
    AutoUpdate update(updatePlaces(installedShellPlaces(), settingsFile), system, prompts);
    return update.checkAtStartup(std::chrono::system_clock::now());
}

ShellCommands::ShellCommands(IniProfile& profile, CPembView& view, QWidget* window)
    : QObject(window), profile_(profile), view_(view), window_(window), dialogs_(std::make_unique<DialogRunner>()),
      places_(installedShellPlaces()) {
    qApp->installEventFilter(this);
}

ShellCommands::~ShellCommands() {
    qApp->removeEventFilter(this);
    delete helpWindow_;
}

HelpWindow* ShellCommands::helpWindow() const { return helpWindow_; }

void ShellCommands::setDialogRunner(std::unique_ptr<DialogRunner> runner) { dialogs_ = std::move(runner); }

void ShellCommands::setPlaces(const ShellPlaces& places) {
    places_ = places;
    remoteSupportFound_.reset();
}

void ShellCommands::help() {
    if (!showTopic(0, nullptr)) MsgWarning("chm-Datei wurde nicht gefunden!");
}

void ShellCommands::helpContents() {
    if (showTopic(0, nullptr)) helpWindow_->showContents();
    else MsgWarning("chm-Datei wurde nicht gefunden!");
}

void ShellCommands::contextHelp(int context, QWidget* modalDialog) {
    if (!showTopic(context, modalDialog)) MsgWarning("chm-Datei wurde nicht gefunden!");
}

bool ShellCommands::showTopic(int context, QWidget* modalDialog) {
    // Looked for at every call: a help file installed or removed meanwhile counts.
    const std::filesystem::path file = helpFilePath(toPath(places_.programFile));
    if (!std::filesystem::exists(file)) return false;
    const QString path = QFile::decodeName(file.c_str());
    if (helpWindow_ == nullptr || path != helpFile_) {
        delete helpWindow_;
        helpWindow_ = HelpWindow::open(path, window_);
        helpFile_ = path;
        if (helpWindow_ == nullptr) return false;
    }
    helpWindow_->showTopic(QString::fromUtf8(helpTopic(context)), modalDialog);
    return true;
}

bool ShellCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier || !watched->isWidgetType())
        return false;
    QWidget* modal = QApplication::activeModalWidget();
    const bool onMainWindow = modal == nullptr && static_cast<QWidget*>(watched)->window() == window_;
    // The help, or the message that it is missing, comes after the key press has
    // been handled: F1 may reach the filter while a menu is open.
    const int context = onMainWindow ? view_.GetActivePageId() : 0;
    QMetaObject::invokeMethod(this, [this, context, dialog = QPointer<QWidget>(modal)] { contextHelp(context, dialog); }, Qt::QueuedConnection);
    return true;
}

void ShellCommands::about() {
    AboutDialog dialog(window_);
    dialogs_->run(dialog);
}

void ShellCommands::autoUpdateSettings() {
    const std::string section = updateSettingsSection(kUpdateApplicationName);
    ProcessUpdateSystem system;
    MessageSinkPrompts prompts;
    AutoUpdate update(updatePlaces(places_, profile_.path()), system, prompts);
    Dlg_AutoUpdate dialog(profile_.getInt(section, kIntervalKey, kDefaultInterval), [&update] { update.checkNow(); }, window_);
    if (dialogs_->run(dialog)) profile_.writeInt(section, kIntervalKey, dialog.interval());
}

bool ShellCommands::remoteSupportAvailable() {
    if (!remoteSupportFound_) remoteSupportFound_ = QFileInfo::exists(places_.remoteSupport);
    return *remoteSupportFound_;
}

void ShellCommands::remoteSupport() {
    if (!QProcess::startDetached(places_.remoteSupport, {}))
        MsgWarning("%s", openErrorMessage(places_.remoteSupport.toStdString(), startFailure(places_.remoteSupport)).c_str());
}

}  // namespace tavo
