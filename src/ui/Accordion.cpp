#include "ui/Accordion.h"

#include <algorithm>

namespace tavo {

void Accordion::layOut(int groups, int chosenGroup, int tables) {
    rows_.clear();
    chosenGroup_ = chosenGroup >= 0 && chosenGroup < groups ? chosenGroup : kNone;
    for (int g = 0; g < groups; ++g) {
        rows_.push_back({g, kNone});
        if (g == chosenGroup_)
            for (int t = 0; t < tables; ++t) rows_.push_back({g, t});
    }
}

int Accordion::rowOfGroup(int group) const {
    const auto found = std::ranges::find(rows_, Row{group, kNone});
    return found == rows_.end() ? kNone : static_cast<int>(found - rows_.begin());
}

int Accordion::rowOfTable(int table) const {
    if (chosenGroup_ == kNone) return kNone;
    const auto found = std::ranges::find(rows_, Row{chosenGroup_, table});
    return found == rows_.end() ? kNone : static_cast<int>(found - rows_.begin());
}

}  // namespace tavo
