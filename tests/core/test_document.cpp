#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "file/ProjectFile.h"
#include "support/ScriptedPrompts.h"
#include "ui/Document.h"
#include "support/TestFiles.h"

using namespace tavo;
namespace fs = std::filesystem;

namespace {

using Texts = std::vector<std::string>;

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
    void documentStateChanged() override {}

    int storedSkip = -1;  // nothing stored
    Texts recent;
    Texts proposals;
    std::string savePath;
    int busyDepth = 0;
};

class FakeView : public DocumentView {
public:
    explicit FakeView(const Document& document) : document_(document) {}
    bool commit() override {
        closingDuringCommit = document_.closingCommit();
        return accepts;
    }
    void documentReplaced() override { ++replaced; }

    bool accepts = true;
    int replaced = 0;
    bool closingDuringCommit = false;

private:
    const Document& document_;
};

class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() { document.setView(&view); }

    // A project file whose first component is named name.
    std::string projectFile(const std::string& fileName, const std::string& name) {
        ProjectData project;
        project.componentNames[0] = name;
        EXPECT_TRUE(saveProjectFile(folder.file(fileName), project).ok);
        return folder.file(fileName);
    }

    // An opened project with a change not yet saved.
    std::string openModified(const std::string& fileName) {
        const std::string path = projectFile(fileName, "Haus");
        EXPECT_TRUE(document.openFile(path));
        document.project().componentNames[0] = "Haus geändert";
        document.markModified();
        return path;
    }

    std::string firstComponent() const { return document.project().componentNames[0]; }

    test::TemporaryFolder folder;
    ScriptedPrompts prompts;
    FakeShell shell;
    Document document{prompts, shell, folder.path().string()};
    FakeView view{document};
};

TEST_F(DocumentTest, OffersTheSampleOnlyAtTheFirstNewProjectOfTheRun) {
    projectFile("demo.tavo", "Demo Decke");
    document.pageFillStates() = {1, 1, 1};
    prompts.answers = {Answer::Yes};
    ASSERT_TRUE(document.newDocument());
    EXPECT_EQ(prompts.shown, Texts{"Demobeispiel laden ?"});
    EXPECT_EQ(firstComponent(), "Demo Decke");
    EXPECT_EQ(document.path(), "");  // an untitled copy: the sample beside the program stays as shipped
    // The pages fill themselves again from the project that was read.
    const PageFillStates& fill = document.pageFillStates();
    EXPECT_EQ(fill.components + fill.permanentLoads + fill.imposedLoads, 0);

    ASSERT_TRUE(document.newDocument());
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(firstComponent(), "Text Bauteil 1");
}

TEST_F(DocumentTest, AMissingSampleLeavesTheNewProject) {
    Document elsewhere(prompts, shell, folder.file("nowhere"));
    prompts.answers = {Answer::Yes};
    ASSERT_TRUE(elsewhere.newDocument());
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_TRUE(prompts.shown[1].starts_with("Fehler beim Öffnen von " + elsewhere.demoPath() + " [0]!\n")) << prompts.shown[1];
    EXPECT_EQ(elsewhere.project().componentNames[0], "Text Bauteil 1");
    EXPECT_EQ(elsewhere.path(), "");
}

TEST_F(DocumentTest, AFailedOpenKeepsTheProjectItsNameAndItsModifiedFlag) {
    const std::string path = openModified("haus.tavo");
    EXPECT_TRUE(document.openFile(path));  // already open: nothing happens
    EXPECT_TRUE(prompts.shown.empty());

    fs::create_directory(folder.file("ordner.tavo"));
    const struct {
        std::string name;
        std::vector<std::uint8_t> content;
        std::string before, after;  // the message around the path
    } cases[] = {
        {"fehlt.tavo", {}, "Fehler beim Öffnen von ", " [0]!\nDie Datei oder der Ordner existiert nicht."},
        {"ordner.tavo", {}, "Fehler beim Lesen von ", " [0]!\nDas ist ein Ordner, keine Datei."},
        {"kaputt.tavo", {'N', 'O', 'T', 'T', 'A', 'V', 'O', '_', 1, 0, 0, 0}, "Datei ", " ist fehlerhaft!"},
    };
    for (const auto& [name, content, before, after] : cases) {
        const std::string file = folder.file(name);
        if (!content.empty()) test::writeFile(file, content);
        prompts.shown.clear();
        prompts.answers = {Answer::No};
        EXPECT_FALSE(document.openFile(file)) << name;
        EXPECT_EQ(prompts.shown, (Texts{"Änderungen in haus.tavo speichern?", before + file + after}));
        EXPECT_EQ(firstComponent(), "Haus geändert") << name;
        EXPECT_TRUE(document.isModified()) << name;
        EXPECT_EQ(document.path(), path) << name;
    }
    EXPECT_EQ(view.replaced, 1);
    EXPECT_EQ(shell.busyDepth, 0);
}

TEST_F(DocumentTest, CancelOrFailedSaveKeepsTheModifiedProject) {
    document.project().componentNames[0] = "Neu";
    document.markModified();

    prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(document.fileNew());
    // Yes, then cancel the choice of a file name.
    prompts.answers = {Answer::Yes};
    EXPECT_FALSE(document.fileNew());
    EXPECT_EQ(shell.proposals, Texts{"Tavo.tavo"});
    // Yes, and a file that cannot be written.
    shell.savePath = folder.file("fehlt/neu.tavo");
    prompts.answers = {Answer::Yes};
    EXPECT_FALSE(document.fileNew());
    EXPECT_EQ(prompts.shown.size(), 4u);
    EXPECT_TRUE(prompts.shown.back().starts_with("Fehler beim Öffnen von " + shell.savePath)) << prompts.shown.back();
    EXPECT_EQ(firstComponent(), "Neu");
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.path(), "");

    shell.storedSkip = 1;
    prompts.answers = {Answer::No};
    EXPECT_TRUE(document.fileNew());
    EXPECT_EQ(firstComponent(), "Text Bauteil 1");
}

TEST_F(DocumentTest, SaveNamesTheDocumentAfterItsFileAndAsksAgainOnlyForAProtectedOne) {
    const std::string path = folder.file("neu.tavo");
    shell.savePath = path;
    document.markModified();
    ASSERT_TRUE(document.fileSave());
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.title(), "neu.tavo");
    EXPECT_EQ(shell.recent, Texts{path});
    EXPECT_EQ(shell.busyDepth, 0);

    document.project().titleLines[0] = "Wohnhaus";
    document.markModified();
    ASSERT_TRUE(document.fileSave());
    ProjectData reread;
    std::int32_t version = 0;
    ASSERT_TRUE(loadProjectFile(path, reread, version).ok);
    EXPECT_EQ(reread.titleLines[0], "Wohnhaus");

    // A file the user may not write is kept; the user names another.
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
    fs::permissions(folder.path(), fs::perms::all);
    const auto before = test::readFile(path);
    shell.savePath = folder.file("kopie.tavo");
    document.markModified();
    EXPECT_TRUE(test::holdsForAnOrdinaryUser([&] {
        return document.fileSave() && shell.proposals == Texts{"Tavo.tavo", path} && document.path() == shell.savePath;
    }));
    EXPECT_EQ(test::readFile(path), before);
    EXPECT_TRUE(fs::exists(shell.savePath));
}

TEST_F(DocumentTest, ARefusedPageValueStopsEverythingButClosing) {
    view.accepts = false;
    shell.savePath = folder.file("neu.tavo");
    document.markModified();
    EXPECT_FALSE(document.fileSave());
    EXPECT_FALSE(document.saveDocument(shell.savePath));
    EXPECT_FALSE(document.fileNew());
    EXPECT_FALSE(fs::exists(shell.savePath));
    EXPECT_TRUE(document.isModified());
    EXPECT_TRUE(shell.proposals.empty());
    EXPECT_TRUE(prompts.shown.empty());

    // Closing commits silently, then asks.
    prompts.answers = {Answer::No};
    EXPECT_TRUE(document.canClose());
    EXPECT_TRUE(view.closingDuringCommit);
    EXPECT_FALSE(document.closingCommit());
    EXPECT_EQ(prompts.shown, Texts{"Änderungen in Tavo speichern?"});
    prompts.answers = {Answer::Cancel};
    EXPECT_FALSE(document.canClose());
}

}  // namespace
