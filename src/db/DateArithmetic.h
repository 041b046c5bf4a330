// VB's date arithmetic on Jet dates: DateAdd, DateDiff, DatePart, DateSerial and Weekday.
//
// Pure functions; safe from any thread. Invalid arguments throw db::Error 5 (Invalid procedure call or argument),
// results outside 1 January 100 .. 31 December 9999 too; day-of-week arguments follow VB (1 = Sunday ..
// 7 = Saturday, 0 = the system's first day, Sunday on a US system).
#pragma once

#include "db/JetDate.h"

#include <cstdint>
#include <string_view>

namespace db {

// The interval names "yyyy", "q", "m", "y", "d", "w", "ww", "h", "n", "s" (any case).
enum class DateInterval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };
DateInterval parseDateInterval(std::string_view name);

// 1 .. 7, counted from `firstDay` (1 = Sunday .. 7 = Saturday).
int vbWeekday(const QDate &date, int firstDay);
// Checks a first-day-of-week argument (0 .. 7) and gives the day it names (0 gives Sunday).
int checkedFirstDay(std::int64_t firstDay);

JetDateTime dateAdd(DateInterval interval, std::int64_t count, const JetDateTime &value);

// The number of interval boundaries crossed from `from` to `to` (negative when `to` is earlier).
std::int64_t dateDiff(DateInterval interval, const JetDateTime &from, const JetDateTime &to, int firstDay);

int datePart(DateInterval interval, const JetDateTime &value, int firstDay);

// DateSerial: one- and two-digit years are windowed, months and days outside their range roll over into the
// neighbouring months and years (month 13 is January of the next year, day 0 the last day of the month before).
JetDateTime dateSerial(std::int64_t year, std::int64_t month, std::int64_t day);

}  // namespace db
