#include "grid/frmFlexGrid.h"

#include "core/DataWindowRules.h"
#include "core/ModuleState.h"
#include "db/Error.h"
#include "grid/DataWindowHost.h"
#include "grid/DropDownList.h"
#include "grid/LazyTableModel.h"
#include "grid/SpreadGrid.h"
#include "tables/frmTableActions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace grid {

// The rules themselves live in core, shared with the command line.
QString frmFlexGrid::sortOrder(const QString &table) { return app::standardOrder(table); }

bool frmFlexGrid::isAllRoundsTable(const QString &table) { return app::isAllRoundsTable(table); }

QString frmFlexGrid::statementFor(const QString &table, const QString &round, bool ordered) {
    return app::dataWindowStatement(table, round, ordered);
}

frmFlexGrid::frmFlexGrid(DataWindowHost &host, QWidget *parent) : QWidget(parent), host_(host) {
    setObjectName(QStringLiteral("frmFlexGrid"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("New Table Selection"));
    // Alt+B, since Alt+T opens the main window's Tools menu.
    auto *lblTableName = new QLabel(QStringLiteral("Ta&ble:"), this);
    auto *lblRoundNum = new QLabel(QStringLiteral("&Round:"), this);
    ddlTableName = new DropDownList(this);
    ddlRoundNum = new DropDownList(this);
    ddlTableName->setObjectName(QStringLiteral("ddlTableName"));
    ddlRoundNum->setObjectName(QStringLiteral("ddlRoundNum"));
    // Wide enough for the longest name of the auction's own tables.
    const QString longest = QStringLiteral("Bidders Raising Own High Bid");
    const QFontMetrics metrics = ddlTableName->fontMetrics();
    const int average = std::max(1, metrics.averageCharWidth());
    ddlTableName->setMinimumContentsLength((metrics.horizontalAdvance(longest) + average - 1) / average + 1);
    ddlTableName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ddlRoundNum->setMinimumContentsLength(5);
    lblTableName->setBuddy(ddlTableName);
    lblRoundNum->setBuddy(ddlRoundNum);
    auto *lists = lists_ = new QHBoxLayout();
    lists->addWidget(lblTableName);
    lists->addWidget(ddlTableName);
    lists->addSpacing(12);
    lists->addWidget(lblRoundNum);
    lists->addWidget(ddlRoundNum);
    lists->addStretch(1);

    Data1 = new LazyTableModel(this);
    MSFlexGrid1 = new SpreadGrid(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setModel(Data1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(lists);
    layout->addWidget(MSFlexGrid1, 1);

    connect(ddlTableName, &QComboBox::activated, this, [this] { ddlTableName_Click(); });
    connect(ddlRoundNum, &QComboBox::activated, this, [this] { ddlRoundNum_Click(); });
    watchDropDown(ddlTableName, SavedTableIndex, true);
    watchDropDown(ddlRoundNum, SavedRoundIndex, false);
    setUpGridTools();
    setUpPageBreaks();
    connect(Data1, &LazyTableModel::failed, this, &frmFlexGrid::onRowsFailed);
    connect(Data1, &LazyTableModel::loadingFinished, this, [this] { revertTo_.reset(); });
}

// The dialogs go first: their value sources read this window.
frmFlexGrid::~frmFlexGrid() {
    delete SortFilterDialog;
    delete WizardDialog;
}

QSize frmFlexGrid::sizeHint() const {
    const QMargins margins = layout()->contentsMargins();
    const QSize grid = MSFlexGrid1->sizeFor(kShownColumns, kShownRows);
    const int spacing = std::max(layout()->spacing(), 0);
    return {std::max(grid.width(), lists_->sizeHint().width()) + margins.left() + margins.right(),
            lists_->sizeHint().height() + spacing + grid.height() + margins.top() + margins.bottom()};
}

// Dropping down: the position is saved and the list refilled from the database; left without an entry, the
// list gets its saved position back, which loads the grid again.
void frmFlexGrid::watchDropDown(DropDownList *list, int &saved, bool tables) {
    connect(list, &DropDownList::droppingDown, this, [this, list, &saved, tables] {
        if (list->currentIndex() >= 0)
            saved = list->currentIndex();
        if (tables)
            host_.PopulateTables();
        else
            host_.PopulateRounds();
    });
    connect(list, &DropDownList::focusLost, this, [this, list, &saved, tables] {
        if (list->currentIndex() >= 0 || saved < 0 || saved >= list->count())
            return;
        if (tables)
            selectTable(saved);
        else
            selectRound(saved);
    });
}

void frmFlexGrid::refillList(QComboBox *list, const QStringList &items) {
    // The table position saved when the list dropped down follows its table, which may have moved or gone (a
    // table dropped above it); the round list only grows at the top, where its saved position is the newest round.
    if (list == ddlTableName) {
        const int saved = SavedTableIndex;
        const QString savedText = saved >= 0 && saved < list->count() ? list->itemText(saved) : QString();
        SavedTableIndex = savedText.isEmpty() ? -1 : int(items.indexOf(savedText));
    }
    const QSignalBlocker blocker(list);
    list->clear();
    list->addItems(items);
    list->setCurrentIndex(-1);
}

void frmFlexGrid::selectTable(int index) {
    {
        const QSignalBlocker blocker(ddlTableName);
        ddlTableName->setCurrentIndex(index);
    }
    ddlTableName_Click();
}

void frmFlexGrid::selectRound(int index) {
    {
        const QSignalBlocker blocker(ddlRoundNum);
        ddlRoundNum->setCurrentIndex(index);
    }
    ddlRoundNum_Click();
}

void frmFlexGrid::showError(int number, const QString &description) {
    host_.moduleState().ui().msgBox(QStringLiteral("Error %1: %2").arg(number).arg(description), {}, {});
}

void frmFlexGrid::load(const QString &statement) {
    Data1->setHoldingDatabase(host_.moduleState().AuctionDb);  // the database may have been opened after the window
    Data1->setQuery(host_.moduleState().AuctionDbPath, statement);
    statement_ = statement;
}

// The caption and status text name the table, and the round when the round list applies.
void frmFlexGrid::show(const QString &table, const QString &round, bool withRound) {
    const QString text = withRound ? table + QStringLiteral(" - Round ") + round : table;
    setWindowTitle(text);
    host_.moduleState().ui().setStatus(app::kStatusPanelText, text);
}

// A list's click: nothing while either list has no entry; otherwise the work runs with the busy pointer, and an
// error is shown, the grid keeping what it showed.
void frmFlexGrid::onListClick(const std::function<void(const QString &, const QString &)> &work) {
    const QString table = ddlTableName->currentText();
    const QString round = ddlRoundNum->currentText();
    if (table.isEmpty() || round.isEmpty())
        return;
    app::BusyCursor busy(host_.moduleState().ui());
    try {
        work(table, round);
    } catch (const db::Error &error) {
        showError(error.number(), error.description());
    }
}

void frmFlexGrid::ddlTableName_Click() {
    onListClick([this](const QString &table, const QString &round) {
        const bool perRound = !isAllRoundsTable(table);
        ddlRoundNum->setEnabled(perRound);
        MSFlexGrid1->setRowHeaderWidth(-1);  // the row-number column, as narrow as its numbers allow
        bool ordered = true;
        try {
            load(statementFor(table, perRound ? round : QString(), true));
        } catch (const db::Error &error) {
            if (error.number() != db::err::TooFewParameters)
                throw;
            // No [Round] column, as in many user-defined tables: every row, in the table's own order.
            ddlRoundNum->setEnabled(false);
            load(statementFor(table, {}, false));
            ordered = false;
        }
        show(table, round, ddlRoundNum->isEnabled());
        table_ = table;
        round_ = ddlRoundNum->isEnabled() ? round : QString();
        ordered_ = ordered;
        filter_.clear();
        sort_.clear();
        revertTo_.reset();
        SortOrFilterApplied = false;
        PBreak_Clear();
        PBreak_Refresh();
    });
}

void frmFlexGrid::ddlRoundNum_Click() {
    onListClick([this](const QString &table, const QString &round) {
        // The filter and sort last applied go on to the new round's rows.
        if (table != table_) {
            filter_.clear();
            sort_.clear();
        }
        try {
            load(app::dataWindowStatement(table, round, true, filter_, sort_));
        } catch (const db::Error &error) {
            if (filter_.isEmpty() && sort_.isEmpty())
                throw;
            host_.moduleState().ui().msgBox(error.text(), {}, {});
            filter_.clear();
            sort_.clear();
            load(statementFor(table, round, true));
        }
        if (filter_.isEmpty() && sort_.isEmpty())
            revertTo_.reset();
        else
            revertTo_ = std::pair<QString, QString>();  // rows that fail to load: the round without them
        table_ = table;
        round_ = round;
        show(table, round, true);
        if (SortOrFilterApplied) {
            PBreak_Clear();
            PBreak_Refresh();
        }
    });
}

void frmFlexGrid::Form_Activate() {
    const QString table = ddlTableName->currentText();
    const QString round = ddlRoundNum->currentText();
    QString text;
    if (table.isEmpty() && round.isEmpty())
        text = QStringLiteral("Status");
    else if (round.isEmpty() || !ddlRoundNum->isEnabled())
        text = table;
    else
        text = table + QStringLiteral(" - Round ") + round;
    host_.moduleState().ui().setStatus(app::kStatusPanelText, text);
}

}  // namespace grid
