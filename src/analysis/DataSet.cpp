#include "analysis/DataSet.h"

#include "summary/Money.h"

namespace analysis {

const QStringList &dataSetColumnNames() {
  static const QStringList names{
      QStringLiteral("Auction ID"),
      QStringLiteral("Round"),
      QStringLiteral("License Name"),
      QStringLiteral("Market"),
      QStringLiteral("Block"),
      QStringLiteral("Submarket"),
      QStringLiteral("Market Name"),
      QStringLiteral("Bidder"),
      QStringLiteral("Increments of Bid"),
      QStringLiteral("Gross Bid Amount"),
      QStringLiteral("Net Bid Amount"),
  };
  return names;
}

int DataSet::internText(const QString &text) {
  const auto found = textIndex.constFind(text);
  if (found != textIndex.constEnd())
    return found.value();
  const int index = int(texts.size());
  texts.append(text);
  textIndex.insert(text, index);
  return index;
}

QVariant DataSet::value(const DataCell &cell) const {
  switch (cell.kind) {
  case DataCell::Kind::Integer:
    return QVariant(qlonglong(cell.integer()));
  case DataCell::Kind::Money:
    return QVariant(double(cell.bits) / double(summary::kMoneyUnitsPerDollar));
  case DataCell::Kind::Real:
    return QVariant(cell.real());
  case DataCell::Kind::Text:
    return QVariant(texts[qsizetype(cell.bits)]);
  case DataCell::Kind::Null:
    break;
  }
  return {};
}

} // namespace analysis
