// The system tables in both layouts and the name rules that tell supplied tables from the program's own.
#include "db/Recordset.h"
#include "db/Schema.h"
#include "support/TestDatabase.h"

#include <sqlite3.h>

#include <gtest/gtest.h>

using db::schema::Creator;
using testsupport::TestDatabase;

TEST(Schema, NameRulesAreCaseSensitive) {
    EXPECT_TRUE(db::schema::isSuppliedTableName("All Bids"));
    EXPECT_TRUE(db::schema::isSuppliedTableName("Sysop Notes"));
    EXPECT_TRUE(db::schema::isSuppliedTableName("SYSTEM"));
    EXPECT_TRUE(db::schema::isSuppliedTableName("msysThing"));
    EXPECT_FALSE(db::schema::isSuppliedTableName("sysScratch"));
    EXPECT_FALSE(db::schema::isSuppliedTableName("sysRounds"));
    EXPECT_FALSE(db::schema::isSuppliedTableName("MSysObjects"));
}

namespace {

void makeRoundTables(TestDatabase &t) {
    t.exec("CREATE TABLE [Markets] ([Round] Long, [License Name] TEXT(20))");
    t.exec("CREATE TABLE [Withdrawal Statistics] ([Withdrawal Number] Long)");
    t.exec("CREATE TABLE [Sysop Notes] ([Round] Long, [Note] TEXT(100))");
    t.exec("CREATE TABLE [sysScratch] ([Scratch Text] TEXT(50))");
    t.exec("CREATE TABLE [MSysOdd] ([x] Long)");
    t.exec("CREATE TABLE [O'Neil \"Data\"] ([Round] Long)");
}

}  // namespace

TEST(Schema, CreationListsSuppliedTablesAndIndexesRound) {
    for (Creator creator : {Creator::RoundFile, Creator::BatchImport}) {
        TestDatabase t;
        makeRoundTables(t);
        db::schema::createSystemTables(t.db(), creator, 7);
        const QStringList supplied = {"Markets", "O'Neil \"Data\"", "Sysop Notes", "Withdrawal Statistics"};
        EXPECT_EQ(t.column("SELECT TableName FROM sysSuppliedTables"), supplied);
        EXPECT_EQ(t.column("SELECT * FROM [sysTables]"), supplied);
        EXPECT_EQ(t.column("Select [Auction ID] From [sysAuction]"), QStringList({"7"}));
        EXPECT_EQ(t.column("SELECT [Round] FROM [sysRounds] ORDER BY [Round] DESC"), QStringList({"1"}));
        EXPECT_EQ(t.column("SELECT name FROM sqlite_master WHERE type = 'index' AND name LIKE '*.Round' ORDER BY name"),
                  QStringList({"Markets.Round", "O'Neil \"Data\".Round", "Sysop Notes.Round"}));
        // Per-round queries are index lookups.
        sqlite3_stmt *plan = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(t.db().handle(), "EXPLAIN QUERY PLAN SELECT * FROM [Markets] WHERE ([Round] = 3)",
                                     -1, &plan, nullptr),
                  SQLITE_OK);
        ASSERT_EQ(sqlite3_step(plan), SQLITE_ROW);
        EXPECT_TRUE(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(plan, 3))).contains("INDEX"));
        sqlite3_finalize(plan);
    }
}

TEST(Schema, QueryBuilderLayoutsDifferOnlyInSizes) {
    TestDatabase fromFile;
    db::schema::createSystemTables(fromFile.db(), Creator::RoundFile, 11);
    TestDatabase batch;
    db::schema::createSystemTables(batch.db(), Creator::BatchImport, 11);
    const QString longName = QString(200, 'n');
    const QString longSelect = QString(300, 's');
    EXPECT_EQ(fromFile.errorOf("INSERT INTO sysQueryBuilder (Txt5, Txt0) VALUES ('" + longName + "', '" + longSelect + "')"), 0);
    EXPECT_EQ(batch.errorOf("INSERT INTO sysQueryBuilder (Txt5) VALUES ('" + longName + "')"), 3163);
    EXPECT_EQ(batch.errorOf("INSERT INTO sysQueryBuilder (Txt5, Txt0) VALUES ('q', '" + longSelect + "')"), 3163);
    EXPECT_EQ(fromFile.errorOf("INSERT INTO sysQueryBuilder (Txt5, Txt1) VALUES ('x', '" + QString(66, 't') + "')"), 3163);
    for (TestDatabase *t : {&fromFile, &batch}) {
        EXPECT_EQ(t->errorOf("INSERT INTO sysQueryBuilder (Txt5) VALUES ('Big Bids')"), 0);
        EXPECT_EQ(t->errorOf("INSERT INTO sysQueryBuilder (Txt5) VALUES ('BIG BIDS')"), 3022);
        EXPECT_EQ(t->errorOf("INSERT INTO sysQueryBuilder (Txt1) VALUES ('no name')"), 3058);
    }
}
