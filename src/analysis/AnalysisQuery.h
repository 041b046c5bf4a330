// What an analysis reads from the auction database: the licenses or bidders offered for selection, and the data
// set of the bids of the range (eleven columns of [All Bids] joined with [Markets]).
//
// Rounds and the selected names are bound to the statements as parameters, so a name holding an apostrophe is
// matched like any other. The database must be used on the calling thread (db/Database.h).
#pragma once

#include "analysis/AnalysisKind.h"
#include "analysis/RoundRange.h"
#include "db/Database.h"

#include <QString>
#include <QStringList>

namespace analysis {

// The distinct [License Name]s (Markets) or [Bidder]s (Bidders) of [All Bids] in the range, in the order the
// engine returns them. Raises 3021 "No current record." when there are none; database errors as they come.
QStringList selectionValues(const db::Database &database, AnalysisKind kind, RoundRange range);

// The selection dialog's label: "Select the Licenses to Analyze" or "Select the Bidders to Analyze".
QString selectionLabel(AnalysisKind kind);

}  // namespace analysis
