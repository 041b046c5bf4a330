// The distinct values of one column of one table, read for a filter row's value list.
//
// DistinctValueLoader reads them on a thread of its own with a database connection it opens there, so that a
// column with hundreds of thousands of values never holds up the caller. Values come in batches, in the order
// the query returns them, each turned into text by the caller's formatter (a Null as nullChoiceText()), a text
// equal to the one before it left out (the query returns values that show alike side by side); then
// exactly one of finished() or failed() follows, unless the load was cancelled. ended() comes last in every case:
// after it the thread is about to end, so destroying the loader then returns at once.
//
// The Events callbacks and the formatter are called on the worker thread; they must be cheap and thread-safe
// (the dialog posts the batches to the UI thread). cancel() may be called from any thread; it and the destructor
// end a running query promptly (a progress handler on the worker's connection), and the destructor returns once
// the thread has ended, so no callback runs after it. A query waiting for another connection's lock only notices
// cancel() when the wait ends (up to db::kBusyTimeoutMs): an owner that must not wait cancels the loader and
// destroys it after ended().
#pragma once

#include "common/ColumnType.h"
#include "db/Error.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <atomic>
#include <functional>
#include <thread>

struct sqlite3;

namespace tables {

// The Jet statement that lists a column's distinct values: SELECT DISTINCT [column] FROM [table]. Names are
// written as given: they come from the table's own field list.
QString distinctValuesSql(const QString &column, const QString &table);

// Up to `limit` of `values` that contain `typed`, ignoring case, in their order (an empty `typed` matches all).
QStringList matchingValues(const QStringList &values, const QString &typed, int limit);

class DistinctValueLoader {
public:
    using Formatter = std::function<QString(const QVariant &value, db::ColumnType type)>;
    struct Events {
        std::function<void(QStringList batch)> values;
        std::function<void(int total)> finished;
        std::function<void(const db::Error &error)> failed;
        std::function<void()> ended;
    };

    static constexpr int kBatchValues = 4096;   // a batch is sent when it holds this many values...
    static constexpr int kBatchMs = 100;        // ... or when this long has passed since the last one
    static constexpr int kProgressSteps = 1000;  // virtual machine steps between two looks at cancel()

    DistinctValueLoader(QString databasePath, QString column, QString table, Formatter formatter, Events events);
    ~DistinctValueLoader();
    DistinctValueLoader(const DistinctValueLoader &) = delete;
    DistinctValueLoader &operator=(const DistinctValueLoader &) = delete;

    void cancel() { cancelled_ = true; }

private:
    void run();
    void read(sqlite3 *connection, const QString &sql);
    static int progress(void *loader);
    bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }

    const QString databasePath_;
    const QString jetSql_;
    const QString table_;
    const Formatter formatter_;
    const Events events_;
    std::atomic<bool> cancelled_{false};
    std::thread thread_;  // last: started once everything above is ready
};

}  // namespace tables
