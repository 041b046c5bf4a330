// The desktop program's connections (the auction database it holds open and the loaders of its data windows)
// open while lotwise-cli imports 30 rounds, builds a user table and queries; then the program closes and
// compacts while the imports go on. Afterwards stock sqlite3 finds the file sound, every round is whole and
// nothing the other program wrote is lost.
#include "db/Database.h"
#include "db/Recordset.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <iostream>
#include <mutex>
#include <thread>

using testsupport::ScratchDir;

namespace {

constexpr int kImports = 30;

// Thirty imports of rounds 2..12 (each re-imported two or three times), then a user table, queries and a
// final pass so that round 12 is the newest import. Every failing command prints a FAIL line.
QString cliScript() {
    return QStringLiteral("run() { \"$CLI\" --home \"$LWHOME\" \"$@\" >/dev/null 2>\"$LWHOME/err.txt\" || "
                          "{ echo \"FAIL $* : $(cat \"$LWHOME/err.txt\")\"; }; }\n"
                          "for i in $(seq 0 ") +
           QString::number(kImports - 1) +
           QStringLiteral("); do r=$(( 2 + i % 11 )); run import --db \"$DB\" \"$ROUNDS/11_$(printf %03d $r).zip\"; done\n"
                          "run sql --db \"$DB\" \"SELECT [Bidder], Sum([Net Bid Amount]) AS [Total] INTO [Bidder Totals] "
                          "FROM [All Bids] GROUP BY [Bidder]\"\n"
                          "run sql --db \"$DB\" \"INSERT INTO [sysTables] ([TableName]) VALUES ('Bidder Totals')\"\n"
                          "run tables --db \"$DB\"\n"
                          "run sql --db \"$DB\" \"SELECT Count(*) FROM [All Bids]\"\n"
                          "run import --db \"$DB\" \"$ROUNDS/11_012.zip\"\n"
                          "echo finished\n");
}

// What a data window's loader does, over and over: its own connection, a query, the connection closed.
class Loaders {
public:
    explicit Loaders(const QString &path) {
        for (int i = 0; i < 2; ++i)
            threads_.emplace_back([this, path] { loop(path); });
    }
    ~Loaders() { stop(); }
    void stop() {
        stop_ = true;
        for (std::thread &thread : threads_)
            if (thread.joinable())
                thread.join();
    }
    QStringList errors() const {
        const std::lock_guard lock(mutex_);
        return errors_;
    }
    int reads() const { return reads_; }

private:
    void loop(const QString &path) {
        while (!stop_) {
            try {
                const db::Database database = db::Database::open(path);
                const auto rows = database.openRecordset(
                    QStringLiteral("SELECT * FROM [Markets] WHERE [Round] = (SELECT Max([Round]) FROM [sysRounds])"),
                    db::RecordsetType::Snapshot);
                database.openRecordset(QStringLiteral("SELECT Count(*) FROM [All Bids]"), db::RecordsetType::Snapshot);
                ++reads_;
            } catch (const db::Error &error) {
                const std::lock_guard lock(mutex_);
                if (errors_.size() < 5)  // enough to tell what went wrong
                    errors_ << error.text();
            }
        }
    }

    std::vector<std::thread> threads_;
    std::atomic<bool> stop_{false};
    std::atomic<int> reads_{0};
    mutable std::mutex mutex_;
    QStringList errors_;
};

// Rows per round of every supplied table, and the rows of "Withdrawal Statistics", as one text to compare.
QString roundCounts(const QString &path) {
    const db::Database database = db::Database::open(path);
    QString text;
    const auto tables = database.openRecordset(QStringLiteral("SELECT TableName FROM sysSuppliedTables ORDER BY TableName"),
                                               db::RecordsetType::Snapshot);
    for (tables->moveFirst(); !tables->eof(); tables->moveNext()) {
        const QString table = tables->value(0).toString();
        const bool perRound = table != QLatin1String("Withdrawal Statistics");
        const auto rows = database.openRecordset(
            perRound ? QStringLiteral("SELECT [Round], Count(*) FROM [%1] GROUP BY [Round] ORDER BY [Round]").arg(table)
                     : QStringLiteral("SELECT 0, Count(*) FROM [%1]").arg(table),
            db::RecordsetType::Snapshot);
        for (; !rows->eof(); rows->moveNext())
            text += QStringLiteral("%1 %2: %3\n").arg(table, rows->value(0).toString(), rows->value(1).toString());
    }
    const auto rounds = database.openRecordset(QStringLiteral("SELECT [Round] FROM [sysRounds] ORDER BY [Round]"),
                                               db::RecordsetType::Snapshot);
    for (; !rounds->eof(); rounds->moveNext())
        text += QStringLiteral("sysRounds %1\n").arg(rounds->value(0).toString());
    return text;
}

QString stockIntegrityCheck(const QString &path) {
    QProcess check;
    check.start(QStringLiteral("sqlite3"), {path, QStringLiteral("PRAGMA integrity_check")});
    check.waitForFinished(60000);
    return QString::fromUtf8(check.readAllStandardOutput()).trimmed();
}

qint64 countOf(const db::Database &database, const QString &jetSql) {
    return database.openRecordset(jetSql, db::RecordsetType::Snapshot)->value(0).toLongLong();
}

}  // namespace

TEST(Stress, DesktopConnectionsWhileAnotherProgramImports) {
    const ScratchDir reference;
    const QString expected = roundCounts(testsupport::buildAuction(reference, QStringLiteral("auction-11"), 12));

    const ScratchDir dir;
    QDir().mkpath(dir.path(QStringLiteral("rounds")));
    for (int round = 1; round <= 12; ++round) {
        const QString name = QStringLiteral("11_%1.zip").arg(round, 3, 10, QChar(u'0'));
        ASSERT_TRUE(QFile::copy(testsupport::dataPath(QStringLiteral("auction-11/") + name), dir.path(QStringLiteral("rounds/") + name)));
    }
    QProcess create;
    create.start(testsupport::binPath(QStringLiteral("lotwise-cli")),
                 {QStringLiteral("--home"), dir.path(), QStringLiteral("create"), dir.path(QStringLiteral("rounds/11_001.zip"))});
    ASSERT_TRUE(create.waitForFinished(60000));
    ASSERT_EQ(create.exitCode(), 0) << create.readAllStandardError().toStdString();
    const QString path = dir.path(QStringLiteral("Auction11.mdb"));

    db::Database program = db::Database::open(path);  // the desktop program's auction database
    const db::TableHold shown = program.holdTable(QStringLiteral("All Bids"));
    Loaders loaders(path);

    QProcess other;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CLI"), testsupport::binPath(QStringLiteral("lotwise-cli")));
    environment.insert(QStringLiteral("LWHOME"), dir.path());
    environment.insert(QStringLiteral("DB"), path);
    environment.insert(QStringLiteral("ROUNDS"), dir.path(QStringLiteral("rounds")));
    other.setProcessEnvironment(environment);
    other.start(QStringLiteral("bash"), {QStringLiteral("-c"), cliScript()});
    ASSERT_TRUE(other.waitForStarted());

    // The program sees the rounds the other program adds while its connection stays open.
    QElapsedTimer waited;
    waited.start();
    while (countOf(program, QStringLiteral("SELECT Count(*) FROM [sysRounds]")) < 12 && waited.elapsed() < 120000)
        QThread::msleep(20);
    EXPECT_EQ(countOf(program, QStringLiteral("SELECT Count(*) FROM [sysRounds]")), 12);

    // The program exits while the imports go on: its connections close and it compacts, or finds the file in use.
    loaders.stop();
    program.close();
    int compacted = 0;
    while (other.state() != QProcess::NotRunning) {
        try {
            compacted += db::Database::compact(path) == db::CompactResult::Compacted ? 1 : 0;
        } catch (const db::Error &error) {
            ADD_FAILURE() << "compaction: " << error.text();
        }
        other.waitForFinished(100);
    }
    const QString output = QString::fromUtf8(other.readAllStandardOutput());
    EXPECT_FALSE(output.contains(QStringLiteral("FAIL"))) << output;
    EXPECT_TRUE(output.contains(QStringLiteral("finished"))) << output;
    EXPECT_TRUE(loaders.errors().isEmpty()) << loaders.errors();
    EXPECT_GT(loaders.reads(), 0);
    std::cout << "loader reads: " << loaders.reads() << ", compactions done meanwhile: " << compacted << '\n';

    EXPECT_EQ(db::Database::compact(path), db::CompactResult::Compacted);
    EXPECT_EQ(stockIntegrityCheck(path), QStringLiteral("ok"));
    EXPECT_EQ(roundCounts(path), expected);
    const db::Database after = db::Database::open(path);
    EXPECT_EQ(countOf(after, QStringLiteral("SELECT Count(*) FROM [sysTables] WHERE [TableName] = 'Bidder Totals'")), 1);
    EXPECT_EQ(countOf(after, QStringLiteral("SELECT Count(*) FROM [Bidder Totals]")),
              countOf(after, QStringLiteral("SELECT Count(*) FROM (SELECT DISTINCT [Bidder] FROM [All Bids])")));
}
