#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "file/ProjectFile.h"
#include "model/Document.h"
#include "support/FileSizeLimit.h"

using namespace tavo;
namespace fs = std::filesystem;

namespace {

class ScriptedPrompts : public UserPrompts {
public:
    void warning(const std::string& text) override { shown.push_back(text); }
    void information(const std::string& text) override { shown.push_back(text); }
    bool askYesNo(const std::string& text, bool) override { return next(text) == Answer::Yes; }
    Answer askYesNoCancel(const std::string& text, Answer) override { return next(text); }

    std::deque<Answer> answers;
    std::vector<std::string> shown;

private:
    Answer next(const std::string& text) {
        shown.push_back(text);
        if (answers.empty()) ADD_FAILURE() << "unexpected question: " << text;
        const Answer answer = answers.empty() ? Answer::Cancel : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    }
};

class FakeShell : public DocumentShell {
public:
    int loadSkipDemoQuestion(int current) override { return storedSkip < 0 ? current : storedSkip; }
    void saveSkipDemoQuestion(int value) override { storedSkip = value; }
    void noteRecentFile(const std::string& path) override { recent.push_back(path); }
    std::string chooseSavePath(const std::string& proposed) override {
        proposals.push_back(proposed);
        return savePath;
    }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void documentStateChanged() override { ++stateChanges; }

    int storedSkip = -1;  // nothing stored
    std::vector<std::string> recent;
    std::vector<std::string> proposals;
    std::string savePath;
    int busyDepth = 0;
    int stateChanges = 0;
};

class FakeView : public DocumentView {
public:
    explicit FakeView(const Document& document) : document_(document) {}
    bool commit() override {
        ++commits;
        closingDuringCommit = document_.closingCommit();
        return accepts;
    }
    void documentReplaced() override { ++replaced; }

    bool accepts = true;
    int commits = 0;
    int replaced = 0;
    bool closingDuringCommit = false;

private:
    const Document& document_;
};

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() : dir_(fs::temp_directory_path() / ("tavo-document-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(dir_);
        document.setView(&view);
    }
    ~DocumentTest() override { fs::remove_all(dir_); }

    std::string file(const std::string& name) const { return (dir_ / name).string(); }

    // A project file whose first component is named name.
    std::string projectFile(const std::string& fileName, const std::string& name) {
        ProjectData project;
        project.componentNames[0] = name;
        const std::string path = file(fileName);
        EXPECT_TRUE(saveProjectFile(path, project).ok);
        return path;
    }

    fs::path dir_;
    ScriptedPrompts prompts;
    FakeShell shell;
    Document document{prompts, shell, dir_.string()};
    FakeView view{document};
};

TEST_F(DocumentTest, OffersTheSampleOnlyAtTheFirstNewProjectOfTheRun) {
    projectFile("demo.tavo", "Demo Decke");
    prompts.answers = {Answer::Yes};
    ASSERT_TRUE(document.newDocument());
    EXPECT_EQ(prompts.shown, std::vector<std::string>{"Demobeispiel laden ?"});
    EXPECT_EQ(document.project().componentNames[0], "Demo Decke");
    // A plain save writes back to the sample beside the program.
    EXPECT_EQ(document.path(), document.demoPath());
    EXPECT_EQ(document.title(), "demo.tavo");
    EXPECT_FALSE(document.isModified());

    prompts.shown.clear();
    ASSERT_TRUE(document.newDocument());
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(document.project().componentNames[0], "Text Bauteil 1");
    EXPECT_EQ(document.path(), "");
}

TEST_F(DocumentTest, DecliningOrMissingSampleLeavesTheNewProject) {
    prompts.answers = {Answer::No};
    ASSERT_TRUE(document.newDocument());
    EXPECT_EQ(document.project().componentNames[0], "Text Bauteil 1");
    EXPECT_FALSE(document.isFirstNewOfRun());

    Document second(prompts, shell, (dir_ / "nowhere").string());
    prompts.shown.clear();
    prompts.answers = {Answer::Yes};
    ASSERT_TRUE(second.newDocument());
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].rfind("Fehler beim Öffnen von " + second.demoPath() + " [0]!\n", 0), 0u) << prompts.shown[1];
    EXPECT_EQ(second.project().componentNames[0], "Text Bauteil 1");
    EXPECT_EQ(second.path(), "");
    EXPECT_FALSE(second.isModified());
}

TEST_F(DocumentTest, StoppingTheSampleOfferHoldsForLaterRuns) {
    document.stopOfferingDemo();
    EXPECT_EQ(shell.storedSkip, 1);
    EXPECT_EQ(prompts.shown, std::vector<std::string>{"Das Demoprojekt kann nun nur mehr über das\nÖffnen-Menü geladen werden."});

    // A later run reads the setting when its first new project starts.
    ScriptedPrompts laterPrompts;
    Document later(laterPrompts, shell, dir_.string());
    ASSERT_TRUE(later.newDocument());
    EXPECT_TRUE(laterPrompts.shown.empty());
    EXPECT_EQ(later.project().skipDemoQuestion, 1);
}

TEST_F(DocumentTest, NewAndOpenMakeThePagesFillThemselvesAgain) {
    const std::string path = projectFile("haus.tavo", "Haus");
    shell.storedSkip = 1;
    document.pageFillStates() = {1, 1, 1};
    ASSERT_TRUE(document.newDocument());
    EXPECT_EQ(document.pageFillStates().components, 0);
    EXPECT_EQ(view.replaced, 1);

    document.pageFillStates() = {1, 1, 1};
    ASSERT_TRUE(document.openFile(path));
    EXPECT_EQ(document.pageFillStates().permanentLoads, 0);
    EXPECT_EQ(document.pageFillStates().imposedLoads, 0);
    EXPECT_EQ(view.replaced, 2);
    EXPECT_EQ(document.project().componentNames[0], "Haus");
    EXPECT_EQ(document.fileVersion(), kProjectFileVersion);
    EXPECT_EQ(shell.recent, std::vector<std::string>{path});
    EXPECT_EQ(shell.busyDepth, 0);
}

TEST_F(DocumentTest, UnreadableFileLeavesAnEmptyUntitledProject) {
    const std::string good = projectFile("haus.tavo", "Haus");
    ASSERT_TRUE(document.openFile(good));
    document.markModified();
    const std::string bad = file("kaputt.tavo");
    writeBytes(bad, "NOTTAVO_ and more bytes");

    prompts.answers = {Answer::No};  // do not save the changes to haus.tavo
    EXPECT_FALSE(document.openFile(bad));
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[0], "Änderungen in haus.tavo speichern?");
    EXPECT_EQ(prompts.shown[1], "Datei " + bad + " ist fehlerhaft!");
    EXPECT_EQ(document.project().componentCount, 1);
    EXPECT_EQ(document.project().componentNames[0], "Text Bauteil 1");
    EXPECT_FALSE(document.isModified());
    // Not haus.tavo any more: a save must not put the empty project there.
    EXPECT_EQ(document.path(), "");
    EXPECT_EQ(shell.busyDepth, 0);
}

TEST_F(DocumentTest, FileThatCannotBeOpenedLeavesTheProjectAsItWas) {
    const std::string good = projectFile("haus.tavo", "Haus");
    ASSERT_TRUE(document.openFile(good));
    document.project().componentNames[0] = "Haus geändert";
    document.markModified();
    const int replacedBefore = view.replaced;

    prompts.answers = {Answer::No};
    EXPECT_FALSE(document.openFile(file("fehlt.tavo")));
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_EQ(prompts.shown[1].rfind("Fehler beim Öffnen von " + file("fehlt.tavo") + " [0]!\n", 0), 0u);
    EXPECT_EQ(document.project().componentNames[0], "Haus geändert");
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.path(), good);
    EXPECT_EQ(view.replaced, replacedBefore);
}

TEST_F(DocumentTest, CancelOrFailedSaveKeepsTheModifiedProject) {
    shell.storedSkip = 1;
    document.newDocument();
    document.project().componentNames[0] = "Neu";
    document.markModified();

    prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(document.fileNew());
    EXPECT_EQ(document.project().componentNames[0], "Neu");

    // Yes, then cancel the choice of a file name.
    prompts.answers = {Answer::Yes};
    EXPECT_FALSE(document.fileNew());
    EXPECT_EQ(shell.proposals, std::vector<std::string>{"Tavo.tavo"});
    EXPECT_EQ(document.project().componentNames[0], "Neu");
    EXPECT_TRUE(document.isModified());

    prompts.answers = {Answer::No};
    EXPECT_TRUE(document.fileNew());
    EXPECT_EQ(document.project().componentNames[0], "Text Bauteil 1");
}

TEST_F(DocumentTest, SaveWritesTheFileAndNamesTheDocumentAfterIt) {
    shell.savePath = file("neu.tavo");
    document.project().titleLines[0] = "Wohnhaus";
    document.markModified();
    ASSERT_TRUE(document.fileSave());
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.path(), shell.savePath);
    EXPECT_EQ(document.title(), "neu.tavo");
    EXPECT_EQ(shell.recent, std::vector<std::string>{shell.savePath});

    // The next save goes to the same file without asking.
    document.markModified();
    ASSERT_TRUE(document.fileSave());
    EXPECT_EQ(shell.proposals.size(), 1u);

    ProjectData reread;
    std::int32_t version = 0;
    ASSERT_TRUE(loadProjectFile(shell.savePath, reread, version).ok);
    EXPECT_EQ(reread.titleLines[0], "Wohnhaus");
}

TEST_F(DocumentTest, RefusedPageValueSavesNothing) {
    view.accepts = false;
    shell.savePath = file("neu.tavo");
    document.markModified();
    EXPECT_FALSE(document.fileSave());
    EXPECT_FALSE(document.saveDocument(shell.savePath));
    EXPECT_FALSE(fs::exists(shell.savePath));
    EXPECT_TRUE(document.isModified());
    EXPECT_TRUE(shell.proposals.empty());
    // New and open are stopped too: the page keeps the user.
    EXPECT_FALSE(document.fileNew());
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(DocumentTest, WriteProtectedFileIsSavedUnderAnotherName) {
    const std::string kept = projectFile("alt.tavo", "Alt");
    ASSERT_TRUE(document.openFile(kept));
    fs::permissions(kept, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
    const std::string before = readBytes(kept);
    document.project().componentNames[0] = "Neu";
    document.markModified();
    shell.savePath = file("kopie.tavo");

    ASSERT_TRUE(document.fileSave());
    EXPECT_EQ(shell.proposals, std::vector<std::string>{kept});
    EXPECT_EQ(readBytes(kept), before);
    EXPECT_EQ(document.path(), shell.savePath);
}

#if defined(__unix__)
TEST_F(DocumentTest, FailedWriteKeepsThePreviousFileAndTheModifiedFlag) {
    const std::string path = projectFile("haus.tavo", "Haus");
    ASSERT_TRUE(document.openFile(path));
    const std::string before = readBytes(path);
    document.project().componentNames[0] = "Haus mit viel längerem Namen";
    document.markModified();

    bool saved = true;
    {
        test::FileSizeLimit limit(16);
        saved = document.fileSave();
    }
    EXPECT_FALSE(saved);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].rfind("Fehler beim Schreiben auf " + path, 0), 0u) << prompts.shown[0];
    EXPECT_EQ(readBytes(path), before);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1) << "no temporary file left";
}
#endif

TEST_F(DocumentTest, ClosingCommitsSilentlyThenAsks) {
    view.accepts = false;
    document.markModified();
    prompts.answers = {Answer::No};
    EXPECT_TRUE(document.canClose());
    EXPECT_TRUE(view.closingDuringCommit);
    EXPECT_FALSE(document.closingCommit());
    EXPECT_EQ(prompts.shown, std::vector<std::string>{"Änderungen in Tavo speichern?"});

    prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(document.canClose());
}

TEST_F(DocumentTest, OpeningTheOpenFileAgainChangesNothing) {
    const std::string path = projectFile("haus.tavo", "Haus");
    ASSERT_TRUE(document.openFile(path));
    document.project().componentNames[0] = "Geändert";
    document.markModified();
    EXPECT_TRUE(document.openFile(path));
    EXPECT_EQ(document.project().componentNames[0], "Geändert");
    EXPECT_TRUE(prompts.shown.empty());
}

}  // namespace
