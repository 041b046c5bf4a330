#include "analysis/RoundRange.h"

#include "db/Error.h"
#include "db/Sqlite.h"

#include <cmath>
#include <optional>

namespace analysis {

namespace {

// The digits of a "9999" mask box as a number; nothing when it holds none
// (blanks and prompt characters only).
std::optional<qint64> maskNumber(const QString &text) {
  qint64 value = 0;
  bool any = false;
  for (const QChar c : text) {
    if (!c.isDigit())
      continue;
    // The box takes four digits; more (from a caller) still parse without
    // overflow up to 18.
    if (value > 99999999999999999LL)
      break;
    value = value * 10 + c.digitValue();
    any = true;
  }
  return any ? std::optional<qint64>(value) : std::nullopt;
}

QString joined(std::initializer_list<const char *> lines) {
  QStringList parts;
  for (const char *line : lines)
    parts << QString::fromLatin1(line);
  return parts.join(app::CR);
}

} // namespace

RangeVerdict checkRange(const QString &from, const QString &to, qint64 highest,
                        RoundRange &range) {
  const std::optional<qint64> start = maskNumber(from);
  if (!start)
    return RangeVerdict::Empty;
  range.start = *start;
  range.end = maskNumber(to).value_or(*start);
  if (range.start > highest)
    return RangeVerdict::StartTooHigh;
  if (range.end > highest)
    return RangeVerdict::EndTooHigh;
  return RangeVerdict::Accepted;
}

QString startTooHighMessage(AnalysisKind kind) {
  switch (kind) {
  case AnalysisKind::Bidders:
    return joined({"Error! The starting round you have requested is",
                   "      outside the range of imported rounds.",
                   "               Please try again."});
  case AnalysisKind::Rounds:
    return joined({"Error! The starting round you have requested is",
                   "     outside the range of imported rounds.",
                   "                Please try again."});
  case AnalysisKind::Markets:
    break;
  }
  return joined({"Error! The starting round you have requested is",
                 "     outside the range of imported rounds.",
                 "               Please try again."});
}

app::MessageStyle startTooHighStyle() {
  return {app::Buttons::OK, app::Icon::Exclamation, app::DefaultButton::First};
}

QString endTooHighQuestion() {
  return joined({" Error! The ending round you have requested is",
                 "      outside the range of imported rounds.",
                 "Would you like to use all available rounds after",
                 "             the specified starting round?"});
}

app::MessageStyle endTooHighStyle() {
  return {app::Buttons::YesNo, app::Icon::None, app::DefaultButton::First};
}

QString rangeMessageTitle() { return QStringLiteral("Error"); }

qint64 highestRound(const db::Database &database) {
  sqlite3 *connection = database.handle();
  if (!connection)
    throw db::Error(3420, QStringLiteral("Object invalid or no longer set."));
  const QString sql = QStringLiteral("SELECT MAX([Round]) FROM [sysRounds]");
  db::Statement statement(connection, sql,
                          {sql, QStringLiteral("sysRounds"), database.path()});
  if (!statement.step())
    return 0;
  const QVariant value = statement.value(0);
  bool ok = false;
  const double number = value.toDouble(&ok);
  if (value.isNull() || !ok || !std::isfinite(number))
    return 0;
  return qint64(std::floor(number));
}

} // namespace analysis
