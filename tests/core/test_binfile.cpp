#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "file/BinFile.h"
#include "support/TestFiles.h"

namespace tavo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes i16(int value) { return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)}; }

// A stored UTF-16 text: its negative byte length, then the units little-endian.
Bytes wideText(const std::u16string& text) {
    Bytes bytes = i16(-2 * static_cast<int>(text.size()));
    for (char16_t unit : text) {
        const Bytes both = i16(unit);
        bytes.insert(bytes.end(), both.begin(), both.end());
    }
    return bytes;
}

// The error that read throws, if any.
template <typename Read>
std::optional<BinFileBase::Error> errorOf(Read read) {
    try {
        read();
    } catch (const BinFileBase::Error& error) {
        return error;
    }
    return std::nullopt;
}

TEST(BinStream, ATextBeyondWhatItsLengthCanSayIsCutSoTheStreamStaysInStep) {
    BinBuffer out;
    out.writeText(std::string(40000, 'x'));
    out.writeShort(42);
    BinBuffer in(out.bytes());
    std::string text;
    in.readText(text, -1);
    EXPECT_EQ(text.size(), 32767u);
    EXPECT_EQ(in.readShort(), 42);
}

TEST(BinStream, Utf16TextsBecomeWindows1252CutByTheirConvertedLength) {
    // 300 surrogate pairs are 600 units but only 300 converted bytes: all fit.
    std::u16string pairs;
    for (int i = 0; i < 300; ++i) pairs += u"\U0001F600";
    Bytes bytes = wideText(u"Gr\u00FC\u00DF \u20AC\u00B3 \u4E2D");
    const Bytes second = wideText(pairs);
    bytes.insert(bytes.end(), second.begin(), second.end());
    BinBuffer in(bytes);
    std::string text;
    in.readText(text, 511);
    EXPECT_EQ(text, "Gr\xFC\xDF \x80\xB3 ?");
    in.readText(text, 511);
    EXPECT_EQ(text, std::string(300, '?'));
}

TEST(BinFile, OpenAndReadFailuresCarryTheSystemsErrorNumber) {
    const test::TemporaryFolder folder;
    EXPECT_EQ(BinFile("", "rb", true).openError, EINVAL);
    BinFile directory(folder.path().string(), "rb", true);
    EXPECT_EQ(errorOf([&] { directory.readInt(); }).value_or(BinFileBase::Error{}).code, EISDIR);

    // A file that ends too early is faulty, whatever errno held before.
    const std::string path = folder.file("five.bin");
    test::writeFile(path, Bytes(5, 0));
    BinFile file(path, "rb", true);
    std::uint8_t buffer[8];
    const auto error = errorOf([&] {
        errno = EACCES;
        file.readRaw(buffer, 8);
    });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, BinFileBase::Error::kFaultyFile);
    EXPECT_EQ(error->position, 0);
}

// The open and write messages and the faulty-file one are checked where the project file uses them.
TEST(FileMessages, MatchTheReportersWording) {
    // The common reasons in German; the rest as the C library words them.
    EXPECT_EQ(fileErrorMessage(FileOperation::Read, "a.tavo", {EIO, 17, 0}),
              "Fehler beim Lesen von a.tavo [17]!\nEin-/Ausgabefehler des Datenträgers.");
    EXPECT_EQ(fileErrorMessage(FileOperation::Write, "a.tavo", {ENOSPC, 3, 0}),
              "Fehler beim Schreiben auf a.tavo [3]!\nAuf dem Datenträger ist kein Platz mehr frei.");
    EXPECT_EQ(openErrorMessage("a.tavo", EBADMSG), "Fehler beim Öffnen von a.tavo [0]!\n" + std::string(std::strerror(EBADMSG)));
    EXPECT_EQ(fileErrorMessage(FileOperation::Write, "a.tavo", {-3, 5, 9}), "Unbekannter Fehler [2,-3,5,9]!");
}

}  // namespace
}  // namespace tavo
