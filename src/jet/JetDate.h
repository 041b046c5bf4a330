// Jet DateTime values as ISO text.
//
// Jet stores a date as a double: the days since 1899-12-30, with the time of day as the fraction. Before that day
// the integer part counts days backwards while the fraction still runs forwards from midnight (-1.25 is
// 1899-12-29 06:00). Decoded here rather than by libmdb, whose date text fails before 1900 and after about 2700.
#pragma once

#include <optional>
#include <string>

namespace jet {

// "YYYY-MM-DD HH:MM:SS", rounded to the nearest second; nothing for a value outside Jet's range (the years 100 to
// 9999) or not a number, which only a damaged file holds.
std::optional<std::string> jetDateToIso(double value);

}  // namespace jet
