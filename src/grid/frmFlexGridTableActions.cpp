// The data window's Sort, Filter, Reset and Table Wizard commands.
//
// Sort and Filter change only what the window shows: the filter and sort chosen in the Table Actions dialog go
// into the window's one statement (app::dataWindowStatement), read by the lazy grid like any other. A second
// filter joins the first with And, a sort replaces the last one; a change of round applies both again, and
// loading a table (Reset included) drops them.
#include "grid/frmFlexGrid.h"

#include "core/DataWindowRules.h"
#include "core/ModuleState.h"
#include "db/Error.h"
#include "grid/DataWindowHost.h"
#include "grid/DropDownList.h"
#include "grid/LazyTableModel.h"
#include "tables/FilterValue.h"
#include "tables/SortFilterText.h"
#include "tables/WizardStatement.h"
#include "tables/WizardTable.h"
#include "tables/frmTableActions.h"

#include <QLineEdit>

namespace grid {

namespace {

QStringList fieldNames(const LazyTableModel &model) {
    QStringList names;
    for (const db::Field &field : model.fields())
        names << field.name;
    return names;
}

}  // namespace

tables::frmTableActions *frmFlexGrid::makeTableActions() {
    tables::frmTableActions::ValueSource source;
    source.databasePath = [this] { return host_.moduleState().AuctionDbPath; };
    source.tableName = [this] { return table_; };
    auto *dialog = new tables::frmTableActions(std::move(source), this);
    dialog->setErrorReporter([this](const QString &message) { host_.moduleState().ui().msgBox(message, {}, {}); });
    return dialog;
}

void frmFlexGrid::TableSort() { runSortFilter(tables::frmTableActions::SortTab); }

void frmFlexGrid::TableFilt() { runSortFilter(tables::frmTableActions::FilterTab); }

void frmFlexGrid::TableReset() { ddlTableName_Click(); }

// The dialog's lists follow the shown table: filled on the first Sort or Filter after each table load, then kept
// with the user's choices. Cancel changes nothing. After OK the filter is applied first, then the sort; an error
// in one does not stop the other.
void frmFlexGrid::runSortFilter(int tab) {
    try {
        if (!SortFilterDialog)
            SortFilterDialog = makeTableActions();
        if (!SortOrFilterApplied) {
            SortFilterDialog->fillSortFilterLists(fieldNames(*Data1));
            SortOrFilterApplied = true;
        }
        SortFilterDialog->showTab(tables::frmTableActions::Tab(tab), false);
        SortFilterDialog->exec();
        if (SortFilterDialog->Cancelled) {
            SortFilterDialog->Cancelled = false;
            return;
        }
        const std::pair<QString, QString> before{filter_, sort_};
        HandelFlt();
        HandelSort();
        if (before != std::pair<QString, QString>{filter_, sort_})
            revertTo_ = before;
    } catch (const db::Error &error) {
        showError(error.number(), error.description());
    }
}

// Shows the table with this filter and sort; on an error (the engine refusing them) the window keeps its rows.
void frmFlexGrid::showFiltered(const QString &filter, const QString &sort) {
    load(app::dataWindowStatement(table_, round_, ordered_, filter, sort));
    filter_ = filter;
    sort_ = sort;
    PBreak_Clear();
    PBreak_Refresh();
}

void frmFlexGrid::HandelFlt() {
    if (!SortFilterDialog || ddlRoundNum->currentText().isEmpty() || ddlTableName->currentText().isEmpty())
        return;
    app::Prompter &ui = host_.moduleState().ui();
    app::BusyCursor busy(ui);
    try {
        const tables::ColumnTypes types(Data1->fields(), Data1->displayLocale());
        const QString filter = tables::filterText(SortFilterDialog->choices(), &types);
        if (filter.isEmpty())
            return;
        showFiltered(filter_.isEmpty() ? filter : u'(' + filter_ + QStringLiteral(") And (") + filter + u')', sort_);
    } catch (const db::Error &error) {
        ui.msgBox(error.text(), {}, {});
    }
}

void frmFlexGrid::HandelSort() {
    if (!SortFilterDialog)
        return;
    const std::vector<tables::SortColumn> sort = SortFilterDialog->choices().sort;
    if (sort.empty())
        return;
    app::Prompter &ui = host_.moduleState().ui();
    app::BusyCursor busy(ui);
    try {
        showFiltered(filter_, tables::sortText(sort));
    } catch (const db::Error &error) {
        ui.msgBox(error.text(), {}, {});
    }
}

// Rows that fail while they are read are never left as silently empty rows: the error is shown, and for a sort or
// filter just applied the rows shown before come back.
void frmFlexGrid::onRowsFailed(const db::Error &error) {
    if (!revertTo_) {
        showError(error.number(), error.description());
        return;
    }
    const auto [filter, sort] = *revertTo_;
    revertTo_.reset();
    host_.moduleState().ui().msgBox(error.text(), {}, {});
    try {
        showFiltered(filter, sort);
    } catch (const db::Error &again) {
        showError(again.number(), again.description());
    }
}

// The Table Wizard: a dialog of its own for each run, filled with the shown table's columns, and deleted after
// the run. The one exception, OK with no target column, keeps the dialog with its contents; it is used again as
// it is while the shown table has the same columns.
void frmFlexGrid::TableWiz() {
    const auto closeWizard = [this] {
        delete WizardDialog;
        WizardDialog = nullptr;
        wizardColumns_.clear();
    };
    try {
        const QStringList columns = fieldNames(*Data1);
        if (WizardDialog && wizardColumns_ != columns)
            closeWizard();
        if (!WizardDialog) {
            WizardDialog = makeTableActions();
            WizardDialog->fillWizardSource(columns);
            wizardColumns_ = columns;
        }
        WizardDialog->showTab(tables::frmTableActions::WizardTab, true);
        WizardDialog->exec();
        if (WizardDialog->Cancelled) {
            WizardDialog->Cancelled = false;
            closeWizard();
            return;
        }
        if (WizardDialog->choices().target.empty())
            return;
        HandelWiz();
        closeWizard();
    } catch (const db::Error &error) {
        closeWizard();
        showError(error.number(), error.description());
    }
}

// Builds the table the wizard's choices describe from the shown table and records it (tables/WizardTable.h). No
// name in the dialog: the user is asked for one; a name that cannot be recorded builds nothing and says why.
void frmFlexGrid::HandelWiz() {
    app::ModuleState &state = host_.moduleState();
    const tables::TableChoices choices = WizardDialog->choices();
    if (choices.target.empty())
        return;
    QString name = choices.tableName;
    if (name.isEmpty()) {
        name = state.ui().inputBox(QStringLiteral("Please Enter Table Name"), QStringLiteral("Name New Table"), {});
        WizardDialog->txtTableName->setText(name);
    }
    if (const QString problem = tables::wizardNameProblem(name); !problem.isEmpty()) {
        state.ui().msgBox(problem, {app::Buttons::OK, app::Icon::Exclamation}, {});
        return;
    }
    app::BusyCursor busy(state.ui());
    const tables::ColumnTypes types(Data1->fields(), Data1->displayLocale());
    tables::makeWizardTable(state.AuctionDb, name, tables::wizardStatement(choices, name, table_, &types));
}

}  // namespace grid
