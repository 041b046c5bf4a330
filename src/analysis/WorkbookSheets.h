// The sheets of an analysis workbook: the data set and the pivot, each continued over further sheets where it
// does not fit one; and the whole file with the sheet limits as parameters (lowered by tests).
//
// Runs on the calling thread; the progress callback is called on it.
#pragma once

#include "analysis/WorkbookFile.h"
#include "tables/XlsxBook.h"

#include <QElapsedTimer>

#include <functional>

namespace analysis {

// The size of a sheet: the rows of a data sheet (its header row included) and the columns of a pivot sheet (the
// Round column included).
struct SheetLimits {
    qint64 rows = kSheetRows;
    int columns = kSheetColumns;
};

// Sheets needed for the data set's rows (one header row on each) and for the pivot's columns (the Round column on
// each).
int dataSheetCount(const DataSet &data, const SheetLimits &limits);
int pivotSheetCount(const PivotTable &pivot, const SheetLimits &limits);

// Rows written so far against the total, passed to the caller's callback at most about ten times a second.
class WriteProgress {
public:
    WriteProgress(const std::function<bool(qint64, qint64)> &callback, qint64 total);
    // Counts rows; false once the callback has asked to stop.
    bool step(qint64 rows = 1);
    bool cancelled() const { return cancelled_; }

private:
    bool report();

    const std::function<bool(qint64, qint64)> &callback_;
    qint64 total_;
    qint64 done_ = 0;
    bool cancelled_ = false;
    QElapsedTimer sinceReport_;
};

// Write the sheets; false when cancelled part way. Raise db::Error on a failed write.
bool writeDataSheets(tables::XlsxBook &book, const DataSet &data, const SheetLimits &limits, WriteProgress &progress);
bool writePivotSheets(tables::XlsxBook &book, const PivotTable &pivot, const SheetLimits &limits,
                      WriteProgress &progress);

// writeWorkbook() with the given sheet limits.
std::optional<WorkbookWritten> writeWorkbookFile(const QString &path, const AnalysisResult &result,
                                                 const std::function<bool(qint64, qint64)> &progress,
                                                 const SheetLimits &limits);

}  // namespace analysis
