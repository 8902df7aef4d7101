#include "app/gui/PembDoc.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/ProgramSettings.h"
#include "app/gui/RecentFileList.h"

namespace tavo {
namespace {

const QString kFileFilter = QStringLiteral("TAVO-Datei (*.tavo);;Alle Dateien (*)");

class SystemFileDialogs : public FileDialogs {
public:
    QString chooseOpenPath(QWidget* parent, const QString& directory) override {
        return QFileDialog::getOpenFileName(parent, QStringLiteral("Öffnen"), directory, kFileFilter);
    }

    QString chooseSavePath(QWidget* parent, const QString& proposed) override {
        QFileDialog dialog(parent, QStringLiteral("Speichern unter"), proposed, kFileFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("tavo"));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }
};

}  // namespace

CPembDoc::CPembDoc(IniProfile& profile, RecentFileList& recentFiles, const QString& programDir)
    : profile_(profile),
      recentFiles_(recentFiles),
      document_(prompts_, *this, programDir.toStdString()),
      dialogs_(std::make_unique<SystemFileDialogs>()) {
    // While the pages are committed for closing, the user has decided to leave:
    // a refused value must not hold the window with a message.
    MessageSink::setQuietWhen([this] { return document_.closingCommit(); });
}

CPembDoc::~CPembDoc() { MessageSink::setQuietWhen({}); }

void CPembDoc::fileOpen() {
    if (!document_.commitActiveView()) return;
    const QString directory = document_.path().empty() ? QString() : QFileInfo(QString::fromStdString(document_.path())).absolutePath();
    const QString path = dialogs_->chooseOpenPath(dialogParent_, directory);
    if (!path.isEmpty()) document_.openFile(path.toStdString());
}

void CPembDoc::openRecentFile(const QString& path) {
    if (!document_.commitActiveView()) return;
    if (!document_.openFile(path.toStdString()) && !QFileInfo::exists(path)) recentFiles_.remove(path.toStdString());
}

QString CPembDoc::title() const { return QString::fromStdString(document_.title()); }

int CPembDoc::loadSkipDemoQuestion(int current) { return tavo::loadSkipDemoQuestion(profile_, current); }

void CPembDoc::saveSkipDemoQuestion(int value) { tavo::saveSkipDemoQuestion(profile_, value); }

void CPembDoc::noteRecentFile(const std::string& path) { recentFiles_.add(path); }

std::string CPembDoc::chooseSavePath(const std::string& proposed) {
    // A project without a file is proposed in the user's documents, never in the program's folder.
    QString path = QString::fromStdString(proposed);
    if (QFileInfo(path).isRelative()) path = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(path);
    return dialogs_->chooseSavePath(dialogParent_, path).toStdString();
}

void CPembDoc::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void CPembDoc::documentStateChanged() { Q_EMIT stateChanged(); }

}  // namespace tavo
