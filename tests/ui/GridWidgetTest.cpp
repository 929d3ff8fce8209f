// What the editors do not show of the grid: an edit refused at its begin,
// typed text without an 8-bit form, and the row order.
#include <QHeaderView>
#include <gtest/gtest.h>

#include "editors/EditorWindowSupport.h"

TEST(GridWidget, EveryEditGoesThroughTheOwner) {
    GridWidget grid;
    grid.SetColumns({"No.", "Zone", "Name"});
    grid.SetRows(3);
    grid.SetColumnReadOnly(0, true);
    grid.show();
    std::vector<std::string> ended;
    grid.BeginEdit = [](int, int column) { return column != 1; };
    grid.EndEdit = [&ended](int row, int column, const std::string& text) {
        ended.push_back(std::to_string(row) + "/" + std::to_string(column) + ":" + text);
        return "[" + text + "]";
    };
    // Typed katakana reach the owner as their bytes and show as typed.
    ASSERT_TRUE(TypeIntoCell(grid, 1, 2, QString::fromStdU16String(u"\uFF71x")));
    EXPECT_EQ(grid.CellText(1, 2), "[\xB1x]");
    EXPECT_EQ(grid.item(1, 2)->text(), QString::fromStdU16String(u"[\uFF71x]"));
    // A character without an 8-bit form never reaches the owner.
    ASSERT_TRUE(TypeIntoCell(grid, 1, 2, QString::fromStdU16String(u"\u00C4")));
    EXPECT_EQ(grid.CellText(1, 2), "[\xB1x]");
    // Refused by BeginEdit, and read-only: no editor opens.
    EXPECT_FALSE(TypeIntoCell(grid, 0, 1, "1"));
    EXPECT_FALSE(grid.EnterText(0, 0, "1"));
    EXPECT_EQ(ended, std::vector<std::string>{"1/2:\xB1x"});

    grid.verticalHeader()->moveSection(2, 0);
    EXPECT_EQ(grid.RowOrder(), (std::vector<int>{2, 0, 1}));
}
