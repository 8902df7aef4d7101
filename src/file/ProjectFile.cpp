#include "file/ProjectFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <concepts>
#include <filesystem>
#include <span>
#include <utility>

#include "file/AtomicWrite.h"
#include "file/TextFile.h"

namespace tavo {
namespace {

constexpr auto kOwn = PermanentLoadTables::kOwn;
static_assert(kOwn == ImposedLoadTables::kOwn);

// The counts a file may hold: what the arrays can take and the model allows. A
// project always has at least one component, one own permanent-load group and
// one own imposed-load table (nothing on the pages removes the last one), so a
// file without them is not one of ours.
struct CountRange {
    int minimum;
    int maximum;
};
constexpr CountRange kComponentRange{1, kMaxComponents};
constexpr CountRange kElementRange{0, kMaxElements};
constexpr CountRange kPermanentRowRange{0, kMaxPermanentRows};
constexpr CountRange kImposedRowRange{0, kMaxImposedRows};
constexpr CountRange kStartPageRange{kMinStartPage, kMaxStartPage};
constexpr CountRange kOwnGroupRange{1, kMaxOwnGroups};
constexpr CountRange kOwnTableRange{0, kMaxOwnTablesPerGroup};
constexpr CountRange kOwnPermanentEntryRange{0, kMaxOwnPermanentEntries};
constexpr CountRange kOwnImposedTableRange{1, kMaxOwnImposedTables};
constexpr CountRange kOwnImposedEntryRange{0, kMaxOwnImposedEntries};

bool isUsedEntry(const std::string& description, const std::string& value) { return !description.empty() || !value.empty(); }

// Reading and writing walk the body in one shared order (transferBody below);
// the two archives say what a step does in each direction.

class Reader {
public:
    explicit Reader(BinFileBase& stream) : stream_(stream) {}

    void text(std::string& text, int maxBytes = kMaxStoredTextBytes) { stream_.readText(text, maxBytes); }

    // A 16-bit number, sign-extended into a wider field.
    template <std::integral T>
    void number(T& field) {
        field = static_cast<T>(std::int32_t{stream_.readShort()});
    }

    // A value the pages keep within a range is held there, so that every file
    // that opens can be edited and exported as it is.
    template <std::integral T>
    void number(T& field, CountRange range) {
        field = static_cast<T>(std::clamp(std::int32_t{stream_.readShort()}, range.minimum, range.maximum));
    }

    // A count the arrays cannot hold, or the model forbids, makes the file faulty.
    template <std::integral T>
    int count(T& field, CountRange range) {
        const int value = stream_.readShort();
        if (value < range.minimum || value > range.maximum) stream_.throwError(BinFileBase::Error::kFaultyFile, 0);
        field = static_cast<T>(value);
        return value;
    }

    template <std::integral T, std::size_t Slots>
    int entryCount(T& field, CountRange range, const std::string (&)[Slots], const std::string (&)[Slots]) {
        return count(field, range);
    }

    // The file holds the used entries only; they fill the table from its first slot.
    template <std::size_t Slots>
    void entries(std::string (&descriptions)[Slots], std::string (&values)[Slots], int count) {
        for (int i = 0; i < count; ++i) {
            text(descriptions[i]);
            text(values[i]);
        }
    }

private:
    BinFileBase& stream_;
};

class Writer {
public:
    explicit Writer(BinFileBase& stream) : stream_(stream) {}

    // The model holds no more than the reader keeps.
    void text(const std::string& text, int /*maxBytes*/ = kMaxStoredTextBytes) { stream_.writeText(text); }

    template <std::integral T>
    void number(T field) {
        stream_.writeShort(static_cast<std::int32_t>(field));
    }

    template <std::integral T>
    void number(T field, CountRange range) {
        stream_.writeShort(std::clamp(static_cast<std::int32_t>(field), range.minimum, range.maximum));
    }

    // The pages keep every count in range; holding it there here as well means
    // that no file this writes is one the reader refuses.
    template <std::integral T>
    int count(T field, CountRange range) {
        const int value = std::clamp(static_cast<int>(field), range.minimum, range.maximum);
        stream_.writeShort(value);
        return value;
    }

    // The head must promise exactly the entries that follow, even when a count
    // is out of step with the used slots: otherwise the rest of the file would
    // be read from the wrong place.
    template <std::integral T, std::size_t Slots>
    int entryCount(T field, CountRange range, const std::string (&descriptions)[Slots], const std::string (&values)[Slots]) {
        int used = 0;
        for (std::size_t slot = 0; slot < Slots; ++slot) used += isUsedEntry(descriptions[slot], values[slot]) ? 1 : 0;
        const int value = std::min(std::clamp(static_cast<int>(field), range.minimum, range.maximum), used);
        stream_.writeShort(value);
        return value;
    }

    // The first count used entries in slot order, closing the gaps between them.
    template <std::size_t Slots>
    void entries(const std::string (&descriptions)[Slots], const std::string (&values)[Slots], int count) {
        for (std::size_t slot = 0; slot < Slots && count > 0; ++slot) {
            if (!isUsedEntry(descriptions[slot], values[slot])) continue;
            text(descriptions[slot]);
            text(values[slot]);
            --count;
        }
    }

private:
    BinFileBase& stream_;
};

// Archive is Reader or Writer; the sections are const for writing.

template <typename Archive, typename Row>
void transferRow(Archive& archive, Row& row) {
    archive.text(row.description);
    archive.number(row.rowUnit);
    for (const auto field : storedTexts(row)) archive.text(row.*field);
}

template <typename Archive, typename Project>
void transferComponents(Archive& archive, Project& project) {
    const int components = archive.count(project.componentCount, kComponentRange);
    std::array<int, kMaxComponents> elements{};
    for (int c = 0; c < components; ++c) {
        archive.text(project.componentNames[c]);
        elements[c] = archive.count(project.elementCount[c], kElementRange);
    }

    std::array<std::array<int, kMaxElements>, kMaxComponents> permanentRows{};
    std::array<std::array<int, kMaxElements>, kMaxComponents> imposedRows{};
    for (int c = 0; c < components; ++c) {
        for (int e = 0; e < elements[c]; ++e) {
            archive.text(project.elementNames[c][e]);
            permanentRows[c][e] = archive.count(project.permRowCount[c][e], kPermanentRowRange);
            imposedRows[c][e] = archive.count(project.imposedRowCount[c][e], kImposedRowRange);
        }
    }

    for (int c = 0; c < components; ++c) {
        for (int e = 0; e < elements[c]; ++e) {
            for (int r = 0; r < permanentRows[c][e]; ++r) transferRow(archive, project.permanentRow(c, e, r));
            for (int r = 0; r < imposedRows[c][e]; ++r) transferRow(archive, project.imposedRow(c, e, r));
        }
    }
}

// All table heads first, then all entries; a head holds the unit before the count.
template <typename Archive, typename Tables>
void transferOwnPermanentTables(Archive& archive, Tables& tables) {
    const int groups = archive.count(tables.ownGroupCount, kOwnGroupRange);
    std::array<int, kMaxOwnGroups> tableCounts{};
    for (int g = 0; g < groups; ++g) {
        archive.text(tables.ownGroupNames[g]);
        tableCounts[g] = archive.count(tables.tableCount[kOwn][g], kOwnTableRange);
    }

    std::array<std::array<int, kMaxOwnTablesPerGroup>, kMaxOwnGroups> entryCounts{};
    for (int g = 0; g < groups; ++g) {
        for (int t = 0; t < tableCounts[g]; ++t) {
            archive.text(tables.tableNames[kOwn][g][t]);
            archive.number(tables.ownTableUnit[g][t]);
            entryCounts[g][t] = archive.entryCount(tables.entryCount[kOwn][g][t], kOwnPermanentEntryRange,
                                                   tables.description[kOwn][g][t], tables.value[kOwn][g][t]);
        }
    }

    for (int g = 0; g < groups; ++g) {
        for (int t = 0; t < tableCounts[g]; ++t) {
            archive.entries(tables.description[kOwn][g][t], tables.value[kOwn][g][t], entryCounts[g][t]);
        }
    }
}

// Each head followed at once by its entries; a head holds the count before the unit.
template <typename Archive, typename Tables>
void transferOwnImposedTables(Archive& archive, Tables& tables) {
    const int tableCount = archive.count(tables.ownTableCount, kOwnImposedTableRange);
    for (int t = 0; t < tableCount; ++t) {
        archive.text(tables.ownTableNames[t]);
        const int entryCount = archive.entryCount(tables.entryCount[kOwn][t], kOwnImposedEntryRange, tables.description[kOwn][t],
                                                  tables.value[kOwn][t]);
        archive.number(tables.ownTableUnit[t]);
        archive.entries(tables.description[kOwn][t], tables.value[kOwn][t], entryCount);
    }
}

template <typename Archive, typename Project>
void transferBody(Archive& archive, Project& project) {
    archive.text(project.titleLines[0], kMaxTitleLineChars);
    archive.text(project.titleLines[1], kMaxTitleLineChars);
    archive.number(project.startPage, kStartPageRange);
    transferComponents(archive, project);
    transferOwnPermanentTables(archive, project.permanentTables);
    transferOwnImposedTables(archive, project.imposedTables);
}

FileOutcome failure(std::string message) { return {false, std::move(message)}; }


}  // namespace

std::span<const PermanentText> storedTexts(const PermanentRow& row) {
    static constexpr PermanentText kLayer[] = {&PermanentRow::unitWeight, &PermanentRow::thickness, &PermanentRow::areaLoad,
                                               &PermanentRow::influenceWidth, &PermanentRow::lineLoad};
    static constexpr PermanentText kArea[] = {&PermanentRow::areaLoad, &PermanentRow::influenceWidth, &PermanentRow::lineLoad};
    static constexpr PermanentText kLine[] = {&PermanentRow::lineLoad};
    static constexpr PermanentText kPoint[] = {&PermanentRow::pointLoad};
    switch (static_cast<std::int16_t>(row.rowUnit)) {
        case PermanentUnit::Layer:
            return kLayer;
        case PermanentUnit::AreaLoad:
            return kArea;
        case PermanentUnit::LineLoad:
            return kLine;
        default:
            return kPoint;
    }
}

std::span<const ImposedText> storedTexts(const ImposedRow& row) {
    static constexpr ImposedText kArea[] = {&ImposedRow::areaLoad, &ImposedRow::influenceWidth, &ImposedRow::lineLoad};
    static constexpr ImposedText kLine[] = {&ImposedRow::lineLoad};
    static constexpr ImposedText kPoint[] = {&ImposedRow::pointLoad};
    switch (static_cast<std::int16_t>(row.rowUnit)) {
        case ImposedUnit::AreaLoad:
            return kArea;
        case ImposedUnit::LineLoad:
            return kLine;
        default:
            return kPoint;
    }
}

std::int32_t readProject(BinFileBase& stream, ProjectData& project) {
    std::array<char, sizeof kProjectMagic> magic{};
    stream.readBytes(magic.data(), magic.size());
    if (!std::ranges::equal(magic, kProjectMagic)) stream.throwError(BinFileBase::Error::kFaultyFile, 0);
    const std::int32_t version = stream.readInt();
    if (version < 1 || version > kProjectFileVersion) stream.throwError(BinFileBase::Error::kWrongVersion, version);
    Reader reader(stream);
    transferBody(reader, project);
    return version;
}

void writeProject(BinFileBase& stream, const ProjectData& project) {
    stream.writeBytes(kProjectMagic, sizeof kProjectMagic);
    stream.writeInt(kProjectFileVersion);
    Writer writer(stream);
    transferBody(writer, project);
}

FileOutcome loadProjectFile(const std::string& path, ProjectData& project, std::int32_t& version) {
    std::string bytes;
    FileOperation failedAt{};
    if (const std::error_code error = readWholeFile(path, bytes, kMaxProjectFileBytes, failedAt)) {
        if (failedAt == FileOperation::Open) return failure(openErrorMessage(path, error.value()));
        return failure(fileErrorMessage(FileOperation::Read, path, {error.value(), static_cast<std::int32_t>(bytes.size()), 0}));
    }
    BinBuffer stream(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    project.reset();
    try {
        version = readProject(stream, project);
    } catch (const BinFileBase::Error& error) {
        project.reset();
        return failure(fileErrorMessage(FileOperation::Read, path, error));
    }
    return {};
}

FileOutcome saveProjectFile(const std::string& path, const ProjectData& project) {
    BinBuffer buffer;
    writeProject(buffer, project);
    const std::vector<std::uint8_t>& bytes = buffer.bytes();
    const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (const SaveFailure failed = saveFile(path, content)) return failure(saveFailureMessage(path, failed));
    return {};
}

}  // namespace tavo
