// The data set of an analysis, read with native statements: the bids of [All
// Bids] in the range and selection in the analysis's order, each joined with
// its [Markets] rows through a hash of (auction, round, license name key). A
// join in SQL would compare license names in the engine's text order, which no
// stored index serves, and so scan a round's markets once per bid.
#include "analysis/AnalysisQuery.h"
#include "analysis/TextKey.h"
#include "db/Error.h"
#include "db/Sqlite.h"
#include "summary/Money.h"

#include <sqlite3.h>

#include <cmath>
#include <unordered_map>

namespace analysis {

namespace {

constexpr qint64 kProgressEvery = 4096;

sqlite3 *connectionOf(const db::Database &database) {
  sqlite3 *connection = database.handle();
  if (!connection)
    throw db::Error(3420, QStringLiteral("Object invalid or no longer set."));
  return connection;
}

// The WHERE clause of the bids: the range as ?1 and ?2, the selected names from
// ?3 on.
QString bidsCondition(AnalysisKind kind, const QStringList &selection) {
  QString where = QStringLiteral(" WHERE [Round] BETWEEN ?1 AND ?2");
  if (kind == AnalysisKind::Rounds)
    return where;
  where += kind == AnalysisKind::Bidders
               ? QStringLiteral(" AND [Bidder] COLLATE JETTEXT IN (")
               : QStringLiteral(" AND [License Name] COLLATE JETTEXT IN (");
  for (int i = 0; i < selection.size(); ++i)
    where += (i ? QStringLiteral(", ?") : QStringLiteral("?")) +
             QString::number(i + 3);
  return where + u')';
}

void bindCondition(db::Statement &statement, AnalysisKind kind,
                   RoundRange range, const QStringList &selection) {
  statement.bind(1, QVariant(qlonglong(range.start)));
  statement.bind(2, QVariant(qlonglong(range.end)));
  if (kind == AnalysisKind::Rounds)
    return;
  for (int i = 0; i < selection.size(); ++i)
    statement.bind(i + 3, selection[i]);
}

QString stmtText(sqlite3_stmt *stmt, int column) {
  return QString::fromUtf8(
      reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
      sqlite3_column_bytes(stmt, column));
}

// A stored value as a cell: money as ten-thousandths (text that is no amount
// stays text), whole numbers as integers (a REAL without fraction too), other
// numbers as reals, texts interned.
DataCell readCell(sqlite3_stmt *stmt, int column, bool money, DataSet &data) {
  switch (sqlite3_column_type(stmt, column)) {
  case SQLITE_INTEGER: {
    const qint64 value = sqlite3_column_int64(stmt, column);
    if (!money)
      return {DataCell::Kind::Integer, value};
    const auto units = summary::moneyUnits(QVariant(qlonglong(value)));
    return units ? DataCell{DataCell::Kind::Money, *units}
                 : DataCell::ofReal(double(value));
  }
  case SQLITE_FLOAT: {
    const double value = sqlite3_column_double(stmt, column);
    if (money) {
      const auto units = summary::moneyUnits(QVariant(value));
      return units ? DataCell{DataCell::Kind::Money, *units}
                   : DataCell::ofReal(value);
    }
    if (std::isfinite(value) && value == std::trunc(value) &&
        std::fabs(value) < 9007199254740992.0)
      return {DataCell::Kind::Integer, qint64(value)};
    return DataCell::ofReal(value);
  }
  case SQLITE_TEXT: {
    const QString text = stmtText(stmt, column);
    if (money)
      if (const auto units = summary::moneyUnits(QVariant(text)))
        return {DataCell::Kind::Money, *units};
    return {DataCell::Kind::Text, data.internText(text)};
  }
  default:
    return {};
  }
}

struct MarketKey {
  double auction;
  double round;
  int license; // the license name's TextKeys id
  bool operator==(const MarketKey &other) const = default;
};

struct MarketKeyHash {
  std::size_t operator()(const MarketKey &key) const {
    return qHashMulti(0, key.auction, key.round, key.license);
  }
};

// Number cells as the engine compares them in the join; nothing for text or a
// missing value.
std::optional<double> joinNumber(const DataCell &cell) {
  if (cell.kind == DataCell::Kind::Integer)
    return double(cell.integer());
  if (cell.kind == DataCell::Kind::Real)
    return cell.real();
  return std::nullopt;
}

// Numbers the data set's texts by their key: texts the engine holds equal get
// the same id. Each text's key is computed once.
class TextKeys {
public:
  explicit TextKeys(const DataSet &data) : data_(data) {}
  int id(int text) {
    while (ids_.size() <= std::size_t(text)) {
      const QString key = textKey(data_.texts[qsizetype(ids_.size())]);
      const auto found = byKey_.constFind(key);
      const int id =
          found != byKey_.constEnd() ? found.value() : int(byKey_.size());
      if (found == byKey_.constEnd())
        byKey_.insert(key, id);
      ids_.push_back(id);
    }
    return ids_[std::size_t(text)];
  }

private:
  const DataSet &data_;
  std::vector<int> ids_;
  QHash<QString, int> byKey_;
};

// The key of a bid's or market's auction, round and license; nothing when a
// part is missing or of the wrong kind (such a row matches nothing, as in the
// engine's join).
std::optional<MarketKey> marketKey(const DataCell &auction,
                                   const DataCell &round,
                                   const DataCell &license, TextKeys &keys) {
  const auto auctionNumber = joinNumber(auction);
  const auto roundNumber = joinNumber(round);
  if (!auctionNumber || !roundNumber || license.kind != DataCell::Kind::Text)
    return std::nullopt;
  return MarketKey{*auctionNumber, *roundNumber,
                   keys.id(int(license.integer()))};
}

using MarketNames =
    std::unordered_map<MarketKey, std::vector<DataCell>, MarketKeyHash>;

// The [Market Name]s of the range's markets by key, each in stored order; sets
// the column's declared type.
MarketNames readMarketNames(const db::Database &database, RoundRange range,
                            DataSet &data, TextKeys &keys) {
  const QString sql =
      QStringLiteral("SELECT [Auction ID], [Round], [License Name], [Market "
                     "Name] FROM [Markets] "
                     "WHERE [Round] BETWEEN ?1 AND ?2 ORDER BY rowid");
  db::Statement statement(connectionOf(database), sql,
                          {sql, QStringLiteral("Markets"), database.path()});
  statement.bind(1, QVariant(qlonglong(range.start)));
  statement.bind(2, QVariant(qlonglong(range.end)));
  data.types[MarketNameColumn] =
      db::typeFromDeclared(statement.declaredType(3).toStdString());
  MarketNames names;
  sqlite3_stmt *stmt = statement.handle();
  while (statement.step()) {
    const DataCell auction = readCell(stmt, 0, false, data);
    const DataCell round = readCell(stmt, 1, false, data);
    const DataCell license = readCell(stmt, 2, false, data);
    if (auto key = marketKey(auction, round, license, keys))
      names[std::move(*key)].push_back(readCell(stmt, 3, false, data));
  }
  return names;
}

QString bidsStatement(AnalysisKind kind, const QStringList &selection) {
  return QStringLiteral("SELECT [Auction ID], [Round], [License Name], "
                        "[Market], [Block], [Submarket], [Bidder], "
                        "[Increments of Bid], [Gross Bid Amount], [Net Bid "
                        "Amount] FROM [All Bids]") +
         bidsCondition(kind, selection) +
         (kind == AnalysisKind::Rounds
              ? QStringLiteral(" ORDER BY [Round], rowid")
              : QStringLiteral(" ORDER BY [Market] COLLATE JETTEXT, rowid"));
}

// Where each column of the bids statement goes in the data set.
constexpr std::array<int, 10> kBidColumns{
    AuctionIdColumn,   RoundColumn,     LicenseNameColumn, MarketColumn,
    BlockColumn,       SubmarketColumn, BidderColumn,      IncrementsColumn,
    GrossAmountColumn, NetAmountColumn};

} // namespace

qint64 countBids(const db::Database &database, AnalysisKind kind,
                 RoundRange range, const QStringList &selection) {
  const QString sql = QStringLiteral("SELECT COUNT(*) FROM [All Bids]") +
                      bidsCondition(kind, selection);
  db::Statement statement(connectionOf(database), sql,
                          {sql, QStringLiteral("All Bids"), database.path()});
  bindCondition(statement, kind, range, selection);
  return statement.step() ? statement.value(0).toLongLong() : 0;
}

std::optional<DataSet>
readDataSet(const db::Database &database, AnalysisKind kind, RoundRange range,
            const QStringList &selection,
            const std::function<bool(qint64)> &progress) {
  DataSet data;
  TextKeys keys(data);
  const MarketNames marketNames = readMarketNames(database, range, data, keys);
  const QString sql = bidsStatement(kind, selection);
  db::Statement statement(connectionOf(database), sql,
                          {sql, QStringLiteral("All Bids"), database.path()});
  bindCondition(statement, kind, range, selection);
  for (std::size_t i = 0; i < kBidColumns.size(); ++i)
    data.types[kBidColumns[i]] =
        db::typeFromDeclared(statement.declaredType(int(i)).toStdString());
  sqlite3_stmt *stmt = statement.handle();
  std::array<DataCell, kDataSetColumns> row{};
  qint64 read = 0;
  while (statement.step()) {
    if (++read % kProgressEvery == 0 && progress && !progress(read))
      return std::nullopt;
    for (std::size_t i = 0; i < kBidColumns.size(); ++i)
      row[kBidColumns[i]] =
          readCell(stmt, int(i), kBidColumns[i] >= GrossAmountColumn, data);
    const auto key = marketKey(row[AuctionIdColumn], row[RoundColumn],
                               row[LicenseNameColumn], keys);
    const auto found = key ? marketNames.find(*key) : marketNames.end();
    if (found == marketNames.end())
      continue;
    for (const DataCell &marketName :
         found->second) { // one row per matching market, as a join gives
      row[MarketNameColumn] = marketName;
      data.cells.insert(data.cells.end(), row.begin(), row.end());
    }
  }
  if (progress && !progress(read))
    return std::nullopt;
  if (data.cells.empty())
    throw db::Error(db::err::NoCurrentRecord,
                    QStringLiteral("No current record."));
  return data;
}

} // namespace analysis
