// A data window: one table of the open auction in a grid, for one round, or for every round in the case of the
// all-rounds statistics tables and of tables without a [Round] column.
//
// An MDI child of the main window (its host), which must outlive it. Its grid shows the rows through a lazy model
// that reads them off the GUI thread; while a table is shown, it is held (DROP TABLE of it is refused). The main
// window calls the window's operations by name (Q_INVOKABLE). GUI thread only.
#pragma once

#include "print/PageBreaks.h"
#include "print/PrintSettings.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QAbstractItemView;
class QBoxLayout;
class QComboBox;
class QLabel;

namespace analysis {
enum class AnalysisKind;
}
namespace db {
class Error;
}
namespace tables {
class frmTableActions;
}

namespace grid {

class DataWindowHost;
class DropDownList;
class LazyTableModel;
class SpreadGrid;

class frmFlexGrid : public QWidget {
    Q_OBJECT
public:
    explicit frmFlexGrid(DataWindowHost &host, QWidget *parent = nullptr);
    ~frmFlexGrid() override;

    // Setting a list's position raises its click handler, as choosing the entry does.
    void selectTable(int index);
    void selectRound(int index);
    // Replaces a list's items; no entry is selected afterwards.
    void refillList(QComboBox *list, const QStringList &items);

    // The status text of an activated window: the table and round it shows.
    void Form_Activate();

    // Enough room for the first kShownColumns columns and kShownRows rows of the table shown.
    static constexpr int kShownColumns = 8;
    static constexpr int kShownRows = 20;
    QSize sizeHint() const override;

    // Page breaks (grid/frmFlexGridPageBreaks.cpp). SetRow / SetCol flag the current cell's row / column (rows and
    // columns numbered from 1 as the grid numbers them), DelRow / DelCol clear that flag, Remove clears them all;
    // each then redraws the marks. Clear removes every mark (the flags stay), Refresh draws the marks of the flags.
    // The flags stay, by number, across a change of round or table until deleted or reset.
    Q_INVOKABLE void PBreak_SetRow();
    Q_INVOKABLE void PBreak_SetCol();
    Q_INVOKABLE void PBreak_DelRow();
    Q_INVOKABLE void PBreak_DelCol();
    Q_INVOKABLE void PBreak_Remove();
    Q_INVOKABLE void PBreak_Clear();
    Q_INVOKABLE void PBreak_Refresh();

    // What printing reads: the page-break flags and the print settings (a new window: landscape, 720-twip
    // margins). Setting the flags does not redraw the marks; run PBreak_Clear and PBreak_Refresh after, as the
    // print options do after setting the print settings.
    const print::PageBreaks &pageBreaks() const { return PageBreaks; }
    void setPageBreaks(const print::PageBreaks &breaks) { PageBreaks = breaks; }
    const print::PrintSettings &printSettings() const { return PrintSettings; }
    void setPrintSettings(const print::PrintSettings &settings) { PrintSettings = settings; }

    // File > Print (grid/frmFlexGridPrint.cpp): the print dialog, set up from the print settings, then the rows
    // of the shown statement printed with the window's column widths and page breaks, behind a progress whose
    // Cancel stops the job. Failures are shown as "Error N: description". True when it printed; false when
    // cancelled or failed.
    Q_INVOKABLE bool PrintGrid();

    // Grid tools (grid/frmFlexGridTools.cpp): export, the Compute menu, frozen columns.
    Q_INVOKABLE void DBSaveAs();
    Q_INVOKABLE void ComputeSelection(const QString &Op);
    Q_INVOKABLE void FreezeCols();
    Q_INVOKABLE void UnfreezeCols();
    Q_INVOKABLE void ExcelView();

    // Sort, filter, reset and the Table Wizard (grid/frmFlexGridTableActions.cpp).
    Q_INVOKABLE void TableSort();
    Q_INVOKABLE void TableFilt();
    Q_INVOKABLE void TableReset();
    Q_INVOKABLE void TableWiz();

    // The pivot analyses of Tools > Pivot Table Wizard (grid/frmFlexGridAnalysis.cpp): ask for the rounds and bid
    // type, for markets the licenses and for bidders the bidders, then build the pivot behind a progress window
    // and show it in a workbook window.
    Q_INVOKABLE void MarketsAnalysis();
    Q_INVOKABLE void BiddersAnalysis();
    Q_INVOKABLE void RoundsAnalysis();

    // User-defined tables (grid/frmFlexGridUserTables.cpp): dropping one, building one from the Query Builder.
    Q_INVOKABLE void DropTable();
    Q_INVOKABLE void TableSql2();
    // Every data window inside frame (the main window) that shows the table (named without brackets, any case)
    // lets go of it by switching to the first table of its list. frame may be null.
    static void releaseTable(QWidget *frame, const QString &table);

    // The statement the grid shows, as built from the lists.
    const QString &shownStatement() const { return statement_; }
    // The table shown and its round (empty for every round).
    const QString &shownTable() const { return table_; }
    const QString &shownRound() const { return round_; }

    // The data window's standard order for a table, appended to its SELECT.
    static QString sortOrder(const QString &table);
    static QString statementFor(const QString &table, const QString &round, bool ordered);
    // The six statistics tables shown for every round at once.
    static bool isAllRoundsTable(const QString &table);

    DropDownList *ddlTableName = nullptr;
    DropDownList *ddlRoundNum = nullptr;
    SpreadGrid *MSFlexGrid1 = nullptr;
    LazyTableModel *Data1 = nullptr;
    bool SortOrFilterApplied = false;

    // The two Table Actions dialogs, made on first use and owned by the window (Qt children): SortFilterDialog is
    // kept, so Sort and Filter find their last choices; WizardDialog is deleted after each Table Wizard run, except
    // after OK with no target column.
    tables::frmTableActions *SortFilterDialog = nullptr;
    tables::frmTableActions *WizardDialog = nullptr;
    // The filter and sort applied to the shown rows (empty: none): kept until the window loads a table, and
    // applied again to each round chosen meanwhile.
    const QString &appliedFilter() const { return filter_; }
    const QString &appliedSort() const { return sort_; }

private:
    void onListClick(const std::function<void(const QString &, const QString &)> &work);
    void ddlTableName_Click();
    void ddlRoundNum_Click();
    void show(const QString &table, const QString &round, bool withRound);
    void load(const QString &statement);
    void showError(int number, const QString &description);
    void watchDropDown(DropDownList *list, int &saved, bool tables);
    void setUpGridTools();
    void gridRightClick(QAbstractItemView *view, const QPoint &pos);
    void setUpPageBreaks();
    // The current cell's row or column as the grid numbers it (from 1); 0 without a current cell.
    int currentRowNumber() const;
    int currentColumnNumber() const;

    // Sort, filter and the Table Wizard (grid/frmFlexGridTableActions.cpp).
    void runSortFilter(int tab);
    void HandelSort();
    void HandelFlt();
    void HandelWiz();
    tables::frmTableActions *makeTableActions();
    void showFiltered(const QString &filter, const QString &sort);
    void onRowsFailed(const db::Error &error);

    // One pivot analysis from its dialogs to its workbook window (grid/frmFlexGridAnalysis.cpp).
    void runAnalysis(analysis::AnalysisKind kind);

    DataWindowHost &host_;
    QBoxLayout *lists_ = nullptr;
    QString statement_;
    int SavedTableIndex = -1;
    int SavedRoundIndex = -1;

    // What the grid shows: the table, its round (empty: every row), whether in the standard order, and the
    // filter and sort applied to it.
    QString table_;
    QString round_;
    bool ordered_ = true;
    QString filter_;
    QString sort_;
    // The filter and sort shown before the last Sort or Filter, put back if its rows fail to load.
    std::optional<std::pair<QString, QString>> revertTo_;
    QStringList wizardColumns_;  // the columns a kept WizardDialog was filled with

    print::PageBreaks PageBreaks;
    print::PrintSettings PrintSettings;
};

}  // namespace grid
