#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "library/ImposedLoadTables.h"
#include "library/PermanentLoadTables.h"
#include "model/Numbers.h"

// Expected texts are spelt as Windows-1252 bytes: the library must hold them exactly as
// the project file and the listing use them.

namespace tavo {
namespace {

constexpr auto kBuiltIn = PermanentLoadTables::kBuiltIn;
constexpr auto kOwn = PermanentLoadTables::kOwn;

struct Key {
    int group;
    int table;
    int entry;
};

// A number text as the library writes it: digits, one point, digits.
bool isPlainDecimal(const std::string& text) {
    const std::size_t point = text.find('.');
    return point != std::string::npos && point > 0 && point + 1 < text.size() &&
           text.find_first_not_of("0123456789.") == std::string::npos && text.find('.', point + 1) == std::string::npos;
}

// The built-in halves are constant once filled, so all tests read one copy of each.
template <typename Tables>
const Tables& builtIn() {
    static const std::unique_ptr<Tables> tables = [] {
        auto filled = std::make_unique<Tables>();
        filled->fillBuiltIn();
        return filled;
    }();
    return *tables;
}

const std::string& descriptionAt(Key k) {
    return builtIn<PermanentLoadTables>().description[kBuiltIn][k.group][k.table][k.entry];
}
const std::string& valueAt(Key k) { return builtIn<PermanentLoadTables>().value[kBuiltIn][k.group][k.table][k.entry]; }

template <typename F>
void forEachSelfWeight(F visit) {
    const auto& library = builtIn<PermanentLoadTables>();
    for (int g = 0; g < PermanentLoadTables::kGroups; ++g)
        for (int t = 0; t < library.tableCount[kBuiltIn][g]; ++t)
            for (int e = 0; e < library.entryCount[kBuiltIn][g][t]; ++e) visit(Key{g, t, e});
}

TEST(SelfWeightLibrary, HasTheShapeOfTheStandard) {
    const auto& library = builtIn<PermanentLoadTables>();
    const std::vector<std::vector<int>> entriesPerTable = {
        {19, 5, 13, 13, 5, 25}, {6, 3, 2, 8, 5, 5, 6}, {22, 1, 4}, {5}, {17}, {17, 13}, {15, 21, 15, 8, 11, 18}, {25, 11, 21},
    };
    int total = 0;
    for (int g = 0; g < PermanentLoadTables::kGroups; ++g) {
        const auto& expected = entriesPerTable[static_cast<std::size_t>(g)];
        ASSERT_EQ(library.tableCount[kBuiltIn][g], expected.size()) << "group " << g;
        for (int t = 0; t < PermanentLoadTables::kTables; ++t) {
            const bool used = t < static_cast<int>(expected.size());
            const int count = used ? expected[static_cast<std::size_t>(t)] : 0;
            EXPECT_EQ(library.entryCount[kBuiltIn][g][t], count) << g << "." << t;
            EXPECT_EQ(library.tableNames[kBuiltIn][g][t].empty(), !used) << g << "." << t;
            for (int e = 0; e < PermanentLoadTables::kEntries; ++e) {
                EXPECT_EQ(library.description[kBuiltIn][g][t][e].empty(), e >= count) << g << "." << t << "." << e;
                EXPECT_EQ(library.value[kBuiltIn][g][t][e].empty(), e >= count) << g << "." << t << "." << e;
            }
            total += count;
        }
    }
    EXPECT_EQ(total, 339);
}

TEST(SelfWeightLibrary, NamesAreWindows1252) {
    const auto& library = builtIn<PermanentLoadTables>();
    const char* const groups[] = {"Baustoffe",     "Dachdeckungen", "Decke, Fu\xDF" "boden", "Flachd\xE4" "cher",
                                  "Verkleidungen", "W\xE4nde",      "Lagerg\xFCter",         "Stapelg\xFCter"};
    for (int g = 0; g < PermanentLoadTables::kGroups; ++g) EXPECT_EQ(builtInGroupName(g), groups[g]);

    EXPECT_EQ(library.tableNames[kBuiltIn][0][1], "M\xF6rtel");
    EXPECT_EQ(library.tableNames[kBuiltIn][6][1], "lose Nahrungs-, Genuss- u. Futtermittel");
    EXPECT_EQ(library.tableNames[kBuiltIn][7][2], "Textilien, Papier und Faserstoffe");
}

TEST(SelfWeightLibrary, KeepsTheTextsOfTheStandardByteForByte) {
    EXPECT_EQ(descriptionAt({0, 1, 1}), "KaIkzementm\xF6rtel");  // capital I, as printed in the standard
    EXPECT_EQ(descriptionAt({0, 0, 18}), "Schwerbeton");
    EXPECT_EQ(valueAt({0, 0, 18}), ">= 26.0");
    EXPECT_EQ(descriptionAt({0, 0, 8}), "Polystyrolbeton Trockenrohdichte 450 bis 850 kg/m\xB3");
    EXPECT_EQ(valueAt({0, 0, 8}), "Trockenrohdichte;450;850;850;5.0;9.5;9.5");
    EXPECT_EQ(valueAt({0, 0, 9}), "Trockenrohdichte;450;1200;1200;5.6;15.0;15.0");
    EXPECT_EQ(valueAt({0, 0, 10}), "Trockenrohdichte;450;1400;1400;5.0;15.4;15.4");
    EXPECT_EQ(descriptionAt({5, 0, 4}), "Hohlblocksteine gem\xE4\xDF \xD6NORM EN 771-3 mit Isolier- bis Sandm\xF6rtel, Dicke  6,5 cm");
    EXPECT_EQ(descriptionAt({6, 2, 7}), "Hobelscharten oder Holzschnitzel ('Sch\xE4" "ben')");
    EXPECT_EQ(descriptionAt({6, 4, 10}), "Torf, lose; Torfstreu, Torfmull");  // a ';' in a description, not a value

    const char* const metals[][2] = {
        {"Aluminium", "27.0"}, {"Gusseisen", "72.5"}, {"Kupfer", "89.0"}, {"Schmiedeeisen", "76.0"}, {"Stahl", "78.5"}};
    for (int e = 0; e < 5; ++e) {
        EXPECT_EQ(descriptionAt({0, 4, e}), metals[e][0]);
        EXPECT_EQ(valueAt({0, 4, e}), metals[e][1]);
    }
}

TEST(SelfWeightLibrary, CategoriesStandOnTheFirstEntryOfARun) {
    const auto& library = builtIn<PermanentLoadTables>();
    EXPECT_EQ(library.category[0][0][0], "Porenbeton nach \xD6NORM B 3209");
    EXPECT_EQ(library.category[0][0][1], "");
    EXPECT_EQ(library.category[0][0][17], "Normal- und Schwerbeton");
    EXPECT_EQ(library.category[0][0][18], "");
    // A heading too long for the column continues on the next entry.
    EXPECT_EQ(library.category[2][0][3], "Dippelbaumdecken (Verst\xE4rkte");
    EXPECT_EQ(library.category[2][0][4], "Konstruktionen)");
    EXPECT_EQ(library.category[0][1][0], "");
}

TEST(SelfWeightLibrary, EveryValueTextReadsAsItsForm) {
    auto scratch = std::make_unique<PermanentLoadTables>();
    int lowerBounds = 0;
    int dryDensities = 0;
    forEachSelfWeight([&](Key k) {
        const std::string& text = valueAt(k);
        const std::string where = std::to_string(k.group) + "." + std::to_string(k.table) + "." + std::to_string(k.entry);
        scratch->loadParamsForTakeOver(text);
        const auto& p = scratch->params;
        switch (valueKindOf(text)) {
            case ValueKind::Single:
                EXPECT_TRUE(isPlainDecimal(text)) << where << " " << text;
                EXPECT_GT(numberOr0(text), 0.0) << where;
                EXPECT_EQ(p[0], "") << where;
                EXPECT_EQ(p[1], text) << where;
                break;
            case ValueKind::Range:
                for (int i = 0; i < 3; ++i) EXPECT_TRUE(isPlainDecimal(p[i])) << where << " " << text;
                EXPECT_LT(numberOr0(p[0]), numberOr0(p[1])) << where;
                EXPECT_TRUE(scratch->paramRangeHolds(0, 1, numberOr0(p[2]))) << where << ": default outside the range";
                break;
            case ValueKind::DryDensity:
                ++dryDensities;
                EXPECT_EQ(valueForm(text), 6) << where;
                EXPECT_EQ(p[0], "Trockenrohdichte") << where;
                EXPECT_LT(numberOr0(p[1]), numberOr0(p[2])) << where;
                EXPECT_TRUE(scratch->paramRangeHolds(1, 2, numberOr0(p[3]))) << where;
                EXPECT_LT(numberOr0(p[4]), numberOr0(p[5])) << where;
                EXPECT_TRUE(scratch->paramRangeHolds(4, 5, numberOr0(p[6]))) << where;
                break;
            case ValueKind::LowerBound:
                ++lowerBounds;
                EXPECT_EQ(descriptionAt(k), "Schwerbeton");
                break;
        }
    });
    EXPECT_EQ(lowerBounds, 1);
    EXPECT_EQ(dryDensities, 3);
}

TEST(SelfWeightLibrary, PerUnitEntriesAreTheFourteenPerThicknessOrLayerValues) {
    int perUnit = 0;
    forEachSelfWeight([&](Key k) {
        if (!isPerUnitEntry(k.group, k.table, k.entry)) return;
        ++perUnit;
        // Every one is a value "je" (per) something; an index off by one would show here.
        EXPECT_NE(descriptionAt(k).find("je "), std::string::npos) << descriptionAt(k);
    });
    EXPECT_EQ(perUnit, 14);

    EXPECT_EQ(perUnitKindOf(descriptionAt({1, 1, 2})), PerMillimetreExtra);
    EXPECT_EQ(perUnitKindOf(descriptionAt({1, 5, 0})), PerLayer);
    for (Key k : {Key{1, 5, 1}, Key{1, 5, 2}, Key{2, 0, 2}, Key{3, 0, 4}, Key{4, 0, 5}, Key{4, 0, 8}, Key{4, 0, 9},
                  Key{4, 0, 10}, Key{4, 0, 11}, Key{5, 0, 12}, Key{5, 0, 14}, Key{5, 0, 16}}) {
        EXPECT_TRUE(isPerUnitEntry(k.group, k.table, k.entry));
        EXPECT_EQ(perUnitKindOf(descriptionAt(k)), PerCentimetre) << descriptionAt(k);
    }
}

TEST(SelfWeightLibrary, DependentEntriesNameALoadOfTheirOwnTable) {
    const struct {
        Key dependent;
        const char* parentText;
        Key parent;
    } cases[] = {
        {{1, 1, 2}, "sicherheitsglas", {1, 1, 1}},
        {{2, 0, 2}, "Besch\xFCttung aus Schlacke", {2, 0, 0}},
        {{3, 0, 4}, "Gr\xFCndach", {3, 0, 3}},
        {{5, 1, 1}, "Mauerziegel g", {5, 1, 0}},
        {{5, 1, 3}, "Mauerziegel (", {5, 1, 2}},
    };
    for (const auto& c : cases) {
        const auto parentText = parentTextOf(c.dependent.group, c.dependent.table, c.dependent.entry);
        ASSERT_TRUE(parentText.has_value()) << descriptionAt(c.dependent);
        EXPECT_EQ(*parentText, c.parentText);
        EXPECT_NE(descriptionAt(c.parent).find(*parentText), std::string::npos) << descriptionAt(c.parent);
    }
    // The brick-wall surcharges add one fixed increment: dependent, but no count is asked.
    EXPECT_FALSE(isPerUnitEntry(5, 1, 1));
    EXPECT_FALSE(isPerUnitEntry(5, 1, 3));
    EXPECT_FALSE(parentTextOf(1, 5, 0).has_value());
    EXPECT_FALSE(parentTextOf(5, 1, 0).has_value());
}

TEST(ValueTexts, FormCountsTheSemicolons) {
    EXPECT_EQ(valueForm(""), 0);
    EXPECT_EQ(valueForm("24.0"), 0);
    EXPECT_EQ(valueForm("0.10;0.15;0.15"), 2);
    EXPECT_EQ(valueForm("Trockenrohdichte;450;850;850;5.0;9.5;9.5"), 6);

    EXPECT_EQ(valueKindOf(""), ValueKind::Single);
    EXPECT_EQ(valueKindOf("1;2"), ValueKind::Single);
    EXPECT_EQ(valueKindOf(">= 26.0"), ValueKind::LowerBound);
    EXPECT_EQ(valueKindOf(">= 1;2;3"), ValueKind::LowerBound);  // the bound wins over a range
    EXPECT_EQ(valueKindOf("1;2;3"), ValueKind::Range);
    EXPECT_EQ(valueKindOf("a;b;c;d"), ValueKind::DryDensity);
    EXPECT_EQ(valueKindOf(">a;b;c;d"), ValueKind::DryDensity);  // checked first
}

TEST(ValueTexts, TakeOverLoadsTheParamsOfEachForm) {
    auto tables = std::make_unique<PermanentLoadTables>();
    auto& p = tables->params;

    tables->loadParamsForTakeOver("Trockenrohdichte;450;850;850;5.0;9.5;9.5");
    EXPECT_EQ((std::vector<std::string>(p, p + 7)),
              (std::vector<std::string>{"Trockenrohdichte", "450", "850", "850", "5.0", "9.5", "9.5"}));

    // A shorter text leaves nothing of the longer one behind.
    tables->loadParamsForTakeOver("0.10;0.15;0.15");
    EXPECT_EQ((std::vector<std::string>(p, p + 7)), (std::vector<std::string>{"0.10", "0.15", "0.15", "", "", "", ""}));

    tables->loadParamsForTakeOver(">= 26.0");
    EXPECT_EQ(p[0], "26");
    EXPECT_EQ(p[1], "60");
    EXPECT_EQ(p[2], "26");

    // An empty params[0] is what marks a fixed value for the dialogs.
    tables->loadParamsForTakeOver("0.03");
    EXPECT_EQ(p[0], "");
    EXPECT_EQ(p[1], "0.03");

    tables->splitParams("a;;c");
    EXPECT_EQ(p[0], "a");
    EXPECT_EQ(p[1], "");
    EXPECT_EQ(p[2], "c");
}

TEST(ValueTexts, RangeHoldsInclusivelyAndOnlyThenTransfers) {
    auto tables = std::make_unique<PermanentLoadTables>();
    tables->splitParams("0,10;0.15;0.15");  // a decimal comma typed in by hand reads as well
    tables->transferValue = -1.0;

    EXPECT_FALSE(tables->paramRangeHolds(0, 1, 0.09));
    EXPECT_FALSE(tables->paramRangeHolds(0, 1, 0.16));
    EXPECT_EQ(tables->transferValue, -1.0);

    EXPECT_TRUE(tables->paramRangeHolds(0, 1, 0.10));
    EXPECT_EQ(tables->transferValue, 0.10);
    EXPECT_TRUE(tables->paramRangeHolds(0, 1, 0.15));
    EXPECT_EQ(tables->transferValue, 0.15);
}

TEST(ValueTexts, RowUnitFollowsTheGroup) {
    const std::int32_t expected[] = {1, 2, 2, 2, 2, 2, 1, 1};
    for (int g = 0; g < PermanentLoadTables::kGroups; ++g) EXPECT_EQ(rowUnitOfGroup(g), expected[g]) << g;
}

TEST(PermanentLoadTablesReset, EmptiesTheOwnHalfAndKeepsTheBuiltIn) {
    auto tables = std::make_unique<PermanentLoadTables>();
    tables->fillBuiltIn();
    tables->source = kOwn;
    tables->currentGroup = 3;
    tables->currentTable = 2;
    tables->groupsListed = tables->groupChosen = tables->tableChosen = 1;
    tables->ownGroupCount = 8;
    tables->ownGroupNames[7] = "Gruppe";
    tables->tableCount[kOwn][7] = 7;
    tables->tableNames[kOwn][7][6] = "Tabelle";
    tables->entryCount[kOwn][7][6] = 25;
    tables->ownTableUnit[7][6] = 4;
    tables->description[kOwn][7][6][24] = "Eintrag";
    tables->value[kOwn][7][6][24] = "1.5";
    tables->changedValue[0][0][0] = "4.60";
    tables->params[0] = "26";
    tables->perUnitKind = PerLayer;
    tables->transferValue = 2.5;

    tables->reset();

    EXPECT_EQ(tables->source, kBuiltIn);
    EXPECT_EQ(tables->currentGroup, 0u);
    EXPECT_EQ(tables->currentTable, 0u);
    EXPECT_EQ(tables->groupsListed + tables->groupChosen + tables->tableChosen, 0);
    EXPECT_EQ(tables->ownGroupCount, 1u);
    EXPECT_EQ(tables->ownGroupNames[0], "Text Gruppe 1");
    EXPECT_EQ(tables->ownGroupNames[7], "");
    EXPECT_EQ(tables->tableCount[kOwn][0], 1);
    EXPECT_EQ(tables->tableCount[kOwn][7], 0);
    EXPECT_EQ(tables->tableNames[kOwn][0][0], "Text Tabelle 1");
    EXPECT_EQ(tables->entryCount[kOwn][0][0], 0);
    EXPECT_EQ(tables->tableNames[kOwn][7][6], "");
    EXPECT_EQ(tables->entryCount[kOwn][7][6], 0);
    EXPECT_EQ(tables->ownTableUnit[7][6], 1u);
    EXPECT_EQ(tables->description[kOwn][7][6][24], "");
    EXPECT_EQ(tables->value[kOwn][7][6][24], "");
    EXPECT_EQ(tables->changedValue[0][0][0], "");

    // Working fields of a take-over and the built-in half are not the project's.
    EXPECT_EQ(tables->params[0], "26");
    EXPECT_EQ(tables->perUnitKind, PerLayer);
    EXPECT_EQ(tables->transferValue, 2.5);
    EXPECT_EQ(tables->tableCount[kBuiltIn][0], 6);
    EXPECT_EQ(tables->value[kBuiltIn][0][0][18], ">= 26.0");
}

const std::string& descriptionAt(int t, int e) { return builtIn<ImposedLoadTables>().description[kBuiltIn][t][e]; }
const std::string& valueAt(int t, int e) { return builtIn<ImposedLoadTables>().value[kBuiltIn][t][e]; }

TEST(ImposedLibrary, HasTheFiveTablesOfTheStandard) {
    // The loads themselves, entry by entry: these go straight into the listing.
    const std::vector<std::vector<std::string>> values = {
        {"2.0", "1.5", "2.0", "3.0", "3.0", "4.0", "4.0", "5.0", "5.0", "5.0", "4.0", "5.0", "2.0", "1.0", "1.0"},
        {"1.0", "2.0", "5.0", ">= 4.0", ">= 5.0", ">= 5.0", "2.5", "5.0", "1.0"},
        {"0.5", "1.0", "3.0"},
        {"2.0", "2.0", "2.0", "3.0", "3.0", "4.0", "4.0", "5.0", "4.0", "4.0", "4.0", "5.0"},
        {"1.5", "2.0", "5.0", ">= 4.0", ">= 5.0", ">= 5.0", "20.0", "90.0", "1.5"},
    };
    const char* const names[] = {"Fl\xE4" "chenlasten auf Decken, Balkone u. Treppen", "Sonstige Fl\xE4" "chenlasten",
                                 "Horizontallasten", "Einzellasten auf Decken, Balkone u. Treppen", "Sonstige Einzellasten"};
    const std::int32_t units[] = {1, 1, 2, 3, 3};
    const auto& library = builtIn<ImposedLoadTables>();
    for (int t = 0; t < ImposedLoadTables::kTables; ++t) {
        const auto& expected = values[static_cast<std::size_t>(t)];
        EXPECT_EQ(library.entryCount[kBuiltIn][t], expected.size()) << t;
        EXPECT_EQ(builtInImposedTableName(t), names[t]);
        EXPECT_EQ(rowUnitOfTable(t), units[t]);
        for (int e = 0; e < ImposedLoadTables::kEntries; ++e) {
            const bool used = e < static_cast<int>(expected.size());
            EXPECT_EQ(valueAt(t, e), used ? expected[static_cast<std::size_t>(e)] : "") << t << "." << e;
            EXPECT_EQ(descriptionAt(t, e).empty(), !used) << t << "." << e;
        }
    }
}

TEST(ImposedLibrary, KeepsTheTextsOfTheStandardByteForByte) {
    const auto& library = builtIn<ImposedLoadTables>();
    EXPECT_EQ(library.category[0][0], "A1");
    EXPECT_EQ(descriptionAt(0, 0),
              "Wohnfl\xE4" "chen, R\xE4ume in Wohngeb\xE4uden und -h\xE4usern; Zimmer in Hotels; K\xFC" "chen, "
              "Toiletten in bestehenden Geb\xE4uden etc.");
    EXPECT_EQ(descriptionAt(0, 11), "Verkaufsfl\xE4" "chen,  Fl\xE4" "chen in Kaufh\xE4usern");
    EXPECT_EQ(descriptionAt(3, 11), "Verkaufsfl\xE4" "chen, Fl\xE4" "chen in Kaufh\xE4usern");
    EXPECT_EQ(library.category[0][12], "");
    EXPECT_EQ(descriptionAt(0, 12), "Zuschlag f\xFCr Balkone");
    EXPECT_EQ(valueAt(1, 3), ">= 4.0");
    EXPECT_EQ(valueAt(4, 7), "90.0");
    EXPECT_EQ(library.category[2][1], "B2, C1 bis C4, D1, D2, E, F und G");
    EXPECT_EQ(descriptionAt(2, 2), "Horizontale Lasten auf Zwischenw\xE4nde und Personenabsturzsicherungen");

    // The point-load tables repeat the categories of the area-load tables, D2 apart.
    for (int e = 0; e < 12; ++e) {
        EXPECT_EQ(library.category[3][e], library.category[0][e]);
        if (e != 11) {
            EXPECT_EQ(descriptionAt(3, e), descriptionAt(0, e)) << e;
        }
    }
    for (int e = 0; e < 9; ++e) {
        EXPECT_EQ(library.category[4][e], library.category[1][e]);
        EXPECT_EQ(descriptionAt(4, e), descriptionAt(1, e)) << e;
    }
}

TEST(ImposedLibrary, RowNameCarriesTheCategory) {
    const auto& library = builtIn<ImposedLoadTables>();
    EXPECT_EQ(library.rowNameOf(0, 0), "Kat. A1, " + descriptionAt(0, 0));
    EXPECT_EQ(library.rowNameOf(1, 3), "Kat. E1.2, Industriegeb\xE4ude und -hallen");
    EXPECT_EQ(library.rowNameOf(0, 12), "Zuschlag f\xFCr Balkone");
    EXPECT_EQ(library.rowNameOf(2, 1),
              "Kat. B2, C1 bis C4, D1, D2, E, F und G, Horizontale Lasten auf Zwischenw\xE4nde und "
              "Personenabsturzsicherungen");
}

TEST(ImposedLibrary, LowerBoundOffersTheBoundUpToTen) {
    EXPECT_EQ(lowerBoundOf(">= 4.0"), "4.0");
    EXPECT_EQ(lowerBoundOf(">=12.5 kN"), "12.5");
    EXPECT_EQ(lowerBoundOf(""), "");

    auto tables = std::make_unique<ImposedLoadTables>();
    tables->loadParamsForLowerBound(valueAt(1, 4));  // "Lagerräume und -hallen"
    EXPECT_EQ(tables->params[0], "5.0");
    EXPECT_EQ(tables->params[1], "10");
    EXPECT_EQ(tables->params[2], "5.0");
}

TEST(ImposedLoadTablesReset, EmptiesTheOwnTablesAndKeepsTheBuiltIn) {
    auto tables = std::make_unique<ImposedLoadTables>();
    tables->fillBuiltIn();
    tables->source = ImposedLoadTables::kOwn;
    tables->currentTable = 4;
    tables->tablesListed = tables->tableChosen = 1;
    tables->ownTableCount = 5;
    tables->ownTableNames[4] = "Tabelle";
    tables->entryCount[kOwn][4] = 15;
    tables->ownTableUnit[4] = 3;
    tables->description[kOwn][4][14] = "Eintrag";
    tables->value[kOwn][4][14] = "2.0";
    tables->params[1] = "10";
    tables->imposedTransferValue = 7.0;

    tables->reset();

    EXPECT_EQ(tables->source, ImposedLoadTables::kBuiltIn);
    EXPECT_EQ(tables->currentTable, 0u);
    EXPECT_EQ(tables->tablesListed + tables->tableChosen, 0);
    EXPECT_EQ(tables->ownTableCount, 1);
    EXPECT_EQ(tables->ownTableNames[0], "Text Tabelle 1");
    EXPECT_EQ(tables->ownTableNames[4], "");
    EXPECT_EQ(tables->entryCount[kOwn][0], 0);
    EXPECT_EQ(tables->entryCount[kOwn][4], 0);
    EXPECT_EQ(tables->ownTableUnit[4], 1);
    EXPECT_EQ(tables->description[kOwn][4][14], "");
    EXPECT_EQ(tables->value[kOwn][4][14], "");

    EXPECT_EQ(tables->params[1], "10");
    EXPECT_EQ(tables->imposedTransferValue, 7.0);
    EXPECT_EQ(tables->entryCount[kBuiltIn][0], 15);
}

}  // namespace
}  // namespace tavo
