#include "analysis/AnalysisTestSupport.h"

#include "db/Recordset.h"

#include <cmath>

namespace analysistest {

QString comparable(const QVariant &value) {
  if (value.isNull())
    return QStringLiteral("<null>");
  if (value.typeId() == QMetaType::Double ||
      value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
    return u'#' + QString::number(units(value));
  return value.toString();
}

qint64 units(const QVariant &amount) {
  return std::llround(amount.toDouble() * 10000.0);
}

QStringList queryRows(const db::Database &database, const QString &jetSql) {
  QStringList rows;
  for (auto rs = database.openRecordset(jetSql, db::RecordsetType::Snapshot);
       !rs->eof(); rs->moveNext()) {
    QStringList cells;
    for (int c = 0; c < rs->fieldCount(); ++c)
      cells << comparable(rs->value(c));
    rows << cells.join(u'\t');
  }
  return rows;
}

QStringList dataSetRows(const analysis::DataSet &data) {
  QStringList rows;
  for (int r = 0; r < data.rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < analysis::kDataSetColumns; ++c)
      cells << comparable(data.value(r, c));
    rows << cells.join(u'\t');
  }
  return rows;
}

namespace {

QString quoted(const QString &text) {
  return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

} // namespace

void renameLicense(db::Database &database, const QString &from,
                   const QString &to) {
  for (const QString &table :
       {QStringLiteral("All Bids"), QStringLiteral("Markets")})
    database.execute(
        QStringLiteral(
            "UPDATE [%1] SET [License Name] = %2 WHERE [License Name] = %3")
            .arg(table, quoted(to), quoted(from)));
}

void renameBidder(db::Database &database, const QString &from,
                  const QString &to) {
  database.execute(
      QStringLiteral("UPDATE [All Bids] SET [Bidder] = %1 WHERE [Bidder] = %2")
          .arg(quoted(to), quoted(from)));
}

} // namespace analysistest
