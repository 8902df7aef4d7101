#include "ui/Document.h"

#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#include "file/NativeFile.h"
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

// An existing file that the user may not write is kept; the user names another.
bool isWriteProtected(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error) && !native::mayWrite(path);
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
    startNewProject();
    offerDemo();
    return true;
}

void Document::startNewProject() {
    project_.reset();
    setPath({});
    setModified(false);
    project_.skipDemoQuestion = shell_.loadSkipDemoQuestion(project_.skipDemoQuestion);
    projectReplaced();
}

void Document::offerDemo() {
    if (project_.skipDemoQuestion != 0 || !firstNewOfRun_) return;
    firstNewOfRun_ = false;
    if (!prompts_.askYesNo("Demobeispiel laden ?", false) || !readFile(demoPath())) return;
    // An untitled copy: saving asks for a name, and the shipped sample stays as it is.
    setPath({});
    setModified(false);
    projectReplaced();
}

bool Document::openDocument(const std::string& path) {
    if (!readFile(path)) return false;
    setPath(path);
    shell_.noteRecentFile(path);
    setModified(false);
    projectReplaced();
    return true;
}

bool Document::readFile(const std::string& path) {
    // Read aside: a file that fails half-way leaves the open project as it was.
    const auto read = std::make_unique<ProjectData>();
    std::int32_t version = 0;
    FileOutcome outcome;
    {
        BusyScope busy(shell_);
        outcome = loadProjectFile(path, *read, version);
    }
    if (!outcome.ok) {
        prompts_.warning(outcome.message);
        return false;
    }
    project_ = *read;
    fileVersion_ = version;
    return true;
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
    return openDocument(path);
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
