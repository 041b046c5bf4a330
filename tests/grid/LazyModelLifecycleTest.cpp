// setQuery's immediate errors, table holds, switching queries while rows are loading, destruction while busy,
// and errors the worker meets after setQuery returned.
#include "GridTestSupport.h"

#include "grid/LazyTableModel.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

using grid::LazyTableModel;
using testsupport::TestDatabase;

namespace {

int errorOf(const std::function<void()> &action) {
    try {
        action();
    } catch (const db::Error &error) {
        return error.number();
    }
    return 0;
}

// A query over a cross join of a table with itself, sorted by an expression: long enough to be cut short.
const char *kSlowQuery = "SELECT a.[Id] * b.[Id] AS [P] FROM [Numbers] AS a, [Numbers] AS b ORDER BY a.[Id] * b.[Id] DESC";

}  // namespace

TEST(LazyModelLifecycle, ImmediateErrorsLeaveTheRowsShown) {
    TestDatabase t;
    gridtest::makeNumbers(t.db(), QStringLiteral("Numbers"), 500);
    LazyTableModel model;
    model.setQuery(t.path(), "SELECT * FROM [Numbers] ORDER BY [Id]");
    ASSERT_TRUE(gridtest::waitForCount(model));
    ASSERT_TRUE(model.waitForRows(0, 10, 20000));

    EXPECT_EQ(errorOf([&] { model.setQuery(t.path(), "SELECT * FROM [Numbers] WHERE [Round] = 3"); }), 3061);
    EXPECT_EQ(errorOf([&] { model.setQuery(t.path(), "SELECT * FROM [No Such Table]"); }), 3078);
    EXPECT_NE(errorOf([&] { model.setQuery(t.path(), "SELECT * FROM [Numbers] WHERE"); }), 0);
    EXPECT_EQ(errorOf([&] { model.setQuery(t.path(), "DELETE * FROM [Numbers]"); }), 3219);
    EXPECT_EQ(errorOf([&] { model.setQuery(t.path(), "SELECT * INTO [Copy] FROM [Numbers]"); }), 3219);
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("Copy")));
    EXPECT_EQ(errorOf([&] { model.setQuery(t.dir().path("missing.mdb"), "SELECT * FROM [Numbers]"); }), 53);

    EXPECT_EQ(model.jetSql(), "SELECT * FROM [Numbers] ORDER BY [Id]");
    EXPECT_EQ(model.rowCount(), 500);
    EXPECT_EQ(model.data(model.index(10, 0)).toString(), "10");
}

TEST(LazyModelLifecycle, ShownTableIsHeldUntilAnotherQuery) {
    TestDatabase t;
    gridtest::makeNumbers(t.db(), QStringLiteral("First"), 10);
    gridtest::makeNumbers(t.db(), QStringLiteral("Second"), 10);
    const auto dropError = [&](const QString &table) {
        return errorOf([&] { t.exec(QStringLiteral("DROP TABLE [%1]").arg(table)); });
    };
    {
        LazyTableModel model;
        model.setHoldingDatabase(t.db());
        model.setQuery(t.path(), "SELECT * FROM [First]");
        EXPECT_EQ(dropError("First"), 3211);
        model.setQuery(t.path(), "SELECT * FROM [first] WHERE [Id] > 3");  // the same table: still held
        EXPECT_EQ(dropError("First"), 3211);
        model.setQuery(t.path(), "SELECT * FROM [Second]");
        EXPECT_EQ(dropError("First"), 0);
        EXPECT_EQ(dropError("Second"), 3211);
        model.setQuery(t.path(), "SELECT DISTINCT [Key] FROM [Second]");  // not one table's rows: no hold
        EXPECT_TRUE(model.baseTable().isEmpty());
        EXPECT_FALSE(t.db().isHeld(QStringLiteral("Second")));
        model.setQuery(t.path(), "SELECT * FROM [Second]");
        EXPECT_TRUE(t.db().isHeld(QStringLiteral("Second")));
        model.clear();
        EXPECT_FALSE(t.db().isHeld(QStringLiteral("Second")));
        EXPECT_EQ(model.rowCount(), 0);
        EXPECT_EQ(model.columnCount(), 0);
        model.setQuery(t.path(), "SELECT * FROM [Second]");
    }
    EXPECT_EQ(dropError("Second"), 0) << "the hold ends with the model";
}

TEST(LazyModelLifecycle, SwitchingQueriesNeverShowsRowsOfAnEarlierOne) {
    TestDatabase t;
    gridtest::makeNumbers(t.db(), QStringLiteral("Numbers"), 20000);
    t.exec("SELECT 'old' AS [Tag], [Id] INTO [Old] FROM [Numbers]");
    t.exec("SELECT 'new' AS [Tag], [Id] INTO [New] FROM [Numbers] WHERE [Id] < 5000");
    LazyTableModel model;
    QString expected;
    int wrong = 0;
    const auto check = [&] {
        for (int row = 0; row < model.rowCount(); ++row)
            if (model.isRowLoaded(row) && model.rawValue(row, 0).toString() != expected)
                ++wrong;
    };
    QObject::connect(&model, &LazyTableModel::firstRowsReady, check);
    QObject::connect(&model, &LazyTableModel::dataChanged, check);
    const auto queryOf = [](const QString &table) {
        return QStringLiteral("SELECT [Tag], [Id] FROM [%1] ORDER BY [Id] DESC").arg(table);
    };
    for (int i = 0; i < 20; ++i) {
        expected = i % 2 ? "new" : "old";
        model.setQuery(t.path(), queryOf(expected));  // rows of the previous query may wait in the event queue
        QCoreApplication::processEvents();
        model.data(model.index(0, 0));
        if (i % 4 == 0) {
            model.setQuery(t.path(), kSlowQuery);  // replaced while busy
            model.setQuery(t.path(), queryOf(expected));
        }
        QThread::msleep(5);  // the worker delivers rows that the next switch makes stale
    }
    ASSERT_TRUE(gridtest::waitForCount(model));
    EXPECT_EQ(model.rowCount(), 5000);
    ASSERT_TRUE(model.waitForRows(4000, 4999, 20000));
    check();
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(model.rawValue(4999, 1).toLongLong(), 0);
}

TEST(LazyModelLifecycle, DestroyedWhileItsWorkerIsBusy) {
    TestDatabase t;
    gridtest::makeNumbers(t.db(), QStringLiteral("Numbers"), 2000);
    for (const int waitMs : {0, 50}) {
        auto model = std::make_unique<LazyTableModel>();
        model->setQuery(t.path(), kSlowQuery);
        gridtest::waitUntil([] { return false; }, waitMs);
        model.reset();  // interrupts the worker's sort of four million rows
    }
    // A queued delivery of the destroyed model must not reach anything: let the event loop run.
    QCoreApplication::processEvents();
}

TEST(LazyModelLifecycle, WorkerErrorsAreReported) {
    TestDatabase t;
    t.exec("CREATE TABLE [Bids] ([Amount] Currency)");
    t.exec("INSERT INTO [Bids] VALUES (1)");
    t.exec("INSERT INTO [Bids] VALUES (1000000)");
    LazyTableModel model;
    int failure = 0;
    QObject::connect(&model, &LazyTableModel::failed, [&](const db::Error &error) { failure = error.number(); });
    // Prepares fine; computing the second row overflows an Integer (VB error 6).
    model.setQuery(t.path(), "SELECT CInt([Amount] * 300) AS [X] FROM [Bids]");
    ASSERT_TRUE(gridtest::waitUntil([&] { return failure != 0; }));
    EXPECT_EQ(failure, 6);
    EXPECT_FALSE(model.isLoading());
    EXPECT_FALSE(model.waitForRows(0, 0, 1000));

    // The database file vanishes between the query and the worker's connection.
    const QString gone = t.dir().path("gone.mdb");
    {
        db::Database other = db::Database::create(gone);
        other.execute("CREATE TABLE [Bids] ([Amount] Currency)");
        other.execute("INSERT INTO [Bids] VALUES (1)");
        other.execute("INSERT INTO [Bids] VALUES (2)");
    }
    failure = 0;
    model.setQuery(gone, "SELECT * FROM [Bids]");
    QFile::remove(gone);
    gridtest::waitUntil([&] { return failure != 0 || model.isRowCountKnown(); });
    EXPECT_TRUE(failure == 53 || model.rowCount() == 2) << failure;

    model.setQuery(t.path(), "SELECT * FROM [Bids]");  // usable again
    ASSERT_TRUE(gridtest::waitForCount(model));
    EXPECT_EQ(model.rowCount(), 2);
}
