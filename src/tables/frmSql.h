// "SQL Query Wizard": the SQL Query Builder's window. Its six boxes show one stored query (a row of
// sysQueryBuilder) at a time; the navigator moves between the rows, and moving past the last starts a new one.
// Edits are saved when the window moves to another row or closes; a save that is refused (a blank or taken name)
// keeps the window on the row with the typed texts and says why. Run builds the query's table through the main
// window's active data window (its TableSql2), or directly when no data window is open.
//
// One instance at a time (open()), modeless, a tool window beside the main window that owns it (Qt parent); it
// deletes itself when closed, and saves its edits when the owner closes. The module state must outlive it. GUI thread only.
#pragma once

#include "tables/QueryBuilder.h"

#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace app {
struct ModuleState;
}

namespace tables {

class frmSql : public QWidget {
    Q_OBJECT
public:
    // The main window's active MDI child (a data window), or null.
    using ActiveChild = std::function<QWidget *()>;

    // Opens the window, or raises the one already open. A failure to read the stored queries shows
    // "Error " + number + ": " + description and opens nothing (null comes back).
    static frmSql *open(app::ModuleState &state, ActiveChild activeChild, QWidget *owner);
    // The window while it is open, else null.
    static frmSql *instance();
    ~frmSql() override;

    // Boxes by their index: 0 Select, 1 Into, 2 From, 3 Where, 4 Order By, 5 Query Name.
    std::array<QLineEdit *, 6> txtSql{};
    QToolButton *cmdFirst = nullptr;
    QToolButton *cmdPrevious = nullptr;
    QToolButton *cmdNext = nullptr;
    QToolButton *cmdLast = nullptr;
    QLabel *Data1 = nullptr;  // the navigator's caption: the current query's name
    QPushButton *cmdRun = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdClose = nullptr;

    // The boxes' texts as a row, and the name the current row is stored under (empty for a new row).
    QueryRow currentRow() const;
    const QString &storedName() const { return storedName_; }
    // The position among the stored rows; rowCount() while a new row is shown.
    int position() const { return current_; }
    int rowCount() const { return int(rows_.size()); }

    // Builds the current query's table (the data window's TableSql2 calls this); the row is saved once its table
    // is built, so that every later import rebuilds what was built. True when the table was built.
    bool runCurrent(const ReleaseTable &release);

    // Moves, saving the edits first; false, with the window left where it was, when the save is refused.
    bool moveTo(int position);
    // Saves the edits of the current row, if any; false when refused (the reason has been shown).
    bool saveEdits();

protected:
    void closeEvent(QCloseEvent *event) override;
    // The owner closing (the program ending) saves the edits too; a refused save is said, but cannot stop it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    frmSql(app::ModuleState &state, ActiveChild activeChild, QWidget *owner);
    void buildLayout();
    void placeBeside(const QWidget *owner);
    void reload();
    void showRow();
    void txtSql_Change();
    void cmdRun_Click();
    void cmdDelete_Click();
    bool edited() const;

    app::ModuleState &state_;
    ActiveChild activeChild_;
    QList<QueryRow> rows_;
    int current_ = 0;
    QString storedName_;
};

}  // namespace tables
