#include "analysis/PivotCsv.h"

#include "db/Error.h"

namespace analysis {

void writePivotCsv(const QString &, const PivotTable &) { throw db::Error(75, QStringLiteral("Path/File access error")); }

}  // namespace analysis
