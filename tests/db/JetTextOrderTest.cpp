// Text compares, sorts and groups case-insensitively and Unicode-aware in every clause the dialect runs, although
// the stored columns and indexes use SQLite's ASCII NOCASE; numeric comparisons stay bare so that their indexes
// serve; DISTINCT and UNION keep the declared types of their columns.
#include "common/ColumnType.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/Sqlite.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using db::ColumnType;
using testsupport::TestDatabase;

namespace {

class JetTextOrder : public ::testing::Test {
protected:
    void SetUp() override {
        // In SQLite's own NOCASE order the accented words would sort after "Zed".
        t.exec("CREATE TABLE [Words] ([W] TEXT(20), [N] Long, [Pay] Currency, [When] DateTime)");
        t.exec("INSERT INTO [Words] VALUES ('Zed', 1, 1.5, #1/2/2006#)");
        t.exec("INSERT INTO [Words] VALUES ('Ñandú', 2, 2.5, #1/3/2006#)");
        t.exec("INSERT INTO [Words] VALUES ('ñANDÚ', 4, 2.5, #1/3/2006#)");
        t.exec("INSERT INTO [Words] VALUES ('abc', 8, Null, Null)");
        t.exec("INSERT INTO [Words] VALUES ('Ábaco', 16, 4, #1/4/2006#)");
    }
    int sum(const QString &where) { return t.value("SELECT Sum([N]) FROM [Words] WHERE " + where).toInt(); }
    std::vector<ColumnType> types(const QString &jetSql) {
        const auto rs = t.db().openRecordset(jetSql, db::RecordsetType::Snapshot);
        std::vector<ColumnType> out;
        for (int i = 0; i < rs->fieldCount(); ++i)
            out.push_back(rs->field(i).type);
        return out;
    }
    // The details of SQLite's plan for a translated query, one line per step.
    QString plan(const QString &jetSql) {
        db::Statement query(t.db().handle(), "EXPLAIN QUERY PLAN " + t.db().translate(jetSql).sql);
        QStringList steps;
        while (query.step())
            steps << query.value(3).toString();
        return steps.join(u'\n');
    }
    TestDatabase t;
};

}  // namespace

TEST_F(JetTextOrder, ComparisonsInListsAndRanges) {
    EXPECT_EQ(sum("[W] = 'ñandú'"), 6);
    EXPECT_EQ(sum("[W] <> 'ÑANDÚ'"), 25);
    EXPECT_EQ(sum("[W] < 'b'"), 24);                  // abc, Ábaco
    EXPECT_EQ(sum("[W] Between 'a' And 'o'"), 30);     // abc, Ábaco, Ñandú, ñANDÚ
    EXPECT_EQ(sum("[W] Not Between 'a' And 'o'"), 1);
    EXPECT_EQ(sum("[W] In ('ÁBACO', 'zed')"), 17);
    EXPECT_EQ(sum("[W] Not In ('ÁBACO', 'zed')"), 14);
    EXPECT_EQ(sum("[W] In (SELECT UCase([W]) FROM [Words] WHERE [N] = 2)"), 6);
    EXPECT_EQ(sum("Left([W], 1) = 'ñ'"), 6);             // expressions too
    EXPECT_EQ(sum("[W] Like 'ñ*'"), 6);
    EXPECT_EQ(sum("[N] In (1, 2) And [When] > #1/2/2006#"), 2);
    EXPECT_EQ(t.value("SELECT Min([W]) FROM [Words] WHERE [N] <> 8").toString(), "Ábaco");
    EXPECT_EQ(t.value("SELECT Max([W]) FROM [Words]").toString(), "Zed");
    t.exec("UPDATE [Words] SET [N] = 32 WHERE [W] = 'ABACO'");  // accents still count
    EXPECT_EQ(t.db().recordsAffected(), 0);
    t.exec("DELETE FROM [Words] WHERE [W] = 'ábaco'");
    EXPECT_EQ(t.db().recordsAffected(), 1);
}

TEST_F(JetTextOrder, OrdersGroupsDistinctsAndUnions) {
    const QStringList ordered = {"Ábaco", "abc", "Ñandú", "ñANDÚ", "Zed"};
    EXPECT_EQ(t.column("SELECT [W] FROM [Words] ORDER BY [W], [N]"), ordered);
    EXPECT_EQ(t.column("SELECT [W] FROM [Words] ORDER BY UCase([W]) DESC, [N] DESC"),
              (QStringList{"Zed", "ñANDÚ", "Ñandú", "abc", "Ábaco"}));
    EXPECT_EQ(t.column("SELECT Sum([N]) FROM [Words] GROUP BY [W]"), (QStringList{"16", "8", "6", "1"}));
    EXPECT_EQ(t.column("SELECT DISTINCT [W] FROM [Words]").size(), 4);
    EXPECT_EQ(t.column("SELECT DISTINCT [Pay], [W] FROM [Words]").size(), 4);
    EXPECT_EQ(t.column("SELECT DISTINCT [W], [Pay] FROM [Words] WHERE [N] In (2, 4)").size(), 1);
    EXPECT_EQ(t.column("SELECT DISTINCT UCase([W]) FROM [Words]"), (QStringList{"ÁBACO", "ABC", "ÑANDÚ", "ZED"}));
    const QStringList top = t.column("SELECT DISTINCT TOP 2 [W] FROM [Words] ORDER BY [W] DESC");
    EXPECT_EQ(top.size(), 2);
    EXPECT_EQ(top.value(1).toLower(), "ñandú");
    EXPECT_EQ(t.column("SELECT DISTINCT * FROM (SELECT [W], [Pay] FROM [Words] WHERE [N] In (2, 4))").size(), 1);
    EXPECT_EQ(t.column("SELECT DISTINCT w.* FROM (SELECT [W] FROM [Words]) AS w").size(), 4);
    EXPECT_EQ(t.column("SELECT DISTINCT [W], Count(*) AS [C] FROM [Words] GROUP BY [W]").size(), 4);
    const QStringList united =
        t.column("SELECT [W] FROM [Words] WHERE [N] < 4 UNION SELECT 'ÑANDÚ' FROM [Words] ORDER BY [W]");
    EXPECT_EQ(united.size(), 2);
    EXPECT_EQ(united.value(1), "Zed");
    EXPECT_EQ(t.column("SELECT [W] FROM [Words] UNION ALL SELECT [W] FROM [Words] UNION SELECT 'ZED' FROM [Words]")
                  .size(),
              4);
    EXPECT_EQ(
        t.column("SELECT [W] FROM [Words] UNION SELECT [W] FROM [Words] UNION ALL SELECT [W] FROM [Words]").size(), 9);
    // A table made by SELECT ... INTO compares the same way.
    t.exec("SELECT [W], [N] INTO [Copy] FROM [Words]");
    EXPECT_EQ(t.column("SELECT [N] FROM [Copy] WHERE [W] = 'ÑANDÚ' ORDER BY [N]"), (QStringList{"2", "4"}));
    EXPECT_EQ(t.column("SELECT DISTINCT [W] FROM [Copy]").size(), 4);
    // A recordset's Sort and Filter.
    auto rs = t.db().openRecordset("SELECT * FROM [Words]");
    rs->setFilter("[W] <> 'zed'");
    rs->setSort("[W] DESC, [N] DESC");
    const auto sorted = rs->openRecordset();
    EXPECT_EQ(sorted->recordCount(), 4);
    EXPECT_EQ(sorted->value("W").toString(), "ñANDÚ");
    sorted->moveLast();
    EXPECT_EQ(sorted->value("W").toString(), "Ábaco");
}

TEST_F(JetTextOrder, DistinctAndUnionKeepDeclaredTypes) {
    const std::vector<ColumnType> expected = {ColumnType::Text, ColumnType::Currency, ColumnType::DateTime};
    EXPECT_EQ(types("SELECT DISTINCT [W], [Pay], [When] FROM [Words]"), expected);
    EXPECT_EQ(types("SELECT [W], [Pay], [When] FROM [Words] UNION SELECT [W], [Pay], [When] FROM [Words]"), expected);
    EXPECT_EQ(types("SELECT DISTINCT * FROM [Words]"),
              (std::vector<ColumnType>{ColumnType::Text, ColumnType::Long, ColumnType::Currency,
                                       ColumnType::DateTime}));
    t.exec("SELECT DISTINCT [W], [Pay], [When] INTO [D] FROM [Words]");
    EXPECT_EQ(types("SELECT * FROM [D]"), expected);
    EXPECT_EQ(t.column("SELECT [W] FROM [D]").size(), 4);
    t.exec("SELECT * INTO [U] FROM "
           "(SELECT [W], [Pay], [When] FROM [Words] UNION SELECT [W], [Pay], [When] FROM [Words])");
    EXPECT_EQ(types("SELECT * FROM [U]"), expected);
    EXPECT_EQ(t.column("SELECT [W] FROM [U]").size(), 4);
}

// An explicit collation on a comparison turns away an index of another collation, numeric columns included; the
// per-round queries, their joins and Max([Round]) must keep the [Round] index.
TEST_F(JetTextOrder, NumericComparisonsKeepTheirIndexes) {
    t.exec("CREATE TABLE [All Bids] ([Round] Long, [Market] TEXT(20), [Amount] Currency)");
    t.exec("CREATE INDEX [Round] ON [All Bids] ([Round])");
    t.exec("CREATE TABLE [Rounds] ([Round] Long, [Ended] DateTime)");
    t.exec("INSERT INTO [All Bids] VALUES (5, 'Ñandú', 1)");
    const QString search = QStringLiteral("USING INDEX All Bids.Round (Round=?)");
    const QString perRound = "SELECT * FROM [All Bids] WHERE [Round] = 5";
    EXPECT_TRUE(plan(perRound).contains(search)) << plan(perRound).toStdString();
    const QString join = "SELECT a.[Market] FROM [Rounds] AS r INNER JOIN [All Bids] AS a ON a.[Round] = r.[Round]";
    EXPECT_TRUE(plan(join).contains(search)) << plan(join).toStdString();
    EXPECT_TRUE(plan("SELECT * FROM [All Bids] WHERE [Round] In (4, 5) AND [Market] = 'ÑANDÚ'").contains(
        "USING INDEX All Bids.Round (Round=?)"));
    EXPECT_TRUE(plan("SELECT Max([Round]) FROM [All Bids]").contains("COVERING INDEX All Bids.Round"));
    EXPECT_EQ(t.column("SELECT [Market] FROM [All Bids] WHERE [Round] = 5 AND [Market] = 'ÑANDÚ'"),
              QStringList{"Ñandú"});
    // Text is compared in the text order, numbers and dates bare.
    const QString sql = t.db().translate("SELECT * FROM [All Bids] AS a, [Rounds] r WHERE a.[Market] = 'x' AND "
                                         "r.[Ended] > #1/1/2006# AND a.[Amount] < 5 AND a.[Round] = r.[Round]")
                            .sql;
    EXPECT_EQ(sql.count("COLLATE JETTEXT"), 1) << sql.toStdString();
}

// DISTINCT and UNION written as groups still compose with TOP, subqueries, parenthesized members and INTO.
TEST_F(JetTextOrder, GroupedDistinctsAndUnionsCompose) {
    const struct {
        const char *sql;
        int rows;
    } cases[] = {
        {"SELECT DISTINCT TOP 50 PERCENT [W] FROM [Words]", 2},
        {"SELECT [W] FROM [Words] UNION SELECT [W] FROM [Words] ORDER BY [W] DESC", 4},
        {"(SELECT [W] FROM [Words]) UNION (SELECT UCase([W]) FROM [Words])", 4},
        {"SELECT TOP 1 [W] FROM [Words] UNION SELECT [W] FROM [Words] WHERE [N] = 1", 1},
        {"SELECT DISTINCT [W] FROM [Words] WHERE [N] In (SELECT DISTINCT [N] FROM [Words] WHERE [N] < 8)", 2},
        {"SELECT * FROM (SELECT DISTINCT [W], [Pay] FROM [Words]) WHERE [Pay] > 2", 2},
        {"SELECT [W] FROM [Words] AS a WHERE Exists (SELECT DISTINCT b.[W] FROM [Words] b WHERE b.[W] = a.[W] "
         "AND b.[N] <> a.[N])",
         2},
    };
    for (const auto &c : cases)
        EXPECT_EQ(t.column(QString::fromUtf8(c.sql)).size(), c.rows) << c.sql;
    t.exec("SELECT DISTINCT [W] INTO [X] FROM [Words]");
    t.exec("INSERT INTO [X] SELECT DISTINCT UCase([W]) AS [W] FROM [Words] WHERE [N] < 4");
    EXPECT_EQ(t.db().recordsAffected(), 2);
    EXPECT_EQ(t.column("SELECT DISTINCT [W] FROM [X]").size(), 4);
}
