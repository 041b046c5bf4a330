// A data window over auction 11 (rounds 1 to 12) with a host of its own and the scripted Prompter, showing
// "All Bids" of round 12, with helpers to answer its Table Actions dialog and to read the rows it shows.
#pragma once

#include "core/ModuleState.h"
#include "grid/DataWindowHost.h"
#include "grid/frmFlexGrid.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

namespace tables {
class frmTableActions;
}

// The scripted Prompter, also answering input boxes from a queue.
class InputPrompter : public testsupport::ScriptedPrompter {
public:
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    std::deque<QString> inputs;  // the answers, in order
    QStringList asked;           // prompt + "|" + title of each input box shown
};

class DataWindowFixture : public ::testing::Test, public grid::DataWindowHost {
protected:
    void SetUp() override;
    void TearDown() override;

    void PopulateTables() override;
    void PopulateRounds() override {}
    app::ModuleState &moduleState() override { return state; }

    // Runs `answer` on the Table Actions dialog as soon as it shows.
    static void onNextTableActions(const std::function<void(tables::frmTableActions *)> &answer);
    // Moves a column to the sort list as a double-click does; selected (ascending) or not.
    static void moveToSort(tables::frmTableActions *dialog, const QString &column, bool ascending);
    // Moves a column to the Table Wizard's target list as a double-click does.
    static void moveToTarget(tables::frmTableActions *dialog, const QString &column);
    // Chooses a filter row's column as a click does, waits for its value list and picks the listed value.
    static void pickListedValue(tables::frmTableActions *dialog, int row, const QString &value);

    void chooseTable(const QString &table);
    void chooseRound(const QString &round);
    // Every row the window shows of a column, once they are loaded: stored values, or the texts shown.
    QStringList shownColumn(const QString &column, bool asShown = false);
    // How many rows of the shown table's round show this text in the column (read through the engine).
    int shownTextCount(const QString &column, const QString &text);
    // The first column of a query on the auction, as text.
    QStringList engineColumn(const QString &sql);

    testsupport::ScratchDir dir;
    InputPrompter ui;
    app::ModuleState state{dir.path(), ui};
    std::unique_ptr<grid::frmFlexGrid> window;
};
