#include "jet/JetDate.h"

#include "common/SerialDate.h"

#include <cstdio>

namespace jet {

std::optional<std::string> jetDateToIso(double value) {
    const std::optional<serialdate::DayAndTime> split = serialdate::splitSerial(value);
    if (!split)
        return std::nullopt;
    const serialdate::CivilDate date = serialdate::civilDate(split->day);
    const int clock = split->seconds;
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year), date.month,
                  date.day, clock / 3600, clock / 60 % 60, clock % 60);
    return std::string(text);
}

}  // namespace jet
