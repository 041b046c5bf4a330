// The Round Summary's printed page: the window's Print (through its PDF hook) and lotwise-cli summary --pdf, read
// back with pdftotext: one portrait page with the headings, the twenty labels and the round's figures; a PDF that
// cannot be written is refused and leaves nothing.
#include "cli/CliProcess.h"
#include "core/ModuleState.h"
#include "db/Error.h"
#include "print/PdfReadBack.h"
#include "print/SummaryPage.h"
#include "summary/RoundFigures.h"
#include "summary/SummarySheet.h"
#include "summary/frmSummary.h"
#include "support/AuctionFixture.h"
#include "support/ScriptedPrompter.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

using namespace printtest;

class SummaryPrint : public testsupport::SharedAuction {
protected:
    static void SetUpTestSuite() { buildShared(QStringLiteral("auction-11"), 9); }

    SummaryPrint() : state(app::makeModuleState(home.path(), ui)) {
        state.AuctionDb = db::Database::open(auction);
        state.AuctionDbPath = auction;
    }
    void TearDown() override { ui.verifyDone(); }

    // The page's text with runs of blanks made one, and what it must hold for the round.
    void expectSheetOf(const QString &pdf, qint64 round) {
        REQUIRE_PDF_TOOLS();
        const PdfFacts facts = pdfFacts(pdf);
        EXPECT_EQ(facts.pages, 1);
        EXPECT_EQ(facts.pageSize, QSizeF(612, 792));  // Letter, portrait
        const QStringList pages = pageTexts(pdf);
        ASSERT_EQ(pages.size(), 1);
        const QString text = pages[0].simplified();
        const QStringList lines = textLines(pages[0]);
        ASSERT_GE(lines.size(), 12);
        EXPECT_EQ(lines[0], summary::auctionHeading(summary::auctionNumber(state.AuctionDb)));
        EXPECT_EQ(lines[1], QStringLiteral("Round %1").arg(round));
        for (const QString &label : summary::figureLabels())
            EXPECT_TRUE(text.contains(label)) << label.toStdString();
        const QStringList figures =
            summary::figureTexts(summary::readRoundFigures(state.AuctionDb, round), QLocale());
        ASSERT_EQ(figures.size(), summary::kFigureCount);
        // Each row of the sheet: left label, its figure, right label, its figure.
        for (int i = 0; i < 10; ++i) {
            const QString row = QStringList{summary::figureLabels()[i], figures[i],
                                            summary::figureLabels()[10 + i], figures[10 + i]}
                                    .join(u' ')
                                    .simplified();
            EXPECT_EQ(lines[2 + i].simplified(), row) << i;
        }
    }

    testsupport::ScratchDir home;
    testsupport::ScriptedPrompter ui;
    app::ModuleState state;
};

TEST_F(SummaryPrint, TheWindowPrintsTheRoundItShows) {
    summary::frmSummary form(state);
    form.Form_Load();
    const int index = form.ddlRound->findText(QStringLiteral("4"));
    ASSERT_GE(index, 0);
    form.ddlRound->setCurrentIndex(index);
    const QString pdf = home.path(QStringLiteral("window.pdf"));
    summary::frmSummary::setPrintTarget(pdf);
    form.cmdPrint_Click();
    summary::frmSummary::setPrintTarget({});
    ASSERT_TRUE(ui.messages.empty());
    expectSheetOf(pdf, 4);
}

TEST_F(SummaryPrint, PortraitWithTheSheetsMargins) {
    const print::PrintSettings settings = print::summaryPrintSettings();
    EXPECT_EQ(settings.orientation, print::kPortrait);
    EXPECT_EQ(settings.marginLeft, 700);
    EXPECT_EQ(settings.marginTop, 1440);
    EXPECT_EQ(settings.marginRight, print::PrintSettings().marginRight);
    EXPECT_EQ(settings.marginBottom, print::PrintSettings().marginBottom);
}

TEST_F(SummaryPrint, AnUnwritableTargetIsRefusedAndLeavesNothing) {
    const QString target = home.path(QStringLiteral("missing/summary.pdf"));
    const print::SummarySheetText sheet = print::summarySheetText(
        summary::readRoundFigures(state.AuctionDb, 9), summary::auctionNumber(state.AuctionDb), QLocale());
    EXPECT_THROW(print::writeSummaryPdf(sheet, target), db::Error);
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST_F(SummaryPrint, TheCommandLineWritesTheSamePage) {
    const QString pdf = home.path(QStringLiteral("cli.pdf"));
    const QString cliHome = home.path(QStringLiteral("home"));
    const clitest::CliRun run = clitest::runCli(
        {"summary", "--db", auction, "--round", "7", "--pdf", pdf}, cliHome);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    expectSheetOf(pdf, 7);

    // Without --round: the newest round.
    ASSERT_EQ(clitest::runCli({"summary", "--db", auction, "--pdf", pdf}, cliHome).exitCode, 0);
    expectSheetOf(pdf, 9);

    EXPECT_TRUE(clitest::failedWithUsage(
        clitest::runCli({"summary", "--db", auction, "--all", "--pdf", pdf}, cliHome)));
    EXPECT_TRUE(clitest::failedWithUsage(
        clitest::runCli({"summary", "--db", auction, "--json", "--pdf", pdf}, cliHome)));
    const QString unwritable = home.path(QStringLiteral("missing/out.pdf"));
    EXPECT_TRUE(clitest::failedWithOneMessage(
        clitest::runCli({"summary", "--db", auction, "--round", "7", "--pdf", unwritable}, cliHome)));
    EXPECT_FALSE(QFileInfo::exists(unwritable));

    // The PDF may not replace the auction it reads (a copy here).
    const QString copy = home.path(QStringLiteral("copy.mdb"));
    ASSERT_TRUE(QFile::copy(auction, copy));
    const qint64 size = QFileInfo(copy).size();
    EXPECT_TRUE(clitest::failedWithOneMessage(clitest::runCli({"summary", "--db", copy, "--pdf", copy}, cliHome)));
    EXPECT_EQ(QFileInfo(copy).size(), size);
}

}  // namespace
