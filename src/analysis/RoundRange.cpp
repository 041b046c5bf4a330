#include "analysis/RoundRange.h"

#include "db/Error.h"

namespace analysis {

RangeVerdict checkRange(const QString &, const QString &, qint64, RoundRange &) { return RangeVerdict::Empty; }
QString startTooHighMessage(AnalysisKind) { return {}; }
app::MessageStyle startTooHighStyle() { return {}; }
QString endTooHighQuestion() { return {}; }
app::MessageStyle endTooHighStyle() { return {}; }
QString rangeMessageTitle() { return QStringLiteral("Error"); }
qint64 highestRound(const db::Database &) { return 0; }

}  // namespace analysis
