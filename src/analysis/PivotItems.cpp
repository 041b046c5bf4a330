#include "analysis/PivotItems.h"

#include "analysis/TextKey.h"
#include "db/TextCollation.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

namespace analysis {

namespace {

// The rank class of an item: numbers, then texts, then the empty item.
int itemClass(const DataCell &cell) {
  switch (cell.kind) {
  case DataCell::Kind::Integer:
  case DataCell::Kind::Money:
  case DataCell::Kind::Real:
    return 0;
  case DataCell::Kind::Text:
    return 1;
  case DataCell::Kind::Null:
    break;
  }
  return 2;
}

long double numberOf(const DataCell &cell) {
  switch (cell.kind) {
  case DataCell::Kind::Integer:
    return static_cast<long double>(cell.integer());
  case DataCell::Kind::Money:
    return static_cast<long double>(cell.bits) / 10000.0L;
  default:
    return static_cast<long double>(cell.real());
  }
}

// Gives each row of the column its item id (ids in order of first appearance)
// and each item its value.
class ItemIds {
public:
  explicit ItemIds(const DataSet &data)
      : data_(data), textIds_(std::size_t(data.texts.size()), -1) {}

  int idOf(const DataCell &cell) {
    switch (cell.kind) {
    case DataCell::Kind::Text:
      return textId(int(cell.bits));
    case DataCell::Kind::Null:
      return emptyId();
    default:
      break;
    }
    // Kind and bits identify a number: an integer and a real are never equal
    // (whole reals are read as integers).
    const auto [found, added] =
        numberIds_.try_emplace({int(cell.kind), cell.bits}, int(items.size()));
    if (added)
      items.push_back(cell);
    return found->second;
  }

  std::vector<DataCell> items;

private:
  int textId(int text) {
    int &id = textIds_[std::size_t(text)];
    if (id >= 0)
      return id;
    if (data_.texts[text].isEmpty())
      return id = emptyId();
    const QString key = textKey(data_.texts[text]);
    const auto found = keyIds_.constFind(key);
    if (found != keyIds_.constEnd())
      return id = found.value();
    id = int(items.size());
    keyIds_.insert(key, id);
    items.push_back({DataCell::Kind::Text, text});
    return id;
  }
  int emptyId() {
    if (emptyId_ < 0) {
      emptyId_ = int(items.size());
      items.push_back({});
    }
    return emptyId_;
  }

  struct NumberHash {
    std::size_t operator()(const std::pair<int, qint64> &key) const {
      return qHashMulti(0, key.first, key.second);
    }
  };
  const DataSet &data_;
  std::vector<int> textIds_;
  std::unordered_map<std::pair<int, qint64>, int, NumberHash> numberIds_;
  QHash<QString, int> keyIds_;
  int emptyId_ = -1;
};

} // namespace

PivotItems rankItems(const DataSet &data, int column) {
  ItemIds ids(data);
  const int rows = data.rowCount();
  std::vector<int> rowIds(std::size_t(rows), 0);
  for (int row = 0; row < rows; ++row)
    rowIds[std::size_t(row)] = ids.idOf(data.cell(row, column));

  std::vector<std::string> utf8(ids.items.size());
  for (std::size_t i = 0; i < ids.items.size(); ++i)
    if (ids.items[i].kind == DataCell::Kind::Text)
      utf8[i] = data.texts[qsizetype(ids.items[i].bits)].toStdString();
  std::vector<int> order(ids.items.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    const DataCell &x = ids.items[std::size_t(a)];
    const DataCell &y = ids.items[std::size_t(b)];
    if (itemClass(x) != itemClass(y))
      return itemClass(x) < itemClass(y);
    if (itemClass(x) == 0)
      return numberOf(x) < numberOf(y);
    if (itemClass(x) == 1)
      return db::compareText(utf8[std::size_t(a)], utf8[std::size_t(b)]) < 0;
    return false;
  });

  PivotItems result;
  std::vector<int> rankOf(order.size());
  for (std::size_t rank = 0; rank < order.size(); ++rank) {
    rankOf[std::size_t(order[rank])] = int(rank);
    result.items.push_back(ids.items[std::size_t(order[rank])]);
  }
  result.rowRank.resize(rowIds.size());
  for (std::size_t row = 0; row < rowIds.size(); ++row)
    result.rowRank[row] = rankOf[std::size_t(rowIds[row])];
  return result;
}

} // namespace analysis
