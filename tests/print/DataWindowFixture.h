// A data window on a scratch database for the print tests: table "Numbers" (100 rows: [Id], [Key], [Label]
// "L" & Id) shown in a frmFlexGrid whose host is the fixture, with a scripted prompter.
#pragma once

#include "grid/GridTestSupport.h"

#include "core/ModuleState.h"
#include "grid/DataWindowHost.h"
#include "grid/DropDownList.h"
#include "grid/LazyTableModel.h"
#include "grid/frmFlexGrid.h"
#include "support/ScriptedPrompter.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <memory>

namespace printtest {

class DataWindowFixture : public ::testing::Test, public grid::DataWindowHost {
protected:
    void SetUp() override {
        gridtest::makeNumbers(database.db(), QStringLiteral("Numbers"), 100);
        state.AuctionDbPath = database.path();
        state.AuctionDb = db::Database::open(database.path());
        window = std::make_unique<grid::frmFlexGrid>(*this);
        window->refillList(window->ddlTableName, {QStringLiteral("Numbers")});
        window->refillList(window->ddlRoundNum, {QStringLiteral("2"), QStringLiteral("1")});
        window->selectRound(0);
        window->resize(700, 500);
        window->setVisible(true);
        window->selectTable(0);
        ASSERT_TRUE(gridtest::waitForCount(*window->Data1));
    }
    void TearDown() override {
        window.reset();
        ui.verifyDone();
    }

    void PopulateTables() override {}
    void PopulateRounds() override {}
    app::ModuleState &moduleState() override { return state; }

    testsupport::TestDatabase database;
    testsupport::ScratchDir home;
    testsupport::ScriptedPrompter ui;
    app::ModuleState state{home.path(), ui};
    std::unique_ptr<grid::frmFlexGrid> window;
};

}  // namespace printtest
