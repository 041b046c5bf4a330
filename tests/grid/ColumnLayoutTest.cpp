// Cells and columns as the declared type decides: currency with two decimals in every row, column widths set
// before any far row is read, a wider number arriving later widening its column (not one the user sized), number
// cells never elided; and a long drop-down list scrolling instead of filling the screen.
#include "GridTestSupport.h"

#include "grid/CellText.h"
#include "grid/DropDownList.h"
#include "grid/LazyTableModel.h"
#include "grid/NumberDelegate.h"
#include "grid/SpreadGrid.h"
#include "support/TestDatabase.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QScrollBar>

#include <gtest/gtest.h>

using db::ColumnType;

namespace {

class DelegateProbe : public grid::NumberDelegate {
public:
    using grid::NumberDelegate::initStyleOption;
};

}  // namespace

TEST(GridCells, CurrencyHasTwoDecimalsRoundedAsFormatDoes) {
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const auto currency = [&](const QVariant &value) { return grid::cellText(value, ColumnType::Currency, us); };
    EXPECT_EQ(currency(4389166215.9), "4,389,166,215.90");  // not "4,389,166,215.9000" for float noise
    EXPECT_EQ(currency(4029746738.2), "4,029,746,738.20");
    EXPECT_EQ(currency(1234.5678), "1,234.57");
    EXPECT_EQ(currency(2.345), "2.35");  // half away from zero on the decimal digits
    EXPECT_EQ(currency(-2.345), "-2.35");
    EXPECT_EQ(currency(0.125), "0.13");
    EXPECT_EQ(currency(qlonglong(5)), "5.00");  // whole amounts are stored as integers
    EXPECT_EQ(currency(QVariant()), "");
    EXPECT_EQ(grid::cellText(1234.5, ColumnType::Currency, QLocale(QLocale::German, QLocale::Germany)), "1.234,50");
    EXPECT_EQ(grid::cellText(0.1, ColumnType::Double, us), "0.1");
}

TEST(SpreadGrid, ColumnWidthsComeFromDeclaredTypesAndNumbersWiden) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    testsupport::TestDatabase t;
    gridtest::makeNumbers(t.db(), "Numbers", 1000);
    t.exec("CREATE TABLE [Stats] ([Name] TEXT(60), [Code] TEXT(4), [Amount] Currency, [When] DateTime, [N] Long)");
    t.exec("INSERT INTO [Stats] ([Name], [Code], [Amount], [When], [N]) "
           "SELECT 'a' AS [Name], 'b' AS [Code], [Id] Mod 10 AS [Amount], #1/2/2006# AS [When], [Id] AS [N] "
           "FROM [Numbers]");
    t.exec("UPDATE [Stats] SET [Amount] = 173564217890.25 WHERE [N] = 999");
    t.exec("UPDATE [Stats] SET [When] = #12/28/2006 10:15:00 PM# WHERE [N] = 998");
    {
        grid::LazyTableModel model;
        grid::SpreadGrid grid;
        grid.setModel(&model);
        grid.resize(600, 300);
        grid.show();
        model.setQuery(t.path(), "SELECT * FROM [Stats] ORDER BY [N]");
        ASSERT_TRUE(gridtest::waitForCount(model));
        QApplication::processEvents();
        ASSERT_FALSE(model.isRowLoaded(998));

        // From the types, though the first rows hold one character and one digit.
        EXPECT_GT(grid.columnWidth(0), grid.columnWidth(1)) << "TEXT(60) wider than TEXT(4)";
        EXPECT_LE(grid.columnWidth(0), grid.maxColumnWidth());
        EXPECT_GE(grid.columnWidth(2), grid.numberColumnWidth("4,389,166,215.90"));
        const QString late = grid::cellText("2006-12-28 22:15:00", ColumnType::DateTime, QLocale());
        EXPECT_GE(grid.columnWidth(3), grid.numberColumnWidth(late));
        const int user = 30;
        grid.setColumnWidth(4, user);  // the user's own width
        const int amount = grid.columnWidth(2);

        // Far rows arrive: a larger amount widens its column, and every amount keeps two decimals.
        ASSERT_TRUE(model.waitForRows(990, 999, 20000));
        QApplication::processEvents();
        const QString large = model.data(model.index(999, 2)).toString();
        EXPECT_EQ(large, "173,564,217,890.25");
        EXPECT_GT(grid.columnWidth(2), amount);
        EXPECT_GE(grid.columnWidth(2), grid.numberColumnWidth(large));
        EXPECT_EQ(model.data(model.index(990, 2)).toString(), "0.00");
        EXPECT_EQ(grid.columnWidth(4), user);

        // Number cells are never elided; text cells are.
        ASSERT_NE(dynamic_cast<grid::NumberDelegate *>(grid.itemDelegate()), nullptr);
        DelegateProbe probe;
        QStyleOptionViewItem option;
        option.textElideMode = Qt::ElideRight;
        probe.initStyleOption(&option, model.index(999, 2));
        EXPECT_EQ(option.textElideMode, Qt::ElideNone);
        QStyleOptionViewItem text;
        text.textElideMode = Qt::ElideRight;
        probe.initStyleOption(&text, model.index(999, 0));
        EXPECT_EQ(text.textElideMode, Qt::ElideRight);
    }
    QLocale::setDefault(saved);
}

// A list of 120 rounds opens with a bounded number of visible entries and a scroll bar.
TEST(DropDownList, ALongListScrolls) {
    QWidget top;
    top.resize(300, 200);
    grid::DropDownList list(&top);
    for (int round = 120; round >= 1; --round)
        list.addItem(QString::number(round));
    top.show();
    list.showPopup();
    QAbstractItemView *view = list.view();
    ASSERT_TRUE(view->isVisible());
    const int rows = grid::DropDownList::kVisibleItems + 1;
    EXPECT_LE(view->height(), rows * view->sizeHintForRow(0) + 4 * view->frameWidth());
    EXPECT_GT(view->verticalScrollBar()->maximum(), 0);
    list.hidePopup();
}
