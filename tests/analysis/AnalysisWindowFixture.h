// A data window over auction 11 (rounds 1 to 12, built once per suite) with a host of its own that keeps the
// workbook windows it is given, the scripted Prompter, and a driver that answers the analysis dialogs in turn
// as they show modally.
#pragma once

#include "analysis/frmWorkbook.h"
#include "core/ModuleState.h"
#include "grid/DataWindowHost.h"
#include "grid/frmFlexGrid.h"
#include "support/AuctionFixture.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

#include <QDialog>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class AnalysisWindow : public testsupport::SharedAuction, public grid::DataWindowHost {
protected:
    static void SetUpTestSuite() { buildShared(QStringLiteral("auction-11"), 12); }
    void SetUp() override;
    void TearDown() override;

    void PopulateTables() override {}
    void PopulateRounds() override {}
    app::ModuleState &moduleState() override { return state; }
    void showChildWindow(QWidget *shown) override { workbooks.emplace_back(shown); }

    // Answers for the dialogs, in the order they show.
    void answerRounds(const QString &from, const QString &to, bool gross = false);
    void cancelRounds();
    void pickEntries(const QStringList &entries);
    void cancelList();
    // Runs an analysis of the window, answering its dialogs from the queue; fails when a dialog shows with no
    // answer left, or answers are left over.
    void run(void (grid::frmFlexGrid::*analysis)());

    // The last workbook window shown, or null.
    analysis::frmWorkbook *workbook() const;
    // The first column of a query on the auction, as text.
    QStringList engineColumn(const QString &sql) const;

    testsupport::ScratchDir dir;
    testsupport::ScriptedPrompter ui;
    app::ModuleState state{dir.path(), ui};
    std::unique_ptr<grid::frmFlexGrid> window;
    std::vector<std::unique_ptr<QWidget>> workbooks;
    std::deque<std::function<void(QDialog *)>> answers;
    QStringList labels;  // the selection dialog's label each time it showed

private:
    void answerShownDialog();
};
