#include "analysis/PivotCsv.h"

#include "db/Error.h"
#include "summary/Money.h"

#include <QLocale>
#include <QSaveFile>

namespace analysis {

namespace {

db::Error fileError(const QString &detail) {
  return db::Error(db::err::FileAccess,
                   QStringLiteral("Path/File access error: ") + detail);
}

// A field quoted as RFC 4180 asks when it holds a comma, a quote or a line
// break.
QString csvField(const QString &text) {
  if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
      !text.contains(u'\r'))
    return text;
  return u'"' +
         QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
         u'"';
}

QString itemText(const QVariant &item) {
  if (item.isNull())
    return {};
  if (item.typeId() == QMetaType::Double)
    return QString::number(item.toDouble(), 'g',
                           QLocale::FloatingPointShortest);
  return item.toString();
}

void writeLine(QSaveFile &file, const QStringList &fields) {
  const QByteArray line = (fields.join(u',') + QStringLiteral("\r\n")).toUtf8();
  if (file.write(line) != line.size())
    throw fileError(file.errorString());
}

} // namespace

// Ten-thousandths as a plain decimal: "1234.5", "-0.25", "0"; no separators, no
// trailing zeros.
QString plainAmount(qint64 units) {
  const bool negative = units < 0;
  const quint64 magnitude = negative ? 0 - quint64(units) : quint64(units);
  QString text =
      QString::number(magnitude / quint64(summary::kMoneyUnitsPerDollar));
  const quint64 fraction = magnitude % quint64(summary::kMoneyUnitsPerDollar);
  if (fraction != 0) {
    QString digits =
        QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
    while (digits.endsWith(u'0'))
      digits.chop(1);
    text += u'.' + digits;
  }
  return negative ? u'-' + text : text;
}

void writePivotCsv(const QString &path, const PivotTable &pivot) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    throw fileError(file.errorString());
  for (int field = 0; field < kColumnFields; ++field) {
    QStringList fields{csvField(columnFieldNames()[field])};
    for (int column = 0; column < pivot.columnCount(); ++column)
      fields << csvField(itemText(pivot.item(column, field)));
    writeLine(file, fields);
  }
  for (int row = 0; row < pivot.rowCount(); ++row) {
    QStringList fields{QString::number(pivot.rounds[std::size_t(row)])};
    qint64 next = pivot.rowStart[std::size_t(row)];
    for (int column = 0; column < pivot.columnCount(); ++column) {
      const bool held = next < pivot.rowStart[std::size_t(row) + 1] &&
                        pivot.cellColumn[std::size_t(next)] == column;
      fields << (held ? plainAmount(pivot.cellSum[std::size_t(next++)])
                      : QString());
    }
    writeLine(file, fields);
  }
  if (!file.commit())
    throw fileError(file.errorString());
}

} // namespace analysis
