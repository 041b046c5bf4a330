// The print preview over data windows: the page box right after opening against the layout's own count, the
// bounds of Previous and Next, a one-page grid, the zoom list, and the refusals (no data window, margins leaving
// no room, Print without a PrintGrid to run).
#include "grid/GridTestSupport.h"

#include "core/ModuleState.h"
#include "grid/DataWindowHost.h"
#include "grid/DropDownList.h"
#include "grid/LazyTableModel.h"
#include "grid/SpreadGrid.h"
#include "grid/frmFlexGrid.h"
#include "print/GridPageLayout.h"
#include "print/GridRowSource.h"
#include "print/PreviewArea.h"
#include "print/frmPrintPreview.h"
#include "support/AuctionFixture.h"
#include "support/ScriptedPrompter.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>

namespace {

using print::frmPrintPreview;

// A data window over a test database of its own: "Numbers" (100 rows) and "Few" (10 rows).
class PrintPreview : public ::testing::Test, public grid::DataWindowHost {
protected:
    void SetUp() override {
        gridtest::makeNumbers(database.db(), QStringLiteral("Numbers"), 100);
        gridtest::makeNumbers(database.db(), QStringLiteral("Few"), 10);
        state.AuctionDbPath = database.path();
        state.AuctionDb = db::Database::open(database.path());
        window = std::make_unique<grid::frmFlexGrid>(*this);
        window->refillList(window->ddlTableName, {QStringLiteral("Numbers"), QStringLiteral("Few")});
        window->refillList(window->ddlRoundNum, {QStringLiteral("1")});
        window->selectRound(0);
        window->resize(700, 500);
        showTable(0);
    }
    void TearDown() override {
        preview.reset();
        window.reset();
        ui.verifyDone();
    }
    void PopulateTables() override {}
    void PopulateRounds() override {}
    app::ModuleState &moduleState() override { return state; }

    void showTable(int index) {
        window->selectTable(index);
        ASSERT_TRUE(gridtest::waitForCount(*window->Data1));
    }
    void open(QWidget *child) {
        preview = std::make_unique<frmPrintPreview>(child, ui);
        preview->Form_Load();
    }
    void click(const QString &key) { preview->Toolbar1_ButtonClick(key); }
    QString pageBox() const { return preview->txtPage->text(); }

    testsupport::TestDatabase database;
    testsupport::ScratchDir home;
    testsupport::ScriptedPrompter ui;
    app::ModuleState state{home.path(), ui};
    std::unique_ptr<grid::frmFlexGrid> window;
    std::unique_ptr<frmPrintPreview> preview;
};

TEST_F(PrintPreview, ControlsAreThoseOfTheWindow) {
    open(window.get());
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Print Preview"));
    EXPECT_EQ(preview->btnPrevious->toolTip(), QStringLiteral("Previous Page"));
    EXPECT_EQ(preview->btnNext->toolTip(), QStringLiteral("Next Page"));
    EXPECT_FALSE(preview->btnPrevious->icon().isNull());
    EXPECT_FALSE(preview->btnNext->icon().isNull());
    EXPECT_FALSE(preview->cmbZoom->isEditable());
    QStringList zooms;
    for (int i = 0; i < preview->cmbZoom->count(); ++i)
        zooms << preview->cmbZoom->itemText(i);
    EXPECT_EQ(zooms, QStringList({"100%", "75%", "50%", "25%"}));
    EXPECT_EQ(preview->cmbZoom->currentIndex(), -1);
    EXPECT_EQ(preview->vaSpreadPreview1->zoom(), 0);  // fitted until a zoom is chosen
}

TEST_F(PrintPreview, NextAndPreviousStopAtTheEnds) {
    print::PageBreaks breaks;
    breaks.rows = {30};
    breaks.columns = {2};
    window->setPageBreaks(breaks);
    open(window.get());
    ASSERT_TRUE(ui.messages.empty());
    // Rows 1-29 | 30-..., columns 1 | 2-3: at least four pages, counted by the layout before any page change.
    const int count = preview->PageCount;
    ASSERT_GE(count, 4);
    EXPECT_EQ(pageBox(), QStringLiteral("Page 1 of %1").arg(count));
    click(QStringLiteral("Previous"));
    EXPECT_EQ(preview->currentPage(), 1);
    for (int i = 0; i < count + 2; ++i)
        click(QStringLiteral("Next"));
    EXPECT_EQ(preview->currentPage(), count);
    EXPECT_EQ(pageBox(), QStringLiteral("Page %1 of %1").arg(count));
    click(QStringLiteral("Previous"));
    EXPECT_EQ(pageBox(), QStringLiteral("Page %1 of %2").arg(count - 1).arg(count));
    click(QStringLiteral("Other"));
    EXPECT_EQ(preview->currentPage(), count - 1);
}

TEST_F(PrintPreview, OnAOnePageGridNeitherButtonMoves) {
    showTable(1);
    open(window.get());
    ASSERT_EQ(preview->PageCount, 1);
    click(QStringLiteral("Next"));
    click(QStringLiteral("Previous"));
    EXPECT_EQ(pageBox(), QStringLiteral("Page 1 of 1"));
}

// The grid has loaded only its first rows; the preview counts every row by SQL and reads only the page shown.
TEST_F(PrintPreview, ALargeTableCountsEveryRowAndReadsOnlyThePageShown) {
    gridtest::makeNumbers(database.db(), QStringLiteral("Large"), 100000);
    window->refillList(window->ddlTableName, {QStringLiteral("Large")});
    showTable(0);
    QElapsedTimer timer;
    timer.start();
    open(window.get());
    for (int i = 0; i < 3; ++i)
        click(QStringLiteral("Next"));
    const qint64 elapsed = timer.elapsed();
    RecordProperty("load_and_three_pages_ms", int(elapsed));
    ASSERT_TRUE(ui.messages.empty());
    print::GridRowSource source(database.path(), window->shownStatement());
    EXPECT_EQ(source.rowCount(), 100000);
    EXPECT_GE(preview->PageCount, 100000 / 60);  // at most some 45 rows to a landscape Letter page
    EXPECT_EQ(pageBox(), QStringLiteral("Page 4 of %1").arg(preview->PageCount));
    EXPECT_LT(elapsed, 5000);
}

TEST_F(PrintPreview, ChoosingAZoomAppliesIt) {
    open(window.get());
    preview->resize(900, 700);
    auto choose = [this](const QString &text) {
        preview->cmbZoom->setCurrentIndex(preview->cmbZoom->findText(text));
        emit preview->cmbZoom->activated(preview->cmbZoom->currentIndex());
    };
    choose(QStringLiteral("50%"));
    EXPECT_EQ(preview->vaSpreadPreview1->zoom(), 50);
    const int half = preview->vaSpreadPreview1->width();
    choose(QStringLiteral("100%"));
    EXPECT_EQ(preview->vaSpreadPreview1->zoom(), 100);
    const int full = preview->vaSpreadPreview1->width();
    // Landscape Letter is 11 inches wide: at 100% that many logical inches of screen, plus the grey border.
    const double dpi = preview->vaSpreadPreview1->logicalDpiX();
    EXPECT_NEAR(full, 11 * dpi + 16, 2);
    EXPECT_NEAR(half, 5.5 * dpi + 16, 2);
    click(QStringLiteral("Next"));  // another page keeps the zoom
    EXPECT_EQ(preview->vaSpreadPreview1->width(), full);
}

TEST_F(PrintPreview, WithoutADataWindowTheBoxStaysEmpty) {
    ui.expectMessage(QStringLiteral("Error!"));
    open(nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, QStringLiteral("You must have an active grid displayed."));
    EXPECT_EQ(ui.messages[0].style.icon, app::Icon::Exclamation);
    EXPECT_EQ(ui.messages[0].style.buttons, app::Buttons::OK);
    EXPECT_TRUE(pageBox().isEmpty());
    click(QStringLiteral("Next"));
    EXPECT_TRUE(pageBox().isEmpty());

    // Print has no grid to run PrintGrid on: told, and the window stays.
    ui.expectMessage(QString());
    preview->show();
    preview->cmdPrint_Click();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, QStringLiteral("Error: 438 Object doesn't support this property or method"));
    EXPECT_TRUE(preview->isVisible());
}

TEST_F(PrintPreview, MarginsLeavingNoRoomAreRefusedOnLoad) {
    print::PrintSettings settings;
    settings.marginLeft = settings.marginRight = settings.marginTop = settings.marginBottom = 9.99 * 1440;
    window->setPrintSettings(settings);
    ui.expectMessage(QString());
    open(window.get());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.startsWith(QStringLiteral("Error: 482 "))) << ui.messages[0].text.toStdString();
    EXPECT_EQ(preview->PageCount, 0);
    EXPECT_TRUE(pageBox().isEmpty());
}

// Auction 11's All Bids: the page count is the layout's, from the SQL row count, not the grid's loaded rows.
class PrintPreviewAuction : public testsupport::SharedAuction, public grid::DataWindowHost {
protected:
    static void SetUpTestSuite() { buildShared(QStringLiteral("auction-11"), 12); }
    void PopulateTables() override {}
    void PopulateRounds() override {}
    app::ModuleState &moduleState() override { return state; }

    testsupport::ScratchDir home;
    testsupport::ScriptedPrompter ui;
    app::ModuleState state{home.path(), ui};
};

TEST_F(PrintPreviewAuction, OpensOnPageOneOfTheLayoutsCount) {
    state.AuctionDbPath = auction;
    state.AuctionDb = db::Database::open(auction);
    grid::frmFlexGrid window(*this);
    window.refillList(window.ddlTableName, {QStringLiteral("All Bids")});
    window.refillList(window.ddlRoundNum, {QStringLiteral("12")});
    window.selectRound(0);
    window.selectTable(0);
    ASSERT_TRUE(gridtest::waitForCount(*window.Data1));
    print::PageBreaks breaks;
    breaks.rows = {3};
    breaks.columns = {3, 6};
    window.setPageBreaks(breaks);

    frmPrintPreview preview(&window, ui);
    preview.Form_Load();
    ASSERT_TRUE(ui.messages.empty());

    print::GridRowSource source(auction, window.shownStatement());
    print::LayoutInput input;
    input.headings = source.headings();
    for (int i = 0; i < input.headings.size(); ++i)  // the grid's widths, as printing takes them
        input.widths.push_back(window.MSFlexGrid1->columnWidth(i) > 0
                                   ? window.MSFlexGrid1->columnWidth(i) * print::kPointsPerPixel
                                   : 72.0);
    input.rowCount = source.rowCount();
    input.breaks = breaks;
    const int expected = print::GridPageLayout(input).pageCount();
    ASSERT_GE(expected, 2);
    EXPECT_EQ(preview.PageCount, expected);
    EXPECT_EQ(preview.txtPage->text(), QStringLiteral("Page 1 of %1").arg(expected));
}

}  // namespace
