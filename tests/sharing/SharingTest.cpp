// One auction database used by this process and by other programs at once: the locks SQLite keeps for this
// process, compaction while another program has the file open, a full disk, and the connection settings.
#include "cli/CliProcess.h"
#include "db/BatchedCommits.h"
#include "db/Database.h"
#include "db/JournalMode.h"
#include "db/Recordset.h"
#include "db/Sqlite.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

using clitest::runCli;
using testsupport::ScratchDir;

namespace {

qint64 count(const db::Database &database, const QString &jetSql) {
    return database.openRecordset(jetSql, db::RecordsetType::Snapshot)->value(0).toLongLong();
}

QString pragma(const db::Database &database, const char *name) {
    db::Statement statement(database.handle(), QStringLiteral("PRAGMA ") + QLatin1String(name));
    return statement.step() ? statement.value(0).toString() : QString();
}

QString cliValue(const QString &dbPath, const QString &jetSql, const QString &home) {
    const clitest::CliRun run = runCli({QStringLiteral("sql"), QStringLiteral("--db"), dbPath, jetSql}, home);
    const QStringList rows = clitest::lines(run.out);
    return run.exitCode == 0 && rows.size() == 2 ? rows[1] : QStringLiteral("failed: ") + run.err;
}

// Stock sqlite3 holding the database open (reading its statements from standard input) until it is closed.
class OtherProgram {
public:
    explicit OtherProgram(const QString &dbPath) {
        process_.start(QStringLiteral("sqlite3"), {dbPath});
        run("SELECT count(*) FROM sysRounds;");
    }
    ~OtherProgram() { close(); }
    QString run(const QByteArray &sql) {
        process_.write(sql + "\n");
        process_.waitForReadyRead(10000);
        return QString::fromUtf8(process_.readAllStandardOutput()).trimmed();
    }
    void close() {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.closeWriteChannel();
        process_.waitForFinished(10000);
    }

private:
    QProcess process_;
};

}  // namespace

// A loader connection opened and closed beside the program's own (as every data window does) must not drop the
// locks of the open connection: another program's query would then remove the log under it, and the program
// would read stale rows and write into a log no one else sees.
TEST(Sharing, AnotherProgramsQueriesKeepTheOpenConnectionsLog) {
    const ScratchDir dir;
    const QString path = testsupport::buildAuction(dir, QStringLiteral("auction-11"), 2);
    db::Database program = db::Database::open(path);
    program.execute(QStringLiteral("CREATE TABLE [Notes] ([Note] Text)"));
    program.execute(QStringLiteral("INSERT INTO [Notes] ([Note]) VALUES ('mine')"));
    db::Database::open(path).close();  // a data window's loader coming and going

    EXPECT_EQ(cliValue(path, QStringLiteral("SELECT Count(*) FROM [Notes]"), dir.path()), QStringLiteral("1"));
    EXPECT_TRUE(QFileInfo::exists(path + QStringLiteral("-wal")));
    EXPECT_TRUE(QFileInfo::exists(path + QStringLiteral("-shm")));

    // Each side sees what the other wrote.
    const clitest::CliRun theirs = runCli({QStringLiteral("sql"), QStringLiteral("--db"), path,
                                           QStringLiteral("INSERT INTO [Notes] ([Note]) VALUES ('theirs')")},
                                          dir.path());
    ASSERT_EQ(theirs.exitCode, 0) << theirs.err;
    EXPECT_EQ(count(program, QStringLiteral("SELECT Count(*) FROM [Notes]")), 2);
    program.execute(QStringLiteral("INSERT INTO [Notes] ([Note]) VALUES ('mine again')"));
    EXPECT_EQ(cliValue(path, QStringLiteral("SELECT Count(*) FROM [Notes]"), dir.path()), QStringLiteral("3"));
    program.close();

    QProcess check;
    check.start(QStringLiteral("sqlite3"), {path, QStringLiteral("PRAGMA integrity_check")});
    ASSERT_TRUE(check.waitForFinished(20000));
    EXPECT_EQ(QString::fromUtf8(check.readAllStandardOutput()).trimmed(), QStringLiteral("ok"));
}

// Compaction rewrites the file in place and only while no other program has it open; otherwise it says so and
// changes nothing, and what the other program wrote meanwhile is kept.
TEST(Sharing, CompactionWaitsUntilNoOtherProgramHasTheFile) {
    const ScratchDir dir;
    const QString path = testsupport::buildAuction(dir, QStringLiteral("auction-11"), 4);
    {
        db::Database database = db::Database::open(path);
        database.execute(QStringLiteral("DELETE * FROM [Markets] WHERE [Round] < 4"));  // pages to reclaim
        ASSERT_GT(pragma(database, "freelist_count").toInt(), 0);
    }
    const qint64 before = QFileInfo(path).size();
    {
        OtherProgram other(path);
        other.run("INSERT INTO sysTables (TableName) VALUES ('Written meanwhile'); SELECT 'done';");
        EXPECT_EQ(db::Database::compact(path), db::CompactResult::InUse);
        EXPECT_EQ(QFileInfo(path).size(), before);
        const clitest::CliRun cli =
            runCli({QStringLiteral("compact"), QStringLiteral("--db"), path}, dir.path());
        EXPECT_EQ(cli.exitCode, 1);
        EXPECT_TRUE(cli.err.contains(QStringLiteral("open in another program"))) << cli.err;
        EXPECT_EQ(other.run("SELECT count(*) FROM sysTables WHERE TableName = 'Written meanwhile';"), QStringLiteral("1"));
    }
    EXPECT_EQ(db::Database::compact(path), db::CompactResult::Compacted);
    EXPECT_LT(QFileInfo(path).size(), before);
    EXPECT_FALSE(QFileInfo::exists(path + QStringLiteral("-wal")));
    const db::Database reopened = db::Database::open(path);
    EXPECT_EQ(pragma(reopened, "freelist_count"), QStringLiteral("0"));
    EXPECT_EQ(count(reopened, QStringLiteral("SELECT Count(*) FROM [sysTables] WHERE [TableName] = 'Written meanwhile'")), 1);
    EXPECT_EQ(count(reopened, QStringLiteral("SELECT Count(*) FROM [sysRounds]")), 4);

    // A file that is not a database stays as it was.
    const QString broken = dir.path(QStringLiteral("broken.db"));
    clitest::writeFile(broken, QByteArray(8192, 'x'));
    EXPECT_THROW(db::Database::compact(broken), db::Error);
    EXPECT_EQ(clitest::fileBytes(broken), QByteArray(8192, 'x'));
}

// Every connection is durable (a commit is flushed before it is reported), waits for other writers, and uses the
// write-ahead log on a local disk and the rollback journal on a network share.
TEST(Sharing, ConnectionSettingsSuitSharedAndDurableUse) {
    const ScratchDir dir;
    const QString path = testsupport::buildAuction(dir, QStringLiteral("auction-11"), 1);
    const db::Database database = db::Database::open(path);
    EXPECT_EQ(pragma(database, "synchronous"), QStringLiteral("2"));  // FULL
    EXPECT_EQ(pragma(database, "journal_mode"), QStringLiteral("wal"));
    EXPECT_GE(pragma(database, "busy_timeout").toInt(), 5000);
    {
        // A batch of commits is flushed once at its end, then every commit is flushed again.
        db::BatchedCommits batch(database);
        EXPECT_EQ(pragma(database, "synchronous"), QStringLiteral("1"));
        db::Database(database).execute(QStringLiteral("INSERT INTO [sysTables] ([TableName]) VALUES ('batched')"));
        batch.flush();
    }
    EXPECT_EQ(pragma(database, "synchronous"), QStringLiteral("2"));

    EXPECT_EQ(db::journalModeFor(path), db::JournalMode::WriteAheadLog);
    for (const unsigned long network : {0x6969UL, 0xFF534D42UL, 0xFE534D42UL, 0x517BUL})
        EXPECT_TRUE(db::isNetworkFilesystemType(network)) << network;
    for (const unsigned long local : {0xEF53UL, 0x01021994UL, 0x58465342UL, 0x9123683EUL})  // ext4, tmpfs, xfs, btrfs
        EXPECT_FALSE(db::isNetworkFilesystemType(local)) << local;
    EXPECT_EQ(db::journalModePragma(db::JournalMode::Rollback), QStringLiteral("PRAGMA journal_mode=DELETE"));
}

// Creating an auction anew replaces its database only when no other program has it open.
TEST(Sharing, ADatabaseOpenElsewhereIsNotReplacedByANewAuction) {
    const ScratchDir dir;
    const QString path = testsupport::buildAuction(dir, QStringLiteral("auction-11"), 3);
    const QString roundOne = dir.path(QStringLiteral("11_001.zip"));  // --yes also deletes the round file
    const QStringList create = {QStringLiteral("--yes"), QStringLiteral("create"), roundOne};
    QFile::copy(testsupport::dataPath(QStringLiteral("auction-11/11_001.zip")), roundOne);
    {
        OtherProgram other(path);
        const clitest::CliRun refused = runCli(create, dir.path());
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(refused.err.contains(QStringLiteral("Error:3050"))) << refused.err;
        EXPECT_EQ(other.run("SELECT count(*) FROM sysRounds;"), QStringLiteral("3"));
    }
    QFile::copy(testsupport::dataPath(QStringLiteral("auction-11/11_001.zip")), roundOne);
    const clitest::CliRun replaced = runCli(create, dir.path());
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_EQ(cliValue(path, QStringLiteral("SELECT Count(*) FROM [sysRounds]"), dir.path()), QStringLiteral("1"));
}
