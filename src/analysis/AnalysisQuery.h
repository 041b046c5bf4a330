// What an analysis reads from the auction database: the licenses or bidders
// offered for selection, and the data set of the bids of the range (eleven
// columns of [All Bids] joined with [Markets]).
//
// Rounds and the selected names are bound to the statements as parameters, so a
// name holding an apostrophe is matched like any other. The database must be
// used on the calling thread (db/Database.h).
#pragma once

#include "analysis/AnalysisKind.h"
#include "analysis/DataSet.h"
#include "analysis/RoundRange.h"
#include "db/Database.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace analysis {

// The distinct [License Name]s (Markets) or [Bidder]s (Bidders) of [All Bids]
// in the range, in the engine's text order; names differing only in case are
// one entry, a missing name none. Raises 3021 "No current record." when there
// are none; database errors as they come.
QStringList selectionValues(const db::Database &database, AnalysisKind kind,
                            RoundRange range);

// The number of bids of [All Bids] in the range and selection (the licenses for
// Markets, the bidders for Bidders, unused for Rounds), before they are joined
// with [Markets]: what the progress window counts as rows.
qint64 countBids(const db::Database &database, AnalysisKind kind,
                 RoundRange range, const QStringList &selection);

// The data set of the analysis: the bids of the range and selection joined with
// [Markets] on license name, auction and round, ordered by market (Markets,
// Bidders) or by round (Rounds), ties in stored order. Money columns hold exact
// ten-thousandths. progress(rows read) is called every few thousand rows; when
// it returns false the reading stops and nothing comes back. Raises 3021 "No
// current record." when no bid matches.
std::optional<DataSet>
readDataSet(const db::Database &database, AnalysisKind kind, RoundRange range,
            const QStringList &selection,
            const std::function<bool(qint64)> &progress = {});

// The selection dialog's label: "Select the Licenses to Analyze" or "Select the
// Bidders to Analyze".
QString selectionLabel(AnalysisKind kind);

} // namespace analysis
