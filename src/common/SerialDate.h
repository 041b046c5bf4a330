// Jet's serial dates, decoded one way for the converter process and the engine, so that both round alike.
//
// Jet keeps a date as a double: the days since 1899-12-30, with the time of day as the fraction. Before that day
// the integer part counts days backwards while the fraction still runs forwards from midnight (-1.25 is
// 1899-12-29 06:00). Times round to the nearest second; a time that rounds up to midnight is midnight of the next
// calendar day. Jet's range is the years 100 to 9999.
//
// Plain C++ without Qt; pure functions, safe from any thread.
#pragma once

#include <cstdint>
#include <optional>

namespace serialdate {

inline constexpr std::int64_t kFirstDay = -657434;  // 0100-01-01
inline constexpr std::int64_t kLastDay = 2958465;   // 9999-12-31
inline constexpr int kSecondsPerDay = 86400;

struct DayAndTime {
    std::int64_t day = 0;  // days from 1899-12-30 (negative before it)
    int seconds = 0;       // since midnight, 0 .. 86399
};

// The day and second of a serial date; nothing for a value that is not a number or lies outside Jet's range.
// A value whose time rounds past the last second of 9999-12-31 stays on that second.
std::optional<DayAndTime> splitSerial(double value);

struct CivilDate {
    std::int64_t year = 0;
    unsigned month = 0;
    unsigned day = 0;
};

// The proleptic Gregorian date of a day counted from 1899-12-30.
CivilDate civilDate(std::int64_t day);

}  // namespace serialdate
