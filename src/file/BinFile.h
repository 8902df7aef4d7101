#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tavo {

// A binary stream of fixed-width little-endian values and length-prefixed texts,
// built on two raw block operations. Failures throw BinFileBase::Error.
class BinFileBase {
public:
    struct Error {
        static constexpr std::int32_t kFaultyFile = -1;
        static constexpr std::int32_t kWrongVersion = -2;

        std::int32_t code = 0;      // > 0 system error number; -1 not our kind of file; -2 version
        std::int32_t position = 0;  // stream position when the error arose
        std::int32_t extra = 0;     // the version found, for code -2
    };

    virtual ~BinFileBase() = default;

    [[noreturn]] void throwError(std::int32_t code, std::int32_t extra) const;

    virtual void rewind() = 0;
    virtual void seek(std::int32_t offset) = 0;
    virtual void seekToEnd() = 0;
    virtual std::int32_t tell() = 0;
    virtual void truncate(std::int32_t size) = 0;
    // One block of size bytes; returns 1 when transferred whole, else 0 (or throws).
    virtual int writeRaw(const void* buffer, std::size_t size) = 0;
    virtual int readRaw(void* buffer, std::size_t size) = 0;

    std::uint8_t readByte();
    std::int16_t readShort();
    std::int32_t readInt();
    std::int64_t readInt64();
    std::uint64_t readPacked();
    float readFloat();
    double readDouble();
    std::size_t readBytes(void* buffer, std::size_t n);
    void readShorts(std::int16_t* values, std::size_t n);
    void readInts(std::int32_t* values, std::size_t n);
    void readDoubles(double* values, std::size_t n);
    std::pair<double, double> readDoublePair();
    // Reads a stored text into at most capacity - 1 bytes (terminated), skipping the
    // rest of a longer text; a UTF-16 text is converted to 8-bit. Returns its length.
    std::size_t readText(char* buffer, std::size_t capacity);
    // Reads a stored text whole (maxLength -1) or cut to maxLength bytes.
    void readText(std::string& text, int maxLength);
    std::size_t readWideText(char16_t* buffer, std::size_t capacity);

    void writeByte(std::uint8_t value);
    void writeShort(std::int32_t value);  // the low 16 bits
    void writeInt(std::int32_t value);
    void writeInt64(std::int64_t value);
    void writePacked(std::uint64_t value);
    void writeFloat(float value);
    void writeDouble(double value);
    void writeBytes(const void* buffer, std::size_t n);
    void writeShorts(const std::int16_t* values, std::size_t n);
    void writeInts(const std::int32_t* values, std::size_t n);
    void writeDoubles(const double* values, std::size_t n);
    void writeDoublePair(double first, double second);
    void writeText(const std::string& text);
    void writeWideText(const std::u16string& text);

    std::int32_t position = 0;
    std::uint32_t codePage = 0;  // 0: the program's code page, Windows-1252
    std::int32_t openError = 0;
};

// The stream on a file of the C run-time.
class BinFile : public BinFileBase {
public:
    // mode "rb" to read, "w+b" to write. An empty path sets openError 22.
    BinFile(const std::string& path, const char* mode, bool throwOnError);
    ~BinFile() override;
    BinFile(const BinFile&) = delete;
    BinFile& operator=(const BinFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    // Closes the file; true when everything written reached the disk.
    bool close();
    void setDeleteOnClose(bool flag) { deleteOnClose_ = flag; }
    const std::string& path() const { return path_; }

    void rewind() override;
    void seek(std::int32_t offset) override;
    void seekToEnd() override;
    std::int32_t tell() override;
    void truncate(std::int32_t size) override;
    int writeRaw(const void* buffer, std::size_t size) override;
    int readRaw(void* buffer, std::size_t size) override;

private:
    std::string path_;
    std::FILE* file_ = nullptr;
    bool throwOnError_ = false;
    bool deleteOnClose_ = false;
    bool writable_ = false;  // opened for writing: closing must bring it to the disk
};

// The stream on bytes in memory: for tests, the fuzzer and the benchmarks.
class BinBuffer : public BinFileBase {
public:
    BinBuffer() = default;
    explicit BinBuffer(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    void rewind() override;
    void seek(std::int32_t offset) override;
    void seekToEnd() override;
    std::int32_t tell() override;
    void truncate(std::int32_t size) override;
    int writeRaw(const void* buffer, std::size_t size) override;
    int readRaw(void* buffer, std::size_t size) override;

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t offset_ = 0;
};

enum class FileOperation { Open = 0, Read = 1, Write = 2 };

// The user's message for a stream error (UTF-8), exactly as the file reporter words it.
std::string fileErrorMessage(FileOperation operation, const std::string& path, const BinFileBase::Error& error);

// The message for a file that could not be opened, with the system's error number.
std::string openErrorMessage(const std::string& path, int errorNumber);

}  // namespace tavo
