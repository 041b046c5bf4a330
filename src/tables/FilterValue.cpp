#include "tables/FilterValue.h"

#include "db/JetDate.h"
#include "db/Recordset.h"
#include "db/ValueText.h"
#include "tables/TableChoices.h"

#include <QDateTime>
#include <QRegularExpression>

#include <optional>

namespace tables {

namespace {

enum class Precision { Day, Minute, Second };

struct ReadDate {
    QDateTime when;
    Precision precision = Precision::Second;
};

bool isNumberType(db::ColumnType type) {
    return db::isNumericType(type) && type != db::ColumnType::Boolean;
}

// Narrow and no-break spaces, which some locales put before AM/PM, read as plain spaces.
QString plainSpaces(QString text) {
    for (QChar &c : text)
        if (c == QChar(0x202F) || c == QChar(0x00A0))
            c = u' ';
    return text.simplified();
}

// A two-digit year read by a locale's format lands in the 1900s; VB's window puts 0-29 in the 2000s.
QDate windowed(QDate date, const QString &format) {
    if (format.contains(QStringLiteral("yyyy")) || !format.contains(QStringLiteral("yy")))
        return date;
    const int year = db::windowedYear(date.year() % 100, 2);
    return QDate(year, date.month(), date.day());
}

std::optional<ReadDate> readLocaleDate(const QString &text, const QLocale &locale) {
    for (const auto dateForm : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QString dateFormat = plainSpaces(locale.dateFormat(dateForm));
        if (QDate day = locale.toDate(text, dateFormat); day.isValid())
            return ReadDate{QDateTime(windowed(day, dateFormat), QTime(0, 0)), Precision::Day};
        for (const auto timeForm : {QLocale::ShortFormat, QLocale::LongFormat}) {
            const QString timeFormat = plainSpaces(locale.timeFormat(timeForm));
            const QString format = dateFormat + u' ' + timeFormat;
            const QDateTime when = locale.toDateTime(text, format);
            if (when.isValid()) {
                const Precision precision = timeFormat.contains(u's') ? Precision::Second : Precision::Minute;
                return ReadDate{QDateTime(windowed(when.date(), dateFormat), when.time()), precision};
            }
        }
    }
    return std::nullopt;
}

// The forms the engine itself reads (ISO, US), when the locale's own do not fit.
std::optional<ReadDate> readJetDate(const QString &text) {
    const auto read = db::parseJetDate(text.toStdString());
    if (!read)
        return std::nullopt;
    const int colons = int(text.count(u':'));
    const Precision precision = colons >= 2 ? Precision::Second : colons == 1 ? Precision::Minute : Precision::Day;
    return ReadDate{QDateTime(read->date, QTime(0, 0).addSecs(read->seconds)), precision};
}

QString isoText(const QDateTime &when) {
    if (when.time() == QTime(0, 0))
        return when.date().toString(Qt::ISODate);
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

std::optional<Operand> dateOperand(const QString &value, const QLocale &locale) {
    const QString text = plainSpaces(value);
    auto read = readLocaleDate(text, locale);
    if (!read)
        read = readJetDate(text);
    if (!read)
        return std::nullopt;
    Operand operand{Operand::Kind::Date, isoText(read->when), {}};
    if (read->precision == Precision::Day)
        operand.until = isoText(read->when.addDays(1));
    else if (read->precision == Precision::Minute)
        operand.until = isoText(read->when.addSecs(60));
    return operand;
}

// "$1,234.50", "1,234.50", "(5.00)" in the user's locale (or as the engine writes numbers) as a plain number.
std::optional<QString> numberOperand(const QString &value, const QLocale &locale) {
    QString text = plainSpaces(value);
    bool negative = false;
    if (text.startsWith(u'(') && text.endsWith(u')')) {
        negative = true;
        text = text.mid(1, text.size() - 2);
    }
    for (const QString &sign : {locale.currencySymbol(), QStringLiteral("$")})
        if (!sign.isEmpty())
            text.remove(sign);
    text = text.trimmed();
    bool ok = false;
    double number = locale.toDouble(text, &ok);
    if (!ok)
        number = QLocale::c().toDouble(text, &ok);
    if (!ok)
        return std::nullopt;
    return db::plainNumber(negative ? -number : number);
}

}  // namespace

ColumnTypes::ColumnTypes(const std::vector<db::Field> &fields, const QLocale &locale) : locale_(locale) {
    for (const db::Field &field : fields)
        types_.insert(field.name.toCaseFolded(), field.type);
}

db::ColumnType ColumnTypes::typeOf(const QString &column) const {
    return types_.value(column.toCaseFolded(), db::ColumnType::Unknown);
}

bool isNumericText(const QString &text) {
    static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)"));
    return number.match(text).hasMatch();
}

Operand operandOf(const QString &column, const QString &value, const ColumnTypes *types) {
    if (value == nullChoiceText())
        return {Operand::Kind::Null, {}, {}};
    const db::ColumnType type = types ? types->typeOf(column) : db::ColumnType::Unknown;
    const bool alwaysText =
        column.compare(QStringLiteral("Tavren Acct"), Qt::CaseInsensitive) == 0 || db::isTextType(type);
    if (alwaysText)
        return {Operand::Kind::Text, value, {}};
    if (types && type == db::ColumnType::Boolean) {  // shown as True and False, stored as -1 and 0
        if (value.trimmed().compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return {Operand::Kind::Number, QStringLiteral("-1"), {}};
        if (value.trimmed().compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            return {Operand::Kind::Number, QStringLiteral("0"), {}};
    }
    if (types && type == db::ColumnType::DateTime)
        if (auto date = dateOperand(value, types->locale()))
            return *date;
    if (types && isNumberType(type))
        if (auto number = numberOperand(value, types->locale()))
            return {Operand::Kind::Number, *number, {}};
    if (isNumericText(value.trimmed()))
        return {Operand::Kind::Number, value.trimmed(), {}};
    return {Operand::Kind::Text, value, {}};
}

}  // namespace tables
