#include "summary/Money.h"

#include <cmath>
#include <limits>

namespace summary {

namespace {

// Decimal text such as "-2147528748.2000": sign, digits, at most one point; digits past the fourth decimal round
// the last kept one half away from zero.
std::optional<qint64> unitsOfText(const QString &text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        negative = t[i++] == u'-';
    qint64 units = 0;
    int decimals = -1;  // -1 before the point
    bool anyDigit = false, roundUp = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (!c.isDigit())
            return std::nullopt;
        anyDigit = true;
        const int digit = c.digitValue();
        if (decimals >= 4) {
            if (decimals++ == 4)
                roundUp = digit >= 5;
            continue;
        }
        if (units > (std::numeric_limits<qint64>::max() - digit) / 10)
            return std::nullopt;
        units = units * 10 + digit;
        if (decimals >= 0)
            ++decimals;
    }
    if (!anyDigit)
        return std::nullopt;
    for (int d = std::max(decimals, 0); d < 4; ++d) {
        if (units > std::numeric_limits<qint64>::max() / 10)
            return std::nullopt;
        units *= 10;
    }
    units += roundUp ? 1 : 0;
    return negative ? -units : units;
}

}  // namespace

std::optional<qint64> moneyUnits(const QVariant &stored) {
    switch (stored.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt: {
        const qint64 dollars = stored.toLongLong();
        if (dollars > std::numeric_limits<qint64>::max() / kMoneyUnitsPerDollar ||
            dollars < std::numeric_limits<qint64>::min() / kMoneyUnitsPerDollar)
            return std::nullopt;
        return dollars * kMoneyUnitsPerDollar;
    }
    case QMetaType::Double: {
        // The nearest ten-thousandth: a REAL's error is far below half of one for amounts of this size.
        const double scaled = std::round(stored.toDouble() * double(kMoneyUnitsPerDollar));
        if (!std::isfinite(scaled) || std::fabs(scaled) >= 9.2e18)
            return std::nullopt;
        return qint64(scaled);
    }
    case QMetaType::QString: return unitsOfText(stored.toString());
    default: return std::nullopt;
    }
}

std::optional<qint64> moneyDifference(std::optional<qint64> a, std::optional<qint64> b) {
    qint64 result = 0;
    if (!a || !b || __builtin_sub_overflow(*a, *b, &result))
        return std::nullopt;
    return result;
}

namespace {

qint64 roundedQuotient(qint64 units, qint64 divisor) {
    const qint64 half = divisor / 2;
    return units >= 0 ? (units + half) / divisor : -((-(units + 1) + 1 + half) / divisor);
}

QString groupedDigits(qint64 magnitude) {
    const QString digits = QString::number(magnitude);
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += u',';
        out += digits[i];
    }
    return out;
}

QString signedText(qint64 value, const QString &prefix) {
    if (value < 0)
        return u'-' + prefix + groupedDigits(-value);
    return prefix + groupedDigits(value);
}

}  // namespace

qint64 wholeDollars(qint64 units) { return roundedQuotient(units, kMoneyUnitsPerDollar); }

qint64 wholeCents(qint64 units) { return roundedQuotient(units, kMoneyUnitsPerDollar / 100); }

QString moneyText(qint64 units) { return signedText(wholeDollars(units), QStringLiteral("$")); }

QString countText(qint64 value) { return signedText(value, QString()); }

}  // namespace summary
