// One analysis from start to end, without widgets: read the data set of the range and selection, then pivot it.
// Runs on a worker thread behind the progress window (or in lotwise-cli), with a connection of its own.
#pragma once

#include "analysis/AnalysisKind.h"
#include "analysis/DataSet.h"
#include "analysis/PivotTable.h"
#include "analysis/RoundRange.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>

namespace analysis {

struct AnalysisRequest {
    QString databasePath;    // the auction database file
    AnalysisKind kind = AnalysisKind::Rounds;
    RoundRange range;
    bool gross = false;      // Sum of Gross Bid Amount, else Sum of Net Bid Amount
    QStringList selection;   // the licenses (Markets) or bidders (Bidders) chosen; unused for Rounds
};

struct AnalysisResult {
    DataSet dataSet;
    PivotTable pivot;
};

// Progress shared between the worker and the thread that shows it. total is set once the data set's rows are
// counted: rows + columns + 14 steps, as the progress window counts them; done only grows.
struct AnalysisProgress {
    std::atomic<qint64> done{0};
    std::atomic<qint64> total{0};
    std::atomic<bool> cancel{false};  // set by the showing thread; the run stops soon after
};

// Runs the analysis on the calling thread with its own connection to request.databasePath. Nothing when
// cancelled. Raises db::Error: 3021 "No current record." when the range and selection hold no bids; the
// database's errors as they come. The auction database is only read.
std::optional<AnalysisResult> runAnalysis(const AnalysisRequest &request, AnalysisProgress &progress);

}  // namespace analysis
