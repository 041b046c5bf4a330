#include "analysis/AnalysisRun.h"

#include "analysis/AnalysisQuery.h"

namespace analysis {

namespace {

// The steps besides the rows: one per column name written, then the pivot's.
constexpr qint64 kColumnSteps = kDataSetColumns;
constexpr qint64 kPivotSteps = 14;

} // namespace

std::optional<AnalysisResult> runAnalysis(const AnalysisRequest &request,
                                          AnalysisProgress &progress) {
  // Only read: a connection of this thread's own, closed when the run ends.
  const auto advanceTo =
      [&progress](
          qint64 done) { // done only grows; this thread is its one writer
        if (done > progress.done)
          progress.done = done;
      };
  const db::Database database = db::Database::open(request.databasePath);
  const qint64 counted =
      countBids(database, request.kind, request.range, request.selection);
  progress.total = counted + kColumnSteps + kPivotSteps;
  if (progress.cancel)
    return std::nullopt;
  auto dataSet = readDataSet(database, request.kind, request.range,
                             request.selection, [&](qint64 read) {
                               advanceTo(std::min(read, counted));
                               return !progress.cancel;
                             });
  if (!dataSet)
    return std::nullopt;
  // The join may keep fewer rows than were counted (bids without a market), or
  // repeat one: count what is held.
  const qint64 rows = dataSet->rowCount();
  progress.total = rows + kColumnSteps + kPivotSteps;
  advanceTo(rows + kColumnSteps);
  auto pivot = buildPivot(*dataSet, request.gross, [&](qint64 done, qint64) {
    advanceTo(rows + kColumnSteps + std::min(done, kPivotSteps));
    return !progress.cancel;
  });
  if (!pivot)
    return std::nullopt;
  return AnalysisResult{std::move(*dataSet), std::move(*pivot)};
}

} // namespace analysis
