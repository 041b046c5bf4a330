// The join of an analysis's bids with their markets: a bid matches the [Markets] rows of its auction and round
// whose license name the engine holds equal to its own (without regard to case). Auction and round must be numbers;
// a row missing one, or its license name, matches nothing, as in the engine's join.
//
// Markets are grouped by auction and round, each group a table indexed by license: bids come round by round, so a
// lookup finds its group at once and its license in a short array instead of missing the cache in a large table.
//
// Built and used on one thread; the data set whose texts the keys number must outlive TextKeys.
#pragma once

#include "analysis/DataSet.h"

#include <QHash>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace analysis {

struct MarketKey {
    double auction;
    double round;
    int license;  // the license name's TextKeys id
};

// Numbers the data set's texts by their key (analysis/TextKey.h): texts the engine holds equal get the same id.
// Each text's key is computed once.
class TextKeys {
public:
    explicit TextKeys(const DataSet &data) : data_(data) {}
    int id(int text);

private:
    const DataSet &data_;
    std::vector<int> ids_;
    QHash<QString, int> byKey_;
};

// The key of a bid's or market's auction, round and license cells; nothing when it matches nothing.
std::optional<MarketKey> marketKey(const DataCell &auction, const DataCell &round, const DataCell &license,
                                   TextKeys &keys);

// The [Market Name]s by key; a key held by several markets lists them in the order added.
class MarketNames {
public:
    struct Entry {
        DataCell name;
        int next = -1;  // the next market of the same key, or -1
    };

    void add(const MarketKey &key, const DataCell &name);
    // The first market of the key, or -1.
    int first(const MarketKey &key);
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
    int groupOf(const MarketKey &key, bool create);

    std::vector<Group> groups_;
    std::map<std::pair<double, double>, int> index_;
    int last_ = -1;  // the group found last: bids come round by round
    std::vector<Entry> entries_;
};

}  // namespace analysis
