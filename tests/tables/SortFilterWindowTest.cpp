// Sort, Filter and Reset on a real data window over auction 11, driven through the Table Actions dialog
// offscreen: what the window shows, what Cancel keeps, what a change of round applies again.
#include "tables/DataWindowFixture.h"

#include "db/Error.h"
#include "grid/DropDownList.h"
#include "grid/LazyTableModel.h"
#include "tables/frmTableActions.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTabWidget>

using tables::frmTableActions;

namespace {

// Fills filter row k (0-based) of the dialog as a user would: the column, the operator, the value.
void setRow(frmTableActions *d, int k, const QString &column, const QString &op, const QString &value) {
    d->lstFiltCol[size_t(k)]->setCurrentIndex(d->lstFiltCol[size_t(k)]->findText(column));
    d->lstOp[size_t(k)]->setCurrentIndex(d->lstOp[size_t(k)]->findText(op));
    d->txtFilter[size_t(k)]->setEditText(value);
}

class SortFilterWindow : public DataWindowFixture {};

}  // namespace

TEST_F(SortFilterWindow, FilterShowsTheMatchingRowsAndCancelKeepsTheChoicesWithoutApplyingThem) {
    const QString before = window->shownStatement();
    onNextTableActions([](frmTableActions *d) {
        EXPECT_EQ(d->SSTab1->currentIndex(), frmTableActions::FilterTab);
        EXPECT_FALSE(d->SSTab1->isTabEnabled(frmTableActions::WizardTab));
        setRow(d, 0, "Bidder", "=", "D'Amico Broadband Ventures LLC");
        d->cmdCancel->click();
    });
    window->TableFilt();
    EXPECT_EQ(window->shownStatement(), before);
    EXPECT_TRUE(window->appliedFilter().isEmpty());

    onNextTableActions([](frmTableActions *d) {
        EXPECT_EQ(d->lstFiltCol[0]->currentText(), "Bidder");  // the cancelled choices are still there
        EXPECT_EQ(d->txtFilter[0]->currentText(), "D'Amico Broadband Ventures LLC");
        d->cmdOK->click();
    });
    window->TableFilt();
    EXPECT_EQ(window->shownStatement(), "SELECT * FROM [All Bids] WHERE [Round] = 12 And ([Bidder] =\"D'Amico Broadband "
                                        "Ventures LLC\") Order By [Market], [Block], [Submarket]");
    EXPECT_EQ(shownColumn("Bidder"), engineColumn("SELECT [Bidder] FROM [All Bids] WHERE [Round] = 12 And [Bidder] = "
                                                  "'D''Amico Broadband Ventures LLC'"));
}

TEST_F(SortFilterWindow, SortThenASecondFilterJoinsTheFirstAndARoundChangeAppliesBothAgain) {
    chooseRound("9");
    onNextTableActions([](frmTableActions *d) {
        EXPECT_EQ(d->SSTab1->currentIndex(), frmTableActions::SortTab);
        moveToSort(d, "Net Bid Amount", false);
        setRow(d, 0, "Increments of Bid", ">", "1");
        d->cmdOK->click();
    });
    window->TableSort();
    EXPECT_EQ(window->shownStatement(),
              "SELECT * FROM [All Bids] WHERE [Round] = 9 And ([Increments of Bid] >1) ORDER BY [Net Bid Amount] DESC");
    onNextTableActions([](frmTableActions *d) {
        setRow(d, 0, "Submarket", "=", "0");
        d->cmdOK->click();
    });
    window->TableFilt();
    const QString filter = "([Increments of Bid] >1) And ([Submarket] =0)";
    EXPECT_EQ(window->appliedFilter(), filter);
    EXPECT_EQ(window->appliedSort(), "[Net Bid Amount] DESC");

    // Choices changed and then cancelled are never applied; the round change applies what was applied.
    onNextTableActions([](frmTableActions *d) {
        setRow(d, 0, "Submarket", "=", "2");
        d->cmdCancel->click();
    });
    window->TableFilt();
    chooseRound("11");
    EXPECT_EQ(window->shownStatement(), "SELECT * FROM [All Bids] WHERE [Round] = 11 And (" + filter +
                                            ") ORDER BY [Net Bid Amount] DESC");
    const QString same = "SELECT [Net Bid Amount] FROM [All Bids] WHERE [Round] = 11 And [Increments of Bid] > 1 And "
                         "[Submarket] = 0 ORDER BY [Net Bid Amount] DESC";
    EXPECT_EQ(shownColumn("Net Bid Amount"), engineColumn(same));

    // Reset shows the table plainly and the next Sort lists the columns afresh.
    window->TableReset();
    EXPECT_EQ(window->shownStatement(), "SELECT * FROM [All Bids] WHERE [Round] = 11 Order By [Market], [Block], [Submarket]");
    EXPECT_FALSE(window->SortOrFilterApplied);
    onNextTableActions([](frmTableActions *d) {
        EXPECT_EQ(d->lstSortCols->count(), 0);
        EXPECT_TRUE(d->txtFilter[0]->currentText().isEmpty());
        d->cmdCancel->click();
    });
    window->TableSort();
    chooseRound("10");
    EXPECT_EQ(window->shownStatement(), "SELECT * FROM [All Bids] WHERE [Round] = 10 Order By [Market], [Block], [Submarket]");
}

TEST_F(SortFilterWindow, ValuesPickedFromTheListsOfDateAndCurrencyColumnsFindTheirRows) {
    for (const QString &column : {QString("Gross Bid Amount"), QString("Bid Date Time")}) {
        SCOPED_TRACE(column.toStdString());
        window->TableReset();
        const QString wanted = shownColumn(column, true).value(0);  // as the grid shows it
        ASSERT_FALSE(wanted.isEmpty());
        onNextTableActions([&](frmTableActions *d) {
            setRow(d, 0, column, "=", "");
            pickListedValue(d, 0, wanted);
            d->cmdOK->click();
        });
        window->TableFilt();
        // The rows shown are exactly those the grid shows with that text.
        const QStringList shown = shownColumn(column, true);
        ASSERT_FALSE(shown.isEmpty()) << window->shownStatement();
        EXPECT_EQ(QSet<QString>(shown.begin(), shown.end()), QSet<QString>{wanted}) << window->shownStatement();
        EXPECT_EQ(shown.size(), shownTextCount(column, wanted));
    }
}

TEST_F(SortFilterWindow, AFilterTheEngineRejectsIsReportedAndTheRowsStay) {
    onNextTableActions([](frmTableActions *d) {
        setRow(d, 0, "Bidder", ">", tables::nullChoiceText());
        moveToSort(d, "Bidder", true);
        d->cmdOK->click();
    });
    ui.expectMessage("");
    window->TableFilt();
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_TRUE(ui.messages.back().text.startsWith("Error:3464 ")) << ui.messages.back().text;
    // The sort still goes on after the failed filter.
    EXPECT_EQ(window->shownStatement(), "SELECT * FROM [All Bids] WHERE [Round] = 12 ORDER BY [Bidder]");

    // Rows that fail while they are read: the error is shown and the rows shown before come back.
    onNextTableActions([](frmTableActions *d) {
        setRow(d, 0, "Round", "=", "12");
        d->cmdOK->click();
    });
    window->TableFilt();
    ASSERT_EQ(window->appliedFilter(), "[Round] =12");
    ui.expectMessage("");
    emit window->Data1->failed(db::Error(11, "Division by zero"));
    EXPECT_EQ(ui.messages.back().text, "Error:11 Division by zero");
    EXPECT_EQ(window->shownStatement(), "SELECT * FROM [All Bids] WHERE [Round] = 12 ORDER BY [Bidder]");

    // Rows of a plain load that fail while they are read are reported too, never left silently empty.
    ui.expectMessage("");
    emit window->Data1->failed(db::Error(11, "Division by zero"));
    EXPECT_EQ(ui.messages.back().text, "Error 11: Division by zero");
}
