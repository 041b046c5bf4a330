#include "analysis/MarketNames.h"

#include "analysis/TextKey.h"

namespace analysis {

namespace {

// Number cells as the engine compares them in the join; nothing for text or a missing value.
std::optional<double> joinNumber(const DataCell &cell) {
    if (cell.kind == DataCell::Kind::Integer)
        return double(cell.integer());
    if (cell.kind == DataCell::Kind::Real)
        return cell.real();
    return std::nullopt;
}

}  // namespace

int TextKeys::id(int text) {
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

std::optional<MarketKey> marketKey(const DataCell &auction, const DataCell &round, const DataCell &license,
                                   TextKeys &keys) {
    const auto auctionNumber = joinNumber(auction);
    const auto roundNumber = joinNumber(round);
    if (!auctionNumber || !roundNumber || license.kind != DataCell::Kind::Text)
        return std::nullopt;
    return MarketKey{*auctionNumber, *roundNumber, keys.id(int(license.integer()))};
}

void MarketNames::add(const MarketKey &key, const DataCell &name) {
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

int MarketNames::first(const MarketKey &key) {
    const int group = groupOf(key, false);
    if (group < 0)
        return -1;
    const std::vector<Chain> &byLicense = groups_[std::size_t(group)].byLicense;
    return std::size_t(key.license) < byLicense.size() ? byLicense[std::size_t(key.license)].first : -1;
}

int MarketNames::groupOf(const MarketKey &key, bool create) {
    const auto holds = [&](int g) {
        return g >= 0 && groups_[std::size_t(g)].auction == key.auction && groups_[std::size_t(g)].round == key.round;
    };
    if (holds(last_))
        return last_;
    if (const auto found = index_.find({key.auction, key.round}); found != index_.end())
        return last_ = found->second;
    if (!create)
        return -1;
    groups_.push_back({key.auction, key.round, {}});
    index_.emplace(std::pair{key.auction, key.round}, int(groups_.size()) - 1);
    return last_ = int(groups_.size()) - 1;
}

}  // namespace analysis
