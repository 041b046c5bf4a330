// Jet's date functions as SQL functions: Year, Month, Day, Hour, Minute, Second, Weekday, DateSerial, DateAdd,
// DateDiff, DatePart, Now, Date and Time. Dates come in as stored ISO text (or any text Jet reads as a date, or a
// serial number) and go out as ISO text. Fractional counts and date parts round half to even, as VB rounds them.
#include "db/SqlFunctionGroups.h"

#include "db/DateArithmetic.h"
#include "db/SqlFunctionSupport.h"

#include <QDateTime>

namespace db::sqlfn {

namespace {

constexpr std::int64_t kIntegerMin = -32768;
constexpr std::int64_t kIntegerMax = 32767;
constexpr std::int64_t kCountLimit = 1LL << 53;

template <DateInterval Part>
void part(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    call.setInteger(datePart(Part, call.date(0), 1));
}

int firstDayArgument(const Call &call, int i) {
    return i < call.count() ? checkedFirstDay(call.whole(i, kIntegerMin, kIntegerMax)) : 1;
}

void weekday(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const JetDateTime d = call.date(0);
    call.setInteger(vbWeekday(d.date, firstDayArgument(call, 1)));
}

void dateserial(Call &call) {
    if (call.anyNull())
        return call.setNull();
    call.setDate(dateSerial(call.whole(0, kIntegerMin, kIntegerMax), call.whole(1, kIntegerMin, kIntegerMax),
                            call.whole(2, kIntegerMin, kIntegerMax)));
}

void dateadd(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const DateInterval interval = parseDateInterval(call.text(0));
    call.setDate(dateAdd(interval, call.whole(1, -kCountLimit, kCountLimit), call.date(2)));
}

void datediff(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const DateInterval interval = parseDateInterval(call.text(0));
    call.setInteger(dateDiff(interval, call.date(1), call.date(2), firstDayArgument(call, 3)));
}

void datepart(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const DateInterval interval = parseDateInterval(call.text(0));
    call.setInteger(datePart(interval, call.date(1), firstDayArgument(call, 2)));
}

int secondsOf(const QTime &time) { return time.msecsSinceStartOfDay() / 1000; }

void now(Call &call) {
    const QDateTime local = QDateTime::currentDateTime();
    call.setDate({local.date(), secondsOf(local.time())});
}

void today(Call &call) { call.setDate({QDate::currentDate(), 0}); }

void timeOfDay(Call &call) { call.setDate({JetDateTime::zeroDay(), secondsOf(QTime::currentTime())}); }

constexpr ScalarDef kFunctions[] = {
    {"jet_year", 1, 1, part<DateInterval::Year>},
    {"jet_month", 1, 1, part<DateInterval::Month>},
    {"jet_day", 1, 1, part<DateInterval::Day>},
    {"jet_hour", 1, 1, part<DateInterval::Hour>},
    {"jet_minute", 1, 1, part<DateInterval::Minute>},
    {"jet_second", 1, 1, part<DateInterval::Second>},
    {"jet_weekday", 1, 2, weekday},
    {"jet_dateserial", 3, 3, dateserial},
    {"jet_dateadd", 3, 3, dateadd},
    {"jet_datediff", 3, 4, datediff},
    {"jet_datepart", 2, 3, datepart},
    {"jet_now", 0, 0, now, false},
    {"jet_date", 0, 0, today, false},
    {"jet_time", 0, 0, timeOfDay, false},
};

}  // namespace

void registerDateFunctions(sqlite3 *connection) {
    registerScalars(connection, kFunctions, std::size(kFunctions));
}

}  // namespace db::sqlfn
