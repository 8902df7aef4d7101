#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iterator>

#include "file/ProjectFile.h"
#include "support/FileSizeLimit.h"
#include "support/SampleProjects.h"
#include "support/TestFiles.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
constexpr auto kOwn = PermanentLoadTables::kOwn;

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes i16(int value) { return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)}; }
Bytes text(const std::string& t) { return i16(static_cast<int>(t.size())) + Bytes(t.begin(), t.end()); }

Bytes bytesOf(const ProjectData& project) {
    BinBuffer buffer;
    writeProject(buffer, project);
    return buffer.bytes();
}

ProjectData readBack(const Bytes& bytes) {
    BinBuffer buffer(bytes);
    ProjectData project;
    readProject(buffer, project);
    return project;
}

BinFileBase::Error readError(const Bytes& bytes) {
    static ProjectData scratch;  // only the error counts
    BinBuffer buffer(bytes);
    try {
        readProject(buffer, scratch);
    } catch (const BinFileBase::Error& error) {
        return error;
    }
    ADD_FAILURE() << "read without error";
    return {};
}

Bytes withShortAt(Bytes bytes, std::size_t offset, int value) {
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    return bytes;
}

// The whole file of a new project, field by field. How rows and own tables lie in
// the file, the command-line tool's fixture pins byte by byte.
const Bytes kNewProject = Bytes{'T', 'A', 'V', 'O', 'D', 'A', 'T', '_', 1, 0, 0, 0}  //
                          + text("Bauwaage") + text("") + i16(1)                       // heading, start page
                          + i16(1) + text("Text Bauteil 1") + i16(1)                   // components
                          + text("Text Element 1") + i16(0) + i16(0)                   // elements
                          + i16(1) + text("Text Gruppe 1") + i16(1)                    // own groups
                          + text("Text Tabelle 1") + i16(1) + i16(0)                   // name, unit, count
                          + i16(1) + text("Text Tabelle 1") + i16(0) + i16(1);         // name, count, unit

TEST(ProjectFile, NewProjectGivesExactlyTheseBytes) {
    EXPECT_EQ(bytesOf(ProjectData{}), kNewProject);
    EXPECT_EQ(bytesOf(readBack(kNewProject)), kNewProject);
}

TEST(ProjectFile, MaximalProjectRoundTripsExactly) {
    const ProjectData original = test::makeMaximalProject();
    const Bytes written = bytesOf(original);
    const ProjectData read = readBack(written);
    EXPECT_EQ(bytesOf(read), written);
    EXPECT_EQ(read.permanentRow(6, 6, 24).description, original.permanentRow(6, 6, 24).description);
    EXPECT_EQ(read.imposedTables.value[kOwn][4][14], original.imposedTables.value[kOwn][4][14]);
}

TEST(ProjectFile, FileCutAnywhereIsFaulty) {
    const Bytes whole = bytesOf(test::makeSmallProject());
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const BinFileBase::Error error = readError(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        EXPECT_EQ(error.code, BinFileBase::Error::kFaultyFile) << length;
        EXPECT_LE(error.position, static_cast<std::int32_t>(length));
    }
}

TEST(ProjectFile, AWrongMagicVersionOrCountIsRefused) {
    EXPECT_EQ(readError(withShortAt(kNewProject, 6, '-')).code, BinFileBase::Error::kFaultyFile);
    for (int version : {0, 2, -1}) {
        const Bytes bytes = withShortAt(withShortAt(kNewProject, 8, version), 10, version >> 16);
        EXPECT_EQ(fileErrorMessage(FileOperation::Read, "p.tavo", readError(bytes)),
                  "Datei p.tavo hat falsche Version [" + std::to_string(version) + "]!");
    }
    // Offsets of the counts in kNewProject, with the range the reader accepts.
    const struct {
        const char* name;
        std::size_t offset;
        int minimum;
        int maximum;
    } counts[] = {
        {"componentCount", 26, 1, 7},   {"elementCount", 44, 0, 7},   {"permRowCount", 62, 0, 25},
        {"imposedRowCount", 64, 0, 15}, {"ownGroupCount", 66, 1, 8},  {"tableCount", 83, 0, 7},
        {"ownEntryCount", 103, 0, 25},  {"ownTableCount", 105, 1, 5}, {"ownImposedEntryCount", 123, 0, 15},
    };
    for (const auto& count : counts) {
        for (int value : {count.maximum + 1, count.minimum - 1, 0x7FFF})
            EXPECT_EQ(readError(withShortAt(kNewProject, count.offset, value)).code, BinFileBase::Error::kFaultyFile)
                << count.name << " = " << value;
    }
    // The maximal project holds every upper limit; these are the lower ones that are allowed.
    ProjectData project;
    project.elementCount[0] = 0;
    project.permanentTables.tableCount[kOwn][0] = 0;
    const Bytes smallest = bytesOf(project);
    EXPECT_EQ(bytesOf(readBack(smallest)), smallest);
}

TEST(ProjectFile, TextsAreReadAsTheirFirst511BytesWhateverTheirFormHeadingLinesAs80) {
    ProjectData project;
    project.componentNames[0] = std::string(600, 'a');
    project.titleLines[1] = std::string(100, 'b');
    const Bytes bytes = bytesOf(project);
    EXPECT_EQ(Bytes(bytes.begin() + 22, bytes.begin() + 24), i16(100));  // written whole
    EXPECT_EQ(readBack(bytes).componentNames[0], std::string(511, 'a'));
    EXPECT_EQ(readBack(bytes).titleLines[1], std::string(80, 'b'));

    // The component name stored as UTF-16: of odd length, and of 600 characters.
    Bytes longName = i16(-1200);
    for (int i = 0; i < 600; ++i) longName = longName + Bytes{0xE4, 0x00};
    const std::pair<Bytes, std::string> names[] = {
        {{0xF9, 0xFF, 0xDC, 0x00, 'r', 0x00, 0xAC, 0x20, 'x'}, "\xDCr\x80"},  // L = -7: "Ür€" and a stray byte
        {longName, std::string(511, '\xE4')},
    };
    for (const auto& [stored, name] : names) {
        const ProjectData read = readBack(Bytes(kNewProject.begin(), kNewProject.begin() + 28) + stored +
                                          Bytes(kNewProject.begin() + 28 + 16, kNewProject.end()));
        EXPECT_EQ(read.componentNames[0], name);
        EXPECT_EQ(read.imposedTables.ownTableNames[0], "Text Tabelle 1");  // still in step
    }
}

TEST(ProjectFile, AStartPageOutsideWhatThePagesAcceptIsHeldAtItsLimit) {
    // Offset 24: after magic, version and the two heading lines of a new project.
    const std::pair<int, int> storedAndHeld[] = {{0, 1}, {-5, 1}, {1000, 999}, {998, 998}};
    for (const auto& [stored, held] : storedAndHeld) EXPECT_EQ(readBack(withShortAt(kNewProject, 24, stored)).startPage, held) << stored;
}

TEST(ProjectFile, CountsAndUnitsBeyondTheFileFormatStillGiveAReadableFile) {
    ProjectData project;
    project.componentCount = 9;
    project.permanentTables.ownGroupCount = 0;
    project.imposedTables.ownTableCount = -4;
    project.permRowCount[0][0] = 1;
    project.permanentRow(0, 0, 0) = {"P", "w", "d", "a", "b", "l", "p", 0x10001};  // stored as 1: a layer
    project.permanentTables.ownTableUnit[0][0] = 0xFFFFFFFF;

    const ProjectData read = readBack(bytesOf(project));
    EXPECT_EQ(read.componentCount, kMaxComponents);
    EXPECT_EQ(read.permanentTables.ownGroupCount, 1u);
    EXPECT_EQ(read.imposedTables.ownTableCount, 1);
    EXPECT_EQ(read.permanentRow(0, 0, 0).lineLoad, "l");
    EXPECT_EQ(read.permanentRow(0, 0, 0).pointLoad, "");
    EXPECT_EQ(read.permanentTables.ownTableUnit[0][0], 0xFFFFFFFFu);  // -1, sign-extended
}

// --- Whole files -------------------------------------------------------------

class ProjectFileOnDisk : public ::testing::Test {
protected:
    test::TemporaryFolder folder;
    std::int32_t version = 0;

    std::size_t filesInFolder() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()));
    }
};

TEST_F(ProjectFileOnDisk, FailedWriteKeepsTheOldFileAndRemovesTheTemporaryOne) {
    const std::string path = folder.file("haus.tavo");
    const Bytes old = bytesOf(test::makeSmallProject());
    test::writeFile(path, old);
    const FileOutcome outcome = [&] {
        const test::FileSizeLimit limit(4096);
        return saveProjectFile(path, test::makeMaximalProject());
    }();
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.message.starts_with("Fehler beim Schreiben auf " + path + " [")) << outcome.message;
    EXPECT_TRUE(outcome.message.ends_with("!\nDie Datei ist zu groß.")) << outcome.message;
    EXPECT_EQ(test::readFile(path), old);
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(ProjectFileOnDisk, AFileThatCannotBeOpenedLeavesTheProjectAndOneThatCannotBeReadANewOne) {
    ProjectData untouched = test::makeSmallProject();
    const std::string missing = folder.file("fehlt.tavo");
    EXPECT_EQ(loadProjectFile(missing, untouched, version).message,
              "Fehler beim Öffnen von " + missing + " [0]!\nDie Datei oder der Ordner existiert nicht.");
    EXPECT_EQ(bytesOf(untouched), bytesOf(test::makeSmallProject()));

    const Bytes whole = bytesOf(test::makeSmallProject());
    const std::string path = folder.file("kaputt.tavo");
    for (const Bytes& content : {text("Kein Projekt, nur Text"), Bytes{}, Bytes(whole.begin(), whole.end() - 1)}) {
        test::writeFile(path, content);
        ProjectData project = test::makeSmallProject();
        EXPECT_EQ(loadProjectFile(path, project, version).message, "Datei " + path + " ist fehlerhaft!");
        EXPECT_EQ(bytesOf(project), kNewProject);
    }
}

}  // namespace
}  // namespace tavo
