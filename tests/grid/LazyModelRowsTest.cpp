// Rows in the query's order at every position, across pages, with the count and jumps, for queries over one
// table (pages by rowid) and other queries (pages by offset), and on an auction built from round files.
#include "GridTestSupport.h"

#include "db/Recordset.h"
#include "db/ValueText.h"
#include "grid/LazyTableModel.h"
#include "support/AuctionFacts.h"
#include "support/AuctionFixture.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using grid::LazyTableModel;
using testsupport::TestDatabase;

namespace {

constexpr int kRows = 20000;  // 100 pages: more than the cache keeps

class LazyModelRows : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        database_ = new TestDatabase();
        gridtest::makeNumbers(database_->db(), QStringLiteral("Numbers"), kRows);
    }
    static void TearDownTestSuite() {
        delete database_;
        database_ = nullptr;
    }
    static TestDatabase *database_;
};

TestDatabase *LazyModelRows::database_ = nullptr;

}  // namespace

TEST_F(LazyModelRows, EveryRowAtItsPositionInQueryOrder) {
    LazyTableModel model;
    int counted = -1, finished = 0;
    QObject::connect(&model, &LazyTableModel::rowCountKnown, [&](int rows) { counted = rows; });
    QObject::connect(&model, &LazyTableModel::loadingFinished, [&] { ++finished; });
    model.setQuery(database_->path(), "SELECT * FROM [Numbers] ORDER BY [Key]");
    EXPECT_EQ(model.baseTable(), "Numbers");
    ASSERT_EQ(model.columnCount(), 3);  // the hidden rowid is not a column
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Id");
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Key");
    EXPECT_EQ(model.headerData(0, Qt::Vertical).toInt(), 1);

    ASSERT_TRUE(gridtest::waitForCount(model));
    EXPECT_EQ(model.rowCount(), kRows);
    EXPECT_EQ(counted, kRows);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(model.headerData(kRows - 1, Qt::Vertical).toInt(), kRows);

    const QVariantList keys = gridtest::columnValues(model, 1);
    ASSERT_EQ(keys.size(), kRows);
    for (int row = 0; row < kRows; ++row)
        ASSERT_EQ(keys[row].toLongLong(), row) << "row " << row;
    // Row 0's page was dropped from the cache by the scan; it is read again.
    ASSERT_TRUE(model.waitForRows(0, 0, 20000));
    EXPECT_EQ(model.data(model.index(0, 2)).toString(), model.rawValue(0, 2).toString());
    EXPECT_EQ(model.rawValue(0, 1).toLongLong(), 0);

    model.setQuery(database_->path(), "SELECT TOP 5 * FROM [Numbers] ORDER BY [Key] DESC");
    ASSERT_TRUE(gridtest::waitForCount(model));
    ASSERT_EQ(model.rowCount(), 5);
    ASSERT_TRUE(model.waitForRows(0, 4, 20000));
    EXPECT_EQ(model.rawValue(4, 1).toLongLong(), kRows - 5);
}

TEST_F(LazyModelRows, FilteredDescendingOrderAndJumpToTheLastRow) {
    LazyTableModel model;
    model.setQuery(database_->path(), "SELECT [Label], [Key] FROM [Numbers] WHERE [Key] >= 5000 ORDER BY [Key] DESC");
    ASSERT_TRUE(gridtest::waitForCount(model));
    ASSERT_EQ(model.rowCount(), kRows - 5000);
    const int last = model.rowCount() - 1;
    EXPECT_FALSE(model.isRowLoaded(last));

    // A view asking for a row not loaded gets an empty cell, then dataChanged when its page arrives.
    bool changed = false;
    QObject::connect(&model, &LazyTableModel::dataChanged, [&](const QModelIndex &from, const QModelIndex &to) {
        changed = changed || (from.row() <= last && to.row() >= last && to.column() == 1);
    });
    EXPECT_FALSE(model.data(model.index(last, 1)).isValid());
    ASSERT_TRUE(gridtest::waitUntil([&] { return changed; }));
    EXPECT_EQ(model.rawValue(last, 1).toLongLong(), 5000);
    EXPECT_EQ(model.data(model.index(last, 1)).toString(), "5000");
    EXPECT_EQ(model.rawValue(0, 1).toLongLong(), kRows - 1);
    EXPECT_FALSE(model.waitForRows(last, last + 1, 1000)) << "rows beyond the count";
}

TEST_F(LazyModelRows, QueriesOverSeveralRowsPageByOffset) {
    LazyTableModel model;
    // DISTINCT: no rowid, rows in ascending order of the distinct value.
    model.setQuery(database_->path(), "SELECT DISTINCT [Key] \\ 2 AS [Half] FROM [Numbers]");
    EXPECT_TRUE(model.baseTable().isEmpty());
    ASSERT_TRUE(gridtest::waitForCount(model));
    ASSERT_EQ(model.rowCount(), kRows / 2);
    const QVariantList halves = gridtest::columnValues(model, 0);
    ASSERT_EQ(halves.size(), kRows / 2);
    for (int row = 0; row < kRows / 2; ++row)
        ASSERT_EQ(halves[row].toLongLong(), row) << "row " << row;

    // Fewer rows than a page: counted with the first page.
    model.setQuery(database_->path(), "SELECT [Key] Mod 3 AS [R], Count(*) AS [N] FROM [Numbers] GROUP BY [Key] Mod 3");
    ASSERT_TRUE(gridtest::waitForCount(model));
    ASSERT_EQ(model.rowCount(), 3);
    ASSERT_TRUE(model.waitForRows(0, 2, 20000));
    EXPECT_EQ(model.rawValue(2, 0).toLongLong(), 2);

    // No rows at all.
    model.setQuery(database_->path(), "SELECT * FROM [Numbers] WHERE [Id] < 0");
    ASSERT_TRUE(gridtest::waitForCount(model));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 3);
}

// The data window's query on a real auction: the same rows, in the same order, as the engine's recordset.
TEST(LazyModelAuction, ShowsWhatTheRecordsetReads) {
    const testsupport::ScratchDir dir;
    const QString path = testsupport::buildAuction(dir, QStringLiteral("auction-11"), 3);
    const QString sql = "SELECT * FROM [All Bids] WHERE [Round] = 2 Order By [Market], [Block], [Submarket]";
    LazyTableModel model;
    model.setQuery(path, sql);
    ASSERT_TRUE(gridtest::waitForCount(model));
    ASSERT_EQ(model.rowCount(), testsupport::kAuction11Rows[1][0]);
    ASSERT_TRUE(model.waitForRows(0, model.rowCount() - 1, 20000));

    const auto rs = db::Database::open(path).openRecordset(sql, db::RecordsetType::Snapshot);
    ASSERT_EQ(model.columnCount(), rs->fieldCount());
    for (int row = 0; !rs->eof(); rs->moveNext(), ++row) {
        for (int column = 0; column < rs->fieldCount(); ++column) {
            EXPECT_EQ(model.data(model.index(row, column)).toString(),
                      db::displayText(rs->value(column), rs->field(column).type))
                << "row " << row << ", " << rs->field(column).name;
        }
    }
}
