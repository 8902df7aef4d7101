// The sample project as the build makes it: every derived number in it is what the
// program computes when the stored thickness and then the stored width are typed
// into the row, so that the first listing a user sees is one the program could
// have made itself.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <type_traits>

#include "file/ProjectFile.h"
#include "model/RowEdits.h"
#include "model/Windows1252.h"

namespace tavo {
namespace {

// The row with its derived texts cleared and its thickness and then its width typed
// afresh, compared with the stored row. Taken-over values (unit weight, an area
// row's area load, line and point loads) stay as they are.
template <typename Row>
void expectDerivedAsStored(const Row& stored) {
    SCOPED_TRACE(windows1252ToUtf8(stored.description));
    Row row = stored;
    const bool takesWidth = !stored.areaLoad.empty();
    if (takesWidth) {
        row.influenceWidth.clear();
        row.lineLoad.clear();
    }
    if constexpr (std::is_same_v<Row, PermanentRow>) {
        if (row.rowUnit == PermanentUnit::Layer) {
            row.thickness.clear();
            row.areaLoad.clear();
            editThickness(row, stored.thickness);
        }
        EXPECT_EQ(row.thickness, stored.thickness);
    }
    if (takesWidth) editInfluenceWidth(row, stored.influenceWidth);
    EXPECT_EQ(row.areaLoad, stored.areaLoad);
    EXPECT_EQ(row.influenceWidth, stored.influenceWidth);
    EXPECT_EQ(row.lineLoad, stored.lineLoad);
}

TEST(DemoProject, DerivedLoadsAreThoseOfTheProgramsArithmetic) {
    const auto project = std::make_unique<ProjectData>();
    std::int32_t version = 0;
    const FileOutcome outcome = loadProjectFile(TAVO_DEMO_PROJECT, *project, version);
    ASSERT_TRUE(outcome.ok) << outcome.message;
    int rows = 0;
    for (int c = 0; c < project->componentCount; ++c) {
        for (int e = 0; e < project->elementCount[c]; ++e) {
            for (int r = 0; r < project->permRowCount[c][e]; ++r, ++rows) expectDerivedAsStored(project->permanentRow(c, e, r));
            for (int r = 0; r < project->imposedRowCount[c][e]; ++r, ++rows) expectDerivedAsStored(project->imposedRow(c, e, r));
        }
    }
    EXPECT_GT(rows, 20);
}

}  // namespace
}  // namespace tavo
