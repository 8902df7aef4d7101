#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "file/BinFile.h"
#include "support/TestFiles.h"

namespace tavo {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A stored UTF-16 text: its negative byte length, then the units little-endian.
Bytes wideText(const std::u16string& text) {
    const auto length = static_cast<std::uint16_t>(-static_cast<int>(2 * text.size()));
    Bytes bytes{static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8)};
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

// A stored 8-bit text of n times 'x'.
Bytes longText(std::size_t n) { return Bytes{static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8)} + Bytes(n, 'x'); }

const Bytes kMarker{0x2A, 0x00};  // readShort() == 42: proves the stream stayed in step

TEST(BinStream, NumbersAreLittleEndianWithoutPadding) {
    BinBuffer out;
    out.writeByte(0xAB);
    out.writeShort(0x12345);  // only the low 16 bits
    out.writeInt(-2);
    out.writeInt64(0x0102030405060708);
    out.writeDouble(1.0);
    out.writeFloat(-2.0f);
    EXPECT_EQ(out.bytes(), (Bytes{0xAB, 0x45, 0x23, 0xFE, 0xFF, 0xFF, 0xFF, 0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02,
                                  0x01, 0,    0,    0,    0,    0,    0,    0xF0, 0x3F, 0,    0,    0,    0xC0}));

    BinBuffer in(out.bytes());
    EXPECT_EQ(in.readByte(), 0xAB);
    EXPECT_EQ(in.readShort(), 0x2345);
    EXPECT_EQ(in.readInt(), -2);
    EXPECT_EQ(in.readInt64(), 0x0102030405060708);
    EXPECT_EQ(in.readDouble(), 1.0);
    EXPECT_EQ(in.readFloat(), -2.0f);
    EXPECT_EQ(in.position, 27);

    BinBuffer negative(Bytes{0x00, 0x80});
    EXPECT_EQ(std::int32_t{negative.readShort()}, -32768);
}

TEST(BinStream, PackedValuesStoreTheirSignificantBytesOnly) {
    const std::pair<std::uint64_t, Bytes> cases[] = {
        {0, {0x00}},
        {0x1234, {0x02, 0x34, 0x12}},
        {0x100, {0x02, 0x00, 0x01}},
        {~0ULL, {0x08, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto& [value, bytes] : cases) {
        BinBuffer out;
        out.writePacked(value);
        EXPECT_EQ(out.bytes(), bytes) << value;
        BinBuffer in(bytes);
        EXPECT_EQ(in.readPacked(), value);
    }
}

TEST(BinStream, PackedValueWithTooManyBytesKeepsTheStreamInStep) {
    BinBuffer in(Bytes{0x09, 1, 2, 3, 4, 5, 6, 7, 8, 9} + kMarker);
    EXPECT_EQ(in.readPacked(), 0x0807060504030201u);
    EXPECT_EQ(in.readShort(), 42);
}

TEST(BinStream, TextsAreLengthPrefixedWithoutTerminator) {
    BinBuffer out;
    out.writeText("Text Bauteil 1");
    out.writeText("");
    out.writeText("\xE4\xDF");  // bytes as they stand
    EXPECT_EQ(out.bytes(), (Bytes{0x0E, 0x00} + bytesOf("Text Bauteil 1") + Bytes{0x00, 0x00, 0x02, 0x00, 0xE4, 0xDF}));
}

TEST(BinStream, TextBeyondTheLengthFieldIsCutSoTheFileStaysReadable) {
    BinBuffer out;
    out.writeText(std::string(40000, 'x'));
    out.writeShort(42);
    BinBuffer in(out.bytes());
    std::string text;
    in.readText(text, -1);
    EXPECT_EQ(text.size(), 32767u);
    EXPECT_EQ(in.readShort(), 42);
}

TEST(BinStream, LongTextIsCutToTheBufferAndSkipped) {
    BinBuffer in(longText(600) + kMarker);
    char buffer[512];
    EXPECT_EQ(in.readText(buffer, sizeof buffer), 511u);
    EXPECT_EQ(std::strlen(buffer), 511u);
    EXPECT_EQ(in.position, 602);
    EXPECT_EQ(in.readShort(), 42);
}

TEST(BinStream, TextIntoStringWholeOrCut) {
    BinBuffer in(longText(600) + longText(600) + kMarker);
    std::string whole;
    std::string cut;
    in.readText(whole, -1);
    in.readText(cut, 10);
    EXPECT_EQ(whole, std::string(600, 'x'));
    EXPECT_EQ(cut, std::string(10, 'x'));
    EXPECT_EQ(in.readShort(), 42);
}

TEST(BinStream, Utf16TextBecomesWindows1252) {
    BinBuffer in(wideText(u"Gr\u00FC\u00DF \u20AC\u00B3 \u4E2D") + kMarker);
    char buffer[512];
    EXPECT_EQ(in.readText(buffer, sizeof buffer), 9u);
    EXPECT_STREQ(buffer, "Gr\xFC\xDF \x80\xB3 ?");
    EXPECT_EQ(in.readShort(), 42);
}

TEST(BinStream, Utf16TextOfOddLengthReadsItsLastByteAndDropsIt) {
    BinBuffer in(Bytes{0xFB, 0xFF, 'A', 0, 'B', 0, 'C'} + kMarker);  // L = -5
    char buffer[16];
    EXPECT_EQ(in.readText(buffer, sizeof buffer), 2u);
    EXPECT_STREQ(buffer, "AB");
    EXPECT_EQ(in.readShort(), 42);
}

TEST(BinStream, Utf16TextIsCutByItsConvertedLength) {
    char buffer[512];
    {
        BinBuffer in(wideText(std::u16string(600, u'\u00E4')) + kMarker);
        EXPECT_EQ(in.readText(buffer, sizeof buffer), 511u);
        EXPECT_EQ(std::string(buffer), std::string(511, '\xE4'));
        EXPECT_EQ(in.readShort(), 42);
    }
    {
        // 300 surrogate pairs are 600 units but only 300 converted bytes: all fit.
        std::u16string pairs;
        for (int i = 0; i < 300; ++i) pairs += u"\U0001F600";
        BinBuffer in(wideText(pairs) + kMarker);
        EXPECT_EQ(in.readText(buffer, sizeof buffer), 300u);
        EXPECT_EQ(in.readShort(), 42);
    }
}

TEST(BinStream, ZeroCapacityReadsNothingButSkipsTheText) {
    BinBuffer in(longText(3) + wideText(u"ab") + kMarker);
    char untouched = 'u';
    EXPECT_EQ(in.readText(&untouched, 0), 0u);
    EXPECT_EQ(in.readText(&untouched, 0), 0u);
    EXPECT_EQ(untouched, 'u');
    EXPECT_EQ(in.readShort(), 42);
}

TEST(BinStream, WideTextsRoundTripAndConvertFromWindows1252) {
    BinBuffer out;
    out.writeWideText(u"\u00C4\u20AC!");
    out.writeText("\xC4\x80!");
    out.writeShort(42);
    EXPECT_EQ(Bytes(out.bytes().begin(), out.bytes().begin() + 8), (Bytes{0xFA, 0xFF, 0xC4, 0x00, 0xAC, 0x20, '!', 0}));

    BinBuffer in(out.bytes());
    char16_t buffer[8];
    EXPECT_EQ(in.readWideText(buffer, 8), 3u);
    EXPECT_EQ(std::u16string(buffer), u"\u00C4\u20AC!");
    EXPECT_EQ(in.readWideText(buffer, 3), 2u);  // cut to the buffer, rest skipped
    EXPECT_EQ(std::u16string(buffer), u"\u00C4\u20AC");
    EXPECT_EQ(in.readShort(), 42);
}

TEST(BinStream, BufferReadPastItsEndThrowsWithThePositionBeforeTheRead) {
    BinBuffer in(Bytes{1, 2, 3, 4, 5});
    in.readInt();
    try {
        in.readInt();
        FAIL() << "no error";
    } catch (const BinFileBase::Error& error) {
        EXPECT_EQ(error.code, 0);
        EXPECT_EQ(error.position, 4);
    }
}

class BinFileTest : public ::testing::Test {
protected:
    test::TemporaryFolder folder;
};

TEST_F(BinFileTest, EmptyPathIsAnOpenErrorOf22) {
    BinFile file("", "rb", true);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.openError, 22);
}

TEST_F(BinFileTest, MissingFileGivesTheSystemsErrorNumber) {
    BinFile file(folder.file("missing.tavo"), "rb", true);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.openError, ENOENT);
}

TEST_F(BinFileTest, WritesAndReadsBackThroughTheFile) {
    const std::string path = folder.file("data.bin");
    {
        BinFile out(path, "w+b", true);
        ASSERT_TRUE(out.isOpen());
        out.writeText("Bauwaage");
        out.writePacked(0x1234);
        EXPECT_EQ(out.position, 13);
        EXPECT_TRUE(out.close());
    }
    EXPECT_EQ(test::readFile(path), (Bytes{0x08, 0x00} + bytesOf("Bauwaage") + Bytes{0x02, 0x34, 0x12}));

    BinFile in(path, "rb", true);
    std::string text;
    in.readText(text, -1);
    EXPECT_EQ(text, "Bauwaage");
    EXPECT_EQ(in.readPacked(), 0x1234u);
    in.seek(2);
    EXPECT_EQ(in.position, 2);
    EXPECT_EQ(in.readByte(), 'B');
    in.seekToEnd();
    EXPECT_EQ(in.position, 13);
    EXPECT_EQ(in.tell(), 13);
}

TEST_F(BinFileTest, ShortReadAtTheEndThrowsWithNoSystemError) {
    const std::string path = folder.file("five.bin");
    test::writeFile(path, Bytes(5, 0));
    BinFile file(path, "rb", true);
    errno = EACCES;  // an old number must not pass for the reason
    std::uint8_t buffer[8];
    try {
        file.readRaw(buffer, 8);
        FAIL() << "no error";
    } catch (const BinFileBase::Error& error) {
        EXPECT_EQ(error.code, 0);
        EXPECT_EQ(error.position, 0);
        EXPECT_EQ(error.extra, 0);
    }
}

TEST_F(BinFileTest, ShortReadWithoutThrowingStillAdvances) {
    const std::string path = folder.file("five.bin");
    test::writeFile(path, Bytes(5, 0));
    BinFile file(path, "rb", false);
    std::uint8_t buffer[8];
    EXPECT_EQ(file.readRaw(buffer, 4), 1);
    EXPECT_EQ(file.readRaw(buffer, 4), 0);
    EXPECT_EQ(file.position, 8);
}

TEST_F(BinFileTest, ReadingADirectoryThrowsTheSystemsError) {
    BinFile file(folder.path().string(), "rb", true);
    ASSERT_TRUE(file.isOpen());
    try {
        file.readInt();
        FAIL() << "no error";
    } catch (const BinFileBase::Error& error) {
        EXPECT_EQ(error.code, EISDIR);
    }
}

TEST(FileMessages, MatchTheReportersWording) {
    const std::string reason = std::strerror(EIO);
    EXPECT_EQ(fileErrorMessage(FileOperation::Open, "a.tavo", {EIO, 3, 0}), "Fehler beim Öffnen von a.tavo [3]!\n" + reason);
    EXPECT_EQ(fileErrorMessage(FileOperation::Read, "a.tavo", {EIO, 17, 0}), "Fehler beim Lesen von a.tavo [17]!\n" + reason);
    EXPECT_EQ(fileErrorMessage(FileOperation::Write, "a.tavo", {EIO, 0, 0}), "Fehler beim Schreiben auf a.tavo [0]!\n" + reason);
    EXPECT_EQ(fileErrorMessage(FileOperation::Read, "a.tavo", {-1, 8, 0}), "Datei a.tavo ist fehlerhaft!");
    EXPECT_EQ(fileErrorMessage(FileOperation::Read, "a.tavo", {-2, 12, 2}), "Datei a.tavo hat falsche Version [2]!");
    EXPECT_EQ(fileErrorMessage(FileOperation::Read, "a.tavo", {0, 14, 0}), "Unbekannter Fehler [1,0,14,0]!");
    EXPECT_EQ(fileErrorMessage(FileOperation::Write, "a.tavo", {-3, 5, 9}), "Unbekannter Fehler [2,-3,5,9]!");
    EXPECT_EQ(openErrorMessage("/x/b.tavo", ENOENT),
              "Fehler beim Öffnen von /x/b.tavo [0]!\n" + std::string(std::strerror(ENOENT)));
}

}  // namespace
}  // namespace tavo
