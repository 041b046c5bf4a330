// The opening choice, opening an existing auction, new data windows, and the procedures that fill a data
// window's table and round lists.
#include "app/frmMain.h"

#include "app/GuiPrompter.h"
#include "core/ModuleState.h"
#include "app/frmOpeningQuestions.h"
#include "core/AuctionDatabase.h"
#include "db/Error.h"
#include "db/Recordset.h"
#include "grid/DropDownList.h"
#include "grid/frmFlexGrid.h"
#include "import/CreateAuction.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace app {

namespace {

// However small the frame (not yet laid out, or shrunk), a data window stays usable.
constexpr QSize kSmallestDataWindow(320, 200);

bool confirmed(Prompter &ui, const QString &title, const QString &text) {
    return ui.msgBox(text, {Buttons::YesNo}, title) == Answer::Yes;
}

// The questions before a creation: false when the user has no round results file (the program then ends).
bool readyToCreate(Prompter &ui, frmOpeningQuestions::Choice choice) {
    if (choice == frmOpeningQuestions::Choice::New) {
        if (confirmed(ui, QStringLiteral("New Auction"),
                      QStringLiteral("In order to create a new auction, you must have the round results") + CR +
                          QStringLiteral("     file from the first round of the auction you intend to create.") + CR +
                          QStringLiteral("                    Do you have the first round results file?")))
            return true;
        ui.msgBox(QStringLiteral("Please download the first round results file for") + CR +
                      QStringLiteral(" the auction you intend to create and try again."),
                  {Buttons::OK, Icon::Information}, QStringLiteral("Please Try Again"));
        return false;
    }
    if (!confirmed(ui, QStringLiteral("Batch Auction Import"),
                   QStringLiteral("      In order to batch import a new auction, you must have the round results") + CR +
                       QStringLiteral("files for all the rounds of the auction you intend to create, in the same directory.") +
                       CR + QStringLiteral("       Do you have the all of the round results files in the same directory?"))) {
        ui.msgBox(QStringLiteral("Please download the first round results file for") + CR +
                      QStringLiteral("the auction you intend to create and try again."),
                  {Buttons::OK, Icon::Information}, QStringLiteral("Please Try Again"));
        return false;
    }
    ui.msgBox(QStringLiteral("Please select the round results file for ") + CR +
                  QStringLiteral("round 1 of the auction you wish to create."),
              {Buttons::OK, Icon::Information}, QStringLiteral("Select File for Round 1"));
    return true;
}

}  // namespace

// The opening choice is asked until an auction is open or the program ends: a creation that made nothing (its
// file dialog cancelled, a wrong file, an error shown) leads back to it, since no other command opens an auction.
void frmMain::FileOpen() {
    try {
        for (;;) {
            frmOpeningQuestions::Choice choice;
            {
                frmOpeningQuestions dialog(this);
                if (dialog.exec() != QDialog::Accepted) {
                    endNow();
                    return;
                }
                choice = dialog.choice();
            }
            if (choice == frmOpeningQuestions::Choice::Existing) {
                openExistingAuction();
                return;
            }
            if (!readyToCreate(prompter_, choice)) {
                endNow();
                return;
            }
            const importer::Creation outcome = choice == frmOpeningQuestions::Choice::New
                                                   ? importer::CreateAuction(state_)
                                                   : importer::BatchImport(state_);
            if (outcome == importer::Creation::Created || state_.auctionOpen())
                return;
        }
    } catch (const db::Error &error) {
        if (error.number() == db::err::DialogCancelled) {
            endNow();
            return;
        }
        prompter_.msgBox(error.text(), {}, {});
    }
}

// Chooses an auction database, opens it with one data window on the newest round of the first table.
void frmMain::openExistingAuction() {
    FileDialog dialog;
    dialog.filter = QStringLiteral("Access (*.mdb)|*.mdb");
    dialog.flags = 4;
    dialog.initialDir = state_.homeDir;
    const QString path = prompter_.showOpen(dialog);
    if (path.isEmpty())
        return;
    auto *window = new grid::frmFlexGrid(*this);
    addDataWindow(window);
    app::OpenAuctionDatabase(state_, path);
    // The file worked on: for a Jet file of the earlier program that is its converted copy, not the original.
    setWindowTitle(QStringLiteral("Lotwise - ") + state_.AuctionDbPath);
    showNewestRound(window);
    fitDataWindow(window);
}

// A new data window's lists are filled, then it shows the newest round of the first table.
void frmMain::showNewestRound(grid::frmFlexGrid *window) {
    PopulateTables();
    PopulateRounds();
    window->selectRound(0);
    window->selectTable(0);
    window->PBreak_Clear();
    window->PBreak_Refresh();
}

// A new data window: three quarters of the frame's room, or more to show eight columns and twenty rows, never
// more than the frame; each one a step further down and right (as cascading places them), wholly inside the frame.
QMdiSubWindow *frmMain::addDataWindow(QWidget *window) {
    QMdiSubWindow *sub = mdi_->addSubWindow(window);
    const QSize room = mdi_->viewport()->size();
    const QSize wanted = QSize(room.width() * 3 / 4, room.height() * 3 / 4).expandedTo(sub->sizeHint());
    const QSize size = wanted.boundedTo(room).expandedTo(kSmallestDataWindow);
    const int step = 24 * int(mdi_->subWindowList().size() - 1);
    const int x = std::max(0, std::min(step, room.width() - size.width()));
    const int y = std::max(0, std::min(step, room.height() - size.height()));
    sub->setGeometry(x, y, size.width(), size.height());
    sub->show();
    return sub;
}

void frmMain::showChildWindow(QWidget *window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    mdi_->setActiveSubWindow(addDataWindow(window));
}

// Once its table is loaded the window knows its columns' widths: it grows to show eight of them (and twenty rows)
// where the frame allows, moving up or left as far as it needs to stay inside.
void frmMain::fitDataWindow(grid::frmFlexGrid *window) {
    auto *sub = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    if (!sub || sub->isMaximized() || sub->isMinimized())
        return;
    const QSize room = mdi_->viewport()->size();
    const QSize size = sub->size().expandedTo(sub->sizeHint()).boundedTo(room).expandedTo(kSmallestDataWindow);
    const int x = std::max(0, std::min(sub->x(), room.width() - size.width()));
    const int y = std::max(0, std::min(sub->y(), room.height() - size.height()));
    sub->setGeometry(x, y, size.width(), size.height());
}

// With no auction open (a creation or an opening failed) there is nothing to show: the opening choice is offered
// again instead, so the user can pick the right file.
void frmMain::newDataWindow() {
    if (!state_.auctionOpen()) {
        FileOpen();
        return;
    }
    auto *window = new grid::frmFlexGrid(*this);
    mdi_->setActiveSubWindow(addDataWindow(window));
    showNewestRound(window);
    fitDataWindow(window);
}

void frmMain::PopulateTables() {
    populateList(QStringLiteral("SELECT * FROM [sysTables]"), QStringLiteral("TableName"), true);
}

void frmMain::PopulateRounds() {
    populateList(QStringLiteral("SELECT [Round] FROM [sysRounds] ORDER BY [Round] DESC"), QStringLiteral("Round"), false);
}

// A list already holding exactly the query's items, in order, is left alone; any other list is refilled (a
// dropped table and a new one leave the count as it was, so the names are compared, not their number).
void frmMain::populateList(const QString &sql, const QString &column, bool tables) {
    try {
        const auto rows = state_.AuctionDb.openRecordset(sql);
        auto *window = qobject_cast<grid::frmFlexGrid *>(activeChild());
        if (!window)
            throw db::Error(db::err::NoObject, QStringLiteral("Object variable or With block variable not set"));
        QComboBox *list = tables ? window->ddlTableName : window->ddlRoundNum;
        QStringList items;
        for (; !rows->eof(); rows->moveNext())
            items << rows->value(column).toString();
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->itemText(i);
        if (shown != items)
            window->refillList(list, items);
    } catch (const db::Error &error) {
        prompter_.msgBox(QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description()), {}, {});
    }
}

}  // namespace app
