// The engine's contract: cursor rules, the numbered errors callers test, table holds, statements that SQLite
// cannot run as written (SELECT INTO, INSERT ... SELECT * by name, INSERT ... IN "file", keys), compaction.
#include "db/Database.h"
#include "db/Error.h"
#include "db/Recordset.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using db::ColumnType;
using db::RecordsetType;
using testsupport::TestDatabase;

namespace {

void makeBids(TestDatabase &t) {
    t.exec("CREATE TABLE [Bids] ([Round] Long, [Bidder] TEXT(60), [Amount] Currency, [Placed] DateTime)");
    t.exec("INSERT INTO [Bids] VALUES (1, 'Alpha', 100.25, #8/24/2006 10:15:00#)");
    t.exec("INSERT INTO [Bids] VALUES (2, 'beta', 200, #8/25/2006#)");
    t.exec("INSERT INTO [Bids] VALUES (2, \"O'Hare\", 300.5, #8/25/2006 9:00 PM#)");
    t.exec("INSERT INTO [Bids] VALUES (3, 'Gamma', 50, Null)");
}

}  // namespace

TEST(Recordset, CursorFollowsTheEngineRules) {
    TestDatabase t;
    makeBids(t);
    const auto empty = t.db().openRecordset("SELECT * FROM [Bids] WHERE [Round] = 9");
    EXPECT_TRUE(empty->eof());
    EXPECT_TRUE(empty->bof());
    EXPECT_EQ(empty->recordCount(), 0);
    for (auto action : {&db::Recordset::moveFirst, &db::Recordset::moveLast, &db::Recordset::moveNext}) {
        try {
            (empty.get()->*action)();
            ADD_FAILURE() << "a move on an empty set must fail";
        } catch (const db::Error &e) {
            EXPECT_EQ(e.number(), 3021);
            EXPECT_EQ(e.description(), "No current record.");
        }
    }
    const auto rs = t.db().openRecordset("SELECT [Round], [Bidder] FROM [Bids] ORDER BY [Round] DESC");
    EXPECT_EQ(rs->recordCount(), 4);
    EXPECT_EQ(rs->value("round").toInt(), 3);  // fields by name without regard to case
    rs->moveLast();
    EXPECT_EQ(rs->value(1).toString(), "Alpha");
    rs->moveNext();
    EXPECT_TRUE(rs->eof());
    EXPECT_THROW(rs->value(0), db::Error);
    EXPECT_THROW(rs->moveNext(), db::Error);
    try {
        rs->fieldIndex("Nope");
        ADD_FAILURE();
    } catch (const db::Error &e) {
        EXPECT_EQ(e.number(), 3265);
    }
}

TEST(Recordset, FieldsCarryTheirJetTypes) {
    TestDatabase t;
    makeBids(t);
    const auto rs = t.db().openRecordset("SELECT * FROM [Bids]", RecordsetType::Snapshot);
    ASSERT_EQ(rs->fieldCount(), 4);  // the hidden rowid of updatable sets is not a field
    EXPECT_EQ(rs->field(1).type, ColumnType::Text);
    EXPECT_EQ(rs->field(1).textLength, 60);
    EXPECT_EQ(rs->field(2).type, ColumnType::Currency);
    EXPECT_EQ(rs->field(3).type, ColumnType::DateTime);
    EXPECT_EQ(rs->value(3).toString(), "2006-08-24 10:15:00");
    rs->moveLast();
    EXPECT_TRUE(rs->value(3).isNull());
}

TEST(Recordset, SortAndFilterRequeryTheSource) {
    TestDatabase t;
    makeBids(t);
    const auto rs = t.db().openRecordset("SELECT * FROM [Bids] ORDER BY [Amount] DESC");
    rs->setFilter("[Round] >= 2");
    auto filtered = rs->openRecordset();
    QStringList order;
    for (; !filtered->eof(); filtered->moveNext())
        order << filtered->value("Bidder").toString();
    EXPECT_EQ(order, QStringList({"O'Hare", "beta", "Gamma"}));  // the source's order is kept

    filtered->setSort("[Bidder]");  // text sorts without regard to case
    filtered->setFilter("[Bidder] <> \"O'Hare\"");
    auto sorted = filtered->openRecordset();
    order.clear();
    for (; !sorted->eof(); sorted->moveNext())
        order << sorted->value("Bidder").toString();
    EXPECT_EQ(order, QStringList({"beta", "Gamma"}));
    EXPECT_EQ(sorted->type(), RecordsetType::Dynaset);

    filtered->setFilter("[Bidder] = 'BETA'");
    EXPECT_EQ(filtered->openRecordset()->recordCount(), 1);
}

TEST(Recordset, DynasetDeletesItsRowsSnapshotRefuses) {
    TestDatabase t;
    makeBids(t);
    const auto rs = t.db().openRecordset("SELECT [Bidder] FROM [Bids] WHERE [Round] = 2");
    rs->deleteRecord();
    rs->moveNext();
    EXPECT_EQ(rs->value(0).toString(), "O'Hare");
    EXPECT_EQ(t.column("SELECT [Bidder] FROM [Bids] ORDER BY [Round]"), QStringList({"Alpha", "O'Hare", "Gamma"}));
    const auto snapshot = t.db().openRecordset("SELECT * FROM [Bids]", RecordsetType::Snapshot);
    EXPECT_THROW(snapshot->deleteRecord(), db::Error);
    EXPECT_EQ(t.value("SELECT Count(*) FROM [Bids]").toInt(), 3);
}

TEST(Engine, RaisesTheNumbersCallersTest) {
    TestDatabase t;
    makeBids(t);
    EXPECT_EQ(t.errorOf("CREATE TABLE [bids] ([x] Long)"), 3010);
    EXPECT_EQ(t.errorOf("SELECT * INTO [BIDS] FROM [Bids]"), 3010);
    EXPECT_EQ(t.errorOf("DROP TABLE [Nothing]"), 3376);
    EXPECT_EQ(t.errorOf("SELECT [Nope] FROM [Bids]"), 3061);
    EXPECT_EQ(t.errorOf("SELECT * FROM [Bids] WHERE [Round] = [Nope]"), 3061);
    EXPECT_EQ(t.errorOf("SELECT * FROM [Nothing]"), 3078);
    EXPECT_EQ(t.errorOf("SELECT * FROM [Bids] WHERE"), 3075);
    EXPECT_EQ(t.errorOf("INSERT INTO [Bids] VALUES (1,"), 3134);
    EXPECT_EQ(t.errorOf("SELECT Bogus([Round]) FROM [Bids]"), 3085);
    EXPECT_EQ(t.errorOf("INSERT INTO [Bids] ([Bidder]) VALUES ('" + QString(61, 'x') + "')"), 3163);
    try {
        t.db().execute("SELECT * FROM [Bids]");
        ADD_FAILURE();
    } catch (const db::Error &e) {
        EXPECT_EQ(e.number(), 3065);
    }
}

TEST(Engine, OneStatementPerExecute) {
    TestDatabase t;
    makeBids(t);
    EXPECT_EQ(t.errorOf("DELETE * FROM [Bids]; DROP TABLE [Bids]"), 3142);
    EXPECT_EQ(t.value("SELECT Count(*) FROM [Bids]").toInt(), 4);  // nothing of it ran
    t.exec("DELETE * FROM [Bids] WHERE [Round] = 2;");
    EXPECT_EQ(t.db().recordsAffected(), 2);
}

TEST(Engine, HeldTablesCannotBeDropped) {
    TestDatabase t;
    makeBids(t);
    {
        db::TableHold hold = t.db().holdTable("bids");
        db::TableHold second = t.db().holdTable("Bids");
        second.reset();
        EXPECT_EQ(t.errorOf("DROP TABLE [Bids]"), 3211);
        EXPECT_EQ(t.errorOf("DELETE * FROM [Bids] WHERE [Round] = 1"), 0);  // nothing else locks
    }
    EXPECT_EQ(t.errorOf("DROP TABLE [Bids]"), 0);
    EXPECT_FALSE(t.db().tableExists("Bids"));
}

TEST(Engine, KeysRefuseDuplicatesAndNulls) {
    TestDatabase t;
    t.exec("CREATE TABLE [sysQueryBuilder] ([Txt5] TEXT(65), [Txt0] TEXT(255))");
    t.exec("INSERT INTO [sysQueryBuilder] ([Txt5]) VALUES ('Big Bids')");
    t.exec("ALTER TABLE [sysQueryBuilder] ADD CONSTRAINT [Primary] PRIMARY KEY ([Txt5])");
    EXPECT_EQ(t.errorOf("INSERT INTO [sysQueryBuilder] ([Txt5]) VALUES ('big bids')"), 3022);
    EXPECT_EQ(t.errorOf("INSERT INTO [sysQueryBuilder] ([Txt0]) VALUES ('x')"), 3058);
    EXPECT_EQ(t.errorOf("INSERT INTO [sysQueryBuilder] ([Txt5]) VALUES ('" + QString(66, 'q') + "')"), 3163);
    t.exec("CREATE TABLE [Dup] ([k] Text)");
    t.exec("INSERT INTO [Dup] VALUES ('a')");
    t.exec("INSERT INTO [Dup] VALUES ('A')");
    EXPECT_EQ(t.errorOf("ALTER TABLE [Dup] ADD CONSTRAINT [Primary] PRIMARY KEY ([k])"), 3022);
}

TEST(Engine, SelectIntoKeepsTypesOrderAndJetNames) {
    TestDatabase t;
    makeBids(t);
    t.exec("SELECT [Bidder], [Amount], [Amount] * 2, Count(*) AS [N] INTO [Made] FROM [Bids] "
           "GROUP BY [Bidder], [Amount] ORDER BY [Amount] DESC");
    const auto rs = t.db().openRecordset("SELECT * FROM [Made]", RecordsetType::Snapshot);
    ASSERT_EQ(rs->fieldCount(), 4);
    EXPECT_EQ(rs->field(0).type, ColumnType::Text);
    EXPECT_EQ(rs->field(1).type, ColumnType::Currency);
    EXPECT_EQ(rs->field(2).name, "Expr1000");
    EXPECT_EQ(rs->field(2).type, ColumnType::Double);
    EXPECT_EQ(rs->field(3).type, ColumnType::Long);
    EXPECT_EQ(rs->value(0).toString(), "O'Hare");
    EXPECT_DOUBLE_EQ(rs->value(2).toDouble(), 601.0);
    EXPECT_EQ(t.column("SELECT [Bidder] FROM [Made]"), QStringList({"O'Hare", "beta", "Alpha", "Gamma"}));
    // A statement that fails part way leaves no table behind.
    EXPECT_EQ(t.errorOf("SELECT [Bidder] INTO [Broken] FROM [Bids] WHERE CInt([Amount] * 300) > 0"), 6);
    EXPECT_FALSE(t.db().tableExists("Broken"));
}

// Expressions have no declared type in SQLite: the translator's types stand in, as Jet types them. Sum, Avg, Min
// and Max of Currency and CCur are Currency, Count is Long, a date plus days is a date, days between dates Double.
TEST(Engine, SelectIntoTypesExpressionsAsJetDoes) {
    TestDatabase t;
    makeBids(t);
    t.exec("SELECT [Bidder], Sum([Amount]) AS [Total], Avg([Amount]) AS [Mean], Max([Amount]) AS [High], "
           "Count(*) AS [N], CCur(Sum([Round]) / 3) AS [Third], Max([Placed]) AS [Latest] INTO [Totals] FROM [Bids] "
           "GROUP BY [Bidder]");
    t.exec("SELECT [Placed] + 1 AS [Next], [Placed] - #2006-08-24# AS [Days], [Round] + 1 AS [R] INTO [Moved] "
           "FROM [Bids] ORDER BY [Round]");
    const auto totals = t.db().openRecordset("SELECT * FROM [Totals] ORDER BY [Bidder]", RecordsetType::Snapshot);
    const std::vector<ColumnType> totalTypes = {ColumnType::Text,     ColumnType::Currency, ColumnType::Currency,
                                                ColumnType::Currency, ColumnType::Long,     ColumnType::Currency,
                                                ColumnType::DateTime};
    ASSERT_EQ(totals->fieldCount(), int(totalTypes.size()));
    for (size_t i = 0; i < totalTypes.size(); ++i)
        EXPECT_EQ(totals->field(int(i)).type, totalTypes[i]) << totals->field(int(i)).name.toStdString();
    EXPECT_EQ(totals->value("Total").toString(), "100.25");
    EXPECT_EQ(totals->value("Third").toString(), "0.3333");
    EXPECT_EQ(totals->value("Latest").toString(), "2006-08-24 10:15:00");
    const auto moved = t.db().openRecordset("SELECT * FROM [Moved]", RecordsetType::Snapshot);
    EXPECT_EQ(moved->field(0).type, ColumnType::DateTime);
    EXPECT_EQ(moved->field(1).type, ColumnType::Double);
    EXPECT_EQ(moved->field(2).type, ColumnType::Long);
    EXPECT_EQ(moved->value(0).toString(), "2006-08-25 10:15:00");
    EXPECT_DOUBLE_EQ(moved->value(1).toDouble(), 10.25 / 24);
    EXPECT_EQ(t.column("SELECT [Next] FROM [Moved] WHERE [Next] > #2006-08-26#"), QStringList({"2006-08-26 21:00:00"}));
    // A query shows its expressions with the same types.
    const auto direct = t.db().openRecordset("SELECT [Placed] + 1, Sum([Amount]) FROM [Bids] GROUP BY [Placed]");
    EXPECT_EQ(direct->field(0).type, ColumnType::DateTime);
    EXPECT_EQ(direct->field(1).type, ColumnType::Currency);
}

TEST(Engine, InsertSelectMatchesColumnsByName) {
    TestDatabase t;
    makeBids(t);
    t.exec("CREATE TABLE [Copy] ([Placed] DateTime, [Amount] Currency, [Bidder] Text, [Round] Long, [Extra] Long)");
    t.exec("INSERT INTO [Copy] SELECT * FROM [Bids]");
    EXPECT_EQ(t.column("SELECT [Bidder] FROM [Copy] WHERE [Amount] = 300.5"), QStringList({"O'Hare"}));
    EXPECT_EQ(t.errorOf("INSERT INTO [Bids] SELECT * FROM [Copy]"), 3127);  // [Extra] has no place in [Bids]

    // INSERT INTO [T] IN "file" writes into another database: the way a round's rows reach the auction.
    testsupport::ScratchDir other;
    const QString path = other.path("Auction O'Brien.db");
    {
        db::Database target = db::Database::create(path);
        target.execute("CREATE TABLE [Bids] ([Round] Long, [Bidder] TEXT(60), [Amount] Currency, [Placed] DateTime)");
    }
    t.exec("INSERT INTO [Bids] IN \"" + path + "\" SELECT * FROM [Bids]");
    db::Database target = db::Database::open(path);
    EXPECT_EQ(target.openRecordset("SELECT Count(*) FROM [Bids]")->value(0).toInt(), 4);
    EXPECT_EQ(t.errorOf("INSERT INTO [Bids] IN \"" + other.path("missing.db") + "\" SELECT * FROM [Bids]"), 53);
}

TEST(Engine, TableDefsAreSortedWithoutRegardToCase) {
    TestDatabase t;
    for (const char *name : {"sysTables", "All Bids", "Markets", "bidders", "Withdrawal Statistics"})
        t.exec(QStringLiteral("CREATE TABLE [%1] ([x] Long)").arg(QLatin1String(name)));
    EXPECT_EQ(t.db().tableDefs(),
              QStringList({"All Bids", "bidders", "Markets", "sysTables", "Withdrawal Statistics"}));
}

TEST(Engine, OpeningRefusesWhatIsNotAnSqliteDatabase) {
    testsupport::ScratchDir dir;
    auto errorOpening = [](const QString &path) {
        try {
            db::Database::open(path);
        } catch (const db::Error &e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(errorOpening(dir.path("missing.db")), 53);
    EXPECT_EQ(errorOpening(dir.path("no/such/folder/x.db")), 76);
    QFile text(dir.path("notes.mdb"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("these are not the tables you are looking for\n");
    text.close();
    EXPECT_EQ(errorOpening(text.fileName()), 3343);
    EXPECT_EQ(errorOpening(testsupport::dataPath("legacy/Auction11.mdb")), 3343);  // Jet: converted elsewhere
}

TEST(Engine, CompactionShrinksTheFileInPlace) {
    TestDatabase t;
    makeBids(t);
    for (int i = 0; i < 12; ++i)  // 4096 copies of round 1, then gone again: pages to reclaim
        t.exec("INSERT INTO [Bids] SELECT * FROM [Bids] WHERE [Round] = 1");
    t.exec("DELETE * FROM [Bids] WHERE [Round] = 1");
    const QString path = t.path();
    t.db().close();
    const qint64 before = QFileInfo(path).size();
    EXPECT_EQ(db::Database::compact(path), db::CompactResult::Compacted);
    EXPECT_LT(QFileInfo(path).size(), before);
    EXPECT_FALSE(QFileInfo::exists(path + "-wal"));
    const db::Database reopened = db::Database::open(path);
    EXPECT_EQ(reopened.openRecordset("SELECT Count(*) FROM [Bids]")->value(0).toInt(), 3);

    // A file that cannot be compacted stays as it was.
    const QString broken = t.dir().path("broken.db");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'x'));
    file.close();
    EXPECT_THROW(db::Database::compact(broken), db::Error);
    EXPECT_EQ(QFileInfo(broken).size(), 8192);
}
