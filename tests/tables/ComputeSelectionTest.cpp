// Sum, Average and Count of the selected cells into status bar panel 3: blocks in one column, "0" for blocks in
// several columns or a cell without a number, and a whole column over every row of the table, not only the
// loaded ones, its empty cells skipped.
#include "tables/GridToolsFixture.h"

#include "grid/LazyTableModel.h"
#include "grid/SelectionTotals.h"
#include "grid/SpreadGrid.h"

namespace {

using ComputeSelection = GridToolsFixture;

constexpr int kPos = 0, kValue = 1, kName = 2, kEmpty = 3;  // columns of [Cells]

TEST_F(ComputeSelection, BlocksInOneColumnAddUp) {
    show(QStringLiteral("Cells"));
    selectBlock(kValue, 0, 1);  // 0 and 0
    window->ComputeSelection(QStringLiteral("Sum"));
    selectBlock(kValue, 2, 3);  // with 1.5 and 2, as a second block
    window->ComputeSelection(QStringLiteral("Sum"));
    window->ComputeSelection(QStringLiteral("Average"));
    window->MSFlexGrid1->clearSelection();
    selectBlock(kValue, 2, 2);
    selectBlock(kValue, 5, 6);  // 1.5, 1234567.891, -0.25
    window->ComputeSelection(QStringLiteral("Count"));
    window->ComputeSelection(QStringLiteral("Sum"));
    EXPECT_EQ(ui.results, QStringList({".00", "3.50", ".88", "3.00", "1,234,569.14"}));
}

TEST_F(ComputeSelection, BlocksInTwoColumnsOrCellsWithoutNumbersShowZero) {
    show(QStringLiteral("Cells"));
    selectBlock(kValue, 2, 3);
    selectBlock(kPos, 2, 3);
    window->ComputeSelection(QStringLiteral("Sum"));
    window->MSFlexGrid1->clearSelection();
    selectBlock(kName, 0, 1);  // text
    window->ComputeSelection(QStringLiteral("Count"));
    window->MSFlexGrid1->clearSelection();
    selectBlock(kValue, 3, 4);  // 2 and an empty cell
    window->ComputeSelection(QStringLiteral("Sum"));
    window->ComputeSelection(QStringLiteral("Median"));  // not a command: nothing shown
    window->MSFlexGrid1->clearSelection();
    window->ComputeSelection(QStringLiteral("Sum"));  // nothing selected: nothing shown
    EXPECT_EQ(ui.results, QStringList({"0", "0", "0"}));
}

// [Many] has 10,000 rows, far more than the grid loads for its first screen.
TEST_F(ComputeSelection, AWholeColumnCoversEveryRowAndSkipsEmptyCells) {
    show(QStringLiteral("Many"));
    ASSERT_EQ(window->Data1->rowCount(), 10000);
    window->MSFlexGrid1->selectColumn(0);  // Id 0 .. 9999
    window->ComputeSelection(QStringLiteral("Sum"));
    window->ComputeSelection(QStringLiteral("Average"));
    window->ComputeSelection(QStringLiteral("Count"));
    window->MSFlexGrid1->selectColumn(1);  // Half: 0 .. 4999 on even rows, empty on odd ones
    window->ComputeSelection(QStringLiteral("Sum"));
    window->ComputeSelection(QStringLiteral("Count"));
    window->MSFlexGrid1->selectColumn(2);  // text
    window->ComputeSelection(QStringLiteral("Sum"));
    EXPECT_EQ(ui.results, QStringList({"49,995,000.00", "4,999.50", "10,000.00", "12,497,500.00", "5,000.00", "0"}));
}

TEST_F(ComputeSelection, AverageOfAColumnWithoutNumbersIsEmpty) {
    show(QStringLiteral("Cells"));
    window->MSFlexGrid1->selectColumn(kEmpty);
    window->ComputeSelection(QStringLiteral("Average"));
    window->ComputeSelection(QStringLiteral("Sum"));
    EXPECT_EQ(ui.results, QStringList({"", ".00"}));
}

// A block larger than the rows the model keeps at once is read in runs.
TEST_F(ComputeSelection, ALargeBlockIsReadInRuns) {
    show(QStringLiteral("Many"));
    selectBlock(0, 1, 9999);
    window->ComputeSelection(QStringLiteral("Sum"));
    selectBlock(0, 0, 0);  // row 0 as a second block: still blocks, not the whole column
    window->ComputeSelection(QStringLiteral("Count"));
    EXPECT_EQ(ui.results, QStringList({"49,995,000.00", "10,000.00"}));
}

TEST(ComputedText, HasGroupsAndTwoDecimalsAndNoZeroBeforeThePoint) {
    const QLocale c = QLocale::c();
    EXPECT_EQ(grid::computedText(0, c), ".00");
    EXPECT_EQ(grid::computedText(0.875, c), ".88");
    EXPECT_EQ(grid::computedText(-1234.5, c), "-1,234.50");
    EXPECT_EQ(grid::computedText(1234567.891, QLocale(QLocale::German)), "1.234.567,89");
}

}  // namespace
