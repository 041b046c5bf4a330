// The grid's model: the rows of one Jet query of an auction database file, read lazily off the UI thread.
//
// setQuery() translates and prepares the query at once, so the engine's immediate errors (3061 unknown column,
// 3078 missing table, syntax errors, 3219 not a SELECT, 53/76/3343 for the file) are raised to the caller as
// db::Error and the model keeps what it showed. The rows are then read by a worker thread with a connection of
// its own (grid/QueryWorker.h): the first page at once, the row count in the background, further pages as views
// ask for them through data(). Rows not yet loaded show empty; dataChanged() follows when they arrive. At most
// kCachePages pages are kept (least recently used dropped), so a million rows cost the rowid list and a few
// pages, never the whole result.
//
// Until the count is known the model has the rows of the first page; rowCountKnown() then inserts the rest.
// Errors of the worker (the database gone, a value that fails to compute) come as failed(); the rows loaded
// stay, the others stay empty.
//
// Table holds: while a query over one table is shown, the model holds that table on the database handle given
// to setHoldingDatabase() (DROP TABLE of it then raises 3211). The hold moves to the next query's table and ends
// with clear() or the model's destruction. Without a holding database nothing is held (tests, tools).
//
// Threading: the model lives on the UI thread and every public function is called there. A new setQuery(),
// clear() and the destructor stop the worker promptly and no row of an earlier query is ever delivered.
#pragma once

#include "db/Database.h"
#include "db/Error.h"
#include "db/Recordset.h"
#include "grid/GridQuery.h"
#include "grid/PageCache.h"
#include "grid/RowPage.h"

#include <QAbstractTableModel>
#include <QLocale>

#include <memory>
#include <set>

namespace grid {

class QueryWorker;

class LazyTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role { RawValueRole = Qt::UserRole + 1 };  // the stored value (also under Qt::EditRole)

    static constexpr int kPageSize = 200;
    static constexpr std::size_t kCachePages = 64;

    explicit LazyTableModel(QObject *parent = nullptr);
    ~LazyTableModel() override;

    // The program's open auction database, used only to hold the table shown; may be left unset. The handle is
    // kept (a shared handle, see db/Database.h) and must be on the file the queries read.
    void setHoldingDatabase(db::Database database);

    // Shows the rows of jetSql on the database file at databasePath. Raises db::Error (see above); on an error
    // nothing changes.
    void setQuery(const QString &databasePath, const QString &jetSql);
    // Shows nothing; ends the hold.
    void clear();

    QString databasePath() const { return query_.databasePath; }
    QString jetSql() const { return query_.jetSql; }
    // The table a query over one table reads; empty for other queries.
    QString baseTable() const { return query_.baseTable(); }
    const std::vector<db::Field> &fields() const { return query_.fields; }
    // The locale the cells are shown in (grid/CellText.h).
    const QLocale &displayLocale() const { return locale_; }

    bool isRowCountKnown() const { return countKnown_; }
    bool isLoading() const { return worker_ && !countKnown_ && !failed_; }
    bool isRowLoaded(int row) const;
    // The stored value of a loaded row, else an invalid QVariant (Null values are null QVariants).
    QVariant rawValue(int row, int column) const;

    // Loads rows first..last (0-based, inclusive), processing events while it waits. True when they are all
    // loaded; false on timeout, failure, a new query, rows beyond the count, or a range of more than
    // maxWaitRows() rows.
    bool waitForRows(int first, int last, int timeoutMs);
    static int maxWaitRows() { return int(kCachePages / 2) * kPageSize; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void firstRowsReady();          // the first page is shown (it may be empty)
    void rowCountKnown(int rows);   // every row is now counted and shown
    void loadingFinished();         // the initial load is over: right after rowCountKnown
    void failed(const db::Error &error);

protected:
    void customEvent(QEvent *event) override;

private:
    class Delivery;

    db::Database &connectionFor(const QString &databasePath);
    db::TableHold holdFor(const GridQuery &query) const;
    void show(GridQuery query, db::TableHold hold);
    void stopWorker();
    void startWorker();
    void requestPage(int page) const;
    const RowPage *pageOf(int row) const;

    void onFirstPage(quint64 generation, RowPage page);
    void onCounted(quint64 generation, int rows);
    void onPageLoaded(quint64 generation, RowPage page);
    void onFailed(quint64 generation, const db::Error &error);

    db::Database holding_;    // the program's handle: holds only
    db::Database preparing_;  // a UI-thread connection to prepare queries on, when holding_ is on another file
    db::TableHold hold_;
    GridQuery query_;
    QLocale locale_;

    quint64 generation_ = 0;  // tells the results of the current query from those of earlier ones
    int rows_ = 0;
    bool countKnown_ = false;
    bool failed_ = false;
    std::unique_ptr<QueryWorker> worker_;
    mutable PageCache cache_{kCachePages};
    mutable std::set<int> pending_;  // pages asked of the worker and not yet loaded
};

}  // namespace grid
