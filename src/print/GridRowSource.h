// The rows a printed sheet shows: a data window's Jet SELECT read on a connection of its own, in the query's
// order, a band of rows at a time, never the whole table. The row count comes from SQL count(*), not from any
// rows a grid happens to have loaded. Cell texts are the grid's (grid::cellText with the columns' types).
//
// Reading in order (band after band, as a PDF is written) steps one statement forward; a jump elsewhere (a
// preview going back) restarts the statement at that offset, which costs a read up to it. Until the last row has
// been read the statement stays open (a read transaction on the file): destroy the source when the job ends.
// Used on one thread at a time; the source owns its connection and may be handed to a worker thread.
#pragma once

#include "common/ColumnType.h"
#include "db/Database.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace db {
class Statement;
}

namespace print {

struct PrintColumn {
    QString heading;
    db::ColumnType type = db::ColumnType::Unknown;
};

struct PrintCell {
    QString text;
    bool number = false;  // right-aligned
};

using PrintRow = std::vector<PrintCell>;

class GridRowSource {
public:
    // Raises db::Error for a file that cannot be opened or a statement that is not a valid SELECT.
    GridRowSource(const QString &databasePath, const QString &jetSql, const QLocale &locale = QLocale());
    ~GridRowSource();
    GridRowSource(const GridRowSource &) = delete;
    GridRowSource &operator=(const GridRowSource &) = delete;

    const std::vector<PrintColumn> &columns() const { return columns_; }
    QStringList headings() const;
    qint64 rowCount() const { return rowCount_; }

    // The rows first .. first + count - 1 (0-based, fewer at the end). Raises db::Error when reading fails.
    std::vector<PrintRow> rows(qint64 first, int count);

private:
    void restartAt(qint64 first);

    db::Database database_;
    QString jetSql_;
    QString pageSql_;
    std::vector<PrintColumn> columns_;
    std::vector<int> resultColumns_;
    QLocale locale_;
    qint64 rowCount_ = 0;
    std::unique_ptr<db::Statement> cursor_;
    qint64 next_ = -1;  // the row the cursor steps to next; -1 when it is not running
};

}  // namespace print
