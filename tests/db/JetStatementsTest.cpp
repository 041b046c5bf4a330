// Every statement the program runs, with values put in as the program puts them, against auction 11 built from
// its twelve round files: each must do what the program relies on. Then the stored statements of an auction
// database of the earlier Windows program, which must run unchanged.
#include "db/Database.h"
#include "db/Error.h"
#include "db/Recordset.h"
#include "core/JetConverter.h"
#include "support/AuctionFacts.h"
#include "support/AuctionFixture.h"
#include "support/TestDatabase.h"
#include "support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

#include <memory>

using testsupport::TestDatabase;

namespace {

struct Expect {
    enum class Kind { Runs, Fails, Rows, Column, First };
    Kind kind = Kind::Runs;
    int number = 0;
    QStringList values;
};

Expect runs() { return {}; }
Expect fails(int number) { return {Expect::Kind::Fails, number, {}}; }
Expect rows(int n) { return {Expect::Kind::Rows, n, {}}; }
Expect column(QStringList values) { return {Expect::Kind::Column, 0, std::move(values)}; }
Expect first(const QString &value) { return {Expect::Kind::First, 0, {value}}; }

struct Statement {
    QString sql;
    Expect expect;
};

const QStringList &kSupplied = testsupport::kAuction11Tables;

QString dataWindowQuery(const QString &table, int round, const QString &order) {
    return QStringLiteral("SELECT * FROM [%1] WHERE [Round] = %2%3").arg(table).arg(round).arg(order);
}

// The previous bidding day's last round before round r.
QString previousDayQuery(int r) {
    return QStringLiteral("SELECT TOP 1 [Round] FROM [Round Statistics] WHERE [Round Date] In(") +
           "Select Top 1 [Round Date] From [Round Statistics] Where [Round Date] Not In (" +
           QStringLiteral("Select [Round Date] From [Round Statistics] Where [Round] = %1").arg(r) + ")" +
           QStringLiteral(" AND [Round] < %1").arg(r) + " Order By [Round Date] DESC) ORDER BY [Round] DESC";
}

QString analysisQuery(const QString &condition, const QString &order) {
    return QStringLiteral("SELECT a.[Auction ID], a.[Round], a.[License Name], a.[Market], a.[Block], a.[Submarket], "
                          "m.[Market Name], a.[Bidder], ") +
           "a.[Increments of Bid], a.[Gross Bid Amount], a.[Net Bid Amount] " +
           "FROM [All Bids] a, [Markets] m WHERE a.[Round] Between 1 AND 12" + condition +
           " AND a.[License Name] = m.[License Name] AND a.[Auction ID] = m.[Auction ID] " +
           "AND a.[Round] = m.[Round] ORDER BY " + order;
}

const QString kWizardStatement = "SELECT [Bidder], [Market] INTO [My Bids] FROM [All Bids] WHERE [Round] >5 And "
                                 "[Bidder] ='O''Hare Spectrum LLC' ORDER BY [Market],  [Bidder] DESC;";

std::vector<Statement> statements() {
    std::vector<Statement> s = {
        // The system tables after creation and twelve imports.
        {"Select [Auction ID] From [sysAuction]", column({"11"})},
        {"SELECT [Round] FROM [sysRounds] ORDER BY [Round] DESC",
         column({"12", "11", "10", "9", "8", "7", "6", "5", "4", "3", "2", "1"})},
        {"SELECT TOP 1 [Round] FROM [sysRounds] ORDER BY [Round] DESC", column({"12"})},
        {"SELECT TableName FROM sysSuppliedTables", column(kSupplied)},
        {"SELECT * FROM [sysTables]", column(kSupplied)},
        {"SELECT [Auction ID] FROM [Round Statistics] WHERE [Round] = 1", column({"11"})},
        {"SELECT [TableName] FROM [sysSuppliedTables] WHERE [TableName] = 'All Bids'", rows(1)},
        {"SELECT [TableName] FROM [sysSuppliedTables] WHERE [TableName] = 'My Bids'", rows(0)},
        // Re-importing round 5 replaces it: its rows once, its round once.
        {"SELECT * INTO [Round 5 Bids] FROM [All Bids] WHERE [Round] = 5", runs()},
        {"SELECT * INTO [Last Withdrawals] FROM [Withdrawal Statistics]", runs()},
        {"DELETE * FROM [All Bids] WHERE [Round] = 5", runs()},
        {"SELECT * FROM [All Bids] WHERE [Round] = 5", rows(0)},
        {"DELETE * FROM [Withdrawal Statistics]", runs()},
        {"SELECT * FROM [Withdrawal Statistics]", rows(0)},
        {"INSERT INTO [All Bids] SELECT * FROM [Round 5 Bids]", runs()},
        {"INSERT INTO [Withdrawal Statistics] SELECT * FROM [Last Withdrawals]", runs()},
        {"SELECT * FROM [All Bids] WHERE [Round] = 5", rows(9)},
        {"SELECT [Bidder] FROM [Withdrawal Statistics]", column({"D'Amico Broadband Ventures LLC"})},
        {"DELETE * FROM [sysRounds] WHERE [Round] = 5", runs()},
        {"INSERT INTO sysRounds (Round) VALUES (5)", runs()},
        {"SELECT [Round] FROM [sysRounds] WHERE [Round] = 5", rows(1)},
        {"DROP TABLE [Round 5 Bids]", runs()},
        {"DROP TABLE [Last Withdrawals]", runs()},
        // A data window's queries, with each table's standard order.
        {dataWindowQuery("All Bids", 7, " Order By [Market], [Block], [Submarket]"), rows(7)},
        {dataWindowQuery("Markets", 7, " Order By [License Name]"), rows(24)},
        {dataWindowQuery("Bidders", 7, " Order By [Bidder]"), rows(8)},
        {dataWindowQuery("Bidders", 8, " Order By [Bidder]"), rows(7)},
        {dataWindowQuery("Bidders Raising Own High Bid", 3, " Order By [License Name]"), rows(1)},
        {"SELECT [Bidder Who Reduced] FROM [Bidders Who Reduced] WHERE [Round] = 8 Order By [Bidder Who Reduced]",
         column({"Cascade PCS Partners, L.P."})},
        {"SELECT [Round] FROM [Round Statistics] Order By [Round]",
         column({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"})},
        {"SELECT * FROM [Increment Statistics] Order By [Round]", rows(108)},
        {"SELECT * FROM [Waiver Statistics] Order By [Round]", rows(18)},
        {"SELECT * FROM [Miscellaneous Statistics]", rows(108)},
        {"SELECT * FROM [Reduction Statistics]", rows(4)},
        {"SELECT * FROM [sysTables] WHERE [Round] = 3", fails(3061)},
        {"SELECT * FROM [sysTables]", rows(11)},
        // Filter value lists.
        {"SELECT DISTINCT [Block] FROM [All Bids]", column({"A", "B", "C"})},
        // Round summary figures.
        {"SELECT [Round Date], [Stage], [Net Bids], [Gross Bids], [Dollar Change in Net Bids], [New Bids], "
         "[Total High Bids], [Tavren Held Licenses], [Withdrawals], [Eligibility Ratio], [Pctg of BUs for High Bids], "
         "[Bidders At Risk], [Eligible Bidders], [Waivers], [Number Reduced], [Pctg of Covered BUs] FROM "
         "[Round Statistics] WHERE [Round] = 6",
         first("2006-08-25 00:00:00")},
        {"SELECT [Net Bids] FROM [Round Statistics] Where [Round] = 6", column({"88829183.35"})},
        {"SELECT [Net Bids] FROM [Round Statistics] Where [Round] = 12", column({"110499996.85"})},
        {"SELECT Count([Round]) AS [Raising] From [Bidders Raising Own High Bid] Where [Round] = 3", column({"1"})},
        {"SELECT Count([Round]) AS [Raising] From [Bidders Raising Own High Bid] Where [Round] = 4", column({"0"})},
        {"SELECT Count([Round]) AS [Mult] From [All Bids] Where [Increments of Bid] > 1 AND [Round] > 0",
         column({"24"})},
        {"SELECT Sum([Additional Activity Required]) As [Req], Sum([Current Eligibility]) As [Cur] FROM [Bidders] "
         "WHERE [Round] = 99",
         column({"<null>"})},
        {previousDayQuery(7), column({"6"})},
        {previousDayQuery(12), column({"11"})},
        {previousDayQuery(4), column({"3"})},
        {previousDayQuery(3), rows(0)},
        {previousDayQuery(1), rows(0)},
        {"SELECT DISTINCT [Auction ID] FROM [Markets]", column({"11"})},
        // Pivot analyses.
        {"SELECT DISTINCT [License Name] FROM [All Bids] WHERE [Round] BETWEEN 1 AND 12", rows(21)},
        {"SELECT DISTINCT [License Name] FROM [All Bids] WHERE [Round] BETWEEN 8 AND 5", rows(0)},
        {"SELECT DISTINCT [Bidder] FROM [All Bids] WHERE [Round] BETWEEN 1 AND 12", rows(8)},
        {analysisQuery(" AND a.[License Name] IN('CWB001-B', 'CWB007-A') ", "a.[Market]"),
         rows(-1)},  // compared with the plain count below
        {analysisQuery(" AND a.[Bidder] IN('D''Amico Broadband Ventures LLC', 'O''Hare Spectrum LLC') ", "[Market]"),
         rows(-2)},
        {analysisQuery("", "a.[Round]"), rows(102)},
        // Table Wizard: the table, its listing and its stored statement.
        {kWizardStatement, runs()},
        {"INSERT INTO [sysTables] (TableName) VALUES ('My Bids')", runs()},
        {"INSERT INTO [sysWizard] ([Table Name], [SQL String]) VALUES ('My Bids', \"" + kWizardStatement + "\")",
         runs()},
        {"SELECT [Table Name], [SQL String] FROM [sysWizard]", column({"My Bids"})},
        {"SELECT [SQL String] FROM [sysWizard] WHERE [Table Name] = 'My Bids'", column({kWizardStatement})},
        {"SELECT [TableName] FROM [sysSuppliedTables] WHERE [TableName] = 'My Bids'", rows(0)},
        // Rebuilding it after an import: drop, then the stored statement as it stands.
        {"DROP TABLE [My Bids]", runs()},
        {kWizardStatement, runs()},
        {kWizardStatement, fails(3010)},
        // Query Builder rows and their rebuild.
        {"INSERT INTO sysQueryBuilder (Txt5, Txt0, Txt1, Txt2, Txt3, Txt4) VALUES ('Big Bids', "
         "'[Round], [Bidder], [Net Bid Amount]', '[Big Bids]', '[All Bids]', '[Net Bid Amount] > 5000000', "
         "'[Net Bid Amount] DESC')",
         runs()},
        {"SELECT * FROM sysQueryBuilder", column({"Big Bids"})},
        {"DELETE [TableName] FROM [sysTables] WHERE [TableName] = '[Big Bids]'", runs()},
        {"drop table [Big Bids]", fails(3376)},
        {"SELECT [Round], [Bidder], [Net Bid Amount] INTO [Big Bids] FROM [All Bids] WHERE [Net Bid Amount] > 5000000 "
         "ORDER BY [Net Bid Amount] DESC",
         runs()},
        {"INSERT INTO [sysTables] (TableName) VALUES ('[Big Bids]')", runs()},
        {"SELECT [Bidder] INTO [Bidder List] FROM [Bidders] ORDER BY [Bidder]", runs()},
        {"SELECT [Bidder] FROM [Bidder List]", rows(91)},
        {"SELECT [Bidder] FROM [Bidder List]", first("Cascade PCS Partners, L.P.")},
        // Building a Query Builder table whose target exists: 3010, then drop and build again.
        {"SELECT [Round], [Net Bid Amount] INTO [Bidder List] FROM [All Bids] WHERE [Round] = 12;", fails(3010)},
        {"DROP TABLE [Bidder List]", runs()},
        {"SELECT [Round], [Net Bid Amount] INTO [Bidder List] FROM [All Bids] WHERE [Round] = 12;", runs()},
        {"SELECT * FROM [Bidder List] WHERE [Round] = 12", rows(2)},
        // Dropping a user-defined table and its records.
        {"DROP TABLE [My Bids]", runs()},
        {"DELETE [TableName] FROM [sysTables] WHERE [TableName] = 'My Bids'", runs()},
        {"DELETE * FROM [sysWizard] WHERE [Table Name] = 'My Bids'", runs()},
        {"SELECT [Table Name] FROM [sysWizard]", rows(0)},
        {"SELECT * FROM [sysTables]", rows(12)},
    };
    return s;
}

class JetStatements : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new testsupport::ScratchDir();
        path_ = new QString(testsupport::buildAuction(*dir_, "auction-11", 12));
    }
    static void TearDownTestSuite() {
        delete path_;
        delete dir_;
    }
    static testsupport::ScratchDir *dir_;
    static QString *path_;
};

testsupport::ScratchDir *JetStatements::dir_ = nullptr;
QString *JetStatements::path_ = nullptr;

}  // namespace

TEST_F(JetStatements, EveryStatementDoesWhatTheProgramReliesOn) {
    TestDatabase t(*path_);
    const int licenseBids = t.value("SELECT Count(*) FROM [All Bids] WHERE [License Name] IN ('CWB001-B', 'CWB007-A')").toInt();
    const int bidderBids = t.value("SELECT Count(*) FROM [All Bids] WHERE [Bidder] IN "
                                   "('D''Amico Broadband Ventures LLC', 'O''Hare Spectrum LLC')").toInt();
    ASSERT_GT(licenseBids, 0);
    ASSERT_GT(bidderBids, 0);
    for (const Statement &s : statements()) {
        SCOPED_TRACE(s.sql.toStdString());
        switch (s.expect.kind) {
        case Expect::Kind::Runs: EXPECT_EQ(t.errorOf(s.sql), 0); break;
        case Expect::Kind::Fails: EXPECT_EQ(t.errorOf(s.sql), s.expect.number); break;
        case Expect::Kind::Rows: {
            const int expected = s.expect.number == -1 ? licenseBids : s.expect.number == -2 ? bidderBids : s.expect.number;
            EXPECT_EQ(t.column(s.sql).size(), expected);
            break;
        }
        case Expect::Kind::Column: EXPECT_EQ(t.column(s.sql), s.expect.values); break;
        case Expect::Kind::First: EXPECT_EQ(t.column(s.sql).value(0), s.expect.values.value(0)); break;
        }
    }
}

// An auction database of the earlier Windows program, converted: its system tables answer the program's
// queries, and its stored statements rebuild its user-defined tables exactly as they were.
TEST(LegacyStatements, StoredStatementsRebuildTheSameTables) {
    testsupport::ScratchDir dir;
    const QString path = dir.path("Auction11.sqlite");
    jet::convertToSqlite(testsupport::dataPath("legacy/Auction11.mdb"), path);
    TestDatabase t(path);
    EXPECT_EQ(t.column("SELECT TOP 1 [Round] FROM [sysRounds] ORDER BY [Round] DESC"), QStringList({"6"}));
    EXPECT_EQ(t.column("Select [Auction ID] From [sysAuction]"), QStringList({"11"}));
    EXPECT_EQ(t.column("SELECT * FROM [sysTables]").mid(11), QStringList({"High Bids Over 1M", "Big Bids"}));

    auto contents = [&](const QString &table) {
        QStringList lines;
        const auto rs = t.db().openRecordset("SELECT * FROM [" + table + "]", db::RecordsetType::Snapshot);
        for (; !rs->eof(); rs->moveNext()) {
            QStringList fields;
            for (int i = 0; i < rs->fieldCount(); ++i)
                fields << rs->value(i).toString();
            lines << fields.join(u'|');
        }
        return lines;
    };
    const QStringList wizardTable = contents("High Bids Over 1M");
    const QStringList builderTable = contents("Big Bids");
    ASSERT_EQ(wizardTable.size(), 48);
    EXPECT_EQ(wizardTable.front(), "CWB004-A|Northstar Wireless Holdings, Inc.|16962000");
    ASSERT_EQ(builderTable.size(), 18);

    const auto wizard = t.db().openRecordset("SELECT [Table Name], [SQL String] FROM [sysWizard]", db::RecordsetType::Snapshot);
    t.exec("DROP TABLE [" + wizard->value(0).toString() + "]");
    t.exec(wizard->value(1).toString());
    EXPECT_EQ(contents("High Bids Over 1M"), wizardTable);

    const auto query = t.db().openRecordset("SELECT * FROM sysQueryBuilder", db::RecordsetType::Snapshot);
    const QString target = query->value("Txt1").toString();
    t.exec("drop table " + target);
    t.exec("SELECT " + query->value("Txt0").toString() + " INTO " + target + " FROM " + query->value("Txt2").toString() +
           " WHERE " + query->value("Txt3").toString() + " ORDER BY " + query->value("Txt4").toString());
    EXPECT_EQ(contents("Big Bids"), builderTable);
}

// The auction's own tables: a total of Currency bids is a Currency column, dates of the rounds move by days.
TEST_F(JetStatements, ExpressionsOverAuctionTablesKeepJetTypes) {
    testsupport::ScratchDir dir;
    QFile::copy(*path_, dir.path("copy.db"));
    TestDatabase t(dir.path("copy.db"));
    t.exec("SELECT [Bidder], Sum([Net Bid Amount]) AS [Total] INTO [T] FROM [All Bids] GROUP BY [Bidder]");
    t.exec("SELECT CCur([Bidding Credit Pct]) AS C, [Bid Date Time] + 1 AS [Next Day] INTO [U] FROM [All Bids]");
    const auto totals = t.db().openRecordset("SELECT * FROM [T]", db::RecordsetType::Snapshot);
    EXPECT_EQ(totals->field(1).type, db::ColumnType::Currency);
    EXPECT_EQ(t.value("SELECT Sum([Total]) FROM [T]").toDouble(),
              t.value("SELECT Sum([Net Bid Amount]) FROM [All Bids]").toDouble());
    const auto made = t.db().openRecordset("SELECT * FROM [U]", db::RecordsetType::Snapshot);
    EXPECT_EQ(made->field(0).type, db::ColumnType::Currency);
    EXPECT_EQ(made->field(1).type, db::ColumnType::DateTime);
    EXPECT_EQ(t.column("SELECT [Round Date] + 1 FROM [Round Statistics] ORDER BY [Round]"),
              t.column("SELECT DateAdd('d', 1, [Round Date]) FROM [Round Statistics] ORDER BY [Round]"));
    EXPECT_EQ(t.column("SELECT [Round] FROM [Round Statistics] WHERE [Round Date] - 1 >= #2006-08-24# "
                       "AND [Round Date] + 1 < DateAdd('d', 2, [Round Date]) ORDER BY [Round]"),
              t.column("SELECT [Round] FROM [Round Statistics] WHERE [Round Date] >= #2006-08-25# ORDER BY [Round]"));
    EXPECT_EQ(t.value("SELECT Max([Round Date]) - Min([Round Date]) FROM [Round Statistics]").toString(),
              t.value("SELECT DateDiff('d', Min([Round Date]), Max([Round Date])) FROM [Round Statistics]").toString());
    EXPECT_EQ(t.value("SELECT [Round] + 1 FROM [Round Statistics] WHERE [Round] = 1").toString(), "2");
}
