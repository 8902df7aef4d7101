#pragma once

#include <cstdint>
#include <string>

#include "model/ProjectData.h"
#include "model/UserPrompts.h"

namespace tavo {

// What the document asks of the view that edits its project.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    // Stores and checks the active page's pending entries; false when a page
    // refused a value (it has told the user why).
    virtual bool commit() = 0;
    // The project was replaced or reset: the pages fill themselves again.
    virtual void documentReplaced() = 0;
};

// What the document needs from the program around it.
class DocumentShell {
public:
    virtual ~DocumentShell() = default;
    // The stored "do not offer the sample project" setting, current when none is stored.
    virtual int loadSkipDemoQuestion(int current) = 0;
    virtual void saveSkipDemoQuestion(int value) = 0;
    virtual void noteRecentFile(const std::string& path) = 0;
    // The path to save under, starting from proposed; empty when the user cancelled.
    virtual std::string chooseSavePath(const std::string& proposed) = 0;
    virtual void setBusy(bool busy) = 0;
    // The path or the modified flag changed (the window title shows both).
    virtual void documentStateChanged() = 0;
};

// Whether each editing page has filled itself from the project since the last
// New or Open; 0 makes a page build itself anew when it is next shown.
struct PageFillStates {
    int components = 0;
    int permanentLoads = 0;
    int imposedLoads = 0;
};

// The one document of a run: owns the project and takes it from new through
// edited to saved. The steps follow the order in which the user meets them:
// commit the pages, ask to save the old project, then replace or write it.
class Document {
public:
    // The sample project ships with the program in programDir.
    Document(UserPrompts& prompts, DocumentShell& shell, std::string programDir);
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // None until the main window exists.
    void setView(DocumentView* view) { view_ = view; }

    ProjectData& project() { return project_; }
    const ProjectData& project() const { return project_; }
    const std::string& path() const { return path_; }
    // The file name, or the document name of a project never saved.
    std::string title() const;
    bool isModified() const { return modified_; }
    std::int32_t fileVersion() const { return fileVersion_; }
    bool isFirstNewOfRun() const { return firstNewOfRun_; }
    // Set only while the pages are committed for closing: no message may show then.
    bool closingCommit() const { return closingCommit_; }
    PageFillStates& pageFillStates() { return pageFillStates_; }
    std::string demoPath() const;

    // Every change of the project by a page, grid or dialog ends here.
    void markModified();
    bool commitActiveView();

    // The document steps: reset and offer the sample once per run; read a file;
    // write a file. Each reports its own failures.
    bool newDocument();
    bool openDocument(const std::string& path);
    bool saveDocument(const std::string& path);

    // The commands. Each commits the pages first and asks before a modified
    // project is dropped; false when it did not happen.
    bool fileNew();
    // Opening the file that is already open changes nothing.
    bool openFile(const std::string& path);
    bool fileSave();
    bool fileSaveAs();
    // Before the main window closes: the pages' entries silently, then the question.
    bool canClose();
    // Asks whether to save a modified project; false when the user cancelled or the save failed.
    bool saveModified();
    // The sample project is no longer offered at start.
    void stopOfferingDemo();

private:
    enum class ReadOutcome { Read, NotOpened, Unreadable };
    ReadOutcome open(const std::string& path);
    ReadOutcome readFile(const std::string& path);
    bool saveAs(std::string path);
    void setPath(const std::string& path);
    void setModified(bool modified);
    void projectReplaced();

    UserPrompts& prompts_;
    DocumentShell& shell_;
    DocumentView* view_ = nullptr;
    std::string programDir_;
    ProjectData project_;
    std::string path_;
    bool modified_ = false;
    std::int32_t fileVersion_ = 0;
    bool firstNewOfRun_ = true;
    bool closingCommit_ = false;
    PageFillStates pageFillStates_;
};

}  // namespace tavo
