#pragma once

#include <QObject>
#include <QString>

#include <memory>

#include "ui/Document.h"
#include "ui/widgets/MessageSink.h"

class QWidget;

namespace tavo {

class IniProfile;
class RecentFileList;

// The file dialogs the document's commands open; tests put their own in.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Empty when the user cancelled.
    virtual QString chooseOpenPath(QWidget* parent, const QString& directory) = 0;
    virtual QString chooseSavePath(QWidget* parent, const QString& proposed) = 0;
};

// The document as the window sees it: the project document with the program's
// message boxes, file dialogs, wait cursor and settings around it.
class CPembDoc : public QObject, private DocumentShell {
    Q_OBJECT

public:
    CPembDoc(IniProfile& profile, RecentFileList& recentFiles, const QString& programDir);
    ~CPembDoc() override;

    Document& document() { return document_; }
    void setDialogParent(QWidget* parent) { dialogParent_ = parent; }
    void setFileDialogs(std::unique_ptr<FileDialogs> dialogs) { dialogs_ = std::move(dialogs); }

    // The commands that need a file dialog.
    void fileOpen();
    void openRecentFile(const QString& path);

    // The document's name for the window title.
    QString title() const;

Q_SIGNALS:
    void stateChanged();

private:
    int loadSkipDemoQuestion(int current) override;
    void saveSkipDemoQuestion(int value) override;
    void noteRecentFile(const std::string& path) override;
    std::string chooseSavePath(const std::string& proposed) override;
    void setBusy(bool busy) override;
    void documentStateChanged() override;

    IniProfile& profile_;
    RecentFileList& recentFiles_;
    MessageSinkPrompts prompts_;
    Document document_;
    QWidget* dialogParent_ = nullptr;
    std::unique_ptr<FileDialogs> dialogs_;
};

}  // namespace tavo
