#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <tuple>

#include "file/ProjectFile.h"
#include "support/SampleProjects.h"
#include "support/TestFiles.h"

namespace tavo {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr auto kOwn = PermanentLoadTables::kOwn;

Bytes bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes text(const std::string& t) { return Bytes{static_cast<std::uint8_t>(t.size()), 0} + bytesOf(t); }
Bytes i16(int value) { return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)}; }

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
    // Only the error counts here, so one project serves every failed read.
    static ProjectData scratch;
    BinBuffer buffer(bytes);
    try {
        readProject(buffer, scratch);
    } catch (const BinFileBase::Error& error) {
        return error;
    }
    ADD_FAILURE() << "read without error";
    return {};
}

// The whole file of a new project, field by field.
const Bytes kNewProject = bytesOf("TAVODAT_") + Bytes{1, 0, 0, 0} + text("Bauwaage") + text("") + i16(1)  // heading, start page
                          + i16(1) + text("Text Bauteil 1") + i16(1)                                      // components
                          + text("Text Element 1") + i16(0) + i16(0)                                      // elements
                          + i16(1) + text("Text Gruppe 1") + i16(1)                                       // own groups
                          + text("Text Tabelle 1") + i16(1) + i16(0)                                      // name, unit, count
                          + i16(1) + text("Text Tabelle 1") + i16(0) + i16(1);                            // name, count, unit

// Offsets of the counts in kNewProject, with the range the reader accepts.
struct CountField {
    const char* name;
    std::size_t offset;
    int minimum;
    int maximum;
};
const CountField kCountFields[] = {
    {"componentCount", 26, 1, 7},   {"elementCount", 44, 0, 7},   {"permRowCount", 62, 0, 25},
    {"imposedRowCount", 64, 0, 15}, {"ownGroupCount", 66, 1, 8},  {"tableCount", 83, 0, 7},
    {"ownEntryCount", 103, 0, 25},  {"ownTableCount", 105, 1, 5}, {"ownImposedEntryCount", 123, 0, 15},
};

Bytes withShortAt(Bytes bytes, std::size_t offset, int value) {
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
    return bytes;
}

auto fieldsOf(const PermanentRow& r) {
    return std::tie(r.description, r.unitWeight, r.thickness, r.areaLoad, r.influenceWidth, r.lineLoad, r.pointLoad, r.rowUnit);
}
auto fieldsOf(const ImposedRow& r) {
    return std::tie(r.description, r.areaLoad, r.influenceWidth, r.lineLoad, r.pointLoad, r.rowUnit);
}

template <typename T, std::size_t N>
std::vector<T> flat(const T (&array)[N]) {
    return std::vector<T>(array, array + N);
}
template <typename T, std::size_t N, std::size_t M>
std::vector<T> flat(const T (&array)[N][M]) {
    return std::vector<T>(&array[0][0], &array[0][0] + N * M);
}
template <typename T, std::size_t N, std::size_t M, std::size_t K>
std::vector<T> flat(const T (&array)[N][M][K]) {
    return std::vector<T>(&array[0][0][0], &array[0][0][0] + N * M * K);
}

// Everything the file stores, compared field by field.
void expectSameStoredPart(const ProjectData& a, const ProjectData& b) {
    EXPECT_EQ(a.titleLines, b.titleLines);
    EXPECT_EQ(a.startPage, b.startPage);
    EXPECT_EQ(a.componentCount, b.componentCount);
    EXPECT_EQ(a.componentNames, b.componentNames);
    EXPECT_EQ(a.elementCount, b.elementCount);
    EXPECT_EQ(a.elementNames, b.elementNames);
    EXPECT_EQ(a.permRowCount, b.permRowCount);
    EXPECT_EQ(a.imposedRowCount, b.imposedRowCount);
    for (std::size_t i = 0; i < a.permanentRows.size(); ++i) {
        EXPECT_EQ(fieldsOf(a.permanentRows[i]), fieldsOf(b.permanentRows[i])) << i;
    }
    for (std::size_t i = 0; i < a.imposedRows.size(); ++i) {
        EXPECT_EQ(fieldsOf(a.imposedRows[i]), fieldsOf(b.imposedRows[i])) << i;
    }

    const PermanentLoadTables& p = a.permanentTables;
    const PermanentLoadTables& q = b.permanentTables;
    EXPECT_EQ(p.ownGroupCount, q.ownGroupCount);
    EXPECT_EQ(flat(p.ownGroupNames), flat(q.ownGroupNames));
    EXPECT_EQ(flat(p.tableCount[kOwn]), flat(q.tableCount[kOwn]));
    EXPECT_EQ(flat(p.entryCount[kOwn]), flat(q.entryCount[kOwn]));
    EXPECT_EQ(flat(p.tableNames[kOwn]), flat(q.tableNames[kOwn]));
    EXPECT_EQ(flat(p.ownTableUnit), flat(q.ownTableUnit));
    EXPECT_EQ(flat(p.description[kOwn]), flat(q.description[kOwn]));
    EXPECT_EQ(flat(p.value[kOwn]), flat(q.value[kOwn]));

    const ImposedLoadTables& s = a.imposedTables;
    const ImposedLoadTables& t = b.imposedTables;
    EXPECT_EQ(s.ownTableCount, t.ownTableCount);
    EXPECT_EQ(flat(s.ownTableNames), flat(t.ownTableNames));
    EXPECT_EQ(flat(s.entryCount[kOwn]), flat(t.entryCount[kOwn]));
    EXPECT_EQ(flat(s.ownTableUnit), flat(t.ownTableUnit));
    EXPECT_EQ(flat(s.description[kOwn]), flat(t.description[kOwn]));
    EXPECT_EQ(flat(s.value[kOwn]), flat(t.value[kOwn]));
}

TEST(ProjectFile, NewProjectGivesExactlyTheseBytes) {
    EXPECT_EQ(bytesOf(ProjectData{}), kNewProject);
    expectSameStoredPart(readBack(kNewProject), ProjectData{});
}

TEST(ProjectFile, MaximalProjectRoundTripsExactly) {
    const ProjectData original = test::makeMaximalProject();
    const Bytes written = bytesOf(original);
    const ProjectData read = readBack(written);
    expectSameStoredPart(read, original);
    EXPECT_EQ(bytesOf(read), written);
}

TEST(ProjectFile, WrongMagicIsAFaultyFile) {
    Bytes bytes = kNewProject;
    bytes[7] = '-';
    EXPECT_EQ(readError(bytes).code, BinFileBase::Error::kFaultyFile);
}

TEST(ProjectFile, OnlyVersionOneIsRead) {
    for (int version : {0, 2, -1}) {
        Bytes bytes = kNewProject;
        for (std::size_t i = 0; i < 4; ++i) bytes[8 + i] = static_cast<std::uint8_t>(static_cast<unsigned>(version) >> (8 * i));
        const BinFileBase::Error error = readError(bytes);
        EXPECT_EQ(error.code, BinFileBase::Error::kWrongVersion);
        EXPECT_EQ(error.extra, version);
        EXPECT_EQ(fileErrorMessage(FileOperation::Read, "p.tavo", error),
                  "Datei p.tavo hat falsche Version [" + std::to_string(version) + "]!");
    }
}

TEST(ProjectFile, FileCutAnywhereFailsAsAShortRead) {
    const Bytes whole = bytesOf(test::makeSmallProject());
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const BinFileBase::Error error = readError(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        EXPECT_EQ(error.code, 0) << length;
        EXPECT_LE(error.position, static_cast<std::int32_t>(length));
    }
}

TEST(ProjectFile, CountsTheArraysCannotHoldMakeTheFileFaulty) {
    for (const CountField& field : kCountFields) {
        for (int value : {field.maximum + 1, field.minimum - 1, -1, 0x7FFF}) {
            if (value >= field.minimum && value <= field.maximum) continue;
            EXPECT_EQ(readError(withShortAt(kNewProject, field.offset, value)).code, BinFileBase::Error::kFaultyFile)
                << field.name << " = " << value;
        }
    }
}

TEST(ProjectFile, CountsAtTheirLimitsAreAccepted) {
    // Each limit is reached in the maximal project; here the smallest counts.
    ProjectData project;
    project.elementCount[0] = 0;
    project.permanentTables.tableCount[kOwn][0] = 0;
    expectSameStoredPart(readBack(bytesOf(project)), project);
}

TEST(ProjectFile, LongTextsKeepTheirFirst511Bytes) {
    ProjectData project = test::makeSmallProject();
    project.titleLines[0] = std::string(600, 'a');
    project.componentNames[1] = std::string(511, 'b');
    const Bytes bytes = bytesOf(project);
    EXPECT_EQ(bytes[12], 0x58);  // 600 written whole
    EXPECT_EQ(bytes[13], 0x02);

    const ProjectData read = readBack(bytes);
    EXPECT_EQ(read.titleLines[0], std::string(511, 'a'));
    project.titleLines[0].resize(511);
    expectSameStoredPart(read, project);
}

TEST(ProjectFile, Utf16TextsAreReadAsWindows1252AndCut) {
    // The component name stored as UTF-16 of odd length, then one of 600 characters.
    const std::size_t nameOffset = 28;
    const Bytes head(kNewProject.begin(), kNewProject.begin() + nameOffset);
    const Bytes tail(kNewProject.begin() + nameOffset + 16, kNewProject.end());
    const Bytes oddName = Bytes{0xF9, 0xFF, 0xDC, 0x00, 'r', 0x00, 0xAC, 0x20, 'x'};  // L = -7: "Ür€" and a stray byte

    ProjectData read = readBack(head + oddName + tail);
    EXPECT_EQ(read.componentNames[0], "\xDCr\x80");
    EXPECT_EQ(read.elementNames[0][0], "Text Element 1");

    Bytes longName = i16(-1200);
    for (int i = 0; i < 600; ++i) longName = longName + Bytes{0xE4, 0x00};
    read = readBack(head + longName + tail);
    EXPECT_EQ(read.componentNames[0], std::string(511, '\xE4'));
    EXPECT_EQ(read.imposedTables.ownTableNames[0], "Text Tabelle 1");
}

// Bytes from the end of the element heads of a project with one element.
Bytes bodyAfterElementHeads(const ProjectData& project) {
    const Bytes bytes = bytesOf(project);
    return Bytes(bytes.begin() + 66, bytes.end());
}

TEST(ProjectFile, RowsStoreOnlyTheTextsOfTheirUnit) {
    ProjectData project;
    const std::int32_t permanentUnits[] = {1, 2, 3, 7};
    const std::int32_t imposedUnits[] = {1, 2, 7};
    project.permRowCount[0][0] = 4;
    project.imposedRowCount[0][0] = 3;
    for (int r = 0; r < 4; ++r) project.permanentRow(0, 0, r) = {"P", "w", "d", "a", "b", "l", "p", permanentUnits[r]};
    for (int r = 0; r < 3; ++r) project.imposedRow(0, 0, r) = {"N", "a", "b", "l", "p", imposedUnits[r]};

    const Bytes rows = text("P") + i16(1) + text("w") + text("d") + text("a") + text("b") + text("l")  //
                       + text("P") + i16(2) + text("a") + text("b") + text("l")                        //
                       + text("P") + i16(3) + text("l") + text("P") + i16(7) + text("p")               //
                       + text("N") + i16(1) + text("a") + text("b") + text("l")                        //
                       + text("N") + i16(2) + text("l") + text("N") + i16(7) + text("p");
    const Bytes body = bodyAfterElementHeads(project);
    EXPECT_EQ(Bytes(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(rows.size())), rows);

    const ProjectData read = readBack(bytesOf(project));
    EXPECT_EQ(fieldsOf(read.permanentRow(0, 0, 2)), fieldsOf(PermanentRow{"P", "", "", "", "", "l", "", 3}));
    EXPECT_EQ(fieldsOf(read.permanentRow(0, 0, 3)), fieldsOf(PermanentRow{"P", "", "", "", "", "", "p", 7}));
    EXPECT_EQ(fieldsOf(read.imposedRow(0, 0, 1)), fieldsOf(ImposedRow{"N", "", "", "l", "", 2}));
    EXPECT_EQ(fieldsOf(read.imposedRow(0, 0, 2)), fieldsOf(ImposedRow{"N", "", "", "", "p", 7}));
}

TEST(ProjectFile, OwnTablesKeepTheirTwoDifferentOrders) {
    ProjectData project;
    PermanentLoadTables& permanent = project.permanentTables;
    permanent.tableCount[kOwn][0] = 2;
    permanent.ownTableUnit[0][0] = 2;
    permanent.entryCount[kOwn][0][0] = 1;
    permanent.description[kOwn][0][0][0] = "d";
    permanent.value[kOwn][0][0][0] = "v";
    permanent.tableNames[kOwn][0][1] = "T2";
    permanent.ownTableUnit[0][1] = 3;
    ImposedLoadTables& imposed = project.imposedTables;
    imposed.ownTableUnit[0] = 3;
    imposed.entryCount[kOwn][0] = 1;
    imposed.description[kOwn][0][0] = "n";
    imposed.value[kOwn][0][0] = "w";

    // Permanent: all heads (name, unit, count), then all entries; imposed: head (name, count, unit), entries.
    EXPECT_EQ(bodyAfterElementHeads(project), i16(1) + text("Text Gruppe 1") + i16(2)                     //
                                                  + text("Text Tabelle 1") + i16(2) + i16(1)              //
                                                  + text("T2") + i16(3) + i16(0) + text("d") + text("v")  //
                                                  + i16(1) + text("Text Tabelle 1") + i16(1) + i16(3) + text("n") + text("w"));
}

TEST(ProjectFile, UnitCodesKeepTheirLow16BitsAndTheFileStaysInStep) {
    ProjectData project;
    project.permRowCount[0][0] = 1;
    project.permanentRow(0, 0, 0) = {"P", "w", "d", "a", "b", "l", "p", 0x10001};  // stored as 1: a layer
    project.permanentTables.ownTableUnit[0][0] = 0xFFFFFFFF;

    const ProjectData read = readBack(bytesOf(project));
    EXPECT_EQ(fieldsOf(read.permanentRow(0, 0, 0)), fieldsOf(PermanentRow{"P", "w", "d", "a", "b", "l", "", 1}));
    EXPECT_EQ(read.permanentTables.ownTableUnit[0][0], 0xFFFFFFFFu);  // -1, sign-extended
    EXPECT_EQ(read.imposedTables.ownTableNames[0], "Text Tabelle 1");
}

TEST(ProjectFile, OwnTableGapsAreClosedOnSave) {
    ProjectData project;
    PermanentLoadTables& permanent = project.permanentTables;
    permanent.entryCount[kOwn][0][0] = 2;
    permanent.description[kOwn][0][0][0] = "erste";
    permanent.value[kOwn][0][0][2] = "2.5";
    ImposedLoadTables& imposed = project.imposedTables;
    imposed.entryCount[kOwn][0] = 2;
    imposed.description[kOwn][0][3] = "B\xFCro";
    imposed.value[kOwn][0][14] = "3.0";

    const ProjectData read = readBack(bytesOf(project));
    const PermanentLoadTables& p = read.permanentTables;
    EXPECT_EQ(p.entryCount[kOwn][0][0], 2);
    EXPECT_EQ(std::tie(p.description[kOwn][0][0][0], p.value[kOwn][0][0][0]), std::make_tuple("erste", ""));
    EXPECT_EQ(std::tie(p.description[kOwn][0][0][1], p.value[kOwn][0][0][1]), std::make_tuple("", "2.5"));
    EXPECT_EQ(p.value[kOwn][0][0][2], "");
    const ImposedLoadTables& i = read.imposedTables;
    EXPECT_EQ(i.entryCount[kOwn][0], 2);
    EXPECT_EQ(std::tie(i.description[kOwn][0][0], i.value[kOwn][0][1]), std::make_tuple("B\xFCro", "3.0"));
    EXPECT_EQ(i.description[kOwn][0][3], "");
}

TEST(ProjectFile, OwnTableCountOutOfStepWithItsEntriesStillGivesAReadableFile) {
    ProjectData project;
    project.permanentTables.entryCount[kOwn][0][0] = 3;  // only two slots used
    project.permanentTables.description[kOwn][0][0][0] = "a";
    project.permanentTables.description[kOwn][0][0][4] = "b";
    project.imposedTables.entryCount[kOwn][0] = 1;  // two slots used: the first one counts
    project.imposedTables.value[kOwn][0][0] = "1";
    project.imposedTables.value[kOwn][0][1] = "2";

    const ProjectData read = readBack(bytesOf(project));
    EXPECT_EQ(read.permanentTables.entryCount[kOwn][0][0], 2);
    EXPECT_EQ(read.permanentTables.description[kOwn][0][0][1], "b");
    EXPECT_EQ(read.imposedTables.entryCount[kOwn][0], 1);
    EXPECT_EQ(read.imposedTables.value[kOwn][0][1], "");
}

TEST(ProjectFile, CountsBeyondTheLimitsInMemoryAreWrittenAsAReadableFile) {
    ProjectData project;
    project.componentCount = 9;
    project.elementCount[0] = 30;
    project.permRowCount[0][0] = 40;
    project.imposedRowCount[0][0] = 40;
    project.permanentTables.ownGroupCount = 0;
    project.imposedTables.ownTableCount = -4;

    const ProjectData read = readBack(bytesOf(project));
    EXPECT_EQ(read.componentCount, kMaxComponents);
    EXPECT_EQ(read.elementCount[0], kMaxElements);
    EXPECT_EQ(read.permRowCount[0][0], kMaxPermanentRows);
    EXPECT_EQ(read.imposedRowCount[0][0], kMaxImposedRows);
    EXPECT_EQ(read.permanentTables.ownGroupCount, 1u);
    EXPECT_EQ(read.imposedTables.ownTableCount, 1);
}

// --- Whole files -------------------------------------------------------------

class ProjectFileOnDisk : public ::testing::Test {
protected:
    test::TemporaryFolder folder;
    std::int32_t version = 0;

    static bool isNewProject(const ProjectData& project) { return bytesOf(project) == kNewProject; }

    std::vector<std::string> folderContent() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ProjectFileOnDisk, SavedProjectLoadsBack) {
    const std::string path = folder.file("haus.tavo");
    const ProjectData original = test::makeSmallProject();
    ASSERT_TRUE(saveProjectFile(path, original).ok);
    EXPECT_EQ(test::readFile(path), bytesOf(original));

    ProjectData loaded;
    const FileOutcome outcome = loadProjectFile(path, loaded, version);
    EXPECT_TRUE(outcome.ok) << outcome.message;
    EXPECT_EQ(version, 1);
    expectSameStoredPart(loaded, original);
}

TEST_F(ProjectFileOnDisk, SaveReplacesTheOldFileAndKeepsItsPermissions) {
    const std::string path = folder.file("haus.tavo");
    test::writeFile(path, Bytes(1000, 0xAA));
    std::filesystem::permissions(
        path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
    ASSERT_TRUE(saveProjectFile(path, ProjectData{}).ok);
    EXPECT_EQ(test::readFile(path), kNewProject);
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
    EXPECT_EQ(folderContent(), std::vector<std::string>{"haus.tavo"});
}

TEST_F(ProjectFileOnDisk, SaveThroughALinkReplacesTheFileBehindIt) {
    const std::string target = folder.file("echt.tavo");
    const std::string link = folder.file("verweis.tavo");
    test::writeFile(target, Bytes{1});
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(saveProjectFile(link, ProjectData{}).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::readFile(target), kNewProject);
}

TEST_F(ProjectFileOnDisk, SaveIntoAMissingFolderFailsAsAnOpenError) {
    const std::string path = folder.file("fehlt/haus.tavo");
    const FileOutcome outcome = saveProjectFile(path, ProjectData{});
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "Fehler beim Öffnen von " + path + " [0]!\n" + std::strerror(ENOENT));
}

TEST_F(ProjectFileOnDisk, SaveOverAFolderFailsAndLeavesNothingBehind) {
    const std::string path = folder.file("ordner.tavo");
    std::filesystem::create_directory(path);
    const FileOutcome outcome = saveProjectFile(path, ProjectData{});
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "Fehler beim Schreiben auf " + path + " [127]!\n" + std::strerror(EISDIR));
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(folderContent(), std::vector<std::string>{"ordner.tavo"});
}

TEST_F(ProjectFileOnDisk, SaveIntoAReadOnlyFolderKeepsTheOldFile) {
    const std::string path = folder.file("haus.tavo");
    test::writeFile(path, Bytes{1, 2, 3});
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (std::FILE* probe = std::fopen(folder.file("probe").c_str(), "w")) {
        std::fclose(probe);
        GTEST_SKIP() << "folder permissions do not bind this user";
    }
    const FileOutcome outcome = saveProjectFile(path, ProjectData{});
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "Fehler beim Öffnen von " + path + " [0]!\n" + std::strerror(EACCES));
    EXPECT_EQ(test::readFile(path), (Bytes{1, 2, 3}));
}

// Writing beyond the process's file size limit fails with EFBIG instead of a
// signal: a disk that fills up while saving, without filling a disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(ProjectFileOnDisk, FailedWriteKeepsTheOldFileAndRemovesTheTemporaryOne) {
    const std::string path = folder.file("haus.tavo");
    const Bytes old = bytesOf(test::makeSmallProject());
    test::writeFile(path, old);
    FileOutcome outcome;
    {
        const FileSizeLimit limit(4096);
        outcome = saveProjectFile(path, test::makeMaximalProject());
    }
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.message.starts_with("Fehler beim Schreiben auf " + path + " [")) << outcome.message;
    EXPECT_TRUE(outcome.message.ends_with(std::string("!\n") + std::strerror(EFBIG))) << outcome.message;
    EXPECT_EQ(test::readFile(path), old);
    EXPECT_EQ(folderContent(), std::vector<std::string>{"haus.tavo"});
}

TEST_F(ProjectFileOnDisk, MissingFileLeavesTheProjectUntouched) {
    ProjectData project = test::makeSmallProject();
    const std::string path = folder.file("fehlt.tavo");
    const FileOutcome outcome = loadProjectFile(path, project, version);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "Fehler beim Öffnen von " + path + " [0]!\n" + std::strerror(ENOENT));
    expectSameStoredPart(project, test::makeSmallProject());
}

TEST_F(ProjectFileOnDisk, FaultyFileLeavesANewProject) {
    const std::string path = folder.file("fremd.tavo");
    test::writeFile(path, bytesOf("Kein Projekt, nur Text"));
    ProjectData project = test::makeSmallProject();
    const FileOutcome outcome = loadProjectFile(path, project, version);
    EXPECT_EQ(outcome.message, "Datei " + path + " ist fehlerhaft!");
    EXPECT_TRUE(isNewProject(project));
}

TEST_F(ProjectFileOnDisk, CutFileLeavesANewProjectAndNamesTheEnd) {
    const Bytes whole = bytesOf(test::makeSmallProject());
    const std::string path = folder.file("kurz.tavo");
    for (std::size_t length : {std::size_t{0}, std::size_t{11}, whole.size() / 2, whole.size() - 1}) {
        test::writeFile(path, Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
        ProjectData project = test::makeSmallProject();
        const FileOutcome outcome = loadProjectFile(path, project, version);
        EXPECT_FALSE(outcome.ok);
        EXPECT_TRUE(outcome.message.starts_with("Unbekannter Fehler [1,0,")) << outcome.message;
        EXPECT_TRUE(isNewProject(project)) << length;
    }
}

}  // namespace
}  // namespace tavo
