// Two runs of lotwise-cli at once in one home directory: imports of round files of the same name into two
// auctions, and two creations of the same auction. Each run must either do its work whole or refuse; none may
// take the other's work files.
#include "db/Database.h"
#include "db/Recordset.h"
#include "import/WorkFile.h"
#include "support/AuctionFacts.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

using testsupport::ScratchDir;

namespace {

// Starts lotwise-cli with the home directory `home`.
std::unique_ptr<QProcess> startCli(const QString &home, QStringList arguments) {
    auto process = std::make_unique<QProcess>();
    process->setProgram(testsupport::binPath(QStringLiteral("lotwise-cli")));
    process->setArguments(QStringList({QStringLiteral("--home"), home}) + arguments);
    process->setStandardInputFile(QProcess::nullDevice());
    process->start();
    return process;
}

using Outcome = std::pair<int, QString>;  // the exit code (-1 for a crash or a hang) and what went to stderr

// Runs the commands at once and waits for all of them.
std::vector<Outcome> runTogether(const QString &home, const std::vector<QStringList> &commands) {
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const QStringList &command : commands)
        processes.push_back(startCli(home, command));
    std::vector<Outcome> results;
    for (const auto &process : processes) {
        const bool ended = process->waitForFinished(60000) && process->exitStatus() == QProcess::NormalExit;
        results.emplace_back(ended ? process->exitCode() : -1, QString::fromUtf8(process->readAllStandardError()));
    }
    return results;
}

Outcome run(const QString &home, const QStringList &command) { return runTogether(home, {command}).front(); }

int countOf(const db::Database &database, const QString &sql) {
    return database.openRecordset(sql, db::RecordsetType::Snapshot)->value(0).toInt();
}

// The auction database holds rounds 1..last of auction 11, each round's rows exactly once.
void expectAuction11Rounds(const QString &path, int last) {
    SCOPED_TRACE(path.toStdString());
    const db::Database database = db::Database::open(path);
    EXPECT_EQ(countOf(database, QStringLiteral("SELECT Count(*) FROM [sysRounds]")), last);
    EXPECT_EQ(countOf(database, QStringLiteral("SELECT Max([Round]) FROM [sysRounds]")), last);
    EXPECT_EQ(countOf(database, QStringLiteral("SELECT [Auction ID] FROM [sysAuction]")), 11);
    for (int t = 0; t < testsupport::kAuction11Tables.size(); ++t) {
        const QString table = testsupport::kAuction11Tables[t];
        if (table == QLatin1String("Withdrawal Statistics"))
            continue;
        for (int round = 1; round <= last; ++round)
            EXPECT_EQ(
                countOf(database, QStringLiteral("SELECT Count(*) FROM [%1] WHERE [Round] = %2").arg(table).arg(round)),
                testsupport::kAuction11Rows[size_t(round - 1)][size_t(t)])
                << table.toStdString() << " round " << round;
    }
}

QStringList filesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// A home directory with the round files of auction 11 in its folder "rounds".
QString makeHome(const ScratchDir &scratch) {
    QDir().mkpath(scratch.path(QStringLiteral("home/rounds")));
    for (int round = 1; round <= 5; ++round) {
        const QString zip = QStringLiteral("11_%1.zip").arg(round, 3, 10, QChar(u'0'));
        QFile::copy(testsupport::dataPath(QStringLiteral("auction-11/") + zip),
                    scratch.path(QStringLiteral("home/rounds/") + zip));
    }
    return scratch.path(QStringLiteral("home"));
}

}  // namespace

TEST(ConcurrentImport, ImportsOfFilesOfTheSameNameIntoTwoAuctionsKeepEachItsOwnRows) {
    const ScratchDir scratch;
    const QString home = makeHome(scratch);
    const QString rounds = home + QStringLiteral("/rounds/");
    // Two auction databases of auction 11 outside the home directory, both made from round 1.
    std::array<QString, 2> auctions;
    for (size_t i = 0; i < 2; ++i) {
        auctions[i] = scratch.path(QStringLiteral("auction%1/Auction11.mdb").arg(i));
        QDir().mkpath(QFileInfo(auctions[i]).path());
        const Outcome made = run(home, {QStringLiteral("create"), rounds + QStringLiteral("11_001.zip")});
        ASSERT_EQ(made.first, 0) << made.second.toStdString();
        ASSERT_TRUE(QFile::rename(home + QStringLiteral("/Auction11.mdb"), auctions[i]));
    }
    for (int round = 2; round <= 5; ++round) {
        const QString zip = rounds + QStringLiteral("11_%1.zip").arg(round, 3, 10, QChar(u'0'));
        const auto results = runTogether(home, {{QStringLiteral("import"), QStringLiteral("--db"), auctions[0], zip},
                                                {QStringLiteral("import"), QStringLiteral("--db"), auctions[1], zip}});
        for (const auto &[code, err] : results)
            EXPECT_EQ(code, 0) << "round " << round << ": " << err.toStdString();
    }
    for (const QString &auction : auctions)
        expectAuction11Rounds(auction, 5);
    EXPECT_EQ(filesIn(home), QStringList({QStringLiteral("lastimp.inf")}));
}

TEST(ConcurrentImport, TwoCreationsOfOneAuctionAtOnceMakeOneWholeDatabase) {
    for (int trial = 0; trial < 3; ++trial) {
        SCOPED_TRACE(trial);
        const ScratchDir scratch;
        const QString home = makeHome(scratch);
        const QStringList create = {QStringLiteral("create"), home + QStringLiteral("/rounds/11_001.zip")};
        const auto results = runTogether(home, {create, create});
        // One run made the database; the other either found it made (and kept it, the default answer) or found
        // the name taken when it came to put its own in place.
        ASSERT_NE(results[0].first, -1);
        ASSERT_NE(results[1].first, -1);
        EXPECT_EQ((results[0].first == 0) + (results[1].first == 0), 1)
            << results[0].second.toStdString() << results[1].second.toStdString();
        const QString auction = home + QStringLiteral("/Auction11.mdb");
        expectAuction11Rounds(auction, 1);
        const Outcome imported = run(home, {QStringLiteral("import"), QStringLiteral("--db"), auction,
                                            home + QStringLiteral("/rounds/11_002.zip")});
        EXPECT_EQ(imported.first, 0) << imported.second.toStdString();
        expectAuction11Rounds(auction, 2);
        EXPECT_EQ(filesIn(home), QStringList({QStringLiteral("Auction11.mdb"), QStringLiteral("lastimp.inf")}));
    }
}

// What makes the creations above safe: the staged database goes in place only where nothing is.
TEST(ConcurrentImport, StagedFileNeverReplacesOneMadeMeanwhile) {
    const ScratchDir scratch;
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile file(scratch.path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(QStringLiteral(".staged"), "mine");
    write(QStringLiteral("Auction11.mdb"), "theirs");
    EXPECT_FALSE(importer::renameWithoutReplacing(scratch.path(QStringLiteral(".staged")),
                                                  scratch.path(QStringLiteral("Auction11.mdb"))));
    EXPECT_EQ(filesIn(scratch.path()), QStringList({QStringLiteral(".staged"), QStringLiteral("Auction11.mdb")}));
    QFile theirs(scratch.path(QStringLiteral("Auction11.mdb")));
    ASSERT_TRUE(theirs.open(QIODevice::ReadOnly));
    EXPECT_EQ(theirs.readAll(), QByteArray("theirs"));
    EXPECT_TRUE(importer::renameWithoutReplacing(scratch.path(QStringLiteral(".staged")),
                                                 scratch.path(QStringLiteral("Auction7.mdb"))));
    EXPECT_EQ(filesIn(scratch.path()), QStringList({QStringLiteral("Auction11.mdb"), QStringLiteral("Auction7.mdb")}));
}
