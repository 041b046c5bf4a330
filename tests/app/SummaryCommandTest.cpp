// View > Summary in the main window: refused with no auction open, one summary at a time, and the commands that act on
// a data window switched off while the summary is the active child, on again when a data window is activated or the
// summary closes, untouched by Qt's null activation.
#include "app/MainWindowFixture.h"

#include "app/frmMain.h"
#include "grid/frmFlexGrid.h"
#include "summary/frmSummary.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace {

const QStringList kSwitched = {"tbPrintPreview",
                               "tbPrint",
                               "tbSort",
                               "tbFilter",
                               "tbReset",
                               "tbTableWizard",
                               "tbSQL",
                               "tbDropTable",
                               "mnuCompAverage",
                               "mnuCompCount",
                               "mnuCompSum",
                               "mnuFileExport",
                               "mnuFilePrint",
                               "mnuFilePrintPreview",
                               "mnuFilePrintSetup",
                               "mnuPBreakDelCol",
                               "mnuPBreakDelRow",
                               "mnuPBreakReset",
                               "mnuPBreakSetCol",
                               "mnuPBreakSetRow",
                               "mnuToolsAnalysisBidders",
                               "mnuToolsAnalysisMarkets",
                               "mnuToolsAnalysisRounds",
                               "mnuToolsDropTable",
                               "mnuToolsExcel",
                               "mnuToolsFilterTable",
                               "mnuToolsResetTable",
                               "mnuToolsSortTable",
                               "mnuToolsSQLCommandLine",
                               "mnuToolsTableWizard",
                               "mnuViewSummary",
                               "mnuWindowFreeze",
                               "mnuWindowUnfreeze"};
const QStringList kKept = {
    "tbNew",       "tbImport",       "mnuFileNew",         "mnuFileImport",    "mnuFileAutoImport",
    "mnuFileExit", "mnuViewToolbar", "mnuWindowNewWindow", "mnuWindowCascade", "mnuHelpContents"};

class SummaryCommand : public MainWindowFixture {
protected:
    void openAuction(int last) {
        state.AuctionDb = db::Database::open(buildAuction(last));
        state.AuctionDbPath = state.AuctionDb.path();
    }
    // The names of the switched commands that are on.
    QStringList switchedOn() const {
        QStringList on;
        for (const QString &name : kSwitched)
            if (window->action(name)->isEnabled())
                on << name;
        if (window->popupMenu("mnuToolsAnalysis")->menuAction()->isEnabled())
            on << "mnuToolsAnalysis";
        return on;
    }
    bool keptOn() const {
        return std::all_of(kKept.begin(), kKept.end(),
                           [this](const QString &n) { return window->action(n)->isEnabled(); });
    }
    QMdiSubWindow *subOf(QWidget *child) const { return qobject_cast<QMdiSubWindow *>(child->parentWidget()); }
    static void deleteClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    const int everySwitched = int(kSwitched.size()) + 1;
};

TEST_F(SummaryCommand, RefusedWhileNoAuctionIsOpen) {
    ui.expectMessage("No Auction Open");
    trigger("mnuViewSummary");
    EXPECT_EQ(ui.messages.back().style.icon, app::Icon::Exclamation);
    EXPECT_TRUE(window->mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(window->summaryWindow(), nullptr);
}

TEST_F(SummaryCommand, OpensOnTheNewestRoundAndOnlyOnce) {
    openAuction(9);
    trigger("mnuFileNew");
    grid::frmFlexGrid *data = activeDataWindow();
    ASSERT_NE(data, nullptr);
    trigger("mnuViewSummary");
    summary::frmSummary *summary = window->summaryWindow();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(window->activeChild(), summary);
    EXPECT_EQ(summary->cellText(2, 3), QStringLiteral("Round 9"));
    EXPECT_EQ(subOf(summary)->windowTitle(), QStringLiteral("Round Summary"));

    window->mdiArea()->setActiveSubWindow(subOf(data));
    trigger("mnuViewSummary");  // activates the open one
    EXPECT_EQ(window->activeChild(), summary);
    EXPECT_EQ(window->mdiArea()->subWindowList().size(), 2);
}

TEST_F(SummaryCommand, ActiveSummarySwitchesOffDataWindowCommandsUntilADataWindowIsActivated) {
    openAuction(3);
    trigger("mnuFileNew");
    grid::frmFlexGrid *data = activeDataWindow();
    ASSERT_NE(data, nullptr);
    const QStringList before = switchedOn();
    EXPECT_EQ(before.size(), everySwitched - 1);  // all but the hidden Export Table To Excel
    trigger("mnuViewSummary");
    summary::frmSummary *summary = window->summaryWindow();
    ASSERT_NE(summary, nullptr);
    EXPECT_TRUE(switchedOn().isEmpty()) << switchedOn().join(' ').toStdString();
    EXPECT_TRUE(keptOn());

    // The program losing the focus: Qt reports no active child, the summary stays active.
    emit window->mdiArea()->subWindowActivated(nullptr);
    EXPECT_TRUE(switchedOn().isEmpty());

    window->mdiArea()->setActiveSubWindow(subOf(data));
    EXPECT_EQ(switchedOn(), before);
    emit window->mdiArea()->subWindowActivated(nullptr);
    EXPECT_EQ(switchedOn(), before);
    window->mdiArea()->setActiveSubWindow(subOf(summary));
    EXPECT_TRUE(switchedOn().isEmpty());

    // Closing the summary, a data window left: on again.
    subOf(summary)->close();
    deleteClosed();
    EXPECT_EQ(window->summaryWindow(), nullptr);
    EXPECT_EQ(switchedOn(), before);
    EXPECT_TRUE(keptOn());
}

TEST_F(SummaryCommand, ClosingTheOnlyWindowSwitchesBackOnButNotWhatWasOffBefore) {
    openAuction(2);
    window->action("mnuWindowFreeze")->setEnabled(false);  // off for a reason of its own
    const QStringList before = switchedOn();
    trigger("mnuViewSummary");
    ASSERT_NE(window->summaryWindow(), nullptr);
    EXPECT_FALSE(window->action("tbSort")->isEnabled());
    EXPECT_FALSE(window->popupMenu("mnuToolsAnalysis")->menuAction()->isEnabled());

    window->summaryWindow()->cmdClose_Click();
    deleteClosed();
    EXPECT_TRUE(window->mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(switchedOn(), before);
    EXPECT_FALSE(window->action("mnuWindowFreeze")->isEnabled());
    // Opened again, after the first one is gone.
    trigger("mnuViewSummary");
    EXPECT_NE(window->summaryWindow(), nullptr);
}

// The summary holds no statement open: closing the program with it open still compacts the database.
TEST_F(MainWindowFixture, ClosingWithTheSummaryOpenStillCompacts) {
    openThroughFileOpen(buildAuction(3));
    trigger("mnuViewSummary");
    ASSERT_NE(window->summaryWindow(), nullptr);
    window->summaryWindow()->ddlRound->setCurrentIndex(1);
    window->close();
    EXPECT_EQ(ui.statuses.back(), "Optimizing Database...Please Standby!");
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
