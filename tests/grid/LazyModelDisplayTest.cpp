// How the model shows values: currency with two decimals, dates in the locale's short form, Null empty, Yes/No,
// numbers right-aligned; the stored values under EditRole and RawValueRole.
#include "GridTestSupport.h"

#include "grid/LazyTableModel.h"
#include "support/TestDatabase.h"

#include <QLocale>

#include <gtest/gtest.h>

using grid::LazyTableModel;

TEST(LazyModelDisplay, ValuesAsAGridShowsThem) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    testsupport::TestDatabase t;
    t.exec("CREATE TABLE [Bids] ([Bidder] TEXT(60), [Amount] Currency, [Placed] DateTime, [Ratio] Double, "
           "[Open] YesNo)");
    t.exec("INSERT INTO [Bids] VALUES ('Alpha', 88829183.35, #8/24/2006 10:15:00#, 0.1, True)");
    t.exec("INSERT INTO [Bids] VALUES ('Beta', 1234.5678, #8/25/2006#, 2.5, False)");
    t.exec("INSERT INTO [Bids] VALUES (Null, Null, Null, Null, Null)");
    {
        LazyTableModel model;
        model.setQuery(t.path(), "SELECT *, [Amount] * 2 AS [Twice] FROM [Bids]");
        ASSERT_TRUE(gridtest::waitForCount(model));
        ASSERT_TRUE(model.waitForRows(0, 2, 20000));
        const auto text = [&](int row, int column) { return model.data(model.index(row, column)).toString(); };
        EXPECT_EQ(text(0, 1), "88,829,183.35");
        EXPECT_EQ(text(1, 1), "1,234.57");
        EXPECT_EQ(text(0, 2), "8/24/06 10:15 AM");
        EXPECT_EQ(text(1, 2), "8/25/06");
        EXPECT_EQ(text(0, 3), "0.1");
        EXPECT_EQ(text(0, 4), "True");
        EXPECT_EQ(text(1, 4), "False");
        EXPECT_EQ(text(1, 5), "2469.1356");
        for (int column = 0; column < model.columnCount(); ++column)
            EXPECT_EQ(text(2, column), "") << "Null in column " << column;

        EXPECT_EQ(model.data(model.index(0, 2), Qt::EditRole).toString(), "2006-08-24 10:15:00");
        EXPECT_DOUBLE_EQ(model.data(model.index(0, 1), LazyTableModel::RawValueRole).toDouble(), 88829183.35);
        EXPECT_TRUE(model.data(model.index(2, 1), LazyTableModel::RawValueRole).isNull());
        EXPECT_EQ(model.fields()[1].type, db::ColumnType::Currency);

        const auto aligned = [&](int column) {
            return Qt::Alignment(model.data(model.index(0, column), Qt::TextAlignmentRole).toInt()) & Qt::AlignRight;
        };
        EXPECT_FALSE(aligned(0));
        EXPECT_TRUE(aligned(1));
        EXPECT_TRUE(aligned(3));
        EXPECT_TRUE(aligned(5)) << "an expression column aligns by its value";
    }
    QLocale::setDefault(saved);
}
