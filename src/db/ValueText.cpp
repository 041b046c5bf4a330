#include "db/ValueText.h"

#include <QDateTime>

#include <cmath>

namespace db {

namespace {

QString trimZeros(QString text) {
    if (!text.contains(u'.'))
        return text;
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

}  // namespace

QString plainNumber(double value) {
    if (!std::isfinite(value))
        return QString::number(value);
    // 15 significant digits, as VB shows a Double, then written out without an exponent.
    const QString g = QString::number(value, 'g', 15);
    const qsizetype e = g.indexOf(u'e');
    if (e < 0)
        return trimZeros(g);
    const bool negative = g.startsWith(u'-');
    QString digits = g.mid(negative ? 1 : 0, e - (negative ? 1 : 0)).remove(u'.');
    const int exponent = g.mid(e + 1).toInt();
    QString out;
    if (exponent >= 0) {
        if (digits.size() <= exponent + 1)
            out = digits + QString(exponent + 1 - digits.size(), u'0');
        else
            out = digits.left(exponent + 1) + u'.' + digits.mid(exponent + 1);
    } else {
        out = QStringLiteral("0.") + QString(-exponent - 1, u'0') + digits;
    }
    return trimZeros((negative ? QStringLiteral("-") : QString()) + out);
}

QString plainText(const QVariant &value, ColumnType type) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int: return QString::number(value.toLongLong());
    case QMetaType::Double:
        if (type == ColumnType::Currency)
            return trimZeros(QString::number(value.toDouble(), 'f', 4));
        return plainNumber(value.toDouble());
    case QMetaType::QByteArray: return QString::fromLatin1(value.toByteArray().toHex());
    default: return value.toString();
    }
}

namespace {

QString dateText(const QString &iso, const QLocale &locale) {
    // Date and time read apart: a stored value is a wall-clock time without a zone, and a QDateTime in local time
    // would consult the system's zone (a look at /etc/localtime) for every cell shown or printed.
    if (iso.size() != 19 || iso[10] != u' ')
        return iso;
    const QDate date = QDate::fromString(iso.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(iso.mid(11), QStringLiteral("HH:mm:ss"));
    if (!date.isValid() || !time.isValid())
        return iso;
    QString text = locale.toString(date, QLocale::ShortFormat);
    if (time != QTime(0, 0))
        text += u' ' + locale.toString(time, QLocale::ShortFormat);
    return text;
}

QString currencyText(double value, const QLocale &locale) {
    const double cents = value * 100;
    const int decimals = std::fabs(cents - std::round(cents)) < 1e-6 ? 2 : 4;
    return locale.toString(value, 'f', decimals);
}

}  // namespace

QString displayText(const QVariant &value, ColumnType type, const QLocale &locale) {
    if (value.isNull())
        return {};
    switch (type) {
    case ColumnType::DateTime: return dateText(value.toString(), locale);
    case ColumnType::Currency: return value.canConvert<double>() ? currencyText(value.toDouble(), locale) : value.toString();
    case ColumnType::Boolean: return value.toLongLong() != 0 ? QStringLiteral("True") : QStringLiteral("False");
    default: break;
    }
    if (value.typeId() == QMetaType::Double)
        return QString(plainNumber(value.toDouble())).replace(u'.', locale.decimalPoint());
    return plainText(value, type);
}

}  // namespace db
