#include "summary/RoundFigures.h"

#include "db/Sqlite.h"
#include "summary/Money.h"

#include <cmath>

namespace summary {

namespace {

struct Row {
    std::vector<QVariant> values;
    std::vector<db::ColumnType> types;
};

sqlite3 *connectionOf(const db::Database &database) {
    sqlite3 *connection = database.handle();
    if (!connection)
        throw db::Error(3420, QStringLiteral("Object invalid or no longer set."));
    return connection;
}

// The first row of a query with the round bound to ?1, or nothing when it has none. Errors are raised.
std::optional<Row> firstRow(const db::Database &database, const QString &sql, qint64 round) {
    db::Statement statement(connectionOf(database), sql, {sql, {}, database.path()});
    statement.bind(1, QVariant(qlonglong(round)));
    if (!statement.step())
        return std::nullopt;
    Row row;
    for (int c = 0; c < statement.columnCount(); ++c) {
        row.values.push_back(statement.value(c));
        row.types.push_back(db::typeFromDeclared(statement.declaredType(c).toStdString()));
    }
    return row;
}

// As firstRow, with a failure counted as no row: each source is read on its own.
std::optional<Row> firstRowOrNothing(const db::Database &database, const QString &sql, qint64 round) {
    try {
        return firstRow(database, sql, round);
    } catch (const db::Error &) {
        return std::nullopt;
    }
}

std::optional<StoredValue> stored(const std::optional<Row> &row, int column) {
    if (!row || row->values[column].isNull())
        return std::nullopt;
    return StoredValue{row->values[column], row->types[column]};
}

std::optional<qint64> money(const std::optional<Row> &row, int column) {
    return row ? moneyUnits(row->values[column]) : std::nullopt;
}

// A count as its format shows it: whole, a fraction rounded half away from zero.
std::optional<qint64> count(const std::optional<Row> &row, int column) {
    if (!row || row->values[column].isNull())
        return std::nullopt;
    const QVariant &value = row->values[column];
    if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
        return value.toLongLong();
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number) || std::fabs(number) >= 9.2e18)
        return std::nullopt;
    return qint64(std::round(number));
}

const QString kStatistics = QStringLiteral(
    "SELECT [Round Date], [Stage], [Net Bids], [Gross Bids], [Dollar Change in Net Bids], [New Bids], "
    "[Total High Bids], [Tavren Held Licenses], [Withdrawals], [Eligibility Ratio], [Pctg of BUs for High Bids], "
    "[Bidders At Risk], [Eligible Bidders], [Waivers], [Number Reduced], [Pctg of Covered BUs] "
    "FROM [Round Statistics] WHERE [Round] = ?1");
const QString kBidderSums = QStringLiteral(
    "SELECT Sum([Additional Activity Required]) AS [Req], Sum([Current Eligibility]) AS [Cur] "
    "FROM [Bidders] WHERE [Round] = ?1");
const QString kRaising =
    QStringLiteral("SELECT Count([Round]) AS [Raising] FROM [Bidders Raising Own High Bid] WHERE [Round] = ?1");
const QString kMultiIncrement =
    QStringLiteral("SELECT Count([Round]) AS [Mult] FROM [All Bids] WHERE [Increments of Bid] > 1 AND [Round] = ?1");
const QString kNetBids = QStringLiteral("SELECT [Net Bids] FROM [Round Statistics] WHERE [Round] = ?1");

void fillStatistics(RoundFigures &f, const std::optional<Row> &s) {
    f.roundDate = stored(s, 0);
    f.stage = stored(s, 1);
    f.netBids = money(s, 2);
    f.grossBids = money(s, 3);
    f.changePrevRound = money(s, 4);
    f.totalBids = count(s, 5);
    f.highBids = count(s, 6);
    f.tavrenHeldLicenses = count(s, 7);
    f.withdrawals = count(s, 8);
    f.eligibilityRatio = stored(s, 9);
    f.stageTransitionPct = stored(s, 10);
    f.biddersAtRisk = count(s, 11);
    f.eligibleBidders = count(s, 12);
    f.waivers = count(s, 13);
    f.biddersReduced = count(s, 14);
    f.coveredBUsPct = stored(s, 15);
}

qint64 netBidsOf(const db::Database &database, qint64 round) {
    const std::optional<Row> row = firstRow(database, kNetBids, round);
    if (!row)
        throw db::Error::noCurrentRecord();
    const std::optional<qint64> units = moneyUnits(row->values[0]);
    if (!units)
        throw db::Error(db::err::TypeMismatchRuntime, QStringLiteral("Type mismatch"));
    return *units;
}

}  // namespace

std::vector<qint64> roundList(const db::Database &database) {
    db::Statement statement(connectionOf(database),
                            QStringLiteral("SELECT [Round] FROM [sysRounds] ORDER BY [Round] DESC"));
    std::vector<qint64> rounds;
    while (statement.step())
        rounds.push_back(statement.value(0).toLongLong());
    return rounds;
}

std::optional<qint64> auctionNumber(const db::Database &database) {
    db::Statement statement(connectionOf(database), QStringLiteral("SELECT DISTINCT [Auction ID] FROM [Markets]"));
    if (!statement.step() || statement.value(0).isNull())
        return std::nullopt;
    return statement.value(0).toLongLong();
}

RoundFigures readRoundFigures(const db::Database &database, qint64 round) {
    RoundFigures f;
    f.round = round;
    fillStatistics(f, firstRowOrNothing(database, kStatistics, round));
    f.additionalActivityRequired = count(firstRowOrNothing(database, kBidderSums, round), 0);
    f.raisingOwnHighBid = count(firstRowOrNothing(database, kRaising, round), 0);
    f.multiIncrementBids = count(firstRowOrNothing(database, kMultiIncrement, round), 0);
    try {
        f.changePrevDay = dayChange(database, round);
    } catch (const db::Error &error) {
        f.dayChangeError = error;
    }
    return f;
}

std::optional<qint64> previousDayRound(const db::Database &database, qint64 round) {
    // Among rounds before R whose date differs from R's, the latest date; among that date's rounds, the highest.
    static const QString sql = QStringLiteral(
        "SELECT [Round] FROM [Round Statistics] WHERE [Round Date] IN ("
        "SELECT [Round Date] FROM [Round Statistics] WHERE [Round Date] NOT IN ("
        "SELECT [Round Date] FROM [Round Statistics] WHERE [Round] = ?1) AND [Round] < ?1 "
        "ORDER BY [Round Date] DESC LIMIT 1) ORDER BY [Round] DESC LIMIT 1");
    const std::optional<Row> row = firstRow(database, sql, round);
    if (!row || row->values[0].isNull())
        return std::nullopt;
    return row->values[0].toLongLong();
}

qint64 dayChange(const db::Database &database, qint64 round) {
    const std::optional<qint64> previous = previousDayRound(database, round);
    const qint64 current = netBidsOf(database, round);
    if (!previous)
        return current;
    const std::optional<qint64> change = moneyDifference(current, netBidsOf(database, *previous));
    if (!change)
        throw db::Error(db::err::Overflow, QStringLiteral("Overflow"));
    return *change;
}

}  // namespace summary
