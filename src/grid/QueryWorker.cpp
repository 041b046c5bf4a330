#include "grid/QueryWorker.h"

#include "db/Database.h"
#include "db/Sqlite.h"

#include <sqlite3.h>

#include <algorithm>
#include <unordered_map>

namespace grid {

namespace {

// BEGIN ... COMMIT around reads on the worker's connection, so that they see one state of the file. Ended on
// destruction; an end that fails is ignored: nothing was written, and a transaction an interrupted statement left
// open ends with the connection.
class ReadTransaction {
public:
    explicit ReadTransaction(sqlite3 *connection) : connection_(connection) { db::exec(connection, "BEGIN"); }
    ~ReadTransaction() { end(); }
    ReadTransaction(const ReadTransaction &) = delete;
    ReadTransaction &operator=(const ReadTransaction &) = delete;
    void end() {
        if (connection_ && !sqlite3_get_autocommit(connection_))
            sqlite3_exec(connection_, "COMMIT", nullptr, nullptr, nullptr);
        connection_ = nullptr;
    }

private:
    sqlite3 *connection_;
};

}  // namespace

QueryWorker::QueryWorker(GridQuery query, int pageSize, Events events)
    : query_(std::move(query)), pageSize_(std::max(pageSize, 1)), events_(std::move(events)),
      thread_([this] { run(); }) {}

QueryWorker::~QueryWorker() {
    cancel();
    thread_.join();
}

void QueryWorker::cancel() {
    {
        const std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    wake_.notify_all();
}

std::vector<int> QueryWorker::request(int page) {
    std::vector<int> dropped;
    {
        const std::lock_guard lock(mutex_);
        queue_.erase(std::remove(queue_.begin(), queue_.end(), page), queue_.end());
        queue_.push_back(page);
        while (queue_.size() > kMaxQueued) {
            dropped.push_back(queue_.front());
            queue_.pop_front();
        }
    }
    wake_.notify_one();
    return dropped;
}

// SQLite calls this every kProgressSteps virtual machine steps of a running statement; a non-zero answer ends the
// statement with SQLITE_INTERRUPT. Unlike sqlite3_interrupt(), it also stops a statement started after cancel().
int QueryWorker::progress(void *worker) { return static_cast<QueryWorker *>(worker)->cancelled() ? 1 : 0; }

void QueryWorker::run() {
    try {
        const db::Database database = db::Database::open(query_.databasePath);
        sqlite3 *connection = database.handle();
        sqlite3_progress_handler(connection, kProgressSteps, &QueryWorker::progress, this);
        struct Finalize {  // the worker's statements end before the database closes
            QueryWorker *worker;
            ~Finalize() { worker->byKeys_.reset(); }
        } const finalize{this};
        if (query_.keyed())
            readKeyed(connection);
        else
            readByOffset(connection);
        serveRequests(connection);
    } catch (const db::Error &error) {
        if (!cancelled())
            events_.failed(error);
    } catch (const std::exception &error) {
        if (!cancelled())
            events_.failed(db::Error(db::err::Reserved, QString::fromUtf8(error.what())));
    }
}

// The rowids in order. The first page comes first, read with the query's own LIMIT: SQLite then keeps only the
// first rows of a sort instead of sorting them all, so a sorted view of a million rows shows at once while its
// whole order is read behind it. Both reads give one order, as the rowid is the order's last key (the translation
// with the rowid adds it), and see the same rows, as they share a read transaction. Should the first page still
// differ from the order read, it is sent again from the rowids before the count.
void QueryWorker::readKeyed(sqlite3 *connection) {
    byKeys_ = std::make_unique<db::Statement>(connection, query_.rowsByKeysSql(pageSize_),
                                              db::ErrorContext{query_.jetSql, query_.baseTable(), query_.databasePath});
    ReadTransaction snapshot(connection);
    std::vector<qint64> shown;
    events_.firstPage(fetchByOffset(connection, 0, &shown));
    db::Statement keys(connection, query_.keysSql(), {query_.jetSql, query_.baseTable(), query_.databasePath});
    while (keys.step())
        keys_.push_back(sqlite3_column_int64(keys.handle(), 0));
    snapshot.end();
    keys_.shrink_to_fit();
    rowCount_ = int(keys_.size());
    const size_t firstRows = std::min(keys_.size(), size_t(pageSize_));
    if (shown.size() != firstRows || !std::equal(shown.begin(), shown.end(), keys_.begin()))
        events_.pageLoaded(fetchByKeys(0));
    events_.counted(rowCount_);
}

void QueryWorker::readByOffset(sqlite3 *connection) {
    RowPage first = fetchByOffset(connection, 0);
    const bool complete = first.rows < pageSize_;
    rowCount_ = first.rows;
    events_.firstPage(std::move(first));
    if (!complete) {
        db::Statement count(connection, query_.countSql(), {query_.jetSql, {}, query_.databasePath});
        count.step();
        rowCount_ = int(count.value(0).toLongLong());
    }
    events_.counted(rowCount_);
}

void QueryWorker::serveRequests(sqlite3 *connection) {
    for (;;) {
        int page = 0;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return cancelled() || !queue_.empty(); });
            if (cancelled())
                return;
            page = queue_.back();
            queue_.pop_back();
        }
        if (page < 0 || qint64(page) * pageSize_ >= rowCount_)
            continue;
        RowPage rows = query_.keyed() ? fetchByKeys(page) : fetchByOffset(connection, page);
        if (cancelled())
            return;
        events_.pageLoaded(std::move(rows));
    }
}

// One query with the page's rowids, its rows then put in the keyset's order. A row deleted since the rowids were
// read shows as empty.
RowPage QueryWorker::fetchByKeys(int page) {
    const size_t first = size_t(page) * size_t(pageSize_);
    const size_t count = std::min(keys_.size() - std::min(first, keys_.size()), size_t(pageSize_));
    std::unordered_map<qint64, int> positions;
    positions.reserve(count);
    byKeys_->reset();
    for (size_t i = 0; i < count; ++i) {
        positions.emplace(keys_[first + i], int(i));
        sqlite3_bind_int64(byKeys_->handle(), int(i) + 1, keys_[first + i]);
    }
    RowPage rows;
    rows.index = page;
    rows.rows = int(count);
    rows.columns = int(query_.fieldColumns.size());
    rows.cells.resize(count * query_.fieldColumns.size());
    while (byKeys_->step()) {
        const auto at = positions.find(sqlite3_column_int64(byKeys_->handle(), query_.rowIdColumn));
        if (at == positions.end())
            continue;
        for (int c = 0; c < rows.columns; ++c)
            rows.cells[size_t(at->second) * size_t(rows.columns) + size_t(c)] =
                byKeys_->value(query_.fieldColumns[size_t(c)]);
    }
    return rows;
}

RowPage QueryWorker::fetchByOffset(sqlite3 *connection, int page, std::vector<qint64> *rowIds) {
    db::Statement statement(connection, query_.rowsByOffsetSql(),
                            {query_.jetSql, query_.baseTable(), query_.databasePath});
    statement.bind(1, qlonglong(pageSize_));
    statement.bind(2, qlonglong(page) * pageSize_);
    return readRows(statement, page, rowIds);
}

RowPage QueryWorker::readRows(db::Statement &statement, int page, std::vector<qint64> *rowIds) {
    RowPage rows;
    rows.index = page;
    rows.columns = int(query_.fieldColumns.size());
    rows.cells.reserve(size_t(pageSize_) * query_.fieldColumns.size());
    while (statement.step()) {
        for (const int column : query_.fieldColumns)
            rows.cells.push_back(statement.value(column));
        if (rowIds)
            rowIds->push_back(sqlite3_column_int64(statement.handle(), query_.rowIdColumn));
        ++rows.rows;
    }
    return rows;
}

}  // namespace grid
