#include "db/DateArithmetic.h"

#include "db/VbError.h"

#include <cstdlib>

namespace db {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

std::int64_t absoluteSeconds(const JetDateTime &v) { return v.date.toJulianDay() * kSecondsPerDay + v.seconds; }

JetDateTime checked(const QDate &date, int seconds) {
    if (!inJetRange(date))
        throw vbError(err::InvalidProcedureCall);
    return {date, seconds};
}

JetDateTime addMonths(const JetDateTime &value, std::int64_t months) {
    if (std::llabs(months) > 12 * 10000)
        throw vbError(err::InvalidProcedureCall);
    return checked(value.date.addMonths(static_cast<int>(months)), value.seconds);
}

JetDateTime addSeconds(const JetDateTime &value, std::int64_t count, std::int64_t unit) {
    if (std::llabs(count) > 4000000LL * kSecondsPerDay / unit)
        throw vbError(err::InvalidProcedureCall);
    const std::int64_t total = absoluteSeconds(value) + count * unit;
    const QDate date = QDate::fromJulianDay(floorDiv(total, kSecondsPerDay));
    return checked(date, static_cast<int>(total - floorDiv(total, kSecondsPerDay) * kSecondsPerDay));
}

// The first day of the week holding `date`, weeks starting on `firstDay`.
QDate weekStart(const QDate &date, int firstDay) { return date.addDays(1 - vbWeekday(date, firstDay)); }

}  // namespace

DateInterval parseDateInterval(std::string_view name) {
    std::string lower;
    for (char c : name)
        lower.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c));
    static constexpr struct {
        const char *name;
        DateInterval interval;
    } kNames[] = {{"yyyy", DateInterval::Year}, {"q", DateInterval::Quarter}, {"m", DateInterval::Month},
                  {"y", DateInterval::DayOfYear}, {"d", DateInterval::Day},     {"w", DateInterval::Weekday},
                  {"ww", DateInterval::Week},     {"h", DateInterval::Hour},    {"n", DateInterval::Minute},
                  {"s", DateInterval::Second}};
    for (const auto &entry : kNames) {
        if (lower == entry.name)
            return entry.interval;
    }
    throw vbError(err::InvalidProcedureCall);
}

int vbWeekday(const QDate &date, int firstDay) {
    const int sundayBased = date.dayOfWeek() % 7 + 1;  // Qt counts Monday = 1 .. Sunday = 7
    return (sundayBased - firstDay + 7) % 7 + 1;
}

int checkedFirstDay(std::int64_t firstDay) {
    if (firstDay < 0 || firstDay > 7)
        throw vbError(err::InvalidProcedureCall);
    return firstDay == 0 ? 1 : static_cast<int>(firstDay);
}

JetDateTime dateAdd(DateInterval interval, std::int64_t count, const JetDateTime &value) {
    switch (interval) {
    case DateInterval::Year:
        return addMonths(value, count > INT32_MAX / 12 || count < INT32_MIN / 12 ? INT32_MAX : count * 12);
    case DateInterval::Quarter:
        return addMonths(value, count > INT32_MAX / 3 || count < INT32_MIN / 3 ? INT32_MAX : count * 3);
    case DateInterval::Month:
        return addMonths(value, count);
    case DateInterval::DayOfYear:
    case DateInterval::Day:
    case DateInterval::Weekday:
        return addSeconds(value, count, kSecondsPerDay);
    case DateInterval::Week:
        return addSeconds(value, count, 7 * kSecondsPerDay);
    case DateInterval::Hour:
        return addSeconds(value, count, 3600);
    case DateInterval::Minute:
        return addSeconds(value, count, 60);
    case DateInterval::Second:
        return addSeconds(value, count, 1);
    }
    throw vbError(err::InvalidProcedureCall);
}

std::int64_t dateDiff(DateInterval interval, const JetDateTime &from, const JetDateTime &to, int firstDay) {
    const QDate &a = from.date;
    const QDate &b = to.date;
    switch (interval) {
    case DateInterval::Year:
        return b.year() - a.year();
    case DateInterval::Quarter:
        return (b.year() * 4 + (b.month() - 1) / 3) - (a.year() * 4 + (a.month() - 1) / 3);
    case DateInterval::Month:
        return (b.year() * 12 + b.month()) - (a.year() * 12 + a.month());
    case DateInterval::DayOfYear:
    case DateInterval::Day:
        return a.daysTo(b);
    case DateInterval::Weekday:
        return a.daysTo(b) / 7;
    case DateInterval::Week:
        return weekStart(a, firstDay).daysTo(weekStart(b, firstDay)) / 7;
    case DateInterval::Hour:
        return floorDiv(absoluteSeconds(to), 3600) - floorDiv(absoluteSeconds(from), 3600);
    case DateInterval::Minute:
        return floorDiv(absoluteSeconds(to), 60) - floorDiv(absoluteSeconds(from), 60);
    case DateInterval::Second:
        return absoluteSeconds(to) - absoluteSeconds(from);
    }
    return 0;
}

int datePart(DateInterval interval, const JetDateTime &value, int firstDay) {
    const QDate &d = value.date;
    switch (interval) {
    case DateInterval::Year:
        return d.year();
    case DateInterval::Quarter:
        return (d.month() - 1) / 3 + 1;
    case DateInterval::Month:
        return d.month();
    case DateInterval::DayOfYear:
        return d.dayOfYear();
    case DateInterval::Day:
        return d.day();
    case DateInterval::Weekday:
        return vbWeekday(d, firstDay);
    case DateInterval::Week: {
        // Week 1 is the week holding 1 January.
        const int offset = vbWeekday(QDate(d.year(), 1, 1), firstDay) - 1;
        return (d.dayOfYear() - 1 + offset) / 7 + 1;
    }
    case DateInterval::Hour:
        return value.seconds / 3600;
    case DateInterval::Minute:
        return value.seconds / 60 % 60;
    case DateInterval::Second:
        return value.seconds % 60;
    }
    return 0;
}

JetDateTime dateSerial(std::int64_t year, std::int64_t month, std::int64_t day) {
    // VB takes Integer arguments.
    for (std::int64_t part : {year, month, day}) {
        if (part < -32768 || part > 32767)
            throw vbError(err::Overflow);
    }
    if (year >= 0 && year < 100)
        year = windowedYear(static_cast<int>(year), 2);
    const std::int64_t months = year * 12 + (month - 1);
    const std::int64_t years = floorDiv(months, 12);
    const QDate first(static_cast<int>(years), static_cast<int>(months - years * 12) + 1, 1);
    if (!first.isValid())
        throw vbError(err::InvalidProcedureCall);
    return checked(first.addDays(day - 1), 0);
}

}  // namespace db
