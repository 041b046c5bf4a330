// FreezeCols keeps the columns up to the current one in view while the others scroll beneath them, through
// scrolling, column widths and a new table; UnfreezeCols ends it. The right click makes the clicked cell current
// and pops up the page-break menu at the mouse.
#include "tables/GridToolsFixture.h"

#include "grid/FrozenColumns.h"
#include "grid/LazyTableModel.h"
#include "grid/SpreadGrid.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace {

using FreezeColumns = GridToolsFixture;

// Whether column `column` of the overlay is drawn inside it.
bool shownIn(QTableView *view, int column) {
    const QRect cell = view->visualRect(view->model()->index(0, column));
    return !view->isColumnHidden(column) && cell.left() >= 0 && cell.right() <= view->viewport()->width();
}

TEST_F(FreezeColumns, ColumnsUpToTheCurrentOneStayInViewWhileTheRestScroll) {
    show(QStringLiteral("All Bids"));
    grid::SpreadGrid *grid = window->MSFlexGrid1;
    const int columns = window->Data1->columnCount();
    ASSERT_GT(columns, 6);
    grid->setCurrentIndex(window->Data1->index(0, 3));  // the fourth column
    window->FreezeCols();
    EXPECT_EQ(grid::FrozenColumns::frozenCount(*grid), 4);
    QTableView *overlay = grid::FrozenColumns::overlay(*grid);
    ASSERT_TRUE(overlay);
    EXPECT_TRUE(overlay->isVisible());
    for (int column = 0; column < columns; ++column)
        EXPECT_EQ(overlay->isColumnHidden(column), column >= 4) << column;
    int frozenWidth = 0;
    for (int column = 0; column < 4; ++column)
        frozenWidth += grid->columnWidth(column);
    EXPECT_EQ(overlay->width(), std::min(frozenWidth, grid->viewport()->width()));

    // Scrolled to the far right: the grid's first columns left the viewport, the overlay still shows them,
    // and the last column is in view beside it.
    ASSERT_GT(grid->horizontalScrollBar()->maximum(), 0) << "the window is wide enough to show every column";
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    QApplication::processEvents();
    EXPECT_LT(grid->visualRect(window->Data1->index(0, 1)).right(), overlay->width());
    for (int column = 0; column < 4; ++column)
        EXPECT_TRUE(shownIn(overlay, column)) << column;
    const QRect last = grid->visualRect(window->Data1->index(0, columns - 1));
    EXPECT_GT(last.right(), overlay->width());
    EXPECT_LE(last.right(), grid->viewport()->width());

    // A wider frozen column widens the overlay.
    grid->setColumnWidth(0, grid->columnWidth(0) + 30);
    EXPECT_EQ(overlay->columnWidth(0), grid->columnWidth(0));
    EXPECT_EQ(overlay->width(), std::min(frozenWidth + 30, grid->viewport()->width()));

    // Moving the current cell onto a column hidden beneath the overlay scrolls it out.
    grid->setCurrentIndex(window->Data1->index(0, 4));
    QApplication::processEvents();
    EXPECT_GE(grid->visualRect(window->Data1->index(0, 4)).left(), overlay->width() - 1);
}

TEST_F(FreezeColumns, TheFrozenColumnsScrollVerticallyWithTheGrid) {
    show(QStringLiteral("Many"));
    grid::SpreadGrid *grid = window->MSFlexGrid1;
    grid->setCurrentIndex(window->Data1->index(0, 0));
    window->FreezeCols();
    QApplication::processEvents();
    QTableView *overlay = grid::FrozenColumns::overlay(*grid);
    ASSERT_TRUE(overlay);
    grid->verticalScrollBar()->setValue(5000);
    QApplication::processEvents();
    EXPECT_EQ(grid->verticalScrollBar()->value(), 5000);
    EXPECT_EQ(overlay->verticalScrollBar()->value(), 5000);
    EXPECT_EQ(overlay->rowAt(0), grid->rowAt(0));
    overlay->verticalScrollBar()->setValue(20);  // the wheel over the frozen columns
    EXPECT_EQ(grid->verticalScrollBar()->value(), 20);
}

TEST_F(FreezeColumns, AnotherTableKeepsTheCountAndUnfreezeEndsIt) {
    show(QStringLiteral("All Bids"));
    grid::SpreadGrid *grid = window->MSFlexGrid1;
    const QAbstractItemView::ScrollMode mode = grid->horizontalScrollMode();
    grid->setCurrentIndex(window->Data1->index(0, 1));
    window->FreezeCols();
    show(QStringLiteral("Markets"));
    QTableView *overlay = grid::FrozenColumns::overlay(*grid);
    ASSERT_TRUE(overlay);
    EXPECT_FALSE(overlay->isColumnHidden(1));
    EXPECT_TRUE(overlay->isColumnHidden(2));
    EXPECT_EQ(overlay->columnWidth(1), grid->columnWidth(1));
    window->UnfreezeCols();
    EXPECT_EQ(grid::FrozenColumns::overlay(*grid), nullptr);
    EXPECT_EQ(grid->horizontalScrollMode(), mode);
}

TEST_F(FreezeColumns, RightClickMakesTheCellCurrentAndPopsUpThePageBreakMenu) {
    show(QStringLiteral("All Bids"));
    grid::SpreadGrid *grid = window->MSFlexGrid1;
    const QModelIndex target = window->Data1->index(2, 3);
    const QPoint pos = grid->visualRect(target).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, pos, grid->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(grid->viewport(), &click);
    EXPECT_EQ(grid->currentIndex(), target);
    ASSERT_EQ(menuPopups.size(), 1u);
    EXPECT_EQ(menuPopups.front(), grid->viewport()->mapToGlobal(pos));

    // On the frozen columns alike.
    window->FreezeCols();
    QTableView *overlay = grid::FrozenColumns::overlay(*grid);
    ASSERT_TRUE(overlay);
    const QModelIndex frozen = window->Data1->index(1, 2);
    const QPoint at = overlay->visualRect(frozen).center();
    QContextMenuEvent onOverlay(QContextMenuEvent::Mouse, at, overlay->viewport()->mapToGlobal(at));
    QApplication::sendEvent(overlay->viewport(), &onOverlay);
    EXPECT_EQ(grid->currentIndex(), frozen);
    ASSERT_EQ(menuPopups.size(), 2u);
    EXPECT_EQ(menuPopups.back(), overlay->viewport()->mapToGlobal(at));
}

}  // namespace
