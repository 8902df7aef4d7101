#include "file/BinFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <limits>
#include <tuple>

#include "file/NativeFile.h"
#include "file/SystemErrorText.h"
#include "model/Numbers.h"
#include "model/Windows1252.h"

namespace tavo {
namespace {

// The unsigned integer of T's size (1, 2, 4 or 8 bytes), which holds T's bits.
template <typename T>
using BitsOf =
    std::tuple_element_t<std::bit_width(sizeof(T)) - 1, std::tuple<std::uint8_t, std::uint16_t, std::uint32_t, std::uint64_t>>;

// The stream's byte order is fixed, whatever the host's.
template <typename T>
T decodeLittleEndian(const std::uint8_t* bytes) {
    BitsOf<T> bits = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) bits = static_cast<BitsOf<T>>((bits << 8) | bytes[i]);
    return std::bit_cast<T>(bits);
}

template <typename T>
void encodeLittleEndian(T value, std::uint8_t* bytes) {
    const auto bits = std::bit_cast<BitsOf<T>>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

// Arrays go through one raw transfer, as the stream's array operations promise.
template <typename T>
void readValues(BinFileBase& stream, T* values, std::size_t n) {
    std::vector<std::uint8_t> bytes(n * sizeof(T));
    stream.readRaw(bytes.data(), bytes.size());
    for (std::size_t i = 0; i < n; ++i) values[i] = decodeLittleEndian<T>(&bytes[i * sizeof(T)]);
}

template <typename T>
void writeValues(BinFileBase& stream, const T* values, std::size_t n) {
    std::vector<std::uint8_t> bytes(n * sizeof(T));
    for (std::size_t i = 0; i < n; ++i) encodeLittleEndian(values[i], &bytes[i * sizeof(T)]);
    stream.writeRaw(bytes.data(), bytes.size());
}

template <typename T>
T readValue(BinFileBase& stream) {
    std::array<std::uint8_t, sizeof(T)> bytes{};
    stream.readRaw(bytes.data(), bytes.size());
    return decodeLittleEndian<T>(bytes.data());
}

template <typename T>
void writeValue(BinFileBase& stream, T value) {
    std::array<std::uint8_t, sizeof(T)> bytes{};
    encodeLittleEndian(value, bytes.data());
    stream.writeRaw(bytes.data(), bytes.size());
}

// A stored text is at most what its signed 16-bit length can say.
constexpr std::size_t kMaxTextBytes = std::numeric_limits<std::int16_t>::max();
constexpr std::size_t kMaxWideTextUnits = (kMaxTextBytes + 1) / 2;
constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max();

// One byte at a time, so that a file that ends inside the skipped part fails at
// the exact offset of the first missing byte.
void skipBytes(BinFileBase& stream, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) stream.readByte();
}

// The UTF-16 form of a stored text: -length bytes; an odd last byte is read but
// belongs to no character.
std::u16string readWideUnits(BinFileBase& stream, std::int16_t length) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(-static_cast<int>(length)));
    stream.readRaw(bytes.data(), bytes.size());
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) units[i] = decodeLittleEndian<char16_t>(&bytes[2 * i]);
    return units;
}

// The 8-bit conversion of the longest leading part of units that has at most
// maxBytes bytes. Dropping characters from the end never lengthens the
// conversion, so the cut is found by halving instead of one character at a time.
std::string convertFitting(std::u16string_view units, std::size_t maxBytes) {
    std::string whole = utf16ToWindows1252(units);
    if (whole.size() <= maxBytes) return whole;
    std::size_t fits = 0;
    std::size_t tooLong = units.size();
    while (tooLong - fits > 1) {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        if (utf16ToWindows1252(units.substr(0, middle)).size() <= maxBytes) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    return utf16ToWindows1252(units.substr(0, fits));
}

// A stored text in 8-bit form, cut to maxBytes; the stream ends up after the
// whole stored text either way.
std::string readStoredText(BinFileBase& stream, std::size_t maxBytes) {
    const std::int16_t length = stream.readShort();
    if (length < 0) return convertFitting(readWideUnits(stream, length), maxBytes);
    const auto stored = static_cast<std::size_t>(length);
    std::string text(std::min(stored, maxBytes), '\0');
    stream.readBytes(text.data(), text.size());
    skipBytes(stream, stored - text.size());
    return text;
}

// Windows-1252 lies wholly in the Basic Multilingual Plane, so its UTF-8 form
// has sequences of one to three bytes, each one UTF-16 unit.
std::u16string windows1252ToUtf16(std::string_view text) {
    const std::string utf8 = windows1252ToUtf8(text);
    std::u16string units;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i++]);
        const std::size_t followers = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : 2;
        char32_t codePoint = followers == 0 ? lead : lead & (followers == 1 ? 0x1Fu : 0x0Fu);
        for (std::size_t k = 0; k < followers && i < utf8.size(); ++k) {
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i++]) & 0x3Fu);
        }
        units.push_back(static_cast<char16_t>(codePoint));
    }
    return units;
}

// What every raw transfer does once it has tried: throw with the system's error
// number, or advance the position even past a short transfer.
// A read that runs out of file without a system error met a file that ends
// before its content does: a faulty file, like any other malformed one.
int settleTransfer(BinFileBase& stream, bool whole, bool throwOnError, std::size_t size, bool reading) {
    if (!whole && throwOnError) stream.throwError(errno != 0 ? errno : reading ? BinFileBase::Error::kFaultyFile : EIO, 0);
    stream.position += static_cast<std::int32_t>(size);
    return whole ? 1 : 0;
}

std::string failureMessage(FileOperation operation, const std::string& path, std::int32_t position, int errorNumber) {
    const std::string reason = systemErrorText(errorNumber);
    switch (operation) {
        case FileOperation::Open:
            return formatString("Fehler beim Öffnen von %s [%d]!\n%s", path.c_str(), position, reason.c_str());
        case FileOperation::Read:
            return formatString("Fehler beim Lesen von %s [%d]!\n%s", path.c_str(), position, reason.c_str());
        case FileOperation::Write:
            return formatString("Fehler beim Schreiben auf %s [%d]!\n%s", path.c_str(), position, reason.c_str());
    }
    return {};
}

}  // namespace

// --- BinFileBase -------------------------------------------------------------

void BinFileBase::throwError(std::int32_t code, std::int32_t extra) const { throw Error{code, position, extra}; }

std::uint8_t BinFileBase::readByte() { return readValue<std::uint8_t>(*this); }
std::int16_t BinFileBase::readShort() { return readValue<std::int16_t>(*this); }
std::int32_t BinFileBase::readInt() { return readValue<std::int32_t>(*this); }
std::int64_t BinFileBase::readInt64() { return readValue<std::int64_t>(*this); }
float BinFileBase::readFloat() { return readValue<float>(*this); }
double BinFileBase::readDouble() { return readValue<double>(*this); }

std::uint64_t BinFileBase::readPacked() {
    std::vector<std::uint8_t> bytes(readByte());
    readBytes(bytes.data(), bytes.size());
    // A count above 8 comes only from a damaged file: its extra bytes are read
    // to stay in step, but there is no room for them in the value.
    std::uint64_t value = 0;
    for (std::size_t i = std::min<std::size_t>(bytes.size(), 8); i-- > 0;) value = (value << 8) | bytes[i];
    return value;
}

std::size_t BinFileBase::readBytes(void* buffer, std::size_t n) {
    // The count of bytes read: n, or 0 after a short read on a stream that does not throw.
    return readRaw(buffer, n) == 1 ? n : 0;
}

void BinFileBase::readShorts(std::int16_t* values, std::size_t n) { readValues(*this, values, n); }
void BinFileBase::readInts(std::int32_t* values, std::size_t n) { readValues(*this, values, n); }
void BinFileBase::readDoubles(double* values, std::size_t n) { readValues(*this, values, n); }

std::pair<double, double> BinFileBase::readDoublePair() {
    const double first = readDouble();
    return {first, readDouble()};
}

std::size_t BinFileBase::readText(char* buffer, std::size_t capacity) {
    const std::string text = readStoredText(*this, capacity == 0 ? 0 : capacity - 1);
    if (capacity > 0) {
        std::memcpy(buffer, text.data(), text.size());
        buffer[text.size()] = '\0';
    }
    return text.size();
}

void BinFileBase::readText(std::string& text, int maxLength) {
    text = readStoredText(*this, maxLength < 0 ? kUnlimited : static_cast<std::size_t>(maxLength));
}

std::size_t BinFileBase::readWideText(char16_t* buffer, std::size_t capacity) {
    const std::int16_t length = readShort();
    std::u16string units;
    if (length < 0) {
        units = readWideUnits(*this, length);
    } else {
        std::string text(static_cast<std::size_t>(length), '\0');
        readBytes(text.data(), text.size());
        units = windows1252ToUtf16(text);
    }
    if (capacity == 0) return 0;
    const std::size_t count = std::min(units.size(), capacity - 1);
    std::copy_n(units.begin(), count, buffer);
    buffer[count] = u'\0';
    return count;
}

void BinFileBase::writeByte(std::uint8_t value) { writeValue(*this, value); }
void BinFileBase::writeShort(std::int32_t value) { writeValue(*this, static_cast<std::int16_t>(value)); }
void BinFileBase::writeInt(std::int32_t value) { writeValue(*this, value); }
void BinFileBase::writeInt64(std::int64_t value) { writeValue(*this, value); }
void BinFileBase::writeFloat(float value) { writeValue(*this, value); }
void BinFileBase::writeDouble(double value) { writeValue(*this, value); }

void BinFileBase::writePacked(std::uint64_t value) {
    std::array<std::uint8_t, 8> bytes{};
    encodeLittleEndian(value, bytes.data());
    std::size_t significant = bytes.size();
    while (significant > 0 && bytes[significant - 1] == 0) --significant;
    writeByte(static_cast<std::uint8_t>(significant));
    writeBytes(bytes.data(), significant);
}

void BinFileBase::writeBytes(const void* buffer, std::size_t n) { writeRaw(buffer, n); }
void BinFileBase::writeShorts(const std::int16_t* values, std::size_t n) { writeValues(*this, values, n); }
void BinFileBase::writeInts(const std::int32_t* values, std::size_t n) { writeValues(*this, values, n); }
void BinFileBase::writeDoubles(const double* values, std::size_t n) { writeValues(*this, values, n); }

void BinFileBase::writeDoublePair(double first, double second) {
    writeDouble(first);
    writeDouble(second);
}

void BinFileBase::writeText(const std::string& text) {
    // A longer text would need a length that reads back as negative, that is as
    // UTF-16, and put the rest of the file out of step; no reader keeps more anyway.
    const std::size_t length = std::min(text.size(), kMaxTextBytes);
    writeShort(static_cast<std::int32_t>(length));
    if (length >= 1) writeBytes(text.data(), length);
}

void BinFileBase::writeWideText(const std::u16string& text) {
    const std::size_t count = std::min(text.size(), kMaxWideTextUnits);
    writeShort(-static_cast<std::int32_t>(2 * count));
    writeValues(*this, text.data(), count);
}

// --- BinFile -----------------------------------------------------------------

BinFile::BinFile(const std::string& path, const char* mode, bool throwOnError) : path_(path), throwOnError_(throwOnError) {
    if (path.empty()) {
        openError = EINVAL;
        return;
    }
    // Unlike the shared open of Windows, this does not lock other processes out;
    // saving goes through a temporary file anyway.
    errno = 0;
    file_ = std::fopen(path.c_str(), mode);
    if (file_ == nullptr) {
        openError = errno != 0 ? errno : EIO;
        return;
    }
    writable_ = std::strpbrk(mode, "wa+") != nullptr;
    position = tell();
}

BinFile::~BinFile() {
    close();
    if (deleteOnClose_) std::remove(path_.c_str());
}

bool BinFile::close() {
    if (file_ == nullptr) return true;
    // What was written must be on the disk before a save may replace the old file.
    const bool complete = !writable_ || (std::fflush(file_) == 0 && native::syncFile(file_));
    const int firstError = errno;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!complete) errno = firstError;
    return complete && closed;
}

void BinFile::rewind() { seek(0); }

void BinFile::seek(std::int32_t offset) {
    if (file_ == nullptr) return;
    std::fseek(file_, offset, SEEK_SET);
    position = tell();
}

void BinFile::seekToEnd() {
    if (file_ == nullptr) return;
    std::fseek(file_, 0, SEEK_END);
    position = tell();
}

std::int32_t BinFile::tell() { return file_ != nullptr ? static_cast<std::int32_t>(std::ftell(file_)) : -1; }

void BinFile::truncate(std::int32_t size) {
    if (file_ != nullptr && std::fflush(file_) == 0) native::truncateFile(file_, size);
}

int BinFile::writeRaw(const void* buffer, std::size_t size) {
    errno = file_ != nullptr ? 0 : EBADF;
    const bool whole = size == 0 || (file_ != nullptr && std::fwrite(buffer, size, 1, file_) == 1);
    return settleTransfer(*this, whole, throwOnError_, size, false);
}

int BinFile::readRaw(void* buffer, std::size_t size) {
    // Reset first: a read that stops at the end of the file leaves errno alone,
    // and an old number would be reported as its reason.
    errno = file_ != nullptr ? 0 : EBADF;
    const bool whole = size == 0 || (file_ != nullptr && std::fread(buffer, size, 1, file_) == 1);
    return settleTransfer(*this, whole, throwOnError_, size, true);
}

// --- BinBuffer ---------------------------------------------------------------

void BinBuffer::rewind() { seek(0); }

void BinBuffer::seek(std::int32_t offset) {
    if (offset < 0) return;
    offset_ = static_cast<std::size_t>(offset);
    position = offset;
}

void BinBuffer::seekToEnd() { seek(static_cast<std::int32_t>(bytes_.size())); }

std::int32_t BinBuffer::tell() { return static_cast<std::int32_t>(offset_); }

void BinBuffer::truncate(std::int32_t size) {
    if (size >= 0) bytes_.resize(static_cast<std::size_t>(size));
}

int BinBuffer::writeRaw(const void* buffer, std::size_t size) {
    if (size == 0) return 1;
    if (bytes_.size() < offset_ + size) bytes_.resize(offset_ + size);
    std::memcpy(bytes_.data() + offset_, buffer, size);
    offset_ += size;
    position += static_cast<std::int32_t>(size);
    return 1;
}

int BinBuffer::readRaw(void* buffer, std::size_t size) {
    if (size == 0) return 1;
    // Running out of bytes fails like a file read at its end.
    if (offset_ > bytes_.size() || size > bytes_.size() - offset_) throwError(Error::kFaultyFile, 0);
    std::memcpy(buffer, bytes_.data() + offset_, size);
    offset_ += size;
    position += static_cast<std::int32_t>(size);
    return 1;
}

// --- Messages ----------------------------------------------------------------

std::string fileErrorMessage(FileOperation operation, const std::string& path, const BinFileBase::Error& error) {
    if (error.code > 0) return failureMessage(operation, path, error.position, error.code);
    if (error.code == BinFileBase::Error::kFaultyFile) return formatString("Datei %s ist fehlerhaft!", path.c_str());
    if (error.code == BinFileBase::Error::kWrongVersion) {
        return formatString("Datei %s hat falsche Version [%d]!", path.c_str(), error.extra);
    }
    return formatString("Unbekannter Fehler [%d,%d,%d,%d]!", static_cast<int>(operation), error.code, error.position,
                        error.extra);
}

std::string openErrorMessage(const std::string& path, int errorNumber) {
    return failureMessage(FileOperation::Open, path, 0, errorNumber);
}

}  // namespace tavo
