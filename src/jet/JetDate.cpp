#include "jet/JetDate.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace jet {

namespace {

constexpr std::int64_t kFirstDay = -657434;     // 0100-01-01
constexpr std::int64_t kLastDay = 2958465;      // 9999-12-31
constexpr std::int64_t kEpochTo1970 = 25569;    // days from 1899-12-30 to 1970-01-01
constexpr std::int64_t kSecondsPerDay = 86400;

struct CivilDate {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

// The proleptic Gregorian date of a day counted from 1970-01-01 (H. Hinnant's civil_from_days).
CivilDate civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

}  // namespace

std::optional<std::string> jetDateToIso(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    const double whole = std::trunc(value);
    if (whole < static_cast<double>(kFirstDay) || whole > static_cast<double>(kLastDay))
        return std::nullopt;
    auto days = static_cast<std::int64_t>(whole);
    auto seconds = static_cast<std::int64_t>(std::llround(std::fabs(value - whole) * kSecondsPerDay));
    if (seconds >= kSecondsPerDay) {  // rounded up to the next midnight
        seconds -= kSecondsPerDay;
        ++days;
    }
    if (days > kLastDay) {  // 9999-12-31 23:59:59.5 and later stay on the last second Jet has
        days = kLastDay;
        seconds = kSecondsPerDay - 1;
    }
    const CivilDate date = civilFromDays(days - kEpochTo1970);
    const auto clock = static_cast<int>(seconds);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year), date.month,
                  date.day, clock / 3600, clock / 60 % 60, clock % 60);
    return std::string(text);
}

}  // namespace jet
