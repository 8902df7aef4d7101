#include "app/cli/LibraryListing.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/cli/JsonWriter.h"
#include "library/SelfWeightData.h"
#include "model/Windows1252.h"

namespace tavo {
namespace {

// The built-in libraries gathered into one shape, texts still Windows-1252.
struct Entry {
    std::string category;
    std::string description;
    std::string value;
    std::string basis;  // UTF-8; self-weights only
};

struct Table {
    std::string name;
    std::int32_t unit;  // row unit code; for a self-weight table that of its group
    std::vector<Entry> entries;
};

struct Group {
    std::string name;
    std::int32_t unit;
    std::vector<Table> tables;
};

constexpr auto kBuiltIn = PermanentLoadTables::kBuiltIn;

std::vector<Group> permanentGroups(const PermanentLoadTables& library) {
    std::vector<Group> groups;
    for (int g = 0; g < PermanentLoadTables::kGroups; ++g) {
        Group group{builtInGroupName(g), rowUnitOfGroup(g), {}};
        for (int t = 0; t < library.tableCount[kBuiltIn][g]; ++t) {
            Table table{library.tableNames[kBuiltIn][g][t], group.unit, {}};
            for (int e = 0; e < library.entryCount[kBuiltIn][g][t]; ++e) {
                table.entries.push_back({library.category[g][t][e], library.description[kBuiltIn][g][t][e],
                                         library.value[kBuiltIn][g][t][e], std::string(selfWeightBasisOf(g, t, e))});
            }
            group.tables.push_back(std::move(table));
        }
        groups.push_back(std::move(group));
    }
    return groups;
}

std::vector<Table> imposedTables(const ImposedLoadTables& library) {
    std::vector<Table> tables;
    for (int t = 0; t < ImposedLoadTables::kTables; ++t) {
        Table table{builtInImposedTableName(t), rowUnitOfTable(t), {}};
        for (int e = 0; e < library.entryCount[kBuiltIn][t]; ++e) {
            table.entries.push_back({library.category[t][e], library.description[kBuiltIn][t][e], library.value[kBuiltIn][t][e], {}});
        }
        tables.push_back(std::move(table));
    }
    return tables;
}

void writeEntries(JsonWriter& w, const Table& table) {
    w.key("entries");
    w.beginArray();
    for (const Entry& entry : table.entries) {
        w.beginObject();
        w.member("category", windows1252ToUtf8(entry.category));
        w.member("description", windows1252ToUtf8(entry.description));
        w.member("value", windows1252ToUtf8(entry.value));
        if (!entry.basis.empty()) w.member("basis", entry.basis);
        w.endObject();
    }
    w.endArray();
}

const char* permanentUnitLabel(std::int32_t rowUnit) { return rowUnit == PermanentUnit::AreaLoad ? "kN/m²" : "kN/m³"; }

const char* imposedUnitLabel(std::int32_t rowUnit) {
    switch (rowUnit) {
    case ImposedUnit::AreaLoad: return "kN/m²";
    case ImposedUnit::LineLoad: return "kN/m";
    default: return "kN";
    }
}

// One line per entry: the category padded to the widest of the table (Windows-1252
// has one byte per character), the description and the value text.
void appendEntries(std::string& out, const std::string& indent, const Table& table) {
    std::size_t width = 0;
    for (const Entry& entry : table.entries) width = std::max(width, entry.category.size());
    for (const Entry& entry : table.entries) {
        std::string line = indent;
        if (width > 0) line += entry.category + std::string(width - entry.category.size() + 2, ' ');
        line += entry.description + ": " + entry.value;
        out += windows1252ToUtf8(line) + '\n';
    }
}

}  // namespace

std::string libraryToJson(const ProjectData& project) {
    JsonWriter w;
    w.beginObject();
    w.key("permanent");
    w.beginObject();
    w.key("groups");
    w.beginArray();
    for (const Group& group : permanentGroups(project.permanentTables)) {
        w.beginObject();
        w.member("name", windows1252ToUtf8(group.name));
        w.member("unit", group.unit);
        w.key("tables");
        w.beginArray();
        for (const Table& table : group.tables) {
            w.beginObject();
            w.member("name", windows1252ToUtf8(table.name));
            writeEntries(w, table);
            w.endObject();
        }
        w.endArray();
        w.endObject();
    }
    w.endArray();
    w.endObject();
    w.key("imposed");
    w.beginObject();
    w.key("tables");
    w.beginArray();
    for (const Table& table : imposedTables(project.imposedTables)) {
        w.beginObject();
        w.member("name", windows1252ToUtf8(table.name));
        w.member("unit", table.unit);
        writeEntries(w, table);
        w.endObject();
    }
    w.endArray();
    w.endObject();
    w.endObject();
    return w.text();
}

std::string libraryToText(const ProjectData& project) {
    std::string out = "Ständige Lasten (Eigengewichte)\n";
    for (const Group& group : permanentGroups(project.permanentTables)) {
        out += "\n  " + windows1252ToUtf8(group.name) + " [" + permanentUnitLabel(group.unit) + "]\n";
        for (const Table& table : group.tables) {
            out += "    " + windows1252ToUtf8(table.name) + '\n';
            appendEntries(out, "      ", table);
        }
    }
    out += "\nNutzlasten\n";
    for (const Table& table : imposedTables(project.imposedTables)) {
        out += "\n  " + windows1252ToUtf8(table.name) + " [" + imposedUnitLabel(table.unit) + "]\n";
        appendEntries(out, "    ", table);
    }
    return out;
}

}  // namespace tavo
