#include "analysis/AnalysisQuery.h"

#include "db/Error.h"
#include "db/Sqlite.h"

namespace analysis {

QStringList selectionValues(const db::Database &database, AnalysisKind kind,
                            RoundRange range) {
  sqlite3 *connection = database.handle();
  if (!connection)
    throw db::Error(3420, QStringLiteral("Object invalid or no longer set."));
  // DISTINCT in the engine's text order: names differing only in case are one
  // entry, as in Jet.
  const QString column = kind == AnalysisKind::Bidders
                             ? QStringLiteral("[Bidder]")
                             : QStringLiteral("[License Name]");
  const QString sql =
      QStringLiteral(
          "SELECT DISTINCT %1 COLLATE JETTEXT AS [Name] FROM [All Bids] "
          "WHERE [Round] BETWEEN ?1 AND ?2 ORDER BY 1")
          .arg(column);
  db::Statement statement(connection, sql,
                          {sql, QStringLiteral("All Bids"), database.path()});
  statement.bind(1, QVariant(qlonglong(range.start)));
  statement.bind(2, QVariant(qlonglong(range.end)));
  QStringList values;
  while (statement.step()) {
    const QVariant value = statement.value(0);
    if (!value.isNull()) // a missing name cannot be selected: the condition
                         // never matches it
      values << value.toString();
  }
  if (values.isEmpty())
    throw db::Error(db::err::NoCurrentRecord,
                    QStringLiteral("No current record."));
  return values;
}

QString selectionLabel(AnalysisKind kind) {
  return kind == AnalysisKind::Bidders
             ? QStringLiteral("Select the Bidders to Analyze")
             : QStringLiteral("Select the Licenses to Analyze");
}

} // namespace analysis
