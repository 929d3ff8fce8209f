// The grid on its own: header, cell texts through the katakana mapping,
// read-only cells, drop-down cells, and the owner's say over every edit.
#include <QHeaderView>
#include <gtest/gtest.h>

#include "EditorWindowSupport.h"

namespace {
struct Grid {
    GridWidget grid;
    std::vector<std::string> ended;
    Grid() {
        grid.SetColumns({"No.", "Called\n Exchange", "Name", "Flag"});
        grid.SetRows(3);
        grid.SetColumnReadOnly(0, true);
        grid.SetColumnChoices(3, {"v", "-"});
        grid.resize(500, 200);
        grid.show();
    }
};
}  // namespace

TEST(GridWidget, HeaderCellsAndLayout) {
    Grid g;
    GridWidget& grid = g.grid;
    ASSERT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), "Called\n Exchange");
    grid.SetCellText(1, 2, "A\xB1\xDF");
    EXPECT_EQ(grid.item(1, 2)->text(), QString::fromStdU16String(u"A\uFF71\uFF9F"));
    EXPECT_EQ(grid.CellText(1, 2), "A\xB1\xDF");
    EXPECT_EQ(grid.CellText(2, 2), "");
    EXPECT_TRUE(grid.CellReadOnly(2, 0));
    EXPECT_FALSE(grid.CellReadOnly(2, 1));
    grid.SetCellReadOnly(2, 1, true);
    EXPECT_TRUE(grid.CellReadOnly(2, 1));
    EXPECT_TRUE(grid.CellReadOnly(5, 1));  // outside the grid nothing is editable

    grid.SetColumnWidthPx(2, 85);
    grid.SetRowHeightPx(20, 36);
    grid.setColumnHidden(1, true);
    EXPECT_EQ(grid.columnWidth(2), 85);
    EXPECT_EQ(grid.rowHeight(1), 20);
    EXPECT_EQ(grid.horizontalHeader()->height(), 36);
    EXPECT_TRUE(grid.isColumnHidden(1));

    EXPECT_EQ(grid.RowOrder(), (std::vector<int>{0, 1, 2}));
    grid.verticalHeader()->moveSection(2, 0);
    EXPECT_EQ(grid.RowOrder(), (std::vector<int>{2, 0, 1}));

    grid.SetFocusCell(2, 3);
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_EQ(grid.currentColumn(), 3);
}

TEST(GridWidget, EveryEditGoesThroughTheOwner) {
    Grid g;
    GridWidget& grid = g.grid;
    grid.SetCellText(0, 2, "OLD");
    std::vector<std::string> ended;
    grid.BeginEdit = [](int, int column) { return column != 1; };
    grid.EndEdit = [&ended](int row, int column, const std::string& text) {
        ended.push_back(std::to_string(row) + "/" + std::to_string(column) + ":" + text);
        return text == "bad" ? std::string("OLD") : "[" + text + "]";
    };
    // The owner's answer is what the cell shows.
    ASSERT_TRUE(TypeIntoCell(grid, 0, 2, "abc"));
    EXPECT_EQ(grid.CellText(0, 2), "[abc]");
    ASSERT_TRUE(TypeIntoCell(grid, 0, 2, "bad"));
    EXPECT_EQ(grid.CellText(0, 2), "OLD");
    // Typed katakana reach the owner as their bytes; a character without an
    // 8-bit form never reaches it and the cell keeps its text.
    ASSERT_TRUE(TypeIntoCell(grid, 1, 2, QString::fromStdU16String(u"\uFF71x")));
    EXPECT_EQ(grid.CellText(1, 2), "[\xB1x]");
    ASSERT_TRUE(TypeIntoCell(grid, 1, 2, QString::fromStdU16String(u"\u00C4")));
    EXPECT_EQ(grid.CellText(1, 2), "[\xB1x]");
    // Refused by BeginEdit, and read-only: no editor opens.
    EXPECT_FALSE(TypeIntoCell(grid, 0, 1, "1"));
    EXPECT_FALSE(TypeIntoCell(grid, 0, 0, "1"));
    EXPECT_FALSE(grid.EnterText(0, 0, "1"));
    // A choice cell offers exactly its texts.
    grid.setCurrentCell(2, 3);
    grid.edit(grid.model()->index(2, 3));
    auto* combo = grid.viewport()->findChild<QComboBox*>();
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), "v");
    EXPECT_EQ(combo->itemText(1), "-");
    combo->setCurrentIndex(1);
    QTest::keyClick(combo, Qt::Key_Return);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(grid.CellText(2, 3), "[-]");
    EXPECT_EQ(ended, (std::vector<std::string>{"0/2:abc", "0/2:bad", "1/2:\xB1x", "2/3:-"}));
}
