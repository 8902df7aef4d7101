#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <iterator>
#include <string>

#include "TextFileHelpers.h"
#include "file/AtomicWrite.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kContent = "neuer Inhalt\n";
constexpr std::string_view kOld = "alt";

class SaveFile : public ::testing::Test {
protected:
    test::TemporaryFolder folder;

    std::size_t filesIn(const fs::path& path) const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(path), fs::directory_iterator()));
    }
};

TEST_F(SaveFile, ReplacesARegularFileKeepingItsPermissionsAndTheLinksToIt) {
    const fs::path target = folder.file("echt.tavo");
    test::writeText(target, kOld);
    const auto permissions = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, permissions);
    fs::create_symlink(target, folder.file("verweis.tavo"));

    EXPECT_FALSE(saveFile(folder.file("verweis.tavo"), kContent));
    EXPECT_TRUE(fs::is_symlink(folder.file("verweis.tavo")));
    EXPECT_EQ(test::readText(target), kContent);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, permissions);
    EXPECT_EQ(filesIn(folder.path()), 2u);
}

TEST_F(SaveFile, RefusesWhatItCannotReplaceWithTheOpenMessage) {
    fs::create_directory(folder.file("ordner"));
    fs::create_symlink(folder.file("nirgends"), folder.file("ins-leere.tavo"));
    const struct {
        std::string path;
        int errorNumber;
    } cases[] = {
        {folder.file("ordner"), EISDIR},
        {folder.file("ins-leere.tavo"), ENOENT},
        {folder.file("fehlt/haus.tavo"), ENOENT},
    };
    for (const auto& [path, errorNumber] : cases) {
        const SaveFailure failure = saveFile(path, kContent);
        EXPECT_EQ(failure.operation, FileOperation::Open) << path;
        EXPECT_EQ(failure.errorNumber, errorNumber) << path;
    }
    EXPECT_EQ(saveFailureMessage("a.tavo", {FileOperation::Open, EISDIR}),
              "Fehler beim Öffnen von a.tavo [0]!\nDas ist ein Ordner, keine Datei.");
    EXPECT_TRUE(fs::is_directory(folder.file("ordner")));
    EXPECT_FALSE(fs::exists(folder.file("nirgends")));
    EXPECT_EQ(filesIn(folder.path()), 2u);
}

TEST_F(SaveFile, WritesPipesAndDevicesWhereTheyAreAndNeverWaitsForAReader) {
    const fs::path pipe = folder.file("rohr");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const SaveFailure noReader = saveFile(pipe, kContent);
    EXPECT_EQ(noReader.operation, FileOperation::Open);
    EXPECT_EQ(noReader.errorNumber, ENXIO);

    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_FALSE(saveFile(pipe, kContent));
    std::string received(64, '\0');
    received.resize(static_cast<std::size_t>(std::max<ssize_t>(0, ::read(reader, received.data(), received.size()))));
    ::close(reader);
    EXPECT_EQ(received, kContent);
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(pipe)));

    fs::create_symlink("/dev/null", folder.file("nichts.pdf"));
    EXPECT_FALSE(saveFile(folder.file("nichts.pdf"), kContent));
    EXPECT_FALSE(saveFile("/dev/null", kContent));
    EXPECT_TRUE(fs::is_symlink(folder.file("nichts.pdf")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(filesIn(folder.path()), 2u);
}

TEST_F(SaveFile, HonoursTheUsersRightsOnTheFileNotOnTheFolder) {
    const fs::path open = folder.path() / "offen";
    const fs::path closed = folder.path() / "zu";
    fs::create_directories(open);
    fs::create_directories(closed);
    test::writeText(open / "geschuetzt.tavo", kOld);
    test::writeText(closed / "frei.tavo", kOld);
    fs::permissions(folder.path(), fs::perms::all);
    fs::permissions(open, fs::perms::all);
    fs::permissions(open / "geschuetzt.tavo", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(closed / "frei.tavo", fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec & ~fs::perms::others_exec);
    fs::permissions(closed, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);

    EXPECT_TRUE(test::holdsForAnOrdinaryUser([&] {
        // The folder would allow the rename; the file says no.
        const SaveFailure refused = saveFile(open / "geschuetzt.tavo", kContent);
        // The folder takes no new file; the file may be written.
        const SaveFailure inPlace = saveFile(closed / "frei.tavo", kContent);
        return refused.operation == FileOperation::Open && refused.errorNumber == EACCES && !inPlace;
    }));
    EXPECT_EQ(test::readText(open / "geschuetzt.tavo"), kOld);
    EXPECT_EQ(test::readText(closed / "frei.tavo"), kContent);
    EXPECT_EQ(filesIn(open), 1u);
    EXPECT_EQ(filesIn(closed), 1u);
}

TEST_F(SaveFile, SavesTheLongestNameAndClearsWhatAnInterruptedSaveLeft) {
    const fs::path longName = folder.path() / (std::string(245, 'x') + ".tavo");
    const fs::path sameStart = folder.path() / (std::string(245, 'x') + ".TAVO");
    ASSERT_EQ(longName.filename().string().size(), 250u);
    EXPECT_NE(temporaryPrefix(longName), temporaryPrefix(sameStart));
    EXPECT_LE(temporaryPrefix(longName).filename().string().size() + 6, 255u);
    EXPECT_TRUE(temporaryPrefix(longName).filename().string().starts_with("."));

    const fs::path leftover = temporaryPrefix(longName).string() + "k3x9q2";
    const fs::path othersLeftover = temporaryPrefix(sameStart).string() + "k3x9q2";
    test::writeText(leftover, kOld);
    test::writeText(othersLeftover, kOld);
    EXPECT_FALSE(saveFile(longName, kContent));
    EXPECT_EQ(test::readText(longName), kContent);
    EXPECT_FALSE(fs::exists(leftover));
    EXPECT_TRUE(fs::exists(othersLeftover));
    EXPECT_EQ(filesIn(folder.path()), 2u);
}

}  // namespace
}  // namespace tavo
