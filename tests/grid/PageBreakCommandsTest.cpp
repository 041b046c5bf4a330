// The data window's page-break commands: the flags they set and clear on the current cell's row and column, the
// marks redrawn after them, after a column resize and after a load, and the window's print settings.
#include "GridTestSupport.h"

#include "core/ModuleState.h"
#include "grid/DataWindowHost.h"
#include "grid/DropDownList.h"
#include "grid/LazyTableModel.h"
#include "grid/SpreadGrid.h"
#include "grid/frmFlexGrid.h"
#include "support/ScriptedPrompter.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Flags = std::set<int>;

class PageBreakCommandsTest : public ::testing::Test, public grid::DataWindowHost {
protected:
    void SetUp() override {
        gridtest::makeNumbers(database.db(), QStringLiteral("Numbers"), 100);
        gridtest::makeNumbers(database.db(), QStringLiteral("Others"), 50);
        state.AuctionDbPath = database.path();
        state.AuctionDb = db::Database::open(database.path());
        window = std::make_unique<grid::frmFlexGrid>(*this);
        window->refillList(window->ddlTableName, {QStringLiteral("Numbers"), QStringLiteral("Others")});
        window->refillList(window->ddlRoundNum, {QStringLiteral("2"), QStringLiteral("1")});
        window->selectRound(0);
        window->resize(700, 500);
        window->setVisible(true);
        showTable(0);
    }
    void TearDown() override {
        window.reset();
        ui.verifyDone();
    }

    void PopulateTables() override {}
    void PopulateRounds() override {}
    app::ModuleState &moduleState() override { return state; }
    void showPageBreakMenu(const QPoint &globalPos) override { menuShownAt.push_back(globalPos); }

    void showTable(int index) {
        window->selectTable(index);
        ASSERT_TRUE(gridtest::waitForCount(*window->Data1));
    }
    grid::SpreadGrid &grid() { return *window->MSFlexGrid1; }
    // Makes a cell current, by grid row and column numbers (from 1).
    void goTo(int row, int column) { grid().setCurrentIndex(window->Data1->index(row - 1, column - 1)); }
    QImage painted() {
        QApplication::processEvents();
        return grid().viewport()->grab().toImage();
    }

    testsupport::TestDatabase database;
    testsupport::ScratchDir home;
    testsupport::ScriptedPrompter ui;
    app::ModuleState state{home.path(), ui};
    std::unique_ptr<grid::frmFlexGrid> window;
    std::vector<QPoint> menuShownAt;
};

}  // namespace

TEST_F(PageBreakCommandsTest, ANewWindowPrintsLandscapeWithHalfInchMarginsAndNoBreaks) {
    const print::PrintSettings &settings = window->printSettings();
    EXPECT_EQ(settings.orientation, print::kLandscape);
    EXPECT_EQ(settings.marginLeft, 720);
    EXPECT_EQ(settings.marginTop, 720);
    EXPECT_EQ(settings.marginRight, 720);
    EXPECT_EQ(settings.marginBottom, 720);
    EXPECT_TRUE(window->pageBreaks().empty());

    // Reset on a sheet without breaks changes nothing on screen.
    goTo(5, 2);
    const QImage before = painted();
    window->PBreak_Remove();
    EXPECT_TRUE(window->pageBreaks().empty());
    EXPECT_TRUE(grid().pageBreakMarks().empty());
    EXPECT_EQ(painted(), before);
}

TEST_F(PageBreakCommandsTest, RightClickMakesTheCellCurrentForTheMenuCommands) {
    grid().scrollTo(window->Data1->index(11, 0));
    const QPoint click = grid().visualRect(window->Data1->index(11, 1)).center();
    emit grid().customContextMenuRequested(click);
    ASSERT_EQ(menuShownAt.size(), 1u);
    EXPECT_EQ(menuShownAt.front(), grid().viewport()->mapToGlobal(click));
    window->PBreak_SetRow();
    window->PBreak_SetCol();
    EXPECT_EQ(window->pageBreaks().rows, Flags({12}));
    EXPECT_EQ(window->pageBreaks().columns, Flags({2}));
    EXPECT_EQ(grid().pageBreakMarks().rows, Flags({12}));
    EXPECT_EQ(grid().pageBreakMarks().columns, Flags({2}));
    const QRect cell = grid().visualRect(window->Data1->index(11, 2));
    EXPECT_EQ(painted().pixel(cell.center().x(), cell.top()), qRgb(0, 0, 0));  // the line above row 12
}

TEST_F(PageBreakCommandsTest, BreaksSurviveAResizeAndDeletingOneKeepsTheOther) {
    goTo(40, 3);
    window->PBreak_SetRow();
    window->PBreak_SetCol();
    goTo(12, 1);
    window->PBreak_SetRow();
    EXPECT_EQ(window->pageBreaks().rows, Flags({12, 40}));

    // A column resize redraws the marks (here first cleared, to see the redraw happen); the flags stay.
    window->PBreak_Clear();
    EXPECT_TRUE(grid().pageBreakMarks().empty());
    grid().setColumnWidth(0, grid().columnWidth(0) + 50);
    EXPECT_EQ(grid().pageBreakMarks().rows, Flags({12, 40}));
    EXPECT_EQ(grid().pageBreakMarks().columns, Flags({3}));
    grid().scrollTo(window->Data1->index(39, 0));
    const QImage image = painted();
    const QRect row40 = grid().visualRect(window->Data1->index(39, 0));
    const QRect column3 = grid().visualRect(window->Data1->index(39, 2));
    EXPECT_EQ(image.pixel(row40.center().x(), row40.top()), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(column3.left(), column3.center().y()), qRgb(0, 0, 0));

    // Deleting the break of the current row leaves the others, flags and marks alike.
    goTo(40, 1);
    window->PBreak_DelRow();
    EXPECT_EQ(window->pageBreaks().rows, Flags({12}));
    EXPECT_EQ(window->pageBreaks().columns, Flags({3}));
    EXPECT_EQ(grid().pageBreakMarks().rows, Flags({12}));
    goTo(7, 3);
    window->PBreak_DelCol();
    EXPECT_TRUE(window->pageBreaks().columns.empty());
    EXPECT_TRUE(grid().pageBreakMarks().columns.empty());
    window->PBreak_Remove();
    EXPECT_TRUE(window->pageBreaks().empty());
    EXPECT_TRUE(grid().pageBreakMarks().empty());
}

TEST_F(PageBreakCommandsTest, FlagsStayByNumberAcrossLoadsWhichRedrawTheirMarks) {
    goTo(60, 2);
    window->PBreak_SetRow();
    goTo(5, 3);
    window->PBreak_SetCol();
    window->PBreak_Clear();  // the marks are gone until the next redraw
    showTable(1);            // another table, of 50 rows: row 60's flag stays, though the table has no row 60
    EXPECT_EQ(window->pageBreaks().rows, Flags({60}));
    EXPECT_EQ(window->pageBreaks().columns, Flags({3}));
    EXPECT_EQ(grid().pageBreakMarks().rows, Flags({60}));
    EXPECT_EQ(grid().pageBreakMarks().columns, Flags({3}));
    showTable(0);
    grid().scrollTo(window->Data1->index(59, 0));
    const QRect row60 = grid().visualRect(window->Data1->index(59, 0));
    EXPECT_EQ(painted().pixel(row60.center().x(), row60.top()), qRgb(0, 0, 0));
}

TEST_F(PageBreakCommandsTest, CommandsWithoutACurrentCellSetNothing) {
    grid().setCurrentIndex({});
    window->PBreak_SetRow();
    window->PBreak_SetCol();
    window->PBreak_DelRow();
    EXPECT_TRUE(window->pageBreaks().empty());
}
