// Sorted and filtered views of one table as the data window reads them: rows in the order's own text with ties
// broken by rowid, from the first page on; a view of no rows; a filter that fails while rows are read; a new
// query or a closed window in the middle of a sort.
#include "GridTestSupport.h"

#include "db/Sqlite.h"
#include "grid/LazyTableModel.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using grid::LazyTableModel;
using testsupport::TestDatabase;

namespace {

constexpr int kRows = 20000;
constexpr int kPage = LazyTableModel::kPageSize;

class SortedView : public ::testing::Test {
protected:
    // [Ties]: [Tie] takes 13 values, so every key is shared by about 1,500 rows. With the index on [Group], a
    // range on [Group] reads the rows in [Group] order, not in rowid order: ties only come in rowid order when
    // the query asks for it.
    static void SetUpTestSuite() {
        database_ = new TestDatabase();
        gridtest::makeNumbers(database_->db(), QStringLiteral("Numbers"), kRows);
        database_->exec("SELECT [Id], [Key] Mod 7 AS [Group], [Key] Mod 13 AS [Tie], [Label] INTO [Ties] "
                        "FROM [Numbers] ORDER BY [Id]");  // rowid order is [Id] order
        database_->exec("CREATE INDEX [Group] ON [Ties] ([Group])");
    }
    static void TearDownTestSuite() {
        delete database_;
        database_ = nullptr;
    }
    static TestDatabase *database_;

    // The first column of a plain SQLite query, run on the test's own connection.
    static std::vector<qint64> sqliteColumn(const QString &sql) {
        db::Statement query(database_->db().handle(), sql);
        std::vector<qint64> values;
        while (query.step())
            values.push_back(query.value(0).toLongLong());
        return values;
    }
};

TestDatabase *SortedView::database_ = nullptr;

std::vector<qint64> numbers(const QVariantList &values) {
    std::vector<qint64> out;
    for (const QVariant &value : values)
        out.push_back(value.toLongLong());
    return out;
}

struct Observed {
    std::vector<qint64> firstPage;  // column 0 of the rows shown when the first page came
    int firstPageChanges = 0;       // changes to the first page's rows before the count
    int failure = 0;
    bool first = false;
};

// Watches the model from setQuery on.
void observe(LazyTableModel &model, Observed &seen) {
    QObject::connect(&model, &LazyTableModel::firstRowsReady, [&] {
        seen.first = true;
        for (int row = 0; row < model.rowCount(); ++row)
            seen.firstPage.push_back(model.rawValue(row, 0).toLongLong());
    });
    QObject::connect(&model, &LazyTableModel::dataChanged, [&](const QModelIndex &from, const QModelIndex &) {
        if (!model.isRowCountKnown() && from.row() < kPage)
            ++seen.firstPageChanges;
    });
    QObject::connect(&model, &LazyTableModel::failed, [&](const db::Error &error) { seen.failure = error.number(); });
}

}  // namespace

TEST_F(SortedView, PagesFollowTheOrderWithTiesByRowid) {
    const struct {
        const char *view, *reference;
    } cases[] = {
        {"SELECT [Id], [Tie] FROM [Ties] WHERE [Group] >= 1 ORDER BY [Tie]",
         "SELECT Id FROM Ties WHERE \"Group\" >= 1 ORDER BY Tie, rowid"},
        {"SELECT * FROM [Ties] WHERE [Group] >= 1 And ([Id] >= 100) ORDER BY [Tie] DESC",
         "SELECT Id FROM Ties WHERE \"Group\" >= 1 AND Id >= 100 ORDER BY Tie DESC, rowid"},
        {"SELECT [Id] FROM [Ties] WHERE [Group] >= 1 ORDER BY [Tie] DESC, [Group]",
         "SELECT Id FROM Ties WHERE \"Group\" >= 1 ORDER BY Tie DESC, \"Group\", rowid"},
        // TOP 3 keeps every row that ties with the third
        {"SELECT TOP 3 [Id] FROM [Ties] WHERE [Group] >= 0 ORDER BY [Tie]",
         "SELECT Id FROM Ties WHERE Tie = 0 ORDER BY rowid"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.view);
        const std::vector<qint64> expected = sqliteColumn(c.reference);
        ASSERT_GT(expected.size(), size_t(5 * kPage));
        LazyTableModel model;
        Observed seen;
        observe(model, seen);
        model.setQuery(database_->path(), c.view);
        ASSERT_TRUE(gridtest::waitForCount(model));
        ASSERT_EQ(seen.firstPage.size(), size_t(kPage));
        EXPECT_EQ(seen.firstPage, std::vector<qint64>(expected.begin(), expected.begin() + kPage));
        EXPECT_EQ(seen.firstPageChanges, 0);  // the first page was not shown again
        ASSERT_EQ(size_t(model.rowCount()), expected.size());
        EXPECT_EQ(numbers(gridtest::columnValues(model, 0)), expected);
    }
}

TEST_F(SortedView, FilterOfNoRowsShowsAnEmptyView) {
    LazyTableModel model;
    Observed seen;
    observe(model, seen);
    model.setQuery(database_->path(), "SELECT * FROM [Ties] WHERE [Group] >= 1 And ([Tie] > 100) ORDER BY [Label]");
    ASSERT_TRUE(gridtest::waitForCount(model));
    EXPECT_TRUE(seen.first);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 4);
    EXPECT_EQ(seen.failure, 0);
}

// Division by zero (VB error 11) at [Id] = 15000: the sorted view meets it before its first page, the unsorted
// one after its first page, while it reads the rest.
TEST_F(SortedView, FilterThatFailsWhileRowsAreReadIsReported) {
    for (const bool sorted : {true, false}) {
        SCOPED_TRACE(sorted ? "sorted" : "unsorted");
        LazyTableModel model;
        Observed seen;
        observe(model, seen);
        model.setQuery(database_->path(), QStringLiteral("SELECT * FROM [Ties] WHERE ([Id] / ([Id] - 15000) < 1)") +
                                              (sorted ? " ORDER BY [Label]" : ""));
        ASSERT_TRUE(gridtest::waitUntil([&] { return seen.failure != 0; }));
        EXPECT_EQ(seen.failure, 11);
        EXPECT_FALSE(model.isRowCountKnown());
        EXPECT_FALSE(model.isLoading());
        if (!sorted) {
            EXPECT_TRUE(seen.first);
            EXPECT_EQ(model.rowCount(), kPage);
            EXPECT_EQ(model.rawValue(kPage - 1, 0).toLongLong(), kPage - 1);
        }
    }
}

TEST_F(SortedView, NewQueryOrClosingDuringTheSortStopsIt) {
    database_->exec("SELECT n.[Id] * 10 + d.[N] AS [Id], n.[Label] & '-' & d.[N] AS [Label] INTO [Big] "
                    "FROM [Numbers] AS n, [Digit] AS d");
    const QString sort = QStringLiteral("SELECT * FROM [Big] ORDER BY [Label] & [Id] DESC");
    QElapsedTimer timer;
    timer.start();
    {
        LazyTableModel model;
        model.setQuery(database_->path(), sort);
        ASSERT_TRUE(gridtest::waitForCount(model, 120000));
        ASSERT_EQ(model.rowCount(), 10 * kRows);
    }
    const qint64 whole = timer.elapsed();  // the first page, the whole sort and the count
    for (const bool close : {false, true}) {
        SCOPED_TRACE(close ? "closed" : "new query");
        auto model = std::make_unique<LazyTableModel>();
        Observed seen;
        observe(*model, seen);
        int counts = 0;
        QObject::connect(model.get(), &LazyTableModel::rowCountKnown, [&] { ++counts; });
        model->setQuery(database_->path(), sort);
        ASSERT_TRUE(gridtest::waitUntil([&] { return seen.first; }, 60000));
        ASSERT_TRUE(model->isLoading());
        timer.restart();
        if (close)
            model.reset();
        else
            model->setQuery(database_->path(), "SELECT [Id] FROM [Ties] WHERE [Id] < 5 ORDER BY [Label]");
        EXPECT_LT(timer.elapsed(), whole / 2);
        if (!close) {
            ASSERT_TRUE(gridtest::waitForCount(*model));
            EXPECT_EQ(counts, 1);
            EXPECT_EQ(model->rowCount(), 5);
        }
    }
    QCoreApplication::processEvents();  // deliveries of the closed model's worker reach nothing
    database_->exec("DROP TABLE [Big]");
}
