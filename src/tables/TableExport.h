// Exporting the rows of a shown query (a data window's Jet SELECT) to a file: tab-delimited text with the cell
// texts the grid shows, CSV (RFC 4180) with the stored values, or an Excel workbook (.xlsx) with typed cells.
//
// The query runs again on a connection of its own and its rows stream into a temporary file beside the target,
// which replaces the target only once it is complete: a cancelled or failed export leaves the old file as it was
// and no partial file behind. Failures are raised as db::Error (the engine's numbers for the query, 75 for a file
// that cannot be written, and for the database file itself as the target). The desktop program and lotwise-cli
// both call exportQuery().
//
// Threading: runs on the calling thread; the progress callback is called on it too, at most about ten times a
// second (also while a slow query is still finding its first row).
#pragma once

#include <QLocale>
#include <QString>

#include <functional>

namespace tables {

enum class ExportFormat {
    TabText,  // .txt: heading line, then the grid's cell texts, tabs between, CR LF after each line
    Csv,      // .csv: RFC 4180, the stored values (plain numbers, ISO dates), a header line
    Xlsx,     // .xlsx: numbers as numbers, dates as dates, currency with a money format, text as strings
};

// The format a file's type asks for: .csv and .xlsx by their suffix (any case), tab-delimited text otherwise.
ExportFormat exportFormatFor(const QString &path);

// Rows a worksheet holds, its header row included.
inline constexpr qint64 kXlsxSheetRows = 1048576;

// Told the rows written so far and the total (-1 when not known); returns false to cancel the export.
using ExportProgress = std::function<bool(qint64 done, qint64 total)>;

struct ExportOptions {
    ExportFormat format = ExportFormat::TabText;
    QLocale locale;                        // of the grid's cell texts (tab-delimited text)
    qint64 totalRows = -1;                 // the row count when the caller knows it, for the progress
    ExportProgress progress;               // may be empty
    qint64 sheetRows = kXlsxSheetRows;     // rows per worksheet, header included (lowered by tests)
};

struct ExportResult {
    bool completed = false;  // false: cancelled, the target untouched
    qint64 rows = 0;         // data rows written
    int sheets = 0;          // worksheets of an .xlsx file (more than one when the rows did not fit one)
};

// Runs jetSql (a SELECT) on the database file at databasePath and writes its rows to target.
ExportResult exportQuery(const QString &databasePath, const QString &jetSql, const QString &target,
                         const ExportOptions &options);

}  // namespace tables
