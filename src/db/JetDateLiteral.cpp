#include "db/JetDateLiteral.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>

namespace db::jet {

namespace {

int monthFromName(const QString &name) {
    static const char *const names[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                        "jul", "aug", "sep", "oct", "nov", "dec"};
    const QString lower = name.left(3).toLower();
    for (int i = 0; i < 12; ++i)
        if (lower == QLatin1String(names[i]))
            return i + 1;
    return 0;
}

int fullYear(int year, qsizetype digits) {
    if (digits > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

// The date part; an empty text gives day 0 of Jet's calendar.
std::optional<QDate> parseDate(const QString &text) {
    if (text.isEmpty())
        return QDate(1899, 12, 30);
    static const QRegularExpression us(QStringLiteral("^(\\d{1,2})[/-](\\d{1,2})[/-](\\d{1,4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{3,4})[/-](\\d{1,2})[/-](\\d{1,2})$"));
    static const QRegularExpression named(QStringLiteral("^(\\d{1,2})[- ]([A-Za-z]{3,})[- ,]+(\\d{1,4})$"));
    static const QRegularExpression monthFirst(QStringLiteral("^([A-Za-z]{3,})[- ](\\d{1,2}),?[- ](\\d{1,4})$"));
    QDate date;
    if (auto m = iso.match(text); m.hasMatch()) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    } else if (auto u = us.match(text); u.hasMatch()) {
        date = QDate(fullYear(u.captured(3).toInt(), u.captured(3).size()), u.captured(1).toInt(),
                     u.captured(2).toInt());
    } else if (auto n = named.match(text); n.hasMatch()) {
        date = QDate(fullYear(n.captured(3).toInt(), n.captured(3).size()), monthFromName(n.captured(2)),
                     n.captured(1).toInt());
    } else if (auto f = monthFirst.match(text); f.hasMatch()) {
        date = QDate(fullYear(f.captured(3).toInt(), f.captured(3).size()), monthFromName(f.captured(1)),
                     f.captured(2).toInt());
    }
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<QTime> parseTime(const QString &text) {
    if (text.isEmpty())
        return QTime(0, 0, 0);
    static const QRegularExpression time(
        QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*([AaPp][Mm])?$"));
    const auto m = time.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    int hour = m.captured(1).toInt();
    const QString half = m.captured(4).toUpper();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (half == QLatin1String("PM") ? 12 : 0);
    }
    const QTime t(hour, m.captured(2).toInt(), m.captured(3).toInt());
    if (!t.isValid())
        return std::nullopt;
    return t;
}

}  // namespace

std::optional<QString> isoFromJetDate(const QString &text) {
    const QString trimmed = text.trimmed();
    // The time, if any, starts at the first blank followed by a digit and holds a colon.
    static const QRegularExpression split(QStringLiteral("^(.*?)\\s*(\\d{1,2}:\\d{2}(?::\\d{2})?\\s*(?:[AaPp][Mm])?)?$"));
    const auto m = split.match(trimmed);
    if (!m.hasMatch())
        return std::nullopt;
    const auto date = parseDate(m.captured(1).trimmed());
    const auto time = parseTime(m.captured(2));
    if (!date || !time || trimmed.isEmpty())
        return std::nullopt;
    return date->toString(QStringLiteral("yyyy-MM-dd")) + u' ' + time->toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace db::jet
