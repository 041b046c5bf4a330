// Reads the rows of one grid query on a thread of its own, with a database connection it opens there.
//
// On start it reads the first page with LIMIT, then counts the rows: for a keyed query by reading the ordered
// list of rowids (kept for fetching pages by rowid; the first page does not wait for it, so a sorted view shows
// before its whole sort is done), otherwise with count(*). After that it fetches the pages asked for with
// request(), the most recent request first; requests beyond kMaxQueued are dropped, oldest first, and handed back
// to the caller.
//
// Results go to the Events callbacks, called on the worker thread; they must be cheap and thread-safe (the model
// posts them to the UI thread). After an error the worker reports it once and stops.
//
// cancel() and the destructor stop the work promptly (a progress handler on the worker's connection ends a
// running statement) and the destructor returns once the thread has ended, so no event is called after it.
// request() and cancel() may be called from any thread.
#pragma once

#include "db/Error.h"
#include "grid/GridQuery.h"
#include "grid/RowPage.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

struct sqlite3;

namespace db {
class Statement;
}

namespace grid {

class QueryWorker {
public:
    struct Events {
        std::function<void(RowPage page)> firstPage;  // page 0, possibly with fewer rows than a page or none
        std::function<void(int rows)> counted;        // the query's row count
        std::function<void(RowPage page)> pageLoaded;
        std::function<void(const db::Error &error)> failed;
    };

    static constexpr std::size_t kMaxQueued = 16;
    static constexpr int kProgressSteps = 1000;  // virtual machine steps between two looks at cancel()

    QueryWorker(GridQuery query, int pageSize, Events events);
    ~QueryWorker();
    QueryWorker(const QueryWorker &) = delete;
    QueryWorker &operator=(const QueryWorker &) = delete;

    // Asks for a page; returns the pages dropped from the queue to make room (they will not be loaded).
    std::vector<int> request(int page);
    void cancel();

private:
    void run();
    void readKeyed(sqlite3 *connection);
    void readByOffset(sqlite3 *connection);
    void serveRequests(sqlite3 *connection);
    RowPage fetchByKeys(int page);
    // rowIds, when given, receives the rowid of each row read (keyed queries).
    RowPage fetchByOffset(sqlite3 *connection, int page, std::vector<qint64> *rowIds = nullptr);
    RowPage readRows(db::Statement &statement, int page, std::vector<qint64> *rowIds = nullptr);
    static int progress(void *worker);
    bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }

    const GridQuery query_;
    const int pageSize_;
    const Events events_;

    std::vector<qint64> keys_;  // worker thread only: the rowids in the query's order
    std::unique_ptr<db::Statement> byKeys_;
    int rowCount_ = 0;

    std::mutex mutex_;  // guards queue_
    std::condition_variable wake_;
    std::deque<int> queue_;  // most recent request last
    std::atomic<bool> cancelled_{false};

    std::thread thread_;  // last: started once everything above is ready
};

}  // namespace grid
