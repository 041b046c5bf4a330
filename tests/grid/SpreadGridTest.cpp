// The grid widget over the lazy model: copying selections as tab-separated text (one block, several blocks,
// whole columns beyond the loaded rows), column widths, the row header, a jump to the end.
#include "GridTestSupport.h"

#include "grid/LazyTableModel.h"
#include "grid/SelectionText.h"
#include "grid/SpreadGrid.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStandardItemModel>

#include <gtest/gtest.h>

using grid::LazyTableModel;
using grid::SpreadGrid;

namespace {

// A 4 x 3 model whose cells read "r,c".
std::unique_ptr<QStandardItemModel> smallModel() {
    auto model = std::make_unique<QStandardItemModel>(4, 3);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            model->setItem(r, c, new QStandardItem(QStringLiteral("%1,%2").arg(r).arg(c)));
    return model;
}

QItemSelection block(const QAbstractItemModel &model, int top, int left, int bottom, int right) {
    return QItemSelection(model.index(top, left), model.index(bottom, right));
}

}  // namespace

TEST(SelectionText, BlocksLaidOutInOneRectangle) {
    const auto model = smallModel();
    EXPECT_EQ(grid::selectionText(block(*model, 1, 0, 2, 1), *model), "1,0\t1,1\n2,0\t2,1\n");

    // Two whole columns side by side; the column between them is left out.
    QItemSelection columns = block(*model, 0, 0, 3, 0);
    columns.merge(block(*model, 0, 2, 3, 2), QItemSelectionModel::Select);
    EXPECT_EQ(grid::selectionText(columns, *model), "0,0\t0,2\n1,0\t1,2\n2,0\t2,2\n3,0\t3,2\n");

    // Blocks of different rows and columns: cells outside both are empty; rows between them are left out.
    QItemSelection apart = block(*model, 0, 0, 0, 0);
    apart.merge(block(*model, 2, 1, 3, 2), QItemSelectionModel::Select);
    EXPECT_EQ(grid::selectionText(apart, *model), "0,0\t\t\n\t2,1\t2,2\n\t3,1\t3,2\n");

    EXPECT_EQ(grid::selectionText({}, *model), "");
    EXPECT_EQ(grid::selectionText(block(*model, 0, 0, 3, 0), *model, [](int, int) { return false; }), "");
}

TEST(SpreadGrid, CopiesSelectionsOfTheLazyModel) {
    testsupport::TestDatabase t;
    gridtest::makeNumbers(t.db(), QStringLiteral("Numbers"), 20000);
    LazyTableModel model;
    SpreadGrid grid;
    grid.setModel(&model);
    grid.resize(600, 400);
    grid.show();
    model.setQuery(t.path(), "SELECT [Id], [Label] FROM [Numbers] ORDER BY [Id]");
    ASSERT_TRUE(gridtest::waitForCount(model));

    grid.selectionModel()->select(block(model, 1, 0, 2, 1), QItemSelectionModel::ClearAndSelect);
    grid.setFocus();
    QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    QApplication::sendEvent(&grid, &copy);
    EXPECT_EQ(QApplication::clipboard()->text(), "1\tL1\n2\tL2\n");

    // A whole column, clicked on its header, reaches rows never shown.
    grid.clearSelection();
    grid.selectColumn(1);
    const QStringList lines = grid.selectionText().split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 20000);
    EXPECT_EQ(lines.front(), "L0");
    EXPECT_EQ(lines[12345], "L12345");
    EXPECT_EQ(lines.back(), "L19999");
}

TEST(SpreadGrid, ColumnWidthsRowHeaderAndJumpToTheEnd) {
    testsupport::TestDatabase t;
    gridtest::makeNumbers(t.db(), QStringLiteral("Numbers"), 1000);
    t.exec("SELECT [Id], [Label] & String(200, 'w') AS [Long], 'x' AS [X] INTO [Wide] FROM [Numbers]");
    LazyTableModel model;
    SpreadGrid grid;
    grid.setModel(&model);
    grid.resize(500, 300);
    grid.show();
    model.setQuery(t.path(), "SELECT * FROM [Wide] ORDER BY [Id]");
    ASSERT_TRUE(gridtest::waitForCount(model));
    QApplication::processEvents();

    EXPECT_EQ(grid.columnWidth(1), grid.maxColumnWidth()) << "long text: capped";
    EXPECT_EQ(grid.columnWidth(2), grid.columnWidth(1)) << "declared alike, as wide whatever the rows hold";
    EXPECT_EQ(grid.verticalHeader()->sectionSize(0), grid.verticalHeader()->sectionSize(999));

    grid.setRowHeaderWidth(40);
    EXPECT_EQ(grid.rowHeaderWidth(), 40);
    EXPECT_EQ(grid.verticalHeader()->width(), 40);
    grid.setRowHeaderWidth(-1);
    QApplication::processEvents();
    EXPECT_GT(grid.verticalHeader()->width(), grid.fontMetrics().horizontalAdvance("99"));

    // Ctrl+End: the view asks for the last rows, and they arrive.
    grid.setFocus();
    grid.setCurrentIndex(model.index(0, 0));
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    QApplication::sendEvent(&grid, &end);
    EXPECT_EQ(grid.currentIndex().row(), 999);
    ASSERT_TRUE(gridtest::waitUntil([&] { return model.isRowLoaded(999); }));
    EXPECT_EQ(model.data(model.index(999, 0)).toString(), "999");
}
