#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "file/ProjectFile.h"
#include "file/TextFile.h"
#include "support/TestFiles.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

TEST(ReadingFiles, WhatNoValidFileCouldBeIsRefusedBeforeItIsReadWhole) {
    const test::TemporaryFolder folder;
    const fs::path huge = folder.file("riesig.tavo");
    test::writeFile(huge, {});
    fs::resize_file(huge, kMaxProjectFileBytes + 1);  // sparse: costs no disk
    const fs::path pipe = folder.file("rohr.tavo");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

    const struct {
        fs::path path;
        std::string message;
    } cases[] = {
        {huge, "Fehler beim Lesen von " + huge.string() + " [16777216]!\nDie Datei ist zu groß."},
        {"/dev/zero", "Fehler beim Lesen von /dev/zero [16777216]!\nDie Datei ist zu groß."},
        // A pipe nobody writes to is empty at once, not waited on.
        {pipe, "Datei " + pipe.string() + " ist fehlerhaft!"},
    };
    for (const auto& [path, message] : cases) {
        ProjectData project;
        std::int32_t version = 0;
        EXPECT_EQ(loadProjectFile(path.string(), project, version).message, message);
    }
}

TEST(ReadingFiles, TextFilesAreUtf8Windows1252OrUtf16AsTheirMarkSays) {
    const test::TemporaryFolder folder;
    const struct {
        std::vector<std::uint8_t> bytes;
        std::string utf8;
    } cases[] = {
        {{'G', 'r', 0xC3, 0xBC, 0xC3, 0x9F}, "Grüß"},
        {{0xEF, 0xBB, 0xBF, 'G', 'r', 0xC3, 0xBC, 0xC3, 0x9F}, "Grüß"},
        {{'G', 'r', 0xFC, 0xDF, ' ', 0x80}, "Grüß €"},
        {{0xFF, 0xFE, 'G', 0, 'r', 0, 0xFC, 0, 0xDF, 0, 0xAC, 0x20}, "Grüß€"},
        {{0xFE, 0xFF, 0, 'G', 0, 'r', 0, 0xFC, 0, 0xDF, 0xD8, 0x3D, 0xDE, 0x00}, "Grüß😀"},
    };
    for (const auto& [bytes, utf8] : cases) {
        test::writeFile(folder.file("Tavo.ini"), bytes);
        std::string text;
        EXPECT_FALSE(readTextFile(folder.file("Tavo.ini"), text));
        EXPECT_EQ(text, utf8);
    }
    test::writeFile(folder.file("Tavo.ini"), {});
    fs::resize_file(folder.file("Tavo.ini"), kMaxTextFileBytes + 1);
    std::string text;
    EXPECT_EQ(readTextFile(folder.file("Tavo.ini"), text), std::errc::file_too_large);
}

}  // namespace
}  // namespace tavo
