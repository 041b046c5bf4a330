// Many commits in a row made durable together: while a BatchedCommits lives, the database's commits are written to
// its write-ahead log without a flush each, and flush() (or the end of the scope) flushes the log once, which makes
// every one of them durable. A batch import of a hundred rounds then costs one flush instead of a hundred; nothing
// is reported imported before the flush.
//
// With the rollback journal (a network filesystem) each commit keeps its full flush. The database must stay open
// while the object lives; same thread as the database.
#pragma once

#include "db/Database.h"

namespace db {

class BatchedCommits {
public:
    explicit BatchedCommits(const Database &database);
    ~BatchedCommits();  // flushes; a failure there is not raised (the commits stay written, as after a crash)
    BatchedCommits(const BatchedCommits &) = delete;
    BatchedCommits &operator=(const BatchedCommits &) = delete;

    // Makes every commit so far durable; raises db::Error when the flush fails.
    void flush();

private:
    Database database_;
    bool batched_ = false;
};

}  // namespace db
