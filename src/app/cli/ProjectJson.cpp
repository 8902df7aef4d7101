#include "app/cli/ProjectJson.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QLatin1String>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "app/cli/JsonWriter.h"
#include "file/ProjectFile.h"
#include "model/Numbers.h"
#include "model/Windows1252.h"
#include "ui/FieldEntry.h"

namespace tavo {
namespace {

constexpr const char* kFormat = "tavo-json";
constexpr int kVersion = 1;

constexpr std::int32_t kShortMin = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t kShortMax = std::numeric_limits<std::int16_t>::max();

template <typename Row>
using RowText = std::pair<const char*, std::string Row::*>;

// The texts of a row after its unit code, in the order of the JSON shape.
constexpr RowText<PermanentRow> kPermanentTexts[] = {
    {"unitWeight", &PermanentRow::unitWeight},         {"thickness", &PermanentRow::thickness},
    {"areaLoad", &PermanentRow::areaLoad},             {"influenceWidth", &PermanentRow::influenceWidth},
    {"lineLoad", &PermanentRow::lineLoad},             {"pointLoad", &PermanentRow::pointLoad}};
constexpr RowText<ImposedRow> kImposedTexts[] = {{"areaLoad", &ImposedRow::areaLoad},
                                                 {"influenceWidth", &ImposedRow::influenceWidth},
                                                 {"lineLoad", &ImposedRow::lineLoad},
                                                 {"pointLoad", &ImposedRow::pointLoad}};

constexpr auto kOwn = PermanentLoadTables::kOwn;

// ---------------------------------------------------------------- export

std::string utf8(const std::string& text) { return windows1252ToUtf8(text); }

// The slots of an own table that the file keeps, exactly as the writer picks them:
// used slots in slot order, no more than the table's count.
std::vector<int> storedEntrySlots(const std::string* descriptions, const std::string* values, int slotCount, int count) {
    std::vector<int> stored;
    for (int slot = 0; slot < slotCount && static_cast<int>(stored.size()) < count; ++slot) {
        if (!descriptions[slot].empty() || !values[slot].empty()) stored.push_back(slot);
    }
    return stored;
}

template <typename Row, std::size_t N>
void writeRows(JsonWriter& w, const char* key, const Row* rows, int count, const RowText<Row> (&texts)[N]) {
    w.key(key);
    w.beginArray();
    for (int r = 0; r < count; ++r) {
        w.beginObject();
        w.member("description", utf8(rows[r].description));
        w.member("rowUnit", rows[r].rowUnit);
        for (const auto& [name, text] : texts) w.member(name, utf8(rows[r].*text));
        w.endObject();
    }
    w.endArray();
}

void writeComponents(JsonWriter& w, const ProjectData& p) {
    w.key("components");
    w.beginArray();
    for (int c = 0; c < p.componentCount; ++c) {
        w.beginObject();
        w.member("name", utf8(p.componentNames[c]));
        w.key("elements");
        w.beginArray();
        for (int e = 0; e < p.elementCount[c]; ++e) {
            w.beginObject();
            w.member("name", utf8(p.elementNames[c][e]));
            writeRows(w, "permanent", &p.permanentRow(c, e, 0), p.permRowCount[c][e], kPermanentTexts);
            writeRows(w, "imposed", &p.imposedRow(c, e, 0), p.imposedRowCount[c][e], kImposedTexts);
            w.endObject();
        }
        w.endArray();
        w.endObject();
    }
    w.endArray();
}

struct OwnTableView {
    const std::string& name;
    std::int32_t unit;
    const std::string* descriptions;
    const std::string* values;
    int slotCount;
    int count;
};

void writeOwnTable(JsonWriter& w, const OwnTableView& table) {
    w.beginObject();
    w.member("name", utf8(table.name));
    w.member("unit", table.unit);
    w.key("entries");
    w.beginArray();
    for (const int slot : storedEntrySlots(table.descriptions, table.values, table.slotCount, table.count)) {
        w.beginObject();
        w.member("description", utf8(table.descriptions[slot]));
        w.member("value", utf8(table.values[slot]));
        w.endObject();
    }
    w.endArray();
    w.endObject();
}

void writeOwnPermanentGroups(JsonWriter& w, const PermanentLoadTables& tables) {
    w.key("ownPermanentGroups");
    w.beginArray();
    for (int g = 0; g < static_cast<int>(tables.ownGroupCount); ++g) {
        w.beginObject();
        w.member("name", utf8(tables.ownGroupNames[g]));
        w.key("tables");
        w.beginArray();
        for (int t = 0; t < tables.tableCount[kOwn][g]; ++t) {
            // The unit field is unsigned but was read sign-extended from 16 bits.
            writeOwnTable(w, {tables.tableNames[kOwn][g][t], static_cast<std::int32_t>(tables.ownTableUnit[g][t]),
                              tables.description[kOwn][g][t], tables.value[kOwn][g][t], PermanentLoadTables::kEntries,
                              tables.entryCount[kOwn][g][t]});
        }
        w.endArray();
        w.endObject();
    }
    w.endArray();
}

void writeOwnImposedTables(JsonWriter& w, const ImposedLoadTables& tables) {
    w.key("ownImposedTables");
    w.beginArray();
    for (int t = 0; t < tables.ownTableCount; ++t) {
        writeOwnTable(w, {tables.ownTableNames[t], tables.ownTableUnit[t], tables.description[kOwn][t],
                          tables.value[kOwn][t], ImposedLoadTables::kEntries, tables.entryCount[kOwn][t]});
    }
    w.endArray();
}

// ---------------------------------------------------------------- import

// The first fault found; it ends the import.
struct JsonFault {
    std::string path;
    std::string message;
};

[[noreturn]] void fail(std::string path, std::string message) { throw JsonFault{std::move(path), std::move(message)}; }

std::string memberPath(const std::string& parent, const std::string& key) {
    return parent.empty() ? key : parent + '.' + key;
}

std::string itemPath(const std::string& list, qsizetype index) { return list + '[' + std::to_string(index) + ']'; }

// A text as the project holds it, or a refusal: nothing may be changed or cut on the way.
std::string readText(const QJsonValue& value, const std::string& path, int maxChars = kMaxStoredTextBytes) {
    if (!value.isString()) fail(path, "Text erwartet.");
    const std::u16string typed = value.toString().toStdU16String();
    if (const std::optional<char32_t> refused = firstUnencodable(typed)) fail(path, unencodableCharacterMessage(*refused));
    std::string text = utf16ToWindows1252(typed);
    if (text.size() > static_cast<std::size_t>(maxChars)) {
        fail(path, formatString("Text zu lang (%zu Zeichen, höchstens %d).", text.size(), maxChars));
    }
    return text;
}

std::int32_t readInteger(const QJsonValue& value, const std::string& path, std::int32_t min, std::int32_t max) {
    const double number = value.toDouble();
    if (!value.isDouble() || number != std::floor(number)) fail(path, "Ganze Zahl erwartet.");
    if (number < min || number > max) {
        fail(path, formatString("Die Zahl %.15g liegt nicht zwischen %d und %d.", number, min, max));
    }
    return static_cast<std::int32_t>(number);
}

struct CountLimit {
    int min;
    int max;
    const char* items;  // plural noun for the message
};

constexpr CountLimit kTitleLineLimit{2, 2, "Überschriftszeilen"};
constexpr CountLimit kComponentLimit{1, kMaxComponents, "Bauteile"};
constexpr CountLimit kElementLimit{0, kMaxElements, "Elemente"};
constexpr CountLimit kPermanentRowLimit{0, kMaxPermanentRows, "Zeilen"};
constexpr CountLimit kImposedRowLimit{0, kMaxImposedRows, "Zeilen"};
constexpr CountLimit kOwnGroupLimit{1, kMaxOwnGroups, "Gruppen"};
constexpr CountLimit kOwnTablesPerGroupLimit{0, kMaxOwnTablesPerGroup, "Tabellen"};
constexpr CountLimit kOwnPermanentEntryLimit{0, kMaxOwnPermanentEntries, "Einträge"};
constexpr CountLimit kOwnImposedTableLimit{1, kMaxOwnImposedTables, "Tabellen"};
constexpr CountLimit kOwnImposedEntryLimit{0, kMaxOwnImposedEntries, "Einträge"};

void checkCount(qsizetype count, const CountLimit& limit, const std::string& path) {
    if (count > limit.max) fail(path, formatString("Zu viele %s (höchstens %d).", limit.items, limit.max));
    if (count < limit.min) fail(path, formatString("Zu wenige %s (mindestens %d).", limit.items, limit.min));
}

// One JSON object being read. It remembers the keys asked for, so that any other
// key can be refused at the end: a misspelt key must not silently lose data.
class ObjectReader {
public:
    ObjectReader(const QJsonValue& value, std::string path) : path_(std::move(path)) {
        if (!value.isObject()) fail(path_, "Objekt erwartet.");
        object_ = value.toObject();
    }

    std::string path(const char* key) const { return memberPath(path_, key); }

    bool has(const char* key) const { return find(key).has_value(); }

    std::string text(const char* key) const {
        const std::optional<QJsonValue> value = find(key);
        return value ? readText(*value, path(key)) : std::string();
    }

    std::int32_t integer(const char* key, std::int32_t fallback, std::int32_t min, std::int32_t max) const {
        const std::optional<QJsonValue> value = find(key);
        return value ? readInteger(*value, path(key), min, max) : fallback;
    }

    // The items of a list member; none when the key is missing.
    QJsonArray list(const char* key) const {
        const std::optional<QJsonValue> value = find(key);
        if (!value) return {};
        if (!value->isArray()) fail(path(key), "Liste erwartet.");
        return value->toArray();
    }

    QJsonArray list(const char* key, const CountLimit& limit) const {
        QJsonArray items = list(key);
        checkCount(items.size(), limit, path(key));
        return items;
    }

    void rejectUnknownKeys() const {
        for (const QString& key : object_.keys()) {
            if (std::find(asked_.begin(), asked_.end(), key) == asked_.end()) {
                fail(memberPath(path_, key.toStdString()), "Unbekannter Schlüssel.");
            }
        }
    }

private:
    std::optional<QJsonValue> find(const char* key) const {
        asked_.push_back(QLatin1String(key));
        const auto it = object_.constFind(QLatin1String(key));
        if (it == object_.constEnd()) return std::nullopt;
        return it.value();
    }

    QJsonObject object_;
    std::string path_;
    mutable std::vector<QString> asked_;
};

template <typename Row, std::size_t N>
Row readRow(const QJsonValue& value, const std::string& path, const RowText<Row> (&texts)[N]) {
    const ObjectReader reader(value, path);
    Row row;
    row.description = reader.text("description");
    row.rowUnit = reader.integer("rowUnit", row.rowUnit, kShortMin, kShortMax);
    for (const auto& [name, text] : texts) {
        row.*text = reader.text(name);
        const auto stored = storedTexts(row);
        if (!(row.*text).empty() && std::find(stored.begin(), stored.end(), text) == stored.end()) {
            fail(reader.path(name), formatString("Eine Zeile mit rowUnit %d speichert diesen Wert nicht; er ginge verloren.",
                                                 static_cast<int>(static_cast<std::int16_t>(row.rowUnit))));
        }
    }
    reader.rejectUnknownKeys();
    return row;
}

template <typename Row, std::size_t N>
std::uint16_t readRows(const ObjectReader& element, const char* key, const CountLimit& limit, Row* rows,
                       const RowText<Row> (&texts)[N]) {
    const QJsonArray items = element.list(key, limit);
    for (qsizetype r = 0; r < items.size(); ++r) rows[r] = readRow(items.at(r), itemPath(element.path(key), r), texts);
    return static_cast<std::uint16_t>(items.size());
}

void readElement(const QJsonValue& value, const std::string& path, ProjectData& p, int c, int e) {
    const ObjectReader element(value, path);
    p.elementNames[c][e] = element.text("name");
    p.permRowCount[c][e] = readRows(element, "permanent", kPermanentRowLimit, &p.permanentRow(c, e, 0), kPermanentTexts);
    p.imposedRowCount[c][e] = readRows(element, "imposed", kImposedRowLimit, &p.imposedRow(c, e, 0), kImposedTexts);
    element.rejectUnknownKeys();
}

void readComponents(const ObjectReader& root, ProjectData& p) {
    const QJsonArray components = root.list("components", kComponentLimit);
    p.componentCount = static_cast<std::int32_t>(components.size());
    for (int c = 0; c < p.componentCount; ++c) {
        const ObjectReader component(components.at(c), itemPath(root.path("components"), c));
        p.componentNames[c] = component.text("name");
        const QJsonArray elements = component.list("elements", kElementLimit);
        p.elementCount[c] = static_cast<std::uint16_t>(elements.size());
        for (int e = 0; e < p.elementCount[c]; ++e) {
            readElement(elements.at(e), itemPath(component.path("elements"), e), p, c, e);
        }
        component.rejectUnknownKeys();
    }
}

struct OwnTableEntry {
    std::string description;
    std::string value;
};

// An own table as read: its used entries only, packed from slot 0.
struct OwnTable {
    std::string name;
    std::int32_t unit = 1;
    std::vector<OwnTableEntry> entries;

    void storeEntries(std::string* descriptions, std::string* values) const {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            descriptions[i] = entries[i].description;
            values[i] = entries[i].value;
        }
    }
};

OwnTable readOwnTable(const QJsonValue& value, const std::string& path, const CountLimit& entryLimit) {
    const ObjectReader reader(value, path);
    OwnTable table;
    table.name = reader.text("name");
    table.unit = reader.integer("unit", table.unit, kShortMin, kShortMax);
    // Empty entries are not stored, but count: a table holds no more places.
    const QJsonArray entries = reader.list("entries", entryLimit);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const ObjectReader entry(entries.at(i), itemPath(reader.path("entries"), i));
        OwnTableEntry read{entry.text("description"), entry.text("value")};
        entry.rejectUnknownKeys();
        if (!read.description.empty() || !read.value.empty()) table.entries.push_back(std::move(read));
    }
    reader.rejectUnknownKeys();
    return table;
}

void readOwnPermanentGroups(const ObjectReader& root, PermanentLoadTables& tables) {
    const QJsonArray groups = root.list("ownPermanentGroups", kOwnGroupLimit);
    tables.ownGroupCount = static_cast<std::uint32_t>(groups.size());
    for (int g = 0; g < groups.size(); ++g) {
        const ObjectReader group(groups.at(g), itemPath(root.path("ownPermanentGroups"), g));
        tables.ownGroupNames[g] = group.text("name");
        const QJsonArray groupTables = group.list("tables", kOwnTablesPerGroupLimit);
        tables.tableCount[kOwn][g] = static_cast<std::uint16_t>(groupTables.size());
        for (int t = 0; t < groupTables.size(); ++t) {
            const OwnTable table =
                readOwnTable(groupTables.at(t), itemPath(group.path("tables"), t), kOwnPermanentEntryLimit);
            tables.tableNames[kOwn][g][t] = table.name;
            // Sign-extended into the unsigned field, as the file reader does.
            tables.ownTableUnit[g][t] = static_cast<std::uint32_t>(table.unit);
            tables.entryCount[kOwn][g][t] = static_cast<std::uint16_t>(table.entries.size());
            table.storeEntries(tables.description[kOwn][g][t], tables.value[kOwn][g][t]);
        }
        group.rejectUnknownKeys();
    }
}

void readOwnImposedTables(const ObjectReader& root, ImposedLoadTables& tables) {
    const QJsonArray items = root.list("ownImposedTables", kOwnImposedTableLimit);
    tables.ownTableCount = static_cast<std::int32_t>(items.size());
    for (int t = 0; t < tables.ownTableCount; ++t) {
        const OwnTable table = readOwnTable(items.at(t), itemPath(root.path("ownImposedTables"), t), kOwnImposedEntryLimit);
        tables.ownTableNames[t] = table.name;
        tables.ownTableUnit[t] = table.unit;
        tables.entryCount[kOwn][t] = static_cast<std::uint16_t>(table.entries.size());
        table.storeEntries(tables.description[kOwn][t], tables.value[kOwn][t]);
    }
}

void checkFormat(const ObjectReader& root) {
    if (!root.has("format")) fail("format", "Schlüssel fehlt.");
    const std::string format = root.text("format");
    if (format != kFormat) {
        fail("format", formatString("Unbekanntes Format \"%s\" (erwartet \"%s\").", utf8(format).c_str(), kFormat));
    }
    if (!root.has("version")) fail("version", "Schlüssel fehlt.");
    const std::int32_t version =
        root.integer("version", 0, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    if (version != kVersion) {
        fail("version", formatString("Version %d wird nicht unterstützt (nur Version %d).", version, kVersion));
    }
}

void readProjectObject(const QJsonValue& value, ProjectData& p) {
    const ObjectReader root(value, "");
    checkFormat(root);
    if (root.has("titleLines")) {
        const QJsonArray lines = root.list("titleLines", kTitleLineLimit);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            p.titleLines[i] = readText(lines.at(i), itemPath(root.path("titleLines"), i), kMaxTitleLineChars);
        }
    }
    p.startPage = root.integer("startPage", p.startPage, kMinStartPage, kMaxStartPage);
    if (root.has("components")) readComponents(root, p);
    if (root.has("ownPermanentGroups")) readOwnPermanentGroups(root, p.permanentTables);
    if (root.has("ownImposedTables")) readOwnImposedTables(root, p.imposedTables);
    root.rejectUnknownKeys();
}

// "Zeile L, Spalte C" of a byte offset into the JSON text.
std::string placeOf(std::string_view json, std::size_t offset) {
    const std::string_view before = json.substr(0, std::min(offset, json.size()));
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    const std::size_t lineStart = before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1;
    return formatString("Zeile %td, Spalte %zu", line, before.size() - lineStart + 1);
}

std::string syntaxErrorMessage(std::string_view json, qsizetype offset) {
    return "Kein gültiges JSON (" + placeOf(json, static_cast<std::size_t>(offset)) + ").";
}

// A project is five levels deep; a deeper document is none, and the parser
// need not follow it down.
constexpr int kMaxJsonDepth = 16;

std::optional<std::size_t> tooDeepAt(std::string_view json) {
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (std::size_t i = 0; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (c == '\\') {
                escaped = true;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxJsonDepth) return i;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string projectToJson(const ProjectData& project) {
    JsonWriter w;
    w.beginObject();
    w.member("format", kFormat);
    w.member("version", kVersion);
    w.key("titleLines");
    w.beginArray();
    for (const std::string& line : project.titleLines) w.value(utf8(line));
    w.endArray();
    w.member("startPage", project.startPage);
    writeComponents(w, project);
    writeOwnPermanentGroups(w, project.permanentTables);
    writeOwnImposedTables(w, project.imposedTables);
    w.endObject();
    return w.text();
}

JsonImport projectFromJson(std::string_view json, ProjectData& project) {
    if (const std::optional<std::size_t> deep = tooDeepAt(json)) {
        return {false, formatString("Das JSON ist zu tief verschachtelt (mehr als %d Ebenen, %s).", kMaxJsonDepth,
                                    placeOf(json, *deep).c_str())};
    }
    QJsonParseError parseError;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())), &parseError);
    if (parseError.error != QJsonParseError::NoError) return {false, syntaxErrorMessage(json, parseError.offset)};
    try {
        readProjectObject(document.isObject() ? QJsonValue(document.object()) : QJsonValue(), project);
    } catch (const JsonFault& fault) {
        return {false, fault.path.empty() ? fault.message : fault.path + ": " + fault.message};
    }
    return {};
}

}  // namespace tavo
