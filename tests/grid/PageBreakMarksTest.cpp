// The page-break marks in the grid: black lines at the top of flagged rows and the left of flagged columns, read
// back from the painted viewport, with frozen columns, after a resize and on a million-row model.
#include "grid/FrozenColumns.h"
#include "grid/PageBreakMarks.h"
#include "grid/SpreadGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <set>

using grid::SpreadGrid;

namespace {

// Empty cells (so that only the marks can paint black), remembering which rows were read.
class BlankModel : public QAbstractTableModel {
public:
    BlankModel(int rows, int columns) : rows_(rows), columns_(columns) {}
    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : columns_; }
    QVariant data(const QModelIndex &index, int) const override {
        rowsRead.insert(index.row());
        return {};
    }
    mutable std::set<int> rowsRead;

private:
    int rows_;
    int columns_;
};

bool isBlack(const QImage &image, QPoint at) { return image.rect().contains(at) && image.pixel(at) == qRgb(0, 0, 0); }

int blackPixels(const QImage &image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == qRgb(0, 0, 0);
    return count;
}

QImage painted(QTableView &view) {
    QApplication::processEvents();
    return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Grid row and column numbers (from 1) of a cell's rectangle in the viewport.
QRect cellRect(const QTableView &view, int row, int column) {
    return view.visualRect(view.model()->index(row - 1, column - 1));
}

class PageBreakMarksTest : public ::testing::Test {
protected:
    explicit PageBreakMarksTest(int rows = 200) : model(rows, 8) {
        grid.setModel(&model);
        grid.resize(700, 420);
        for (int column = 0; column < model.columnCount(); ++column)
            grid.setColumnWidth(column, 90);
        grid.show();
        QApplication::processEvents();  // the viewport takes its size
    }
    void mark(std::set<int> rows, std::set<int> columns) {
        print::PageBreaks breaks;
        breaks.rows = std::move(rows);
        breaks.columns = std::move(columns);
        grid.showPageBreakMarks(breaks);
    }
    // Whether the top edge of a row is drawn black at a column's middle, and the left edge of a column at a
    // row's middle.
    bool topMarked(QTableView &view, const QImage &image, int row, int column) {
        const QRect cell = cellRect(view, row, column);
        return isBlack(image, {cell.center().x(), cell.top()});
    }
    bool leftMarked(QTableView &view, const QImage &image, int row, int column) {
        const QRect cell = cellRect(view, row, column);
        return isBlack(image, {cell.left(), cell.center().y()});
    }

    BlankModel model;
    SpreadGrid grid;
};

class MillionRowMarksTest : public PageBreakMarksTest {
protected:
    MillionRowMarksTest() : PageBreakMarksTest(1000000) {}
};

}  // namespace

TEST_F(PageBreakMarksTest, NoMarksPaintNoLine) {
    EXPECT_EQ(blackPixels(painted(grid)), 0);
    mark({3}, {});
    EXPECT_GT(blackPixels(painted(grid)), 0);
    mark({}, {});  // removing the marks removes the lines
    EXPECT_EQ(blackPixels(painted(grid)), 0);
}

TEST_F(PageBreakMarksTest, RowAndColumnLinesFollowScrollingAndResizing) {
    mark({40}, {3});
    grid.scrollTo(model.index(39, 0), QAbstractItemView::PositionAtCenter);
    QImage image = painted(grid);
    for (int row = 30; row <= 48; ++row)
        EXPECT_EQ(topMarked(grid, image, row, 1), row == 40) << row;
    for (int column = 1; column <= 6; ++column)
        EXPECT_EQ(leftMarked(grid, image, 35, column), column == 3) << column;
    EXPECT_TRUE(topMarked(grid, image, 40, 3));  // the lines cross
    EXPECT_TRUE(leftMarked(grid, image, 40, 3));

    // A wider column 2 moves column 3's line with it; the former place is left blank.
    const int before = cellRect(grid, 35, 3).left();
    grid.setColumnWidth(1, 160);
    image = painted(grid);
    ASSERT_NE(cellRect(grid, 35, 3).left(), before);
    EXPECT_TRUE(leftMarked(grid, image, 35, 3));
    EXPECT_FALSE(isBlack(image, {before, cellRect(grid, 35, 3).center().y()}));
    EXPECT_TRUE(topMarked(grid, image, 40, 1));
}

TEST_F(PageBreakMarksTest, FrozenColumnsShowTheirMarks) {
    grid::FrozenColumns::freeze(grid, 2);
    QTableView *frozen = grid::FrozenColumns::overlay(grid);
    ASSERT_NE(frozen, nullptr);
    mark({20}, {2, 6});
    grid.scrollTo(model.index(19, 7), QAbstractItemView::PositionAtCenter);  // down to row 20, right to the end
    QImage overlay = painted(*frozen);
    EXPECT_TRUE(topMarked(*frozen, overlay, 20, 1));
    EXPECT_TRUE(leftMarked(*frozen, overlay, 20, 2));
    EXPECT_FALSE(leftMarked(*frozen, overlay, 20, 1));
    // The columns beneath, scrolled, carry the same row's line and their own column line.
    const QImage beneath = painted(grid);
    EXPECT_TRUE(topMarked(grid, beneath, 20, 8));
    EXPECT_TRUE(leftMarked(grid, beneath, 20, 6));

    // Removing the marks clears the overlay on screen too (read from the screen: a grab would paint afresh).
    mark({}, {});
    QApplication::processEvents();
    const QPoint at = frozen->viewport()->mapTo(&grid, QPoint(0, 0));
    const QImage onScreen = grid.screen()
                                ->grabWindow(grid.winId(), at.x(), at.y(), frozen->viewport()->width(),
                                             frozen->viewport()->height())
                                .toImage()
                                .convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(onScreen.isNull());
    EXPECT_EQ(blackPixels(onScreen), 0);
}

TEST_F(MillionRowMarksTest, MarksReadOnlyTheRowsShown) {
    model.rowsRead.clear();
    mark({12, 999990}, {2});
    grid.scrollToBottom();
    const QImage image = painted(grid);
    EXPECT_TRUE(topMarked(grid, image, 999990, 1));
    EXPECT_TRUE(leftMarked(grid, image, 999995, 2));
    // Only the rows on screen were touched: marks cost nothing per row of the table.
    EXPECT_LT(model.rowsRead.size(), 100u);
    EXPECT_GE(*model.rowsRead.begin(), 999900);
}
