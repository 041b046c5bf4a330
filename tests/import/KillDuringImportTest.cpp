// A batch import killed at any moment leaves either no auction database or one holding whole rounds, and
// auto-import then brings it to what an uninterrupted batch import makes. The program under test is lotwise-cli,
// run as a child process and killed with SIGKILL after a random delay spread over the length of a whole run.
#include "db/Database.h"
#include "db/Recordset.h"
#include "db/Schema.h"
#include "db/Sqlite.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <signal.h>
#include <sqlite3.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <map>
#include <random>
#include <thread>

using testsupport::ScratchDir;

namespace {

constexpr int kRounds = 12;
constexpr int kKills = 30;
const QString kWithdrawals = QStringLiteral("Withdrawal Statistics");

using Contents = std::map<QString, QStringList>;  // table -> its rows as text, sorted

// Rows of every supplied table in every round file, read from the files themselves.
struct RoundFileRows {
    QStringList tables;
    std::map<int, std::map<QString, qint64>> rows;  // round -> table -> rows
};

qint64 countOf(const db::Database &database, const QString &sql) {
    const auto rows = database.openRecordset(sql, db::RecordsetType::Snapshot);
    return rows->value(0).toLongLong();
}

RoundFileRows readRoundFiles(const ScratchDir &dir) {
    RoundFileRows files;
    for (int round = 1; round <= kRounds; ++round) {
        const QString path = testsupport::roundDatabase(dir, QStringLiteral("auction-11"), round);
        db::Database database = db::Database::open(path);
        QStringList tables;
        for (const QString &table : database.tableDefs())
            if (db::schema::isSuppliedTableName(table)) {
                tables << table;
                files.rows[round][table] = countOf(database, QStringLiteral("SELECT Count(*) FROM [%1]").arg(table));
            }
        if (round == 1)
            files.tables = tables;
        database.close();
        QFile::remove(path);
    }
    return files;
}

// A home directory holding copies of the round files in its folder "rounds".
QString makeHome(const ScratchDir &scratch, const QString &name) {
    const QString home = scratch.path(name);
    QDir().mkpath(home + QStringLiteral("/rounds"));
    const QDir data(testsupport::dataPath(QStringLiteral("auction-11")));
    for (const QString &zip : data.entryList({QStringLiteral("*.zip")}, QDir::Files))
        QFile::copy(data.filePath(zip), home + QStringLiteral("/rounds/") + zip);
    return home;
}

QStringList batchImportArguments(const QString &home) {
    return {QStringLiteral("--home"), home, QStringLiteral("batch-import"), home + QStringLiteral("/rounds/11_001.zip")};
}

QStringList autoImportArguments(const QString &home) {
    return {QStringLiteral("--home"), home, QStringLiteral("auto-import"), QStringLiteral("--db"),
            home + QStringLiteral("/Auction11.mdb")};
}

void prepareCli(QProcess &process, const QStringList &arguments) {
    process.setProgram(testsupport::binPath(QStringLiteral("lotwise-cli")));
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
}

// The exit status of a run to its end; -1 when it crashed or did not end.
int runCli(const QStringList &arguments) {
    QProcess process;
    prepareCli(process, arguments);
    process.start();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

// Starts the command and kills it with SIGKILL after `delay`; true when it was still running then. Converter
// processes it had started are stopped as well once it is gone, so that none writes into the home afterwards.
bool runAndKill(const QStringList &arguments, std::chrono::microseconds delay) {
    QProcess process;
    prepareCli(process, arguments);
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    const auto start = std::chrono::steady_clock::now();
    process.start();
    if (!process.waitForStarted()) {
        ADD_FAILURE() << "lotwise-cli did not start";
        return false;
    }
    // Taken now: once the process has ended, processId() is 0, and kill(0) would hit the test's own group.
    const auto pid = static_cast<pid_t>(process.processId());
    if (pid <= 1) {
        ADD_FAILURE() << "lotwise-cli has no process id";
        process.waitForFinished(60000);
        return false;
    }
    std::this_thread::sleep_until(start + delay);
    const bool running = !process.waitForFinished(0);
    if (running)
        ::kill(pid, SIGKILL);
    process.waitForFinished(60000);
    ::kill(-pid, SIGKILL);  // the group the child made for itself
    // A run may end of itself between the look and the kill; an end of its own must be a success.
    const bool killed = process.exitStatus() == QProcess::CrashExit;
    if (!killed) {
        EXPECT_EQ(process.exitCode(), 0) << "a batch import that ran to its end failed";
    }
    return running && killed;
}

QString integrityOf(const db::Database &database) {
    sqlite3_stmt *statement = nullptr;
    QString result = QStringLiteral("(integrity_check did not run)");
    if (sqlite3_prepare_v2(database.handle(), "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return result;
}

QList<int> roundsIn(const db::Database &database, const QString &sql) {
    QList<int> rounds;
    const auto rows = database.openRecordset(sql, db::RecordsetType::Snapshot);
    for (; !rows->eof(); rows->moveNext())
        rounds << rows->value(0).toInt();
    return rounds;
}

// Checks that the auction database holds rounds 1..n, each whole, and returns n (-1 when it cannot be read).
int checkWholeRounds(const QString &path, const RoundFileRows &files) {
    db::Database database;
    try {
        database = db::Database::open(path);
    } catch (const db::Error &error) {
        ADD_FAILURE() << "the auction database does not open: " << error.text();
        return -1;
    }
    EXPECT_EQ(integrityOf(database), QStringLiteral("ok"));
    const QList<int> rounds = roundsIn(database, QStringLiteral("SELECT [Round] FROM [sysRounds] ORDER BY [Round]"));
    EXPECT_EQ(roundsIn(database, QStringLiteral("SELECT [Round] FROM [Round Statistics] ORDER BY [Round]")), rounds)
        << "sysRounds and \"Round Statistics\" disagree";
    QList<int> expected;
    for (int round = 1; round <= rounds.size(); ++round)
        expected << round;
    EXPECT_EQ(rounds, expected) << "a batch import must stop after a whole round, in order";
    const int last = static_cast<int>(rounds.size());
    for (const QString &table : files.tables) {
        if (table == kWithdrawals) {
            // Cumulative: the rows of the last round's file only.
            EXPECT_EQ(countOf(database, QStringLiteral("SELECT Count(*) FROM [%1]").arg(table)),
                      last > 0 ? files.rows.at(last).at(table) : 0);
            continue;
        }
        std::map<int, qint64> found, wanted;
        const auto rows = database.openRecordset(
            QStringLiteral("SELECT [Round], Count(*) FROM [%1] GROUP BY [Round]").arg(table), db::RecordsetType::Snapshot);
        for (; !rows->eof(); rows->moveNext())
            found[rows->value(0).toInt()] = rows->value(1).toLongLong();
        for (int round = 1; round <= last; ++round)
            if (const qint64 n = files.rows.at(round).at(table))
                wanted[round] = n;
        EXPECT_EQ(found, wanted) << "rows per round of " << table;
    }
    return last;
}

// Every table's rows, as sorted lines of text.
Contents contentsOf(const QString &path) {
    Contents contents;
    db::Database database = db::Database::open(path);
    for (const QString &table : database.tableDefs()) {
        QStringList &lines = contents[table];
        const auto rows = database.openRecordset(QStringLiteral("SELECT * FROM [%1]").arg(table), db::RecordsetType::Snapshot);
        for (; !rows->eof(); rows->moveNext()) {
            QStringList values;
            for (int i = 0; i < rows->fieldCount(); ++i) {
                const QVariant v = rows->value(i);
                values << (v.isNull() ? QStringLiteral("<Null>") : v.toString());
            }
            lines << values.join(u'|');
        }
        lines.sort();
    }
    return contents;
}

void expectSameContents(const Contents &actual, const Contents &reference) {
    QStringList actualTables, referenceTables;
    for (const auto &[table, rows] : actual)
        actualTables << table;
    for (const auto &[table, rows] : reference)
        referenceTables << table;
    ASSERT_EQ(actualTables, referenceTables);
    for (const auto &[table, rows] : reference)
        EXPECT_EQ(actual.at(table), rows) << "table " << table;
}

class KillDuringImport : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch_ = new ScratchDir;
        files_ = new RoundFileRows(readRoundFiles(*scratch_));
        // The length of a whole run: the shorter of two, as the first one may find nothing in the caches yet.
        fullRun_ = std::chrono::microseconds::max();
        for (const QString &name : {QStringLiteral("reference"), QStringLiteral("timing")}) {
            const QString home = makeHome(*scratch_, name);
            const auto start = std::chrono::steady_clock::now();
            ASSERT_EQ(runCli(batchImportArguments(home)), 0);
            fullRun_ = std::min(fullRun_, std::chrono::duration_cast<std::chrono::microseconds>(
                                              std::chrono::steady_clock::now() - start));
        }
        reference_ = new Contents(contentsOf(scratch_->path(QStringLiteral("reference/Auction11.mdb"))));
    }
    static void TearDownTestSuite() {
        delete reference_;
        delete files_;
        delete scratch_;
    }

    static inline ScratchDir *scratch_ = nullptr;
    static inline RoundFileRows *files_ = nullptr;
    static inline Contents *reference_ = nullptr;
    static inline std::chrono::microseconds fullRun_{};
};

TEST_F(KillDuringImport, UninterruptedBatchImportHoldsEveryRoundWhole) {
    ASSERT_EQ(files_->tables.size(), 11);
    EXPECT_EQ(checkWholeRounds(scratch_->path(QStringLiteral("reference/Auction11.mdb")), *files_), kRounds);
}

TEST_F(KillDuringImport, KilledBatchImportLeavesWholeRoundsThatAutoImportCompletes) {
    std::mt19937 random(1105);
    std::uniform_real_distribution<double> within(0.0, 1.0);
    int killed = 0;
    int withoutDatabase = 0;
    auto runLength = fullRun_;
    for (int trial = 0; trial < kKills; ++trial) {
        // One delay in each thirtieth of a whole run, so that the kills cover all of it.
        const auto delay = std::chrono::microseconds(
            static_cast<qint64>(static_cast<double>(runLength.count()) * (trial + within(random)) / kKills));
        SCOPED_TRACE(QStringLiteral("trial %1, killed after %2 ms").arg(trial).arg(double(delay.count()) / 1000));
        const QString home = makeHome(*scratch_, QStringLiteral("kill%1").arg(trial));
        const QString auction = home + QStringLiteral("/Auction11.mdb");
        if (runAndKill(batchImportArguments(home), delay))
            ++killed;
        else
            runLength = std::min(runLength, delay);  // runs are shorter now than when they were timed

        if (!QFileInfo::exists(auction)) {
            // Killed before the database was put in place: nothing of it may stand in the way of a new batch.
            ++withoutDatabase;
            EXPECT_FALSE(QFileInfo::exists(auction + QStringLiteral("-wal")));
            ASSERT_EQ(runCli(batchImportArguments(home)), 0);
        } else {
            const int last = checkWholeRounds(auction, *files_);
            ASSERT_GE(last, 1);
            int imports = 0;
            while (imports <= kRounds && runCli(autoImportArguments(home)) == 0)
                ++imports;
            EXPECT_EQ(imports, kRounds - last);
        }
        EXPECT_EQ(checkWholeRounds(auction, *files_), kRounds);
        expectSameContents(contentsOf(auction), *reference_);
        // Whatever the killed run was extracting, converting or staging has been swept by the runs after it.
        EXPECT_EQ(QDir(home).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name),
                  QStringList({QStringLiteral("Auction11.mdb"), QStringLiteral("lastimp.inf")}));
        if (HasFailure())
            return;
    }
    std::cout << "[          ] " << killed << " of " << kKills << " runs killed while importing, " << withoutDatabase
              << " before the auction database existed\n";
    // Kills that all came after the end would test nothing.
    EXPECT_GE(killed, kKills / 3);
}

// A creation killed between its commit and the closing of its staging file leaves that file's log behind.
TEST_F(KillDuringImport, LogLeftByAKilledCreationDoesNotReachTheNextOne) {
    const QString home = makeHome(*scratch_, QStringLiteral("leftover"));
    const QString staging = home + QStringLiteral("/.Auction11.mdb.new");
    ASSERT_TRUE(QFile::rename(testsupport::roundDatabase(*scratch_, QStringLiteral("auction-11"), 1), staging));
    {
        db::Database database = db::Database::open(staging);
        db::Transaction transaction(database);
        db::schema::createSystemTables(database, db::schema::Creator::BatchImport, 11);
        transaction.commit();
        ASSERT_TRUE(QFile::copy(staging + QStringLiteral("-wal"), scratch_->path(QStringLiteral("leftover.wal"))));
    }
    ASSERT_TRUE(QFile::copy(scratch_->path(QStringLiteral("leftover.wal")), staging + QStringLiteral("-wal")));

    ASSERT_EQ(runCli(batchImportArguments(home)), 0);
    expectSameContents(contentsOf(home + QStringLiteral("/Auction11.mdb")), *reference_);
}

}  // namespace
