// The data set of an analysis, read with native statements: the bids of [All Bids] in the range and selection, each
// joined with its [Markets] rows through a hash of (auction, round, license name key), then put in the analysis's
// order. A join in SQL would compare license names in the engine's text order, which no stored index serves, and so
// scan a round's markets once per bid; ordering in SQL would call that text order millions of times where ranking
// the few distinct markets once does.
#include "analysis/AnalysisQuery.h"
#include "analysis/RowOrder.h"
#include "analysis/StoredCells.h"
#include "analysis/TextKey.h"
#include "db/Error.h"
#include "db/Sqlite.h"

#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <utility>

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

struct MarketKey {
    double auction;
    double round;
    int license;  // the license name's TextKeys id
    bool operator==(const MarketKey &other) const = default;
};

// Number cells as the engine compares them in the join; nothing for text or a missing value.
std::optional<double> joinNumber(const DataCell &cell) {
    if (cell.kind == DataCell::Kind::Integer)
        return double(cell.integer());
    if (cell.kind == DataCell::Kind::Real)
        return cell.real();
    return std::nullopt;
}

// Numbers the data set's texts by their key: texts the engine holds equal get the same id. Each text's key is
// computed once.
class TextKeys {
public:
    explicit TextKeys(const DataSet &data) : data_(data) {}
    int id(int text) {
        while (ids_.size() <= std::size_t(text)) {
            const QString key = textKey(data_.texts[qsizetype(ids_.size())]);
            const auto found = byKey_.constFind(key);
            const int id = found != byKey_.constEnd() ? found.value() : int(byKey_.size());
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

// The key of a bid's or market's auction, round and license; nothing when a part is missing or of the wrong kind
// (such a row matches nothing, as in the engine's join).
std::optional<MarketKey> marketKey(const DataCell &auction, const DataCell &round, const DataCell &license,
                                   TextKeys &keys) {
    const auto auctionNumber = joinNumber(auction);
    const auto roundNumber = joinNumber(round);
    if (!auctionNumber || !roundNumber || license.kind != DataCell::Kind::Text)
        return std::nullopt;
    return MarketKey{*auctionNumber, *roundNumber, keys.id(int(license.integer()))};
}

// The [Market Name]s of the range's markets by key; a key held by several markets lists them in stored order.
// Markets are grouped by auction and round, each group a table indexed by license: bids come round by round, so a
// lookup finds its group at once and its license in a short array instead of missing the cache in a large table.
class MarketNames {
public:
    struct Entry {
        DataCell name;
        int next = -1;  // the next market of the same key
    };

    void add(const MarketKey &key, const DataCell &name) {
        Group &group = groups_[std::size_t(groupOf(key, true))];
        if (group.byLicense.size() <= std::size_t(key.license))
            group.byLicense.resize(std::size_t(key.license) + 1);
        Chain &chain = group.byLicense[std::size_t(key.license)];
        const int index = int(entries_.size());
        entries_.push_back({name});
        if (chain.first < 0)
            chain = {index, index};
        else
            entries_[std::size_t(std::exchange(chain.last, index))].next = index;
    }
    // The first market of the key, or -1.
    int first(const MarketKey &key) {
        const int group = groupOf(key, false);
        if (group < 0)
            return -1;
        const std::vector<Chain> &byLicense = groups_[std::size_t(group)].byLicense;
        return std::size_t(key.license) < byLicense.size() ? byLicense[std::size_t(key.license)].first : -1;
    }
    const Entry &entry(int index) const { return entries_[std::size_t(index)]; }

private:
    struct Chain {
        int first = -1;
        int last = -1;
    };
    struct Group {
        double auction;
        double round;
        std::vector<Chain> byLicense;
    };
    int groupOf(const MarketKey &key, bool create) {
        const auto same = [&](int g) {
            return g >= 0 && groups_[std::size_t(g)].auction == key.auction &&
                   groups_[std::size_t(g)].round == key.round;
        };
        if (same(last_))
            return last_;
        const auto found = index_.find({key.auction, key.round});
        if (found != index_.end())
            return last_ = found->second;
        if (!create)
            return -1;
        groups_.push_back({key.auction, key.round, {}});
        index_.emplace(std::pair{key.auction, key.round}, int(groups_.size()) - 1);
        return last_ = int(groups_.size()) - 1;
    }

    std::vector<Group> groups_;
    std::map<std::pair<double, double>, int> index_;
    int last_ = -1;
    std::vector<Entry> entries_;
};

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
