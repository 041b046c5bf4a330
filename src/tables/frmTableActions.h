// "Table Actions": the modal dialog of Sort, Filter and the Table Wizard of one data window. It only collects
// choices; the one query it runs fills a filter row's value list with the distinct values of the row's column
// (off the UI thread, on a connection of its own, so a column with hundreds of thousands of values never freezes
// the window; the list is searchable as the user types, and offers nullChoiceText() for Null).
//
// The caller fills the column lists, picks the first tab (and switches the Table Wizard tab off for Sort and
// Filter), shows it with exec(), tests Cancelled (and sets it back to false), then reads choices().
//
// Items move between lstSource and lstSortCols, and between lstSourceTable and lstTargetTable, by double-click,
// Enter or drag and drop (tables/MoveList.h); a filter column list starts with nothing chosen. Destroying the
// dialog waits for the value-list queries still running to stop.
//
// Owned by its data window (Qt parent); GUI thread only. The table-name source is asked each time a filter
// column is chosen, and must stay valid for the dialog's life.
#pragma once

#include "tables/TableChoices.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;

namespace tables {

class frmTableActions : public QDialog {
    Q_OBJECT
public:
    // Where the distinct values come from: the database file and the table the active data window shows (an
    // empty table name: nothing is queried). Values are listed as the grid shows them.
    struct ValueSource {
        std::function<QString()> databasePath;
        std::function<QString()> tableName;
    };

    explicit frmTableActions(ValueSource source, QWidget *parent = nullptr);
    ~frmTableActions() override;

    enum Tab { SortTab = 0, FilterTab = 1, WizardTab = 2 };

    // Empties lstSource, lstSortCols, the four filter column lists and value boxes, then lists the columns in
    // lstSource and the filter column lists (Sort and Filter). Operators and joints keep their choices.
    void fillSortFilterLists(const QStringList &columns);
    // Lists the columns in lstSourceTable (Table Wizard), in place of what it held and without those already in
    // lstTargetTable; the other lists fill as columns move to the target.
    void fillWizardSource(const QStringList &columns);
    // Selects the tab shown first; with wizardEnabled false the Table Wizard tab cannot be chosen.
    void showTab(Tab tab, bool wizardEnabled);

    TableChoices choices() const;

    // How a failing distinct-value query is shown: the message reads "Error " + number + ": " + description.
    // Without a reporter the dialog shows a message box.
    void setErrorReporter(std::function<void(const QString &message)> report);
    // Whether a row's value list (0 to 3) is still being read from the database.
    bool valuesLoading(int row) const;

    // The Cancel button's result: true after Cancel (or Escape, or closing the dialog). The caller resets it.
    bool Cancelled = false;

    QTabWidget *SSTab1 = nullptr;
    QListWidget *lstSource = nullptr;
    QListWidget *lstSortCols = nullptr;  // selected items sort ascending
    std::array<QComboBox *, 4> lstFiltCol{};
    std::array<QComboBox *, 4> lstOp{};
    std::array<QComboBox *, 4> txtFilter{};  // editable
    std::array<QComboBox *, 3> lstAndOr{};
    QListWidget *lstSourceTable = nullptr;
    QListWidget *lstTargetTable = nullptr;
    QLineEdit *txtTableName = nullptr;
    QCheckBox *chkIncludeAll = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;

public slots:
    void reject() override;  // Cancel, Escape and closing the window: Cancelled becomes true

private:
    struct Private;
    QWidget *buildSortTab();
    QWidget *buildFilterTab();
    QWidget *buildWizardTab();
    void connectMoves();
    void sortDoubleClicked(QListWidgetItem *item, bool fromSource);
    void sortDropped(const QString &text, bool ontoSortCols);
    void wizardMove(QListWidgetItem *item, bool toTarget);
    void wizardDropped(const QString &text, bool ontoTarget);
    void setupValueBox(int row);
    void loadValues(int row);
    void appendValues(int row, int generation, const QStringList &batch);
    void valuesDone(int row, int generation);
    void valuesFailed(int row, int generation, const QString &message);
    void loadEnded(int row, int generation);
    void showMatches(int row);

    std::unique_ptr<Private> d_;
};

}  // namespace tables
