// The rows an export writes: a Jet SELECT translated and prepared on a connection of its own, stepped row by row
// with progress reports and cancel, and its visible columns with their declared types.
//
// Internal to the export (tables/TableExport.h). Used on one thread; the cursor owns its connection.
#pragma once

#include "common/ColumnType.h"
#include "db/Database.h"
#include "tables/TableExport.h"

#include <QElapsedTimer>
#include <QIODevice>
#include <QLocale>
#include <QString>

#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace db {
class Statement;
}

namespace tables {

struct ExportColumn {
    QString name;
    db::ColumnType type = db::ColumnType::Unknown;
    int column = 0;  // the result column of the statement
};

class ExportCursor {
public:
    // Raises db::Error for a file that cannot be opened or a statement that is not a valid SELECT.
    ExportCursor(const QString &databasePath, const QString &jetSql, ExportProgress progress, qint64 total);
    ~ExportCursor();
    ExportCursor(const ExportCursor &) = delete;
    ExportCursor &operator=(const ExportCursor &) = delete;

    const std::vector<ExportColumn> &columns() const { return columns_; }
    sqlite3_stmt *statement() const;

    // Steps to the next row: true when one is ready; false at the end or once cancelled (see cancelled()).
    // Raises db::Error when the query fails part way.
    bool next();
    bool cancelled() const { return cancelled_; }
    qint64 rows() const { return rows_; }
    // Reports the final count (the progress at 100%).
    void finish();

private:
    static int onProgress(void *cursor);
    bool report();

    db::Database database_;
    std::unique_ptr<db::Statement> statement_;
    std::vector<ExportColumn> columns_;
    ExportProgress progress_;
    qint64 total_ = -1;
    qint64 rows_ = 0;
    bool cancelled_ = false;
    QElapsedTimer sinceReport_;
    QString jetSql_;
};

// The writers of the three formats, into a temporary file that the caller puts in place when complete. They
// return when the cursor has no more rows or was cancelled, and raise db::Error when writing fails.
void writeTabText(ExportCursor &cursor, QIODevice &out, const QLocale &locale);
void writeCsv(ExportCursor &cursor, QIODevice &out);
// Writes the workbook file at path; returns the number of worksheets.
int writeXlsx(ExportCursor &cursor, const QString &path, qint64 sheetRows);

}  // namespace tables
