// A data window over auction 11 (rounds 1-3, with a few tables of its own) and a host that fills its lists from
// the database and records the page-break menu's pop-ups, with the scripted Prompter.
#pragma once

#include "core/ModuleState.h"
#include "grid/DataWindowHost.h"
#include "grid/frmFlexGrid.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class GridToolsFixture : public ::testing::Test, public grid::DataWindowHost {
protected:
    GridToolsFixture();
    ~GridToolsFixture() override;
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void TearDown() override { ui.verifyDone(); }

    void PopulateTables() override;
    void PopulateRounds() override;
    app::ModuleState &moduleState() override { return state; }
    void showPageBreakMenu(const QPoint &globalPos) override { menuPopups.push_back(globalPos); }

    // Shows a table (for round 3 when it has rounds) and waits until every row is counted.
    void show(const QString &table);
    // Selects rows first..last (0-based) of a column as one more block.
    void selectBlock(int column, int first, int last);

    static inline testsupport::ScratchDir *auctionDir = nullptr;
    static inline QString auctionPath;

    testsupport::ScratchDir home;
    testsupport::ScriptedPrompter ui;
    app::ModuleState state;
    std::unique_ptr<grid::frmFlexGrid> window;
    std::vector<QPoint> menuPopups;
};
