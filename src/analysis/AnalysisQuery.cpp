#include "analysis/AnalysisQuery.h"

#include "db/Error.h"

namespace analysis {

QStringList selectionValues(const db::Database &, AnalysisKind, RoundRange) {
    throw db::Error(3021, QStringLiteral("No current record."));
}
QString selectionLabel(AnalysisKind) { return {}; }

}  // namespace analysis
