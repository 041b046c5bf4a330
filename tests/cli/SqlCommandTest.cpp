// lotwise-cli sql, tables and rounds: rows as tab-separated text (one line per row, values as plain text),
// statements that change data, and the engine's errors as one message with exit status 1.
#include "cli/CliProcess.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace clitest;

namespace {

class SqlCommand : public ::testing::Test {
protected:
    static testsupport::ScratchDir *shared;
    static QString round6;  // round 6 of auction 11 as converted; never written

    static void SetUpTestSuite() {
        shared = new testsupport::ScratchDir;
        round6 = shared->path(QStringLiteral("11_006.sqlite"));
        const CliRun run = runCli({QStringLiteral("convert"),
                                   testsupport::dataPath(QStringLiteral("auction-11/11_006.zip")), round6},
                                  shared->path(QStringLiteral("home")));
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    static void TearDownTestSuite() {
        delete shared;
        shared = nullptr;
    }

    testsupport::ScratchDir scratch;

    CliRun cli(const QStringList &arguments) { return runCli(arguments, scratch.path(QStringLiteral("home"))); }
    CliRun sql(const QString &db, const QString &statement) {
        return cli({QStringLiteral("sql"), QStringLiteral("--db"), db, statement});
    }
    // Standard output of a statement that must succeed.
    QString query(const QString &db, const QString &statement) {
        const CliRun run = sql(db, statement);
        EXPECT_EQ(run.exitCode, 0) << statement << ": " << run.err;
        EXPECT_EQ(run.err, QString()) << statement;
        return run.out;
    }
    void change(const QString &db, const QString &statement) {
        EXPECT_EQ(query(db, statement), QString()) << statement;
    }
    QString tables(const QString &db) {
        const CliRun run = cli({QStringLiteral("tables"), QStringLiteral("--db"), db});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run.out;
    }
    QString copyOfRound6() {
        const QString copy = scratch.path(QStringLiteral("copy.sqlite"));
        EXPECT_TRUE(QFile::copy(round6, copy));
        return copy;
    }
    // An empty file, which SQLite takes as an empty database.
    QString emptyDatabase() {
        const QString path = scratch.path(QStringLiteral("auction.sqlite"));
        writeFile(path, {});
        return path;
    }
};

testsupport::ScratchDir *SqlCommand::shared = nullptr;
QString SqlCommand::round6;

TEST_F(SqlCommand, SelectPrintsAHeaderAndRoundValuesAsPlainText) {
    EXPECT_EQ(query(round6, QStringLiteral("SELECT [Round], [Round Date], [Net Bids], [Dollar Change in Net Bids], "
                                           "[Pct Change in Net Bids], [New Bids] FROM [Round Statistics]")),
              QStringLiteral("Round\tRound Date\tNet Bids\tDollar Change in Net Bids\tPct Change in Net Bids\tNew Bids\n"
                             "6\t2006-08-25 00:00:00\t88829183.35\t9594383.35\t12.11\t8\n"));
    // A sum of currency amounts, computed in floating point, still prints without noise.
    EXPECT_EQ(query(round6, QStringLiteral("SELECT Sum([High Bid]) AS [Net], Count(*) AS [Licenses] FROM Markets")),
              QStringLiteral("Net\tLicenses\n88829183.35\t24\n"));
    // The agency-held license: Null High Bid and High Bidder print as empty fields.
    EXPECT_EQ(query(round6, QStringLiteral("SELECT [License Name], [High Bid], [High Bidder], [Block] FROM Markets "
                                           "WHERE [License Name] = \"CWB007-A\"")),
              QStringLiteral("License Name\tHigh Bid\tHigh Bidder\tBlock\nCWB007-A\t\t\tA\n"));
    EXPECT_EQ(query(round6, QStringLiteral("SELECT * FROM [Withdrawal Statistics]")),
              QStringLiteral("Auction ID\tWithdrawal Number\tRound Withdrawn\tLicense Name\tBidder\tWithdrawn Bid Amount\n"
                             "11\t1\t6\tCWB007-A\tD'Amico Broadband Ventures LLC\t248400\n"));
    // A query without rows prints its header alone.
    EXPECT_EQ(query(round6, QStringLiteral("SELECT [Bidder] FROM [All Bids] WHERE [Round] = 5")),
              QStringLiteral("Bidder\n"));
}

TEST_F(SqlCommand, TextKeepsAccentsAndApostrophes) {
    EXPECT_EQ(query(round6, QStringLiteral("SELECT [Bidder] FROM Bidders WHERE [Bidder] Like \"telef*\" "
                                           "OR [Bidder] Like \"*'*\" ORDER BY [Bidder]")),
              QStringLiteral("Bidder\nD'Amico Broadband Ventures LLC\nO'Hare Spectrum LLC\n"
                             "Telefónica Larga Distancia de Puerto Rico, Inc.\n"));
    EXPECT_EQ(query(round6, QStringLiteral("SELECT DISTINCT [Market Name] FROM Markets WHERE [Market Name] Like "
                                           "\"*ü*\" OR [Market Name] Like \"*Ñ*\" OR [Market Name] Like \"*d'A*\" "
                                           "ORDER BY [Market Name]")),
              QStringLiteral("Market Name\nCoeur d'Alene, ID\nEspañola-Santa Fe, NM\nMayagüez-Aguadilla-Ponce, PR\n"));
}

TEST_F(SqlCommand, EveryRowIsOneLineWithTabsBreaksAndBackslashesEscaped) {
    const QString db = emptyDatabase();
    change(db, QStringLiteral("CREATE TABLE [Hard Values] ([Id] Long, [Note] Text(100), [Amount] Currency, "
                              "[Ratio] Double, [When] DateTime)"));
    change(db, QStringLiteral("INSERT INTO [Hard Values] ([Id], [Note], [Amount], [Ratio], [When]) "
                              "VALUES (1, \"tab\there\", -1274940.5, 76.4, #2006-08-29 14:05:09#)"));
    change(db, QStringLiteral("INSERT INTO [Hard Values] ([Id], [Note], [Amount], [Ratio], [When]) "
                              "VALUES (2, \"line one\r\nline two\nthree\", 0.0001, 0.1, Null)"));
    change(db, QStringLiteral("INSERT INTO [Hard Values] ([Id], [Note], [Amount], [Ratio], [When]) "
                              "VALUES (3, \"C:\\bids\\t1.txt \\\\server\", Null, 1234567.891, #2006-08-24#)"));
    change(db, QStringLiteral("INSERT INTO [Hard Values] ([Id]) VALUES (4)"));
    EXPECT_EQ(query(db, QStringLiteral("SELECT * FROM [Hard Values] ORDER BY [Id]")),
              QStringLiteral("Id\tNote\tAmount\tRatio\tWhen\n"
                             "1\ttab\\there\t-1274940.5\t76.4\t2006-08-29 14:05:09\n"
                             "2\tline one\\r\\nline two\\nthree\t0.0001\t0.1\t\n"
                             "3\tC:\\\\bids\\\\t1.txt \\\\\\\\server\t\t1234567.891\t2006-08-24 00:00:00\n"
                             "4\t\t\t\t\n"));
    // Arithmetic in floating point prints as the decimal it stands for.
    EXPECT_EQ(query(db, QStringLiteral("SELECT [Ratio] * 3 AS [Tripled], [Ratio] + 0.2 AS [Sum] FROM [Hard Values] "
                                       "WHERE [Id] = 2")),
              QStringLiteral("Tripled\tSum\n0.3\t0.3\n"));
}

TEST_F(SqlCommand, StatementsThatChangeDataPrintNothingAndLast) {
    const QString db = copyOfRound6();
    change(db, QStringLiteral("UPDATE Markets SET [High Bidder] = \"Telefónica Larga Distancia de Puerto Rico, Inc.\", "
                              "[High Bid] = 248400 WHERE [License Name] = \"CWB007-A\""));
    change(db, QStringLiteral("DELETE * FROM [All Bids] WHERE [Bidder] = \"D'Amico Broadband Ventures LLC\""));
    change(db, QStringLiteral("SELECT [License Name], [High Bid] INTO [Held] FROM Markets WHERE [High Bid] Is Null"));
    change(db, QStringLiteral("DROP TABLE [Reduction Statistics]"));
    EXPECT_EQ(query(db, QStringLiteral("SELECT [High Bidder], [High Bid] FROM Markets WHERE [License Name] = "
                                       "\"CWB007-A\"")),
              QStringLiteral("High Bidder\tHigh Bid\nTelefónica Larga Distancia de Puerto Rico, Inc.\t248400\n"));
    EXPECT_EQ(query(db, QStringLiteral("SELECT Count(*) AS N FROM [All Bids] WHERE [Bidder] Like \"D'Amico*\"")),
              QStringLiteral("N\n0\n"));
    const QStringList rows = lines(tables(db));
    EXPECT_TRUE(rows.contains(QStringLiteral("Held\t7"))) << rows;  // 8 without a high bid after round 6, less one
    EXPECT_FALSE(rows.contains(QStringLiteral("Reduction Statistics\t0"))) << rows;
    EXPECT_EQ(rows.size(), 12) << rows;
}

TEST_F(SqlCommand, EngineErrorsEndInOneMessageAndChangeNothing) {
    const QString db = copyOfRound6();
    const QString before = tables(db);
    CliRun run = sql(db, QStringLiteral("SELECT * FROM [No Such Table]"));
    EXPECT_TRUE(failedWithOneMessage(run, 3078));
    EXPECT_TRUE(run.err.contains(QLatin1String("'No Such Table'"))) << run.err;
    run = sql(db, QStringLiteral("SELECT [No Such Column] FROM Markets"));
    EXPECT_TRUE(failedWithOneMessage(run, 3061));
    EXPECT_EQ(run.err, QStringLiteral("Lotwise: Error:3061 Too few parameters. Expected 1.\n"));
    EXPECT_TRUE(failedWithOneMessage(sql(db, QStringLiteral("DELETE * FROM [No Such Table]")), 3078));
    EXPECT_TRUE(failedWithOneMessage(sql(db, QStringLiteral("UPDATE Markets SET [No Such Column] = 1"))));
    EXPECT_TRUE(failedWithOneMessage(sql(db, QStringLiteral("SELECT FROM WHERE"))));
    // One statement per call: a second one is refused, and neither runs.
    EXPECT_TRUE(failedWithOneMessage(sql(db, QStringLiteral("DELETE * FROM Markets; DROP TABLE [All Bids]"))));
    EXPECT_TRUE(failedWithOneMessage(sql(db, QStringLiteral("SELECT Count(*) FROM Markets; DROP TABLE Bidders"))));
    EXPECT_EQ(tables(db), before);
}

TEST_F(SqlCommand, RowsThatCannotBeWrittenAreAFailure) {
    const QString full = QStringLiteral("/dev/full");
    if (!QFileInfo(full).isWritable())
        GTEST_SKIP() << "no " << full;
    const QString home = scratch.path(QStringLiteral("home"));
    for (const QStringList &arguments :
         {QStringList{QStringLiteral("tables"), QStringLiteral("--db"), round6},
          QStringList{QStringLiteral("sql"), QStringLiteral("--db"), round6, QStringLiteral("SELECT * FROM Markets")}}) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        EXPECT_TRUE(failedWithOneMessage(runCli(arguments, home, 40000, full), 3043));
    }
}

TEST_F(SqlCommand, DatabaseThatIsNotThereOrNotSqliteIsRefusedUntouched) {
    const QString missing = scratch.path(QStringLiteral("missing.sqlite"));
    for (const QString &command : {QStringLiteral("sql"), QStringLiteral("tables"), QStringLiteral("rounds")}) {
        SCOPED_TRACE(command.toStdString());
        QStringList arguments{command, QStringLiteral("--db"), missing};
        if (command == QLatin1String("sql"))
            arguments << QStringLiteral("CREATE TABLE [sysRounds] ([Round] Number)");
        EXPECT_TRUE(failedWithOneMessage(cli(arguments), 53));
        EXPECT_FALSE(QFileInfo::exists(missing));
    }
    // A Jet database is converted first, never opened as an auction database.
    const QString jet = scratch.path(QStringLiteral("Auction11.mdb"));
    ASSERT_TRUE(QFile::copy(testsupport::dataPath(QStringLiteral("legacy/Auction11.mdb")), jet));
    const QByteArray original = fileBytes(jet);
    EXPECT_TRUE(failedWithOneMessage(sql(jet, QStringLiteral("DELETE * FROM [All Bids]")), 3343));
    EXPECT_TRUE(failedWithOneMessage(cli({QStringLiteral("tables"), QStringLiteral("--db"), jet}), 3343));
    EXPECT_EQ(fileBytes(jet), original);
    EXPECT_EQ(filesIn(scratch.path()), QStringList{QStringLiteral("Auction11.mdb")});
}

TEST_F(SqlCommand, TablesAreSortedWithoutRegardToCaseWithTheirRowCounts) {
    const QString db = emptyDatabase();
    EXPECT_EQ(tables(db), QStringLiteral("Table\tRows\n"));
    for (const QString &table : {QStringLiteral("beta"), QStringLiteral("Alpha"), QStringLiteral("GAMMA"),
                                 QStringLiteral("sysRounds"), QStringLiteral("O'Hare Bids"), QStringLiteral("Zulu")})
        change(db, QStringLiteral("CREATE TABLE [%1] ([Round] Number)").arg(table));
    change(db, QStringLiteral("INSERT INTO [O'Hare Bids] ([Round]) VALUES (1)"));
    change(db, QStringLiteral("INSERT INTO [O'Hare Bids] ([Round]) VALUES (2)"));
    change(db, QStringLiteral("INSERT INTO [beta] ([Round]) VALUES (1)"));
    EXPECT_EQ(tables(db), QStringLiteral("Table\tRows\nAlpha\t0\nbeta\t1\nGAMMA\t0\nO'Hare Bids\t2\nsysRounds\t0\n"
                                         "Zulu\t0\n"));
}

TEST_F(SqlCommand, RoundsListsTheImportedRoundsNewestFirst) {
    const QString db = emptyDatabase();
    CliRun run = cli({QStringLiteral("rounds"), QStringLiteral("--db"), db});
    EXPECT_TRUE(failedWithOneMessage(run, 3078));  // not an auction database
    change(db, QStringLiteral("CREATE TABLE [sysRounds] ([Round] Number)"));
    run = cli({QStringLiteral("rounds"), QStringLiteral("--db"), db});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, QStringLiteral("Round\n"));
    for (int round : {3, 1, 12, 2, 10})
        change(db, QStringLiteral("INSERT INTO sysRounds (Round) VALUES (%1)").arg(round));
    run = cli({QStringLiteral("rounds"), QStringLiteral("--db"), db});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, QString());
    EXPECT_EQ(run.out, QStringLiteral("Round\n12\n10\n3\n2\n1\n"));  // by number, not as text
}

TEST_F(SqlCommand, LegacyAuctionDatabaseConvertedShowsItsTablesAndRounds) {
    const QString db = scratch.path(QStringLiteral("Auction11.sqlite"));
    const CliRun run = cli({QStringLiteral("convert"), testsupport::dataPath(QStringLiteral("legacy/Auction11.mdb")), db});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(tables(db), QStringLiteral("Table\tRows\n"
                                         "All Bids\t55\n"
                                         "Bidders\t48\n"
                                         "Bidders Raising Own High Bid\t1\n"
                                         "Bidders Who Reduced\t0\n"
                                         "Big Bids\t18\n"
                                         "High Bids Over 1M\t48\n"
                                         "Increment Statistics\t54\n"
                                         "Markets\t144\n"
                                         "Miscellaneous Statistics\t54\n"
                                         "Reduction Statistics\t0\n"
                                         "Round Statistics\t6\n"
                                         "sysAuction\t1\n"
                                         "sysQueryBuilder\t1\n"
                                         "sysRounds\t6\n"
                                         "sysSuppliedTables\t11\n"
                                         "sysTables\t13\n"
                                         "sysWizard\t1\n"
                                         "Waiver Statistics\t4\n"
                                         "Withdrawal Statistics\t1\n"));
    const CliRun rounds = cli({QStringLiteral("rounds"), QStringLiteral("--db"), db});
    EXPECT_EQ(rounds.exitCode, 0) << rounds.err;
    EXPECT_EQ(rounds.out, QStringLiteral("Round\n6\n5\n4\n3\n2\n1\n"));
    EXPECT_EQ(query(db, QStringLiteral("SELECT TOP 1 * FROM [High Bids Over 1M]")),
              QStringLiteral("License Name\tBidder\tNet Bid Amount\n"
                             "CWB004-A\tNorthstar Wireless Holdings, Inc.\t16962000\n"));
}

}  // namespace
