#include "ui/Document.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "file/BinFile.h"
#include "file/ProjectFile.h"
#include "file/ShippedFiles.h"
#include "model/Numbers.h"

namespace tavo {
namespace {

// The document name of a project that has no file yet.
constexpr const char* kUntitledName = "Tavo";
constexpr const char* kProjectExtension = ".tavo";
constexpr const char* kDemoFileName = "demo.tavo";

// Removes the wait cursor on every way out of a read or write.
class BusyScope {
public:
    explicit BusyScope(DocumentShell& shell) : shell_(shell) { shell_.setBusy(true); }
    ~BusyScope() { shell_.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    DocumentShell& shell_;
};

bool isSameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

// An existing file that the owner may not write is kept; the user names another.
bool isWriteProtected(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) return false;
    return (status.permissions() & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
}

}  // namespace

Document::Document(UserPrompts& prompts, DocumentShell& shell, std::string programDir)
    : prompts_(prompts), shell_(shell), programDir_(std::move(programDir)) {}

std::string Document::title() const {
    if (path_.empty()) return kUntitledName;
    return std::filesystem::path(path_).filename().string();
}

std::string Document::demoPath() const { return findShippedFile(programDir_, kDemoFileName).string(); }

void Document::markModified() { setModified(true); }

bool Document::commitActiveView() { return view_ == nullptr || view_->commit(); }

bool Document::newDocument() {
    project_.reset();
    setPath({});
    setModified(false);
    project_.skipDemoQuestion = shell_.loadSkipDemoQuestion(project_.skipDemoQuestion);
    projectReplaced();
    if (project_.skipDemoQuestion != 0 || !firstNewOfRun_) return true;
    if (prompts_.askYesNo("Demobeispiel laden ?", false)) openDocument(demoPath());
    firstNewOfRun_ = false;
    return true;
}

bool Document::openDocument(const std::string& path) { return open(path) == ReadOutcome::Read; }

Document::ReadOutcome Document::open(const std::string& path) {
    const ReadOutcome outcome = readFile(path);
    if (outcome == ReadOutcome::Read) {
        setPath(path);
        shell_.noteRecentFile(path);
    } else if (outcome == ReadOutcome::Unreadable) {
        // The half-read project is gone; the file's name must not stay with the
        // empty one, or the next save would overwrite the file that failed.
        setPath({});
    }
    if (outcome != ReadOutcome::NotOpened) projectReplaced();
    setModified(false);
    return outcome;
}

Document::ReadOutcome Document::readFile(const std::string& path) {
    BinFile file(path, "rb", true);
    if (!file.isOpen()) {
        prompts_.warning(openErrorMessage(path, file.openError));
        return ReadOutcome::NotOpened;
    }
    project_.reset();
    BusyScope busy(shell_);
    try {
        fileVersion_ = readProject(file, project_);
    } catch (const BinFileBase::Error& error) {
        project_.reset();
        prompts_.warning(fileErrorMessage(FileOperation::Read, path, error));
        return ReadOutcome::Unreadable;
    }
    return ReadOutcome::Read;
}

bool Document::saveDocument(const std::string& path) {
    if (!commitActiveView()) return false;
    FileOutcome outcome;
    {
        BusyScope busy(shell_);
        outcome = saveProjectFile(path, project_);
    }
    if (!outcome.ok) {
        prompts_.warning(outcome.message);
        return false;
    }
    setModified(false);
    return true;
}

bool Document::fileNew() {
    if (!commitActiveView() || !saveModified()) return false;
    return newDocument();
}

bool Document::openFile(const std::string& path) {
    if (isSameFile(path, path_)) return true;
    if (!saveModified()) return false;
    const bool wasModified = modified_;
    const ReadOutcome outcome = open(path);
    // A file that could not be opened left the project as it was, modified or not;
    // one that could not be read left a new, unmodified project.
    if (outcome == ReadOutcome::NotOpened) setModified(wasModified);
    return outcome == ReadOutcome::Read;
}

bool Document::fileSave() {
    if (!commitActiveView()) return false;
    return saveAs(isWriteProtected(path_) ? std::string() : path_);
}

bool Document::fileSaveAs() {
    if (!commitActiveView()) return false;
    return saveAs({});
}

bool Document::saveAs(std::string path) {
    if (path.empty()) {
        path = shell_.chooseSavePath(path_.empty() ? title() + kProjectExtension : path_);
        if (path.empty()) return false;
    }
    if (!saveDocument(path)) return false;
    setPath(path);
    shell_.noteRecentFile(path);
    return true;
}

bool Document::canClose() {
    closingCommit_ = true;
    commitActiveView();
    closingCommit_ = false;
    return saveModified();
}

bool Document::saveModified() {
    if (!modified_) return true;
    const std::string question = formatString("Änderungen in %s speichern?", title().c_str());
    switch (prompts_.askYesNoCancel(question, Answer::Yes)) {
        case Answer::Yes:
            return fileSave();
        case Answer::No:
            return true;
        case Answer::Cancel:
            break;
    }
    return false;
}

void Document::stopOfferingDemo() {
    project_.skipDemoQuestion = 1;
    shell_.saveSkipDemoQuestion(project_.skipDemoQuestion);
    prompts_.information("Das Demoprojekt kann nun nur mehr über das\nÖffnen-Menü geladen werden.");
}

void Document::setPath(const std::string& path) {
    if (path_ == path) return;
    path_ = path;
    shell_.documentStateChanged();
}

void Document::setModified(bool modified) {
    if (modified_ == modified) return;
    modified_ = modified;
    shell_.documentStateChanged();
}

void Document::projectReplaced() {
    pageFillStates_ = {};
    if (view_ != nullptr) view_->documentReplaced();
}

}  // namespace tavo
