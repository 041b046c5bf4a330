// The Table Actions dialog's face and its list moves: captions and starting choices, the Cancel flag, the Sort
// tab's moves by double-click and by real drop events (a drop back on the list it came from changes nothing,
// moved items go to the end and re-enter the sort list selected), and the Table Wizard's rule that the Sort and
// Filter tabs work on exactly the target columns.
#include "support/TestSupport.h"
#include "tables/MoveList.h"
#include "tables/frmTableActions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <memory>

using tables::frmTableActions;
using tables::MoveList;

namespace {

QStringList texts(const QListWidget *list) {
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

QStringList texts(const QComboBox *box) {
    QStringList result;
    for (int i = 0; i < box->count(); ++i)
        result << box->itemText(i);
    return result;
}

// The ascending flags of the sort list, in order.
std::vector<bool> ascending(const frmTableActions &dialog) {
    std::vector<bool> flags;
    for (const auto &column : dialog.choices().sort)
        flags.push_back(column.ascending);
    return flags;
}

QListWidgetItem *item(QListWidget *list, const QString &text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

void doubleClick(QListWidget *list, const QString &text) { emit list->itemDoubleClicked(item(list, text)); }

// What a drag from `from` onto `onto` delivers: `from` carries the drag mark while the drop event reaches the
// target list's drop handler.
void dragAndDrop(QListWidget *from, QListWidget *onto, const QString &text) {
    static_cast<MoveList *>(from)->setDragMark(true);
    QMimeData mime;
    mime.setText(text);
    QDropEvent drop(QPointF(5, 5), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    static_cast<MoveList *>(onto)->handleDrop(&drop);
    static_cast<MoveList *>(from)->setDragMark(false);  // the drag has ended
}

frmTableActions::ValueSource noValues() { return {[] { return QString(); }, [] { return QString(); }}; }

const QStringList kColumns{"Round", "Market", "Bidder", "Tavren Acct"};

}  // namespace

TEST(TableActionsDialog, CaptionsStartingChoicesAndTheCancelFlag) {
    frmTableActions dialog(noValues());
    EXPECT_EQ(dialog.windowTitle(), "Table Actions");
    ASSERT_EQ(dialog.SSTab1->count(), 3);
    EXPECT_EQ(dialog.SSTab1->tabText(0), "Sort");
    EXPECT_EQ(dialog.SSTab1->tabText(1), "Filter");
    EXPECT_EQ(dialog.SSTab1->tabText(2), "Table Wizard");
    QStringList labels;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        labels << label->text();
    for (const char *text : {"Source Data", "Ascending\nColumns", "Drag and drop or double click items.", "Column",
                             "Operator", "Filter", "And/Or", "Source Table", "Target Table", "Target Table Name:"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
    EXPECT_EQ(dialog.cmdOK->text(), "OK");
    EXPECT_TRUE(dialog.cmdOK->isDefault());
    EXPECT_EQ(dialog.cmdCancel->text(), "Cancel");
    EXPECT_EQ(dialog.chkIncludeAll->text(), "Include All Rounds");
    EXPECT_FALSE(dialog.chkIncludeAll->isChecked());
    EXPECT_FALSE(dialog.chkIncludeAll->isEnabled());
    EXPECT_FALSE(dialog.chkIncludeAll->toolTip().isEmpty());

    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(texts(dialog.lstOp[size_t(row)]), QStringList({"=", "<>", ">", ">=", "<", "<="}));
        EXPECT_EQ(dialog.lstOp[size_t(row)]->currentText(), "=");
        EXPECT_FALSE(dialog.lstFiltCol[size_t(row)]->isEditable());
        EXPECT_TRUE(dialog.txtFilter[size_t(row)]->isEditable());
    }
    for (QComboBox *joint : dialog.lstAndOr)
        EXPECT_EQ(joint->currentText(), "And");

    dialog.showTab(frmTableActions::FilterTab, false);
    EXPECT_EQ(dialog.SSTab1->currentIndex(), 1);
    EXPECT_FALSE(dialog.SSTab1->isTabEnabled(2));

    dialog.show();
    dialog.cmdOK->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.Cancelled);
    dialog.show();
    dialog.cmdCancel->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.Cancelled);
    dialog.Cancelled = false;
    dialog.show();
    dialog.close();  // closing the window counts as Cancel
    EXPECT_TRUE(dialog.Cancelled);
}

TEST(TableActionsDialog, FillingListsNothingChosenAndOperatorsKept) {
    frmTableActions dialog(noValues());
    dialog.lstOp[1]->setCurrentIndex(3);
    dialog.lstAndOr[0]->setCurrentIndex(1);
    dialog.fillSortFilterLists(kColumns);
    EXPECT_EQ(texts(dialog.lstSource), kColumns);
    for (QComboBox *box : dialog.lstFiltCol) {
        EXPECT_EQ(texts(box), kColumns);
        EXPECT_EQ(box->currentText(), "");  // a row starts without a column
    }
    dialog.txtFilter[0]->setEditText("5");
    doubleClick(dialog.lstSource, "Market");
    dialog.fillSortFilterLists({"A", "B"});
    EXPECT_EQ(texts(dialog.lstSource), QStringList({"A", "B"}));
    EXPECT_EQ(dialog.lstSortCols->count(), 0);
    EXPECT_EQ(dialog.txtFilter[0]->currentText(), "");
    const tables::TableChoices choices = dialog.choices();
    EXPECT_EQ(choices.rows[1].op, ">=");
    EXPECT_EQ(choices.joints[0], "Or");
    EXPECT_EQ(choices.joints[1], "And");
    EXPECT_TRUE(choices.rows[0].column.isEmpty());
}

TEST(TableActionsDialog, SortMovesByDoubleClickGoToTheEndAndReenterSelected) {
    frmTableActions dialog(noValues());
    dialog.fillSortFilterLists(kColumns);
    doubleClick(dialog.lstSource, "Bidder");
    doubleClick(dialog.lstSource, "Round");
    EXPECT_EQ(texts(dialog.lstSource), QStringList({"Market", "Tavren Acct"}));
    EXPECT_EQ(texts(dialog.lstSortCols), QStringList({"Bidder", "Round"}));
    EXPECT_EQ(ascending(dialog), std::vector<bool>({true, true}));

    item(dialog.lstSortCols, "Bidder")->setSelected(false);  // a click toggles: Bidder sorts descending
    EXPECT_EQ(ascending(dialog), std::vector<bool>({false, true}));
    doubleClick(dialog.lstSortCols, "Bidder");
    EXPECT_EQ(texts(dialog.lstSource), QStringList({"Market", "Tavren Acct", "Bidder"}));
    doubleClick(dialog.lstSource, "Bidder");
    EXPECT_EQ(texts(dialog.lstSortCols), QStringList({"Round", "Bidder"}));
    EXPECT_EQ(ascending(dialog), std::vector<bool>({true, true}));
    EXPECT_EQ(dialog.choices().sort[1].column, "Bidder");

    emit dialog.lstSource->itemDoubleClicked(nullptr);  // no item: nothing happens
    emit dialog.lstSortCols->itemDoubleClicked(nullptr);
    EXPECT_EQ(dialog.lstSource->count() + dialog.lstSortCols->count(), 4);
}

// Clicks as the mouse makes them: each click on a sort column toggles its ascending state.
TEST(TableActionsDialog, ClickTogglesAscending) {
    frmTableActions dialog(noValues());
    dialog.fillSortFilterLists(kColumns);
    doubleClick(dialog.lstSource, "Round");
    doubleClick(dialog.lstSource, "Market");
    dialog.show();
    auto click = [&](const QString &text) {
        const QPoint at = dialog.lstSortCols->visualItemRect(item(dialog.lstSortCols, text)).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, dialog.lstSortCols->viewport()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(dialog.lstSortCols->viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, dialog.lstSortCols->viewport()->mapToGlobal(at),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(dialog.lstSortCols->viewport(), &release);
    };
    click("Round");
    EXPECT_EQ(ascending(dialog), std::vector<bool>({false, true}));
    click("Market");
    EXPECT_EQ(ascending(dialog), std::vector<bool>({false, false}));
    click("Round");
    EXPECT_EQ(ascending(dialog), std::vector<bool>({true, false}));
    EXPECT_EQ(dialog.lstSortCols->currentItem()->text(), "Round");  // the one last clicked

    // A press that starts a drag is no click: the item keeps its state, and a drop back changes nothing.
    auto *sortCols = static_cast<MoveList *>(dialog.lstSortCols);
    const QPoint at = sortCols->visualItemRect(item(sortCols, "Market")).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, sortCols->viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(sortCols->viewport(), &press);
    const std::unique_ptr<QMimeData> dragged(sortCols->beginDrag());
    ASSERT_TRUE(dragged);
    EXPECT_EQ(dragged->text(), "Market");
    EXPECT_TRUE(sortCols->dragMark());
    QDropEvent drop(QPointF(5, 5), Qt::MoveAction, dragged.get(), Qt::LeftButton, Qt::NoModifier);
    sortCols->handleDrop(&drop);
    EXPECT_EQ(texts(sortCols), QStringList({"Round", "Market"}));
    EXPECT_EQ(ascending(dialog), std::vector<bool>({true, false}));
    EXPECT_FALSE(sortCols->dragMark());
}

TEST(TableActionsDialog, SortMovesByDragAndDrop) {
    frmTableActions dialog(noValues());
    dialog.fillSortFilterLists(kColumns);
    dialog.lstSource->setCurrentRow(0);  // the dragged text decides, not the current item
    dragAndDrop(dialog.lstSource, dialog.lstSortCols, "Market");
    dragAndDrop(dialog.lstSource, dialog.lstSortCols, "Round");
    EXPECT_EQ(texts(dialog.lstSortCols), QStringList({"Market", "Round"}));
    EXPECT_EQ(texts(dialog.lstSource), QStringList({"Bidder", "Tavren Acct"}));
    EXPECT_EQ(ascending(dialog), std::vector<bool>({true, true}));

    dragAndDrop(dialog.lstSortCols, dialog.lstSortCols, "Market");  // back on its own list: nothing changes
    dragAndDrop(dialog.lstSource, dialog.lstSource, "Bidder");
    EXPECT_EQ(texts(dialog.lstSortCols), QStringList({"Market", "Round"}));
    EXPECT_EQ(texts(dialog.lstSource), QStringList({"Bidder", "Tavren Acct"}));
    EXPECT_FALSE(static_cast<MoveList *>(dialog.lstSortCols)->dragMark());

    item(dialog.lstSortCols, "Market")->setSelected(false);
    dragAndDrop(dialog.lstSortCols, dialog.lstSource, "Market");
    EXPECT_EQ(texts(dialog.lstSource), QStringList({"Bidder", "Tavren Acct", "Market"}));
    dragAndDrop(dialog.lstSource, dialog.lstSortCols, "Market");
    EXPECT_EQ(texts(dialog.lstSortCols), QStringList({"Round", "Market"}));
    EXPECT_EQ(ascending(dialog), std::vector<bool>({true, true}));  // it came back selected
}

TEST(TableActionsDialog, WizardTargetDecidesTheSortAndFilterColumns) {
    frmTableActions dialog(noValues());
    dialog.fillWizardSource(kColumns);
    dialog.showTab(frmTableActions::WizardTab, true);
    EXPECT_EQ(dialog.SSTab1->currentIndex(), 2);
    EXPECT_EQ(dialog.lstSource->count(), 0);  // an empty target: empty Sort and Filter lists
    EXPECT_EQ(dialog.lstFiltCol[0]->count(), 0);

    doubleClick(dialog.lstSourceTable, "Bidder");
    dragAndDrop(dialog.lstSourceTable, dialog.lstTargetTable, "Round");
    doubleClick(dialog.lstSourceTable, "Market");
    const QStringList target{"Bidder", "Round", "Market"};
    EXPECT_EQ(texts(dialog.lstTargetTable), target);
    EXPECT_EQ(texts(dialog.lstSourceTable), QStringList({"Tavren Acct"}));
    EXPECT_EQ(texts(dialog.lstSource), target);
    for (QComboBox *box : dialog.lstFiltCol) {
        EXPECT_EQ(texts(box), target);
        EXPECT_EQ(box->currentText(), "");  // a column joining the list chooses nothing
    }

    dialog.lstFiltCol[0]->setCurrentText("Round");
    dialog.lstFiltCol[1]->setCurrentText("Market");
    doubleClick(dialog.lstSource, "Round");  // Round sorts
    dragAndDrop(dialog.lstTargetTable, dialog.lstTargetTable, "Bidder");  // nothing changes
    EXPECT_EQ(texts(dialog.lstTargetTable), target);
    dragAndDrop(dialog.lstTargetTable, dialog.lstSourceTable, "Round");
    EXPECT_EQ(texts(dialog.lstSourceTable), QStringList({"Tavren Acct", "Round"}));
    EXPECT_EQ(texts(dialog.lstSource), QStringList({"Bidder", "Market"}));
    EXPECT_EQ(dialog.lstSortCols->count(), 0);  // a column leaving the target leaves the sort list too
    EXPECT_EQ(texts(dialog.lstFiltCol[0]), QStringList({"Bidder", "Market"}));
    EXPECT_EQ(dialog.lstFiltCol[0]->currentText(), "");  // its row chooses nothing rather than another column
    EXPECT_EQ(dialog.lstFiltCol[1]->currentText(), "Market");

    dialog.fillWizardSource(kColumns);  // filled again (a dialog kept after OK): no column twice
    EXPECT_EQ(texts(dialog.lstSourceTable), QStringList({"Round", "Tavren Acct"}));

    dialog.txtTableName->setText("My Bids");
    const tables::TableChoices choices = dialog.choices();
    EXPECT_EQ(choices.target, std::vector<QString>({"Bidder", "Market"}));
    EXPECT_EQ(choices.tableName, "My Bids");
    EXPECT_FALSE(choices.includeAllRounds);
}
