// Writing an analysis to a file: an .xlsx workbook (libxlsxwriter, constant-memory mode) with the data set on
// "Sheet1" and the pivot laid out as analysis/PivotSheet.h gives, continued over further sheets where it is wider
// than a sheet's 16,384 columns (each with the Round column). The pivot alone as CSV: analysis/PivotCsv.h.
//
// Files are written to a temporary file beside the target, every write and the close checked, and renamed over
// the target only when complete: a failure or a cancel leaves no partial file and the target as it was.
// Safe on any thread (one call per file).
#pragma once

#include "analysis/AnalysisRun.h"

#include <QString>

#include <functional>
#include <optional>

namespace analysis {

inline constexpr int kSheetColumns = 16384;
inline constexpr int kSheetRows = 1048576;

struct WorkbookWritten {
    int dataSheets = 1;   // sheets holding the data set (more than one beyond a sheet's rows)
    int pivotSheets = 1;  // sheets holding the pivot
};

// progress(done, total) is called now and then; when it returns false the writing stops, the temporary file is
// removed and nothing comes back. Raises db::Error when the file cannot be written.
std::optional<WorkbookWritten> writeWorkbook(const QString &path, const AnalysisResult &result,
                                             const std::function<bool(qint64, qint64)> &progress = {});

// The sheet names, index from 0: "Sheet1" for the data set (then "Sheet1 (2)", ...), and for the pivot
// "PivotTable1" (then "PivotTable1 (2)", ...).
QString dataSheetName(int index);
QString pivotSheetName(int index);

}  // namespace analysis
