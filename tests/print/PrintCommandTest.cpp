// lotwise-cli print through the built program: the rows `show` selects, page sizes, breaks, refusals.
#include "cli/CliProcess.h"
#include "print/PdfReadBack.h"
#include "support/AuctionFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

using namespace printtest;

class PrintCommand : public testsupport::SharedAuction {
protected:
    static void SetUpTestSuite() { buildShared(QStringLiteral("auction-11"), 12); }

    clitest::CliRun print(const QStringList &more) {
        return clitest::runCli(QStringList{QStringLiteral("print"), QStringLiteral("--db"), auction} + more,
                               dir.path(QStringLiteral("home")));
    }

    testsupport::ScratchDir dir;
};

TEST_F(PrintCommand, PrintsTheNewestRoundAsShowDoesInBothOrientations) {
    REQUIRE_PDF_TOOLS();
    const QString landscape = dir.path(QStringLiteral("landscape.pdf"));
    const QString portrait = dir.path(QStringLiteral("portrait.pdf"));
    const clitest::CliRun run = print({QStringLiteral("All Bids"), QStringLiteral("--pdf"), landscape});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ASSERT_EQ(print({QStringLiteral("All Bids"), QStringLiteral("--portrait"), QStringLiteral("--pdf"), portrait})
                  .exitCode,
              0);
    EXPECT_EQ(pdfFacts(landscape).pageSize, QSizeF(792, 612));
    EXPECT_EQ(pdfFacts(portrait).pageSize, QSizeF(612, 792));
    const QStringList pages = pageTexts(landscape);
    ASSERT_EQ(pages.size(), pdfFacts(landscape).pages);
    const QString shown = clitest::successfulOutput(
        {QStringLiteral("show"), QStringLiteral("--db"), auction, QStringLiteral("All Bids")}, dir.path());
    const int shownRows = int(clitest::lines(shown).size()) - 1;
    for (int p = 0; p < pages.size(); ++p) {
        EXPECT_TRUE(pages[p].contains(QStringLiteral("All Bids - Round 12"))) << p + 1;
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size()))) << p + 1;
    }
    EXPECT_TRUE(textLines(pages[0]).front().startsWith(QStringLiteral("Auction ID")));
    EXPECT_EQ(textLines(pages[0]).size(), shownRows + 2);  // headings, rows, footer
}

TEST_F(PrintCommand, BreaksMarginsAndFilterShapeThePages) {
    REQUIRE_PDF_TOOLS();
    const QString target = dir.path(QStringLiteral("breaks.pdf"));
    const clitest::CliRun run =
        print({QStringLiteral("Markets"), QStringLiteral("--round"), QStringLiteral("3"), QStringLiteral("--row-break"),
               QStringLiteral("5"), QStringLiteral("--col-break"), QStringLiteral("3"), QStringLiteral("--margins"),
               QStringLiteral("1,1,1,1"), QStringLiteral("--pdf"), target});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList pages = pageTexts(target);
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Markets - Round 3")));
    EXPECT_EQ(textLines(pages[1])[1].section(u' ', 0, 0), QStringLiteral("5"));  // row 5 starts page 2
}

TEST_F(PrintCommand, RefusesWhatCannotPrint) {
    const QString target = dir.path(QStringLiteral("refused.pdf"));
    EXPECT_TRUE(clitest::failedWithOneMessage(
        print({QStringLiteral("All Bids"), QStringLiteral("--margins"), QStringLiteral("5.2,0.5,5.5,0.5"),
               QStringLiteral("--pdf"), target}),
        482));
    EXPECT_FALSE(QFileInfo::exists(target));
    const QString before = QString::fromLatin1(clitest::fileBytes(auction).toHex().left(64));
    EXPECT_TRUE(clitest::failedWithOneMessage(
        print({QStringLiteral("All Bids"), QStringLiteral("--pdf"), auction}), 75));
    EXPECT_EQ(QString::fromLatin1(clitest::fileBytes(auction).toHex().left(64)), before);
    const QString unwritable = dir.path(QStringLiteral("no such folder/out.pdf"));
    EXPECT_TRUE(
        clitest::failedWithOneMessage(print({QStringLiteral("All Bids"), QStringLiteral("--pdf"), unwritable})));
    EXPECT_FALSE(QFileInfo::exists(unwritable));
    EXPECT_TRUE(clitest::failedWithUsage(print({QStringLiteral("All Bids")})));
    EXPECT_TRUE(clitest::failedWithUsage(
        print({QStringLiteral("All Bids"), QStringLiteral("--margins"), QStringLiteral("1,1,1"),
               QStringLiteral("--pdf"), target})));
    EXPECT_TRUE(clitest::failedWithUsage(
        print({QStringLiteral("All Bids"), QStringLiteral("--row-break"), QStringLiteral("0"), QStringLiteral("--pdf"),
               target})));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

// A disk that fills part way, as a file size limit makes it: a failure, and no PDF left behind.
TEST_F(PrintCommand, DiskFullPartWayIsAFailureAndLeavesNoFile) {
    QStringList arguments{QStringLiteral("print"), QStringLiteral("--db"), auction,
                          QStringLiteral("Increment Statistics")};
    for (int row = 2; row <= 120; ++row)  // a page a row of 108: about 150 kB of PDF
        arguments << QStringLiteral("--row-break") << QString::number(row);
    const QString target = dir.path(QStringLiteral("full.pdf"));
    arguments << QStringLiteral("--pdf") << target;
    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LOTWISE_HOME"), dir.path(QStringLiteral("home")));
    shell.setProcessEnvironment(environment);
    // 100 blocks of 512 bytes: room for SQLite's 32 kB shared-memory file, not for the PDF.
    const QString script = QStringLiteral("trap '' XFSZ; ulimit -f 100; exec \"$0\" \"$@\"");
    shell.start(QStringLiteral("/bin/sh"),
                QStringList{QStringLiteral("-c"), script, testsupport::binPath(QStringLiteral("lotwise-cli"))} +
                    arguments);
    ASSERT_TRUE(shell.waitForFinished(60000));
    const QString err = QString::fromUtf8(shell.readAllStandardError());
    EXPECT_EQ(shell.exitCode(), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("Error:75 The PDF file"))) << err.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList());
}

}  // namespace
