#include "jet/NumberFormats.h"

#include "jet/ByteOrder.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace jet {

void setCurrency(std::int64_t tenThousandths, Value &out) {
    if (tenThousandths % 10000 == 0)
        out.setInteger(tenThousandths / 10000);
    else
        out.setReal(static_cast<double>(tenThousandths) / 10000.0);
}

double singleToDouble(float value) {
    if (!std::isfinite(value))
        return static_cast<double>(value);
    char text[32];
    const auto printed = std::to_chars(text, text + sizeof text, value);
    double result = static_cast<double>(value);
    std::from_chars(text, printed.ptr, result);
    return result;
}

void setDecimal(const unsigned char *data, int scale, Value &out) {
    const bool negative = (data[0] & 0x80) != 0;
    const std::uint32_t words[4] = {readU32(data + 1), readU32(data + 5), readU32(data + 9), readU32(data + 13)};
    const std::uint64_t low = (std::uint64_t(words[2]) << 32) | words[3];
    std::uint64_t divisor = 1;
    for (int i = 0; i < scale && divisor <= std::numeric_limits<std::uint64_t>::max() / 10; ++i)
        divisor *= 10;
    const bool exact = words[0] == 0 && words[1] == 0 && scale <= 19 &&
                       low <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (exact && low % divisor == 0) {
        const auto whole = static_cast<std::int64_t>(low / divisor);
        out.setInteger(negative ? -whole : whole);
        return;
    }
    double magnitude = 0;
    for (std::uint32_t word : words)
        magnitude = magnitude * 4294967296.0 + word;
    magnitude /= std::pow(10.0, scale);
    out.setReal(negative ? -magnitude : magnitude);
}

std::string guidText(const unsigned char *d) {
    char text[40];
    std::snprintf(text, sizeof text,
                  "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", d[3], d[2], d[1], d[0],
                  d[5], d[4], d[7], d[6], d[8], d[9], d[10], d[11], d[12], d[13], d[14], d[15]);
    return text;
}

}  // namespace jet
