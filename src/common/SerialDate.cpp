#include "common/SerialDate.h"

#include <cmath>

namespace serialdate {

namespace {

constexpr std::int64_t kEpochTo1970 = 25569;  // days from 1899-12-30 to 1970-01-01

}  // namespace

std::optional<DayAndTime> splitSerial(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double whole = std::trunc(value);
    if (whole < static_cast<double>(kFirstDay) || whole > static_cast<double>(kLastDay))
        return std::nullopt;
    auto day = static_cast<std::int64_t>(whole);
    auto seconds = static_cast<std::int64_t>(std::llround(std::fabs(value - whole) * kSecondsPerDay));
    if (seconds >= kSecondsPerDay) {  // rounded up to the next midnight, which is the next calendar day
        seconds -= kSecondsPerDay;
        ++day;
    }
    if (day > kLastDay) {
        day = kLastDay;
        seconds = kSecondsPerDay - 1;
    }
    return DayAndTime{day, static_cast<int>(seconds)};
}

// H. Hinnant's civil_from_days, on days counted from 1970-01-01.
CivilDate civilDate(std::int64_t day) {
    std::int64_t z = day - kEpochTo1970 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, d};
}

}  // namespace serialdate
