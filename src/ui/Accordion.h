#pragma once

#include <vector>

namespace tavo {

// The rows of a load page's table chooser: one row per group, and right below
// the chosen group one row per table of it, so that the groups after it move
// down. A page with tables only has groups without tables.
class Accordion {
public:
    static constexpr int kNone = -1;

    struct Row {
        int group = 0;
        int table = kNone;  // kNone on a group row
        bool isGroup() const { return table == kNone; }
        friend bool operator==(const Row&, const Row&) = default;
    };

    // groups rows; chosenGroup (or kNone) opens with tables rows below it.
    void layOut(int groups, int chosenGroup, int tables);

    const std::vector<Row>& rows() const { return rows_; }
    int chosenGroup() const { return chosenGroup_; }
    // The row index of a group, or of a table of the chosen group; kNone when not shown.
    int rowOfGroup(int group) const;
    int rowOfTable(int table) const;

private:
    std::vector<Row> rows_;
    int chosenGroup_ = kNone;
};

}  // namespace tavo
