#include "analysis/AnalysisRun.h"

#include "db/Error.h"

namespace analysis {

std::optional<AnalysisResult> runAnalysis(const AnalysisRequest &, AnalysisProgress &) {
    throw db::Error(3021, QStringLiteral("No current record."));
}

}  // namespace analysis
