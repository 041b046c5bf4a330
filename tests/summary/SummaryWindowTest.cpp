// The Round Summary window on auction 11, rounds 1-9: the newest round on opening with its headings, the labels, every
// figure refreshed when another round is chosen (none kept from the round before), the chart's points, day bands and
// clicks, Print (to a PDF through the test hook), Close.
#include "core/ModuleState.h"
#include "db/Sqlite.h"
#include "summary/RoundFigures.h"
#include "summary/SummaryChart.h"
#include "summary/SummarySheet.h"
#include "summary/frmSummary.h"
#include "support/AuctionFixture.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using summary::frmSummary;

class SummaryWindow : public testsupport::SharedAuction {
protected:
    static void SetUpTestSuite() { buildShared(QStringLiteral("auction-11"), 9); }

    SummaryWindow() : state(app::makeModuleState(home.path(), ui)) { openAuction(auction); }
    void TearDown() override { ui.verifyDone(); }

    void openAuction(const QString &path) {
        state.AuctionDb = db::Database::open(path);
        state.AuctionDbPath = path;
    }
    // A copy of the shared auction, open, for a test that changes it.
    void openCopy() {
        const QString path = home.path(QStringLiteral("copy.mdb"));
        ASSERT_TRUE(QFile::copy(auction, path));
        openAuction(path);
    }
    void choose(qint64 round) {
        const int index = form->ddlRound->findText(QString::number(round));
        ASSERT_GE(index, 0);
        form->ddlRound->setCurrentIndex(index);
    }
    QStringList sheetFigures() const {
        QStringList texts;
        for (const int column : {2, 5})
            for (int row = 3; row <= 12; ++row)
                texts << form->cellText(row, column);
        return texts;
    }
    QStringList expectedFigures(qint64 round) const {
        return summary::figureTexts(summary::readRoundFigures(state.AuctionDb, round), QLocale());
    }
    void load() {
        form = std::make_unique<frmSummary>(state);
        form->Form_Load();
    }

    testsupport::ScratchDir home;
    testsupport::ScriptedPrompter ui;
    app::ModuleState state;
    std::unique_ptr<frmSummary> form;
};

TEST_F(SummaryWindow, OpensOnTheNewestRoundWithHeadingsAndLabels) {
    load();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Round Summary"));
    EXPECT_EQ(form->lblRound->text(), QStringLiteral("Round:"));
    EXPECT_EQ(form->cmdPrint->text(), QStringLiteral("Print"));
    EXPECT_EQ(form->cmdClose->text(), QStringLiteral("Close"));
    ASSERT_EQ(form->ddlRound->count(), 9);
    EXPECT_EQ(form->ddlRound->itemText(0), QStringLiteral("9"));
    EXPECT_EQ(form->ddlRound->itemText(8), QStringLiteral("1"));
    EXPECT_EQ(form->shownRound(), 9);
    EXPECT_EQ(form->cellText(1, 3), QStringLiteral("Auction 11"));
    EXPECT_EQ(form->cellText(2, 3), QStringLiteral("Round 9"));

    const QStringList left = {"Round Date",
                              "Stage",
                              "Stage Transition %",
                              "Net Bids",
                              "Gross Bids",
                              "Change in Net Prev Round",
                              "Change in Net Prev Day",
                              "Total Bids",
                              "High Bids",
                              "Tavren Held Licenses"};
    const QStringList right = {"Withdrawals",
                               "Eligibility Ratio",
                               "Pctg of Covered BUs",
                               "Bidders At Risk",
                               "Eligible Bidders",
                               "Additional Activity Required",
                               "Waivers",
                               "Bidders Reduced",
                               "Multi-Increment Bids",
                               "Bidders Raising Own High Bid"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(form->cellText(3 + i, 1), left[i]);
        EXPECT_EQ(form->cellText(3 + i, 4), right[i]);
        EXPECT_TRUE(form->cellText(3 + i, 3).isEmpty());
    }
    EXPECT_EQ(sheetFigures(), expectedFigures(9));
    EXPECT_TRUE(form->cellText(6, 2).startsWith(u'$'));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SummaryWindow, ChoosingAnotherRoundRewritesEveryFigure) {
    load();
    for (const qint64 round : {4, 1, 7}) {
        choose(round);
        EXPECT_EQ(form->cellText(2, 3), summary::roundHeading(round));
        EXPECT_EQ(sheetFigures(), expectedFigures(round)) << round;
        EXPECT_EQ(form->chart->markedRound(), round);
    }
    // Round 1 is on the first day: its day change is its own net bids.
    choose(1);
    EXPECT_EQ(form->cellText(9, 2), form->cellText(6, 2));
    EXPECT_TRUE(ui.messages.empty());
}

// A round without statistics shows empty statistics cells, not the figures of the round shown before, and tells why its
// day change is missing; the figures of the other sources are still shown.
TEST_F(SummaryWindow, RoundWithoutStatisticsLeavesNoStaleFigures) {
    openCopy();
    db::exec(state.AuctionDb.handle(), QStringLiteral("DELETE FROM [Round Statistics] WHERE [Round] = 5"));
    load();
    choose(6);
    ui.expectMessage(QString());
    choose(5);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith(QStringLiteral("Error 3021: "))) << ui.messages[0].text.toStdString();
    EXPECT_EQ(ui.messages[0].style.buttons, app::Buttons::OK);
    EXPECT_EQ(form->cellText(2, 3), QStringLiteral("Round 5"));
    for (const int row : {3, 6, 7, 8, 9, 10})
        EXPECT_TRUE(form->cellText(row, 2).isEmpty()) << row;
    EXPECT_TRUE(form->cellText(3, 5).isEmpty());
    EXPECT_EQ(sheetFigures(), expectedFigures(5));
    EXPECT_FALSE(form->cellText(11, 5).isEmpty());  // multi-increment bids come from the bids
    EXPECT_EQ(form->chart->pointCount(), 8);
}

TEST_F(SummaryWindow, ChartHasAPointPerRoundAndAClickShowsThatRound) {
    load();
    summary::SummaryChart *chart = form->chart;
    EXPECT_EQ(chart->pointCount(), 9);
    EXPECT_EQ(chart->markedRound(), 9);
    chart->pointClicked(QPointF(3.2, 50.0));
    EXPECT_EQ(form->shownRound(), 3);
    EXPECT_EQ(form->ddlRound->currentText(), QStringLiteral("3"));
    EXPECT_EQ(form->cellText(2, 3), QStringLiteral("Round 3"));
    EXPECT_EQ(sheetFigures(), expectedFigures(3));
    EXPECT_EQ(chart->markedRound(), 3);
    EXPECT_EQ(chart->roundAt(QPointF(40, 0)),
              9);  // beyond the last round: the last

    // Days: rounds 1-3, 4-6, then 7 onwards (round 7 is three days after round 6).
    const std::vector<summary::ChartRound> rounds = summary::readChartRounds(state.AuctionDb);
    ASSERT_EQ(rounds.size(), 9u);
    EXPECT_EQ(rounds.front().round, 1);
    EXPECT_EQ(rounds[5].netBids, summary::readRoundFigures(state.AuctionDb, 6).netBids);
    EXPECT_EQ(summary::dayStarts(rounds), (std::vector<qint64>{4, 7}));
    EXPECT_TRUE(ui.messages.empty());
}

// 250 rounds, five a day with a weekend between weeks: quick to show, one band edge per new day, a round without
// net bids without a point (and not marked).
TEST(SummaryChart, AWholeLargeAuctionIsQuickToShow) {
    std::vector<summary::ChartRound> rounds;
    QDate day(2025, 1, 6);
    for (qint64 round = 1; round <= 250; ++round) {
        if (round > 1 && round % 5 == 1)
            day = day.addDays(day.dayOfWeek() == 5 ? 3 : 1);
        const std::optional<qint64> net =
            round == 100 ? std::nullopt : std::optional<qint64>(round * 123'456'789'000 + 5000);
        rounds.push_back({round, QVariant(day.startOfDay()), net, round % 40});
    }
    EXPECT_EQ(summary::dayStarts(rounds).size(), 49u);
    summary::SummaryChart chart;
    chart.resize(600, 400);
    QElapsedTimer timer;
    timer.start();
    chart.setRounds(rounds);
    chart.markRound(250);
    chart.grab();  // drawn once
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(chart.pointCount(), 249);
    EXPECT_EQ(chart.roundAt(QPointF(123.4, 0)), 123);
    qint64 asked = 0;
    QObject::connect(&chart, &summary::SummaryChart::roundClicked, [&asked](qint64 round) { asked = round; });
    chart.pointClicked(QPointF(99.6, 1000));
    EXPECT_EQ(asked, 100);
    chart.markRound(100);
    EXPECT_EQ(chart.markedRound(), 100);
}

TEST_F(SummaryWindow, PrintWritesThePageAndCloseClosesTheChild) {
    QMdiArea area;
    auto *formPtr = new frmSummary(state);
    formPtr->Form_Load();
    QMdiSubWindow *sub = area.addSubWindow(formPtr);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    area.show();
    const QString pdf = home.path(QStringLiteral("summary.pdf"));
    frmSummary::setPrintTarget(pdf);
    formPtr->cmdPrint->click();
    frmSummary::setPrintTarget({});
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    EXPECT_EQ(formPtr->shownRound(), 9);  // the window stays as it was

    // Tab goes round the list and the buttons; Esc closes.
    area.activateWindow();
    QApplication::setActiveWindow(&area);
    formPtr->ddlRound->setFocus();
    QStringList visited;
    for (int i = 0; i < 3; ++i) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &tab);
        visited << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString());
    }
    EXPECT_EQ(visited, QStringList({"cmdPrint", "cmdClose", "ddlRound"}));

    formPtr->cmdClose->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

}  // namespace
