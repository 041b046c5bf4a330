// The grid's per-round pages stay index lookups: the [Round] condition keeps the [Round] index and a page is
// fetched by rowid, while the order of text columns is the Unicode-aware one.
#include "db/Database.h"
#include "db/Sqlite.h"
#include "grid/GridQuery.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

QString plan(const db::Database &database, const QString &sql) {
    db::Statement query(database.handle(), "EXPLAIN QUERY PLAN " + sql);
    QStringList steps;
    while (query.step())
        steps << query.value(3).toString();
    return steps.join(u'\n');
}

}  // namespace

TEST(GridQueryPlan, PerRoundPagesUseTheRoundIndexAndRowids) {
    testsupport::ScratchDir dir;
    db::Database database = db::Database::create(dir.path("plan.mdb"));
    database.execute("CREATE TABLE [All Bids] ([Round] Long, [Market] TEXT(20), [Amount] Currency)");
    database.execute("CREATE INDEX [Round] ON [All Bids] ([Round])");
    database.execute("INSERT INTO [All Bids] VALUES (5, 'Zed', 1)");
    database.execute("INSERT INTO [All Bids] VALUES (5, 'Ñandú', 2)");
    database.execute("INSERT INTO [All Bids] VALUES (5, 'abc', 3)");
    database.execute("INSERT INTO [All Bids] VALUES (6, 'abc', 4)");
    const grid::GridQuery query =
        grid::prepareGridQuery(database, "SELECT * FROM [All Bids] WHERE [Round] = 5 Order By [Market]");
    ASSERT_TRUE(query.keyed());
    const QString keys = plan(database, query.keysSql());
    EXPECT_TRUE(keys.contains("USING INDEX All Bids.Round (Round=?)")) << keys.toStdString();
    const QString page = plan(database, query.rowsByKeysSql(3));
    EXPECT_TRUE(page.contains("USING INTEGER PRIMARY KEY (rowid=?)")) << page.toStdString();
    db::Statement rowids(database.handle(), query.keysSql());
    QStringList order;
    while (rowids.step())
        order << rowids.value(0).toString();
    EXPECT_EQ(order, (QStringList{"3", "2", "1"}));
}
