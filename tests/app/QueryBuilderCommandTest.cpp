// The main window's SQL Query Builder command: one modeless tool window beside the frame, never an MDI child, so
// Run reaches the data window the user worked in last.
#include "app/MainWindowFixture.h"

#include "app/frmMain.h"
#include "grid/DropDownList.h"
#include "grid/frmFlexGrid.h"
#include "tables/frmSql.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>

TEST_F(MainWindowFixture, SqlQueryBuilderOpensBesideTheFrameAndRunsOnTheActiveDataWindow) {
    window->moduleState().AuctionDb = db::Database::open(buildAuction(2));
    window->moduleState().AuctionDbPath = window->moduleState().AuctionDb.path();
    trigger("mnuFileNew");
    grid::frmFlexGrid *data = activeDataWindow();
    ASSERT_NE(data, nullptr);

    trigger("tbSQL");
    tables::frmSql *sql = tables::frmSql::instance();
    ASSERT_NE(sql, nullptr);
    EXPECT_TRUE(sql->isWindow() && sql->parentWidget() == window.get());
    EXPECT_EQ(window->mdiArea()->subWindowList().size(), 1);
    trigger("mnuToolsSQLCommandLine");  // raised, not opened twice
    EXPECT_EQ(tables::frmSql::instance(), sql);
    EXPECT_EQ(activeDataWindow(), data);

    sql->txtSql[5]->setText("Mine");
    sql->txtSql[0]->setText("[Round], [Bidder]");
    sql->txtSql[1]->setText("[Mine]");
    sql->txtSql[2]->setText("[Bidders]");
    ui.expectMessage("");
    sql->cmdRun->click();
    EXPECT_TRUE(ui.messages.back().text.startsWith("     Finished building the table 'Mine'"));
    EXPECT_TRUE(state.AuctionDb.tableExists("Mine"));
}
