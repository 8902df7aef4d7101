#include "model/ProjectData.h"

namespace tavo {

ProjectData::ProjectData() {
    permanentTables.fillBuiltIn();
    imposedTables.fillBuiltIn();
    reset();
}

void ProjectData::reset() {
    titleLines = {"Bauwaage", ""};
    startPage = 1;
    skipDemoQuestion = 0;

    activeComponent = 0;
    activeElement = 0;
    componentChosen = 0;
    elementChosen = 0;

    for (int c = 0; c < kMaxComponents; ++c) {
        componentNames[c].clear();
        elementCount[c] = 0;
        for (int e = 0; e < kMaxElements; ++e) {
            elementNames[c][e].clear();
            permRowCount[c][e] = 0;
            imposedRowCount[c][e] = 0;
        }
    }
    permanentRows.fill(PermanentRow{});
    imposedRows.fill(ImposedRow{});

    componentCount = 1;
    componentNames[0] = "Text Bauteil 1";
    elementCount[0] = 1;
    elementNames[0][0] = "Text Element 1";

    permanentTables.reset();
    imposedTables.reset();
}

}  // namespace tavo
