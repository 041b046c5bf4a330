// The menu tree, the toolbar, and commands reaching the active data window or refusing without one.
#include "app/MainWindowFixture.h"

#include "grid/LazyTableModel.h"
#include "grid/SpreadGrid.h"
#include "grid/frmFlexGrid.h"
#include "print/PrintJob.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

using testsupport::lines;

TEST_F(MainWindowFixture, MenusAndToolbarAreThoseUsersKnow) {
    QStringList top;
    for (QAction *a : window->menuBar()->actions())
        top << a->text();
    EXPECT_EQ(top, QStringList({"&File", "&View", "&Tools", "&Window", "&Help"}));
    QStringList file;
    for (QAction *a : window->popupMenu("mnuFile")->actions())
        if (a->isVisible() && !a->isSeparator())
            file << a->text();
    EXPECT_EQ(file, QStringList({"&New", "&Import...", "&Auto Import", "&Export...", "Print &Setup...", "Print Pre&view",
                                 "&Print...", "E&xit"}));
    EXPECT_EQ(window->action("mnuFilePrint")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_FALSE(window->action("mnuFileMRU0")->isVisible());
    EXPECT_FALSE(window->action("mnuToolsExcel")->isVisible());
    EXPECT_TRUE(window->action("mnuViewToolbar")->isChecked());
    EXPECT_EQ(window->popupMenu("mnuToolsAnalysis")->title(), "&Pivot Table Wizard");
    EXPECT_EQ(window->action("mnuPBreakReset")->text(), "Reset Page Breaks");
    QStringList tips;
    for (QAction *a : window->findChild<QToolBar *>("tbToolBar")->actions())
        tips << a->toolTip();
    EXPECT_EQ(tips, QStringList({"New", "Import Next Round", "Print Preview", "Print", "Sort...", "Filter...",
                                 "Reset Table", "Table Wizard...", "SQL Query Builder...", "Drop Table"}));
}

TEST_F(MainWindowFixture, TableCommandsRefuseWithoutADataWindow) {
    const QStringList refusing = {"mnuFileExport",     "mnuFilePrint",        "mnuToolsAnalysisMarkets",
                                  "mnuToolsAnalysisRounds", "mnuToolsAnalysisBidders", "mnuToolsSortTable",
                                  "mnuToolsFilterTable", "mnuToolsResetTable", "mnuToolsTableWizard",
                                  "mnuToolsDropTable", "mnuWindowFreeze",     "mnuWindowUnfreeze",
                                  "tbSort",            "tbPrint",             "mnuCompSum"};
    for (const QString &item : refusing) {
        ui.expectMessage("Error");
        trigger(item);
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(lines(ui.messages.back().text),
                  QStringList({"  A data grid must be opened to use this function.",
                               "Open a data grid with the New button and try again"}))
            << item.toStdString();
        EXPECT_EQ(ui.messages.back().style.icon, app::Icon::Exclamation);
    }
}

TEST_F(MainWindowFixture, NewWindowsOpenOnTheNewestRoundAndCommandsReachThem) {
    window->moduleState().AuctionDb = db::Database::open(buildAuction(3));
    window->moduleState().AuctionDbPath = window->moduleState().AuctionDb.path();
    trigger("mnuFileNew");
    trigger("tbNew");  // the toolbar's New is the same command
    trigger("mnuWindowNewWindow");
    EXPECT_EQ(dataWindowCount(), 3);
    ASSERT_NE(activeDataWindow(), nullptr);
    EXPECT_EQ(activeDataWindow()->windowTitle(), "All Bids - Round 3");
    EXPECT_EQ(ui.statuses.back(), "All Bids - Round 3");
    // Print reaches the active window: its print dialog opens (and is cancelled).
    bool printAsked = false;
    print::setPrintDialogHook([&printAsked](QPrinter &) { return !(printAsked = true); });
    trigger("mnuFilePrint");
    print::setPrintDialogHook({});
    EXPECT_TRUE(printAsked);
    // Sort reaches the active window: its dialog opens (and is cancelled).
    bool asked = false;
    onNextDialog([&asked](QDialog *dialog) {
        asked = true;
        dialog->reject();
    });
    trigger("mnuToolsSortTable");
    EXPECT_TRUE(asked);
}

TEST_F(MainWindowFixture, ToolbarImportIsAutoImport) {
    window->moduleState().AuctionDb = db::Database::open(buildAuction(2));
    window->moduleState().AuctionDbPath = window->moduleState().AuctionDb.path();
    // No last-import file: Auto Import finds no next file, and the dialog import reports the missing file once.
    ui.expectMessage("").expectOpenCancelled();
    trigger("tbImport");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error:53 File not found: '" + window->moduleState().LastImportFile + "'");
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].filter, "Zip (*.zip)|*.zip");
}

TEST_F(MainWindowFixture, PageBreakMenuReachesTheActiveDataWindow) {
    window->moduleState().AuctionDb = db::Database::open(buildAuction(3));
    window->moduleState().AuctionDbPath = window->moduleState().AuctionDb.path();
    trigger("mnuFileNew");
    grid::frmFlexGrid *data = activeDataWindow();
    ASSERT_NE(data, nullptr);
    const QDeadlineTimer deadline(20000);
    while (!data->Data1->isRowCountKnown() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_GT(data->Data1->rowCount(), 3);
    data->MSFlexGrid1->setCurrentIndex(data->MSFlexGrid1->model()->index(2, 1));
    trigger("mnuPBreakSetRow");
    trigger("mnuPBreakSetCol");
    EXPECT_EQ(data->pageBreaks().rows, std::set<int>({3}));
    EXPECT_EQ(data->pageBreaks().columns, std::set<int>({2}));
    trigger("mnuPBreakDelRow");
    EXPECT_TRUE(data->pageBreaks().rows.empty());
    EXPECT_EQ(data->MSFlexGrid1->pageBreakMarks().columns, std::set<int>({2}));
    trigger("mnuPBreakReset");
    EXPECT_TRUE(data->pageBreaks().empty());
    EXPECT_TRUE(data->MSFlexGrid1->pageBreakMarks().empty());
}
