#include "analysis/WorkbookFile.h"

#include "db/Error.h"

namespace analysis {

std::optional<WorkbookWritten> writeWorkbook(const QString &, const AnalysisResult &,
                                             const std::function<bool(qint64, qint64)> &) {
    throw db::Error(75, QStringLiteral("Path/File access error"));
}
QString dataSheetName(int) { return {}; }
QString pivotSheetName(int) { return {}; }

}  // namespace analysis
