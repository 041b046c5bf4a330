// The data window's Export: the Save dialog, the file of the rows shown, the completion message; cancel writes
// and says nothing; an error is reported as such and leaves the old file.
#include "tables/ExportTestSupport.h"
#include "tables/GridToolsFixture.h"

#include "core/DataWindowRules.h"
#include "grid/LazyTableModel.h"

namespace {

using DataWindowExport = GridToolsFixture;

TEST_F(DataWindowExport, WritesTheRowsShownAndSaysSo) {
    show(QStringLiteral("All Bids"));
    const QString target = home.path(QStringLiteral("bids.txt"));
    ui.expectOpen(target).expectMessage(QStringLiteral("Operation Complete"));
    window->DBSaveAs();
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].fileName, QStringLiteral("All Bids"));
    EXPECT_TRUE(ui.dialogs[0].filter.startsWith(QStringLiteral("Tab Delimited Text (*.txt)|*.txt|")));
    EXPECT_TRUE(ui.dialogs[0].filter.contains(QStringLiteral("|*.csv|")));
    EXPECT_TRUE(ui.dialogs[0].filter.endsWith(QStringLiteral("|*.xlsx")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("       Export completed."));
    EXPECT_EQ(ui.messages[0].style.buttons, app::Buttons::OK);

    const QString sql = app::dataWindowStatement(QStringLiteral("All Bids"), QStringLiteral("3"), true);
    QString expected = exporttest::fieldNames(state.AuctionDb, sql).join(u'\t') + QStringLiteral("\r\n");
    for (const QStringList &row : exporttest::shownRows(state.AuctionDb, sql, window->Data1->displayLocale()))
        expected += row.join(u'\t') + QStringLiteral("\r\n");
    EXPECT_EQ(exporttest::fileBytes(target), expected.toUtf8());
    EXPECT_EQ(window->Data1->jetSql(), sql);
}

TEST_F(DataWindowExport, CancelWritesNothingAndSaysNothing) {
    show(QStringLiteral("Cells"));
    ui.expectOpenCancelled();
    window->DBSaveAs();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(exporttest::filesIn(home.path()), QStringList());
}

TEST_F(DataWindowExport, AnErrorIsReportedAndTheOldFileKept) {
    show(QStringLiteral("Cells"));
    ui.expectOpen(home.path(QStringLiteral("no folder/cells.csv"))).expectMessage({});
    window->DBSaveAs();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith(QStringLiteral("Error 75 Path/File access error"))) << ui.messages[0].text;
}

TEST_F(DataWindowExport, ASmallExportShowsNoProgressALongOneCanBeStopped) {
    show(QStringLiteral("Many"));  // 10,000 rows: over before a progress window would help
    const QString target = home.path(QStringLiteral("many.csv"));
    ui.expectOpen(target).expectMessage(QStringLiteral("Operation Complete"));
    window->DBSaveAs();
    EXPECT_TRUE(ui.progress.empty());
    EXPECT_EQ(exporttest::fileBytes(target).count("\r\n"), 10001);

    show(QStringLiteral("Big"));  // 30,000 rows
    exporttest::writeFile(target, "old");
    ui.expectOpen(target);
    ui.cancelProgressAt(1024);  // the first report
    window->DBSaveAs();
    EXPECT_FALSE(ui.progress.empty());
    EXPECT_EQ(ui.messages.size(), 1u);  // only the first export's
    EXPECT_EQ(exporttest::fileBytes(target), QByteArray("old"));
    EXPECT_EQ(exporttest::filesIn(home.path()), QStringList{QStringLiteral("many.csv")});
}

}  // namespace
