// The analyses of a data window on auction 11 (12 rounds): the round-range loop with its messages and question,
// the rounds dialog's kept and reset entries, the selection dialog (cancel, then OK; its label per analysis;
// names with an apostrophe), errors, and a cancelled progress window.
#include "analysis/AnalysisWindowFixture.h"
#include "analysis/RoundRange.h"
#include "analysis/frmProg.h"
#include "analysis/frmRounds.h"
#include "db/Database.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

using analysis::AnalysisKind;
using grid::frmFlexGrid;

std::vector<qint64> roundsOf(const analysis::frmWorkbook *workbook) {
    return workbook ? workbook->result().pivot.rounds : std::vector<qint64>{};
}

class Analysis : public AnalysisWindow {};

TEST_F(Analysis, EmptyToMeansTheFromRoundAlone) {
    answerRounds("10", "");
    run(&frmFlexGrid::RoundsAnalysis);
    ASSERT_TRUE(workbook());
    EXPECT_EQ(roundsOf(workbook()), std::vector<qint64>({10}));
    EXPECT_EQ(workbook()->windowTitle(), "Pivot Table (Rounds) - Round 10, Sum of Net Bid Amount");
}

TEST_F(Analysis, EndBeyondTheLastRoundAsksYesUsesTheLastNoAsksAgain) {
    answerRounds("10", "15", true);
    ui.expectMessage("Error", app::Answer::No);
    answerRounds("10", "15", true);
    ui.expectMessage("Error", app::Answer::Yes);
    run(&frmFlexGrid::RoundsAnalysis);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, analysis::endTooHighQuestion());
    EXPECT_EQ(ui.messages[0].style.buttons, app::Buttons::YesNo);
    ASSERT_EQ(workbooks.size(), 1u);
    EXPECT_EQ(roundsOf(workbook()), std::vector<qint64>({10, 11, 12}));
    EXPECT_TRUE(workbook()->result().pivot.gross);
}

TEST_F(Analysis, StartBeyondTheLastRoundShowsTheMessageAndTheDialogAgain) {
    answerRounds("13", "");
    ui.expectMessage("Error");
    cancelRounds();
    run(&frmFlexGrid::BiddersAnalysis);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, analysis::startTooHighMessage(AnalysisKind::Bidders));
    EXPECT_EQ(ui.messages[0].style.icon, app::Icon::Exclamation);
    EXPECT_TRUE(workbooks.empty());
}

TEST_F(Analysis, FromZeroIsAccepted) {
    answerRounds("0", "2");
    run(&frmFlexGrid::RoundsAnalysis);
    EXPECT_EQ(roundsOf(workbook()), std::vector<qint64>({1, 2}));
}

TEST_F(Analysis, EmptyFromEndsSilentlyAndResetsTheDialog) {
    answerRounds("", "5", true);
    run(&frmFlexGrid::MarketsAnalysis);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(workbooks.empty());
    auto *dialog = window->findChild<analysis::frmRounds *>();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->mskTo->text().isEmpty());
    EXPECT_TRUE(dialog->optNet->isChecked());
}

TEST_F(Analysis, RoundsDialogKeepsEntriesAfterOkAndResetsAfterCancel) {
    answerRounds("11", "12", true);
    run(&frmFlexGrid::RoundsAnalysis);
    auto *dialog = window->findChild<analysis::frmRounds *>();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->mskFrom->text(), "11");
    EXPECT_EQ(dialog->mskTo->text(), "12");
    EXPECT_TRUE(dialog->optGross->isChecked());

    cancelRounds();
    run(&frmFlexGrid::RoundsAnalysis);
    EXPECT_TRUE(dialog->mskFrom->text().isEmpty());
    EXPECT_FALSE(dialog->cancelled());
    EXPECT_TRUE(dialog->optNet->isChecked());
    EXPECT_EQ(workbooks.size(), 1u);
}

TEST_F(Analysis, RangeWithoutBidsEndsWithTheErrorMessage) {
    answerRounds("8", "5");
    ui.expectMessage("");
    run(&frmFlexGrid::RoundsAnalysis);
    answerRounds("8", "5");
    ui.expectMessage("");
    run(&frmFlexGrid::MarketsAnalysis);
    ASSERT_EQ(ui.messages.size(), 2u);
    for (const auto &message : ui.messages) {
        EXPECT_EQ(message.text, "Error 3021: No current record.");
        EXPECT_EQ(message.style.icon, app::Icon::None);
    }
    EXPECT_TRUE(workbooks.empty());
}

TEST_F(Analysis, SelectionCancelledThenChosenProceeds) {
    const QStringList licenses = engineColumn("SELECT DISTINCT [License Name] FROM [All Bids] WHERE [Round] = 12");
    ASSERT_GE(licenses.size(), 2);
    answerRounds("12", "");
    cancelList();
    run(&frmFlexGrid::MarketsAnalysis);
    EXPECT_TRUE(workbooks.empty());

    answerRounds("12", "");
    pickEntries({licenses[0], licenses[1]});
    run(&frmFlexGrid::MarketsAnalysis);
    ASSERT_TRUE(workbook());
    const analysis::DataSet &data = workbook()->result().dataSet;
    const auto expected = engineColumn("SELECT [Round] FROM [All Bids] WHERE [Round] = 12 AND [License Name] IN ('" +
                                       licenses[0] + "', '" + licenses[1] + "')")
                              .size();
    EXPECT_EQ(data.rowCount(), expected);
    for (int row = 0; row < data.rowCount(); ++row)
        EXPECT_TRUE(licenses.mid(0, 2).contains(data.value(row, analysis::LicenseNameColumn).toString()));
}

TEST_F(Analysis, SelectionLabelFollowsTheAnalysis) {
    const QString bidder = engineColumn("SELECT [Bidder] FROM [All Bids] WHERE [Round] = 12").value(0);
    answerRounds("12", "");
    pickEntries({bidder});
    run(&frmFlexGrid::BiddersAnalysis);
    answerRounds("12", "");
    cancelList();
    run(&frmFlexGrid::MarketsAnalysis);
    EXPECT_EQ(labels, QStringList({"Select the Bidders to Analyze", "Select the Licenses to Analyze"}));
    ASSERT_EQ(workbooks.size(), 1u);
    const analysis::DataSet &data = workbook()->result().dataSet;
    ASSERT_GT(data.rowCount(), 0);
    for (int row = 0; row < data.rowCount(); ++row)
        EXPECT_EQ(data.value(row, analysis::BidderColumn).toString(), bidder);
}

TEST_F(Analysis, BidderNameWithAnApostropheIsAnalysed) {
    const QString copy = dir.path("apostrophe.mdb");
    ASSERT_TRUE(QFile::copy(auction, copy));
    const QString bidder = engineColumn("SELECT [Bidder] FROM [All Bids] WHERE [Round] = 12").value(0);
    state.AuctionDb = db::Database::open(copy);
    state.AuctionDbPath = copy;
    state.AuctionDb.execute("UPDATE [All Bids] SET [Bidder] = 'O''Neil Wireless' WHERE [Bidder] = '" + bidder + "'");
    answerRounds("1", "12");
    pickEntries({"O'Neil Wireless"});
    run(&frmFlexGrid::BiddersAnalysis);
    ASSERT_TRUE(workbook());
    const analysis::DataSet &data = workbook()->result().dataSet;
    EXPECT_EQ(data.rowCount(),
              engineColumn("SELECT [Round] FROM [All Bids] WHERE [Bidder] = 'O''Neil Wireless'").size());
    EXPECT_GT(data.rowCount(), 0);
}

TEST_F(Analysis, CancelledProgressGivesNoWorkbook) {
    analysis::frmProg::onShown = [](analysis::frmProg &progress) { progress.findChild<QPushButton *>()->click(); };
    answerRounds("1", "12");
    run(&frmFlexGrid::RoundsAnalysis);
    analysis::frmProg::onShown = {};
    EXPECT_TRUE(workbooks.empty());
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
