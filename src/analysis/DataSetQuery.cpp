// The data set of an analysis, read with native statements: the bids of [All Bids] in the range and selection, each
// joined with its [Markets] rows by auction, round and license name (analysis/MarketNames.h), then put in the
// analysis's order. A join in SQL would compare license names in the engine's text order, which no stored index
// serves, and so scan a round's markets once per bid; ordering in SQL would call that text order millions of times
// where ranking the few distinct markets once does.
#include "analysis/AnalysisQuery.h"
#include "analysis/MarketNames.h"
#include "analysis/RowOrder.h"
#include "analysis/StoredCells.h"
#include "db/Error.h"
#include "db/Sqlite.h"

#include <sqlite3.h>

#include <algorithm>

namespace analysis {

namespace {

constexpr qint64 kProgressEvery = 4096;

sqlite3 *connectionOf(const db::Database &database) {
    sqlite3 *connection = database.handle();
    if (!connection)
        throw db::Error(3420, QStringLiteral("Object invalid or no longer set."));
    return connection;
}

// Whether the range covers much of the rounds of a table. Its rows are then read in stored order, not through the
// round index: the index visits the table's pages in random order, slower than reading all of them once.
bool wideRange(const db::Database &database, const QString &table, RoundRange range) {
    const QString sql = QStringLiteral("SELECT MIN([Round]), MAX([Round]) FROM [%1]").arg(table);
    db::Statement statement(connectionOf(database), sql, {sql, table, database.path()});
    if (!statement.step() || statement.value(0).isNull())
        return false;
    const double first = statement.value(0).toDouble(), last = statement.value(1).toDouble();
    const double covered = std::min(double(range.end), last) - std::max(double(range.start), first) + 1;
    return covered * 5 > last - first + 1;
}

// The condition on the round; a unary plus keeps the engine from using the round index.
QString roundCondition(bool wide) {
    return wide ? QStringLiteral(" WHERE +[Round] BETWEEN ?1 AND ?2")
                : QStringLiteral(" WHERE [Round] BETWEEN ?1 AND ?2");
}

// The WHERE clause of the bids: the range as ?1 and ?2, the selected names from ?3 on.
QString bidsCondition(AnalysisKind kind, const QStringList &selection, bool wide) {
    QString where = roundCondition(wide);
    if (kind == AnalysisKind::Rounds)
        return where;
    where += kind == AnalysisKind::Bidders ? QStringLiteral(" AND [Bidder] COLLATE JETTEXT IN (")
                                           : QStringLiteral(" AND [License Name] COLLATE JETTEXT IN (");
    for (int i = 0; i < selection.size(); ++i)
        where += (i ? QStringLiteral(", ?") : QStringLiteral("?")) + QString::number(i + 3);
    return where + u')';
}

void bindCondition(db::Statement &statement, AnalysisKind kind, RoundRange range, const QStringList &selection) {
    statement.bind(1, QVariant(qlonglong(range.start)));
    statement.bind(2, QVariant(qlonglong(range.end)));
    if (kind == AnalysisKind::Rounds)
        return;
    for (int i = 0; i < selection.size(); ++i)
        statement.bind(i + 3, selection[i]);
}

// Reads the range's markets; sets the declared type of the Market Name column.
MarketNames readMarketNames(const db::Database &database, RoundRange range, DataSet &data, StoredCells &cells,
                            TextKeys &keys) {
    const QString sql = QStringLiteral("SELECT [Auction ID], [Round], [License Name], [Market Name] FROM [Markets]") +
                        roundCondition(wideRange(database, QStringLiteral("Markets"), range)) +
                        QStringLiteral(" ORDER BY rowid");
    db::Statement statement(connectionOf(database), sql, {sql, QStringLiteral("Markets"), database.path()});
    statement.bind(1, QVariant(qlonglong(range.start)));
    statement.bind(2, QVariant(qlonglong(range.end)));
    data.types[MarketNameColumn] = db::typeFromDeclared(statement.declaredType(3).toStdString());
    MarketNames names;
    sqlite3_stmt *stmt = statement.handle();
    while (statement.step()) {
        const DataCell auction = cells.read(stmt, 0, false);
        const DataCell round = cells.read(stmt, 1, false);
        const DataCell license = cells.read(stmt, 2, false);
        if (const auto key = marketKey(auction, round, license, keys))
            names.add(*key, cells.read(stmt, 3, false));
    }
    return names;
}

// Where each column of the bids statement goes in the data set.
constexpr std::array<int, 10> kBidColumns{AuctionIdColumn,   RoundColumn,     LicenseNameColumn, MarketColumn,
                                          BlockColumn,       SubmarketColumn, BidderColumn,      IncrementsColumn,
                                          GrossAmountColumn, NetAmountColumn};

// Reads the bids in stored order, each joined with its markets (one row per market, as a join gives). Nothing when
// progress asks to stop.
bool readBids(db::Statement &statement, MarketNames &markets, DataSet &data, StoredCells &cells, TextKeys &keys,
              const std::function<bool(qint64)> &progress) {
    for (std::size_t i = 0; i < kBidColumns.size(); ++i)
        data.types[std::size_t(kBidColumns[i])] = db::typeFromDeclared(statement.declaredType(int(i)).toStdString());
    sqlite3_stmt *stmt = statement.handle();
    std::array<DataCell, kDataSetColumns> row{};
    qint64 read = 0;
    while (statement.step()) {
        if (++read % kProgressEvery == 0 && progress && !progress(read))
            return false;
        for (std::size_t i = 0; i < kBidColumns.size(); ++i)
            row[std::size_t(kBidColumns[i])] = cells.read(stmt, int(i), kBidColumns[i] >= GrossAmountColumn);
        const auto key = marketKey(row[AuctionIdColumn], row[RoundColumn], row[LicenseNameColumn], keys);
        for (int entry = key ? markets.first(*key) : -1; entry >= 0; entry = markets.entry(entry).next) {
            row[MarketNameColumn] = markets.entry(entry).name;
            data.cells.insert(data.cells.end(), row.begin(), row.end());
        }
    }
    return !progress || progress(read);
}

}  // namespace

qint64 countBids(const db::Database &database, AnalysisKind kind, RoundRange range, const QStringList &selection) {
    const QString sql = QStringLiteral("SELECT COUNT(*) FROM [All Bids]") +
                        bidsCondition(kind, selection, wideRange(database, QStringLiteral("All Bids"), range));
    db::Statement statement(connectionOf(database), sql, {sql, QStringLiteral("All Bids"), database.path()});
    bindCondition(statement, kind, range, selection);
    return statement.step() ? statement.value(0).toLongLong() : 0;
}

std::optional<DataSet> readDataSet(const db::Database &database, AnalysisKind kind, RoundRange range,
                                   const QStringList &selection, const std::function<bool(qint64)> &progress) {
    DataSet data;
    StoredCells cells(data);
    TextKeys keys(data);
    MarketNames markets = readMarketNames(database, range, data, cells, keys);
    const QString sql = QStringLiteral("SELECT [Auction ID], [Round], [License Name], [Market], [Block], "
                                       "[Submarket], [Bidder], [Increments of Bid], [Gross Bid Amount], "
                                       "[Net Bid Amount] FROM [All Bids]") +
                        bidsCondition(kind, selection, wideRange(database, QStringLiteral("All Bids"), range)) +
                        QStringLiteral(" ORDER BY rowid");
    db::Statement statement(connectionOf(database), sql, {sql, QStringLiteral("All Bids"), database.path()});
    bindCondition(statement, kind, range, selection);
    if (!readBids(statement, markets, data, cells, keys, progress))
        return std::nullopt;
    if (data.cells.empty())
        throw db::Error(db::err::NoCurrentRecord, QStringLiteral("No current record."));
    // By round for the round analysis, by market for the others; bids that tie stay in stored order.
    reorderRows(data, rowsOrderedBy(data, kind == AnalysisKind::Rounds ? RoundColumn : MarketColumn));
    return data;
}

}  // namespace analysis
