#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/ImposedLoadTables.h"
#include "model/PermanentLoadTables.h"
#include "model/Numbers.h"

// Expected texts are spelt as Windows-1252 bytes: the library must hold them exactly as
// the project file and the listing use them.

namespace tavo {
namespace {

constexpr auto kBuiltIn = PermanentLoadTables::kBuiltIn;

struct Key {
    int group;
    int table;
    int entry;
};

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

const PermanentLoadTables& selfWeights() { return builtIn<PermanentLoadTables>(); }
const std::string& descriptionAt(Key k) { return selfWeights().description[kBuiltIn][k.group][k.table][k.entry]; }
const std::string& valueAt(Key k) { return selfWeights().value[kBuiltIn][k.group][k.table][k.entry]; }

// A number text as the library writes it: digits, one point, digits.
bool isPlainDecimal(const std::string& text) {
    const std::size_t point = text.find('.');
    return point != std::string::npos && point > 0 && point + 1 < text.size() &&
           text.find_first_not_of("0123456789.") == std::string::npos && text.find('.', point + 1) == std::string::npos;
}

TEST(SelfWeightLibrary, HasTheTablesOfTheStandardAndEveryEntryReadsAsItsForm) {
    const std::vector<std::vector<int>> entriesPerTable = {
        {19, 5, 13, 13, 5, 25}, {6, 3, 2, 8, 5, 5, 6}, {22, 1, 4}, {5}, {17}, {17, 13}, {15, 21, 15, 8, 11, 18}, {25, 11, 21},
    };
    auto scratch = std::make_unique<PermanentLoadTables>();
    const auto& p = scratch->params;
    int lowerBounds = 0;
    int dryDensities = 0;
    int perUnit = 0;
    for (int g = 0; g < PermanentLoadTables::kGroups; ++g) {
        std::vector<int> counts(selfWeights().tableCount[kBuiltIn][g]);
        for (std::size_t t = 0; t < counts.size(); ++t) counts[t] = selfWeights().entryCount[kBuiltIn][g][t];
        EXPECT_EQ(counts, entriesPerTable[static_cast<std::size_t>(g)]) << "group " << g;
        for (int t = 0; t < static_cast<int>(counts.size()); ++t) {
            for (int e = 0; e < counts[static_cast<std::size_t>(t)]; ++e) {
                const std::string& text = valueAt({g, t, e});
                scratch->loadParamsForTakeOver(text);
                const ValueKind kind = valueKindOf(text);
                lowerBounds += kind == ValueKind::LowerBound ? 1 : 0;
                dryDensities += kind == ValueKind::DryDensity ? 1 : 0;
                // A range's default lies within it; a dry-density record holds two such ranges.
                const bool holds = kind == ValueKind::Single      ? isPlainDecimal(text) && numberOr0(text) > 0.0
                                   : kind == ValueKind::Range      ? isPlainDecimal(p[0]) && isPlainDecimal(p[1]) &&
                                                                    scratch->paramRangeHolds(0, 1, numberOr0(p[2]))
                                   : kind == ValueKind::DryDensity ? valueForm(text) == 6 && p[0] == "Trockenrohdichte" &&
                                                                         scratch->paramRangeHolds(1, 2, numberOr0(p[3])) &&
                                                                         scratch->paramRangeHolds(4, 5, numberOr0(p[6]))
                                                                   : descriptionAt({g, t, e}) == "Schwerbeton";
                EXPECT_TRUE(holds) << g << "." << t << "." << e << " " << text;
                // A value per thickness or layer says "je" (per); an index off by one would show here.
                if (isPerUnitEntry(g, t, e)) {
                    ++perUnit;
                    EXPECT_NE(descriptionAt({g, t, e}).find("je "), std::string::npos) << descriptionAt({g, t, e});
                }
            }
        }
    }
    EXPECT_EQ(lowerBounds, 1);
    EXPECT_EQ(dryDensities, 3);
    EXPECT_EQ(perUnit, 14);
}

TEST(SelfWeightLibrary, PerUnitKindsAndDependentEntriesPointAtTheRightTexts) {
    EXPECT_EQ(perUnitKindOf(descriptionAt({1, 1, 2})), PerMillimetreExtra);
    EXPECT_EQ(perUnitKindOf(descriptionAt({1, 5, 0})), PerLayer);
    EXPECT_EQ(perUnitKindOf(descriptionAt({4, 0, 8})), PerCentimetre);

    // A surcharge names a load that stands before it in its own table and must already stand in the element.
    for (Key k : {Key{1, 1, 2}, Key{2, 0, 2}, Key{3, 0, 4}, Key{5, 1, 1}, Key{5, 1, 3}}) {
        const auto parent = parentTextOf(k.group, k.table, k.entry);
        ASSERT_TRUE(parent) << descriptionAt(k);
        int named = 0;
        for (int e = 0; e < k.entry; ++e) named += descriptionAt({k.group, k.table, e}).find(*parent) != std::string::npos;
        EXPECT_GE(named, 1) << *parent;
    }
    EXPECT_EQ(parentTextOf(2, 0, 2), "Besch\xFCttung aus Schlacke");
    EXPECT_FALSE(parentTextOf(5, 1, 0).has_value());
}

TEST(ValueTexts, ParamsAndRangeOfEachForm) {
    auto tables = std::make_unique<PermanentLoadTables>();
    const auto params = [&] { return std::vector<std::string>(tables->params, tables->params + 7); };
    tables->loadParamsForTakeOver("Trockenrohdichte;450;850;850;5.0;9.5;9.5");
    EXPECT_EQ(params(), (std::vector<std::string>{"Trockenrohdichte", "450", "850", "850", "5.0", "9.5", "9.5"}));
    // A shorter text leaves nothing of the longer one behind.
    tables->loadParamsForTakeOver("0.10;0.15;0.15");
    EXPECT_EQ(params(), (std::vector<std::string>{"0.10", "0.15", "0.15", "", "", "", ""}));
    tables->loadParamsForTakeOver(">= 26.0");
    EXPECT_EQ(params(), (std::vector<std::string>{"26", "60", "26", "", "", "", ""}));
    // An empty params[0] is what marks a fixed value for the dialogs.
    tables->loadParamsForTakeOver("0.03");
    EXPECT_EQ(params(), (std::vector<std::string>{"", "0.03", "26", "", "", "", ""}));

    // A range holds inclusively, and only then is the value handed on.
    tables->splitParams("0,10;0.15;0.15");  // a decimal comma typed in by hand reads as well
    tables->transferValue = -1.0;
    EXPECT_FALSE(tables->paramRangeHolds(0, 1, 0.09));
    EXPECT_FALSE(tables->paramRangeHolds(0, 1, 0.16));
    EXPECT_EQ(tables->transferValue, -1.0);
    EXPECT_TRUE(tables->paramRangeHolds(0, 1, 0.10));
    EXPECT_TRUE(tables->paramRangeHolds(0, 1, 0.15));
    EXPECT_EQ(tables->transferValue, 0.15);

    const std::int32_t units[] = {1, 2, 2, 2, 2, 2, 1, 1};
    for (int g = 0; g < PermanentLoadTables::kGroups; ++g) EXPECT_EQ(rowUnitOfGroup(g), units[g]) << g;
}

const std::string& imposedValueAt(int t, int e) { return builtIn<ImposedLoadTables>().value[kBuiltIn][t][e]; }

TEST(ImposedLibrary, HasTheFiveTablesOfTheStandard) {
    // The loads themselves, entry by entry: these go straight into the listing.
    const std::vector<std::vector<std::string>> values = {
        {"2.0", "1.5", "2.0", "3.0", "3.0", "4.0", "4.0", "5.0", "5.0", "5.0", "4.0", "5.0", "2.0", "1.0", "1.0"},
        {"1.0", "2.0", "5.0", ">= 4.0", ">= 5.0", ">= 5.0", "2.5", "5.0", "1.0"},
        {"0.5", "1.0", "3.0"},
        {"2.0", "2.0", "2.0", "3.0", "3.0", "4.0", "4.0", "5.0", "4.0", "4.0", "4.0", "5.0"},
        {"1.5", "2.0", "5.0", ">= 4.0", ">= 5.0", ">= 5.0", "20.0", "90.0", "1.5"},
    };
    const std::int32_t units[] = {1, 1, 2, 3, 3};
    for (int t = 0; t < ImposedLoadTables::kTables; ++t) {
        std::vector<std::string> held(builtIn<ImposedLoadTables>().entryCount[kBuiltIn][t]);
        for (std::size_t e = 0; e < held.size(); ++e) held[e] = imposedValueAt(t, static_cast<int>(e));
        EXPECT_EQ(held, values[static_cast<std::size_t>(t)]) << t;
        EXPECT_EQ(rowUnitOfTable(t), units[t]);
    }
}

TEST(ImposedLibrary, RowNamesCarryTheCategoryOfTheStandard) {
    const ImposedLoadTables& library = builtIn<ImposedLoadTables>();
    EXPECT_TRUE(library.rowNameOf(0, 0).starts_with("Kat. A1, Wohnfl\xE4" "chen"));
    EXPECT_EQ(library.rowNameOf(0, 12), "Zuschlag f\xFCr Balkone");  // a surcharge has no category

    // The point-load tables repeat the categories of the area-load tables.
    for (int e = 0; e < 11; ++e) EXPECT_EQ(library.rowNameOf(3, e), library.rowNameOf(0, e)) << e;
    for (int e = 0; e < 9; ++e) EXPECT_EQ(library.rowNameOf(4, e), library.rowNameOf(1, e)) << e;

    // A lower bound is offered up to ten.
    EXPECT_EQ(lowerBoundOf(">=12.5 kN"), "12.5");
    auto tables = std::make_unique<ImposedLoadTables>();
    tables->loadParamsForLowerBound(imposedValueAt(1, 4));
    EXPECT_EQ((std::vector<std::string>(tables->params, tables->params + 3)), (std::vector<std::string>{"5.0", "10", "5.0"}));
}

}  // namespace
}  // namespace tavo
