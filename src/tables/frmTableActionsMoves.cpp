// The Table Actions dialog's list moves: between the Sort tab's two lists and between the Table Wizard's two
// lists, by double-click, Enter or drag and drop, and the filling of the lists by the caller.
#include "tables/MoveList.h"
#include "tables/ValueListModel.h"
#include "tables/frmTableActions.h"
#include "tables/frmTableActionsPrivate.h"

#include <QComboBox>
#include <QLineEdit>

namespace tables {

namespace {

MoveList *moveList(QListWidget *list) { return static_cast<MoveList *>(list); }

// The item of `from` that a drop of `text` moves: the one with that text (the current item first), else the
// current item, as the drop acts on what the other list holds.
QListWidgetItem *droppedItem(QListWidget *from, const QString &text) {
    QListWidgetItem *current = from->currentItem();
    if (current && current->text() == text)
        return current;
    const QList<QListWidgetItem *> found = from->findItems(text, Qt::MatchExactly);
    if (!found.isEmpty())
        return found.first();
    return current;
}

void removeItems(QListWidget *list, const QString &text) {
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    for (QListWidgetItem *item : found)
        delete list->takeItem(list->row(item));
}

}  // namespace

void appendKeepingChoice(QComboBox *box, const QString &text) {
    const int chosen = box->currentIndex();
    const QSignalBlocker block(box);
    box->addItem(text);
    if (box->currentIndex() != chosen)
        box->setCurrentIndex(chosen);
}

void removeKeepingChoice(QComboBox *box, const QString &text) {
    const QSignalBlocker block(box);
    for (int i = box->findText(text, Qt::MatchExactly); i >= 0; i = box->findText(text, Qt::MatchExactly)) {
        const bool chosen = i == box->currentIndex();
        if (chosen)
            box->setCurrentIndex(-1);
        box->removeItem(i);
        if (chosen)
            box->setCurrentIndex(-1);
    }
}

void frmTableActions::connectMoves() {
    connect(moveList(lstSource), &MoveList::moveRequested, this,
            [this](QListWidgetItem *item) { sortDoubleClicked(item, true); });
    connect(moveList(lstSortCols), &MoveList::moveRequested, this,
            [this](QListWidgetItem *item) { sortDoubleClicked(item, false); });
    connect(moveList(lstSource), &MoveList::droppedFromOther, this,
            [this](const QString &text) { sortDropped(text, false); });
    connect(moveList(lstSortCols), &MoveList::droppedFromOther, this,
            [this](const QString &text) { sortDropped(text, true); });
    connect(moveList(lstSourceTable), &MoveList::moveRequested, this,
            [this](QListWidgetItem *item) { wizardMove(item, true); });
    connect(moveList(lstTargetTable), &MoveList::moveRequested, this,
            [this](QListWidgetItem *item) { wizardMove(item, false); });
    connect(moveList(lstSourceTable), &MoveList::droppedFromOther, this,
            [this](const QString &text) { wizardDropped(text, false); });
    connect(moveList(lstTargetTable), &MoveList::droppedFromOther, this,
            [this](const QString &text) { wizardDropped(text, true); });
}

void frmTableActions::fillSortFilterLists(const QStringList &columns) {
    lstSource->clear();
    lstSortCols->clear();
    for (int row = 0; row < 4; ++row) {
        Private::ValueRow &values = d_->rows[size_t(row)];
        d_->retire(values);
        const QSignalBlocker block(txtFilter[row]);
        values.values->clear();
        txtFilter[row]->setCurrentIndex(-1);
        txtFilter[row]->clearEditText();
        lstFiltCol[row]->clear();
        for (const QString &column : columns)
            appendKeepingChoice(lstFiltCol[row], column);
    }
    lstSource->addItems(columns);
}

// The source list holds the columns not yet in the target, once each, however often the caller fills it (a
// dialog kept after OK with an empty target is filled again by the next run).
void frmTableActions::fillWizardSource(const QStringList &columns) {
    lstSourceTable->clear();
    for (const QString &column : columns)
        if (lstTargetTable->findItems(column, Qt::MatchExactly).isEmpty())
            lstSourceTable->addItem(column);
}

// An item leaving one Sort list goes to the end of the other; entering the sort list it arrives selected
// (ascending) and becomes current.
void frmTableActions::sortDoubleClicked(QListWidgetItem *item, bool fromSource) {
    QListWidget *from = fromSource ? lstSource : lstSortCols;
    QListWidget *to = fromSource ? lstSortCols : lstSource;
    if (!item || from->row(item) < 0)
        return;
    const QString text = item->text();
    delete from->takeItem(from->row(item));
    auto *moved = new QListWidgetItem(text, to);
    if (fromSource) {
        to->setCurrentItem(moved, QItemSelectionModel::Select);
        moved->setSelected(true);
    }
    moveList(to)->setDragMark(false);
}

void frmTableActions::sortDropped(const QString &text, bool ontoSortCols) {
    QListWidget *from = ontoSortCols ? lstSource : lstSortCols;
    sortDoubleClicked(droppedItem(from, text), ontoSortCols);
    moveList(from)->setDragMark(false);
}

// To the target: the column joins the target list, the Sort tab's source list and every filter column list.
// Back to the source: it leaves all of them, and the sort list too.
void frmTableActions::wizardMove(QListWidgetItem *item, bool toTarget) {
    QListWidget *from = toTarget ? lstSourceTable : lstTargetTable;
    QListWidget *to = toTarget ? lstTargetTable : lstSourceTable;
    if (!item || from->row(item) < 0)
        return;
    const QString text = item->text();
    delete from->takeItem(from->row(item));
    to->addItem(text);
    if (toTarget) {
        lstSource->addItem(text);
        for (QComboBox *box : lstFiltCol)
            appendKeepingChoice(box, text);
        return;
    }
    removeItems(lstSource, text);
    removeItems(lstSortCols, text);
    for (QComboBox *box : lstFiltCol)
        removeKeepingChoice(box, text);
}

void frmTableActions::wizardDropped(const QString &text, bool ontoTarget) {
    wizardMove(droppedItem(ontoTarget ? lstSourceTable : lstTargetTable, text), ontoTarget);
}

}  // namespace tables
