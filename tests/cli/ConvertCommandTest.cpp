// lotwise-cli convert: a round results file or a Jet database becomes an SQLite file holding the same tables and
// rows; anything it cannot convert ends in one numbered message, exit status 1 and no output file.
#include "cli/CliProcess.h"
#include "import/ZipExtract.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <optional>

using namespace clitest;

namespace {

class ConvertCommand : public ::testing::Test {
protected:
    testsupport::ScratchDir scratch;
    const QString envHome = scratch.path(QStringLiteral("env-home"));

    void SetUp() override { ASSERT_TRUE(QDir(scratch.path()).mkpath(QStringLiteral("out"))); }

    CliRun cli(const QStringList &arguments) { return runCli(arguments, envHome); }
    QString out(const QString &name = QStringLiteral("round.sqlite")) const {
        return scratch.path(QStringLiteral("out/") + name);
    }
    // The round database of a round results file, extracted into the scratch folder.
    QString extractedMdb(const QString &zip) const {
        const QString member = QFileInfo(zip).completeBaseName() + QStringLiteral(".mdb");
        return importer::extractMember(testsupport::dataPath(zip), member, scratch.path(), {}, scratch.path());
    }
    QString tablesOf(const QString &db) {
        const CliRun run = cli({QStringLiteral("tables"), QStringLiteral("--db"), db});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return run.out;
    }
};

TEST_F(ConvertCommand, RoundFileGivesItsTablesAndLeavesTheHomeDirectoryEmpty) {
    const QString home = scratch.path(QStringLiteral("home/not/yet/there"));
    const CliRun run = cli({QStringLiteral("--home"), home, QStringLiteral("convert"),
                            testsupport::dataPath(QStringLiteral("auction-11/11_006.zip")), out()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_FALSE(run.crashed);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err, QString());
    EXPECT_EQ(tablesOf(out()), auction11RoundTables(6));
    EXPECT_TRUE(QFileInfo(home).isDir());  // created for the extraction ...
    EXPECT_EQ(filesIn(home), QStringList());  // ... and nothing left in it
    EXPECT_FALSE(QFileInfo::exists(envHome));  // --home wins over LOTWISE_HOME
    EXPECT_EQ(filesIn(scratch.path(QStringLiteral("out"))), QStringList{QStringLiteral("round.sqlite")});
}

TEST_F(ConvertCommand, WithoutHomeOptionExtractsIntoLotwiseHome) {
    const CliRun run = cli({QStringLiteral("convert"), testsupport::dataPath(QStringLiteral("auction-11/11_012.zip")),
                            out()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(tablesOf(out()), auction11RoundTables(12));
    EXPECT_EQ(filesIn(envHome), QStringList());
}

TEST_F(ConvertCommand, ExtractedRoundDatabaseGivesTheSameTablesAndStaysUnchanged) {
    const QString mdb = extractedMdb(QStringLiteral("auction-11/11_012.zip"));
    const QByteArray before = fileBytes(mdb);
    const CliRun run = cli({QStringLiteral("convert"), mdb, out()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out + run.err, QString());
    EXPECT_EQ(tablesOf(out()), auction11RoundTables(12));
    EXPECT_EQ(fileBytes(mdb), before);
    EXPECT_EQ(filesIn(scratch.path(QStringLiteral("out"))), QStringList{QStringLiteral("round.sqlite")});
}

TEST_F(ConvertCommand, ExistingOutputIsRefusedAndKept) {
    const QByteArray kept("an analyst's notes, not to be overwritten\n");
    writeFile(out(), kept);
    const QString home = scratch.path(QStringLiteral("home"));
    for (const QString &input : {testsupport::dataPath(QStringLiteral("auction-11/11_006.zip")),
                                 extractedMdb(QStringLiteral("auction-11/11_006.zip"))}) {
        SCOPED_TRACE(input.toStdString());
        const CliRun run = cli({QStringLiteral("--home"), home, QStringLiteral("convert"), input, out()});
        EXPECT_TRUE(failedWithOneMessage(run));
        EXPECT_TRUE(run.err.contains(out())) << run.err;
        EXPECT_EQ(fileBytes(out()), kept);
        EXPECT_EQ(filesIn(scratch.path(QStringLiteral("out"))), QStringList{QStringLiteral("round.sqlite")});
        EXPECT_EQ(filesIn(home), QStringList());
    }
}

TEST_F(ConvertCommand, UnreadableInputEndsInOneMessageAndNoOutput) {
    const QByteArray zip = fileBytes(testsupport::dataPath(QStringLiteral("auction-11/11_006.zip")));
    const QByteArray mdb = fileBytes(extractedMdb(QStringLiteral("auction-11/11_006.zip")));
    ASSERT_GT(zip.size(), 4096);
    ASSERT_GT(mdb.size(), 16 * 4096);
    QByteArray crcBroken = zip;  // a byte of the deflated member changed: only its CRC tells
    crcBroken[zip.size() / 2] = char(crcBroken[zip.size() / 2] ^ 0x55);
    QByteArray catalogGone = mdb;  // the page of the system catalog, zeroed
    catalogGone.replace(2 * 4096, 4096, QByteArray(4096, '\0'));
    struct Case {
        const char *what;
        QString file;
        std::optional<QByteArray> bytes;  // nothing: the file does not exist
        int number;
    };
    const std::vector<Case> cases = {
        {"missing file", QStringLiteral("11_006.mdb"), std::nullopt, 53},
        {"text file", QStringLiteral("notes.txt"), QByteArray("Round 6: 8 new bids\n"), 3343},
        {"empty file", QStringLiteral("11_006.mdb"), QByteArray(), 3343},
        {"zip cut short", QStringLiteral("11_006.zip"), zip.left(zip.size() / 2), 321},
        {"zip with a changed byte", QStringLiteral("11_006.zip"), crcBroken, 321},
        {"zip not holding the round database named after it", QStringLiteral("11_007.zip"), zip, 53},
        {"round database cut short", QStringLiteral("11_006.mdb"), mdb.left(100000), 3343},
        {"round database without its catalog", QStringLiteral("11_006.mdb"), catalogGone, 3343},
    };
    const QString home = scratch.path(QStringLiteral("home"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QString input = scratch.path(QStringLiteral("in/") + c.file);
        QDir(scratch.path(QStringLiteral("in"))).removeRecursively();
        ASSERT_TRUE(QDir(scratch.path()).mkpath(QStringLiteral("in")));
        if (c.bytes)
            writeFile(input, *c.bytes);
        const CliRun run = cli({QStringLiteral("--home"), home, QStringLiteral("convert"), input, out()});
        EXPECT_TRUE(failedWithOneMessage(run, c.number));
        EXPECT_EQ(filesIn(scratch.path(QStringLiteral("out"))), QStringList());  // no output, no hidden temporary file
        EXPECT_EQ(filesIn(home), QStringList());
    }
}

TEST_F(ConvertCommand, OutputInAMissingFolderIsRefused) {
    const QString home = scratch.path(QStringLiteral("home"));
    const CliRun run = cli({QStringLiteral("--home"), home, QStringLiteral("convert"),
                            testsupport::dataPath(QStringLiteral("auction-11/11_006.zip")),
                            scratch.path(QStringLiteral("missing/round.sqlite"))});
    EXPECT_TRUE(failedWithOneMessage(run, 76));
    EXPECT_FALSE(QFileInfo::exists(scratch.path(QStringLiteral("missing"))));
    EXPECT_EQ(filesIn(home), QStringList());
}

TEST_F(ConvertCommand, EdgeRoundFileKeepsEveryUserTableSortedWithoutRegardToCase) {
    const CliRun run = cli({QStringLiteral("convert"), testsupport::dataPath(QStringLiteral("auction-07-edge/07_001.zip")),
                            out()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(lines(tablesOf(out())), (QStringList{
                                          QStringLiteral("Table\tRows"),
                                          QStringLiteral("All Bids\t6"),
                                          QStringLiteral("Bidders\t4"),
                                          QStringLiteral("Bidders Raising Own High Bid\t0"),
                                          QStringLiteral("Bidders Who Reduced\t0"),
                                          QStringLiteral("Increment Statistics\t9"),
                                          QStringLiteral("Markets\t9"),
                                          QStringLiteral("Miscellaneous Statistics\t9"),
                                          QStringLiteral("Reduction Statistics\t0"),
                                          QStringLiteral("Round Statistics\t1"),
                                          QStringLiteral("Sysop Notes\t2"),
                                          QStringLiteral("sysScratch\t2"),
                                          QStringLiteral("Waiver Statistics\t2"),
                                          QStringLiteral("Withdrawal Statistics\t0"),
                                      }));
}

}  // namespace
