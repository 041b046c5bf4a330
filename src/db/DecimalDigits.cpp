#include "db/DecimalDigits.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace db {

namespace {

void stripTrailingZeros(std::string &digits) {
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
}

// Adds one unit in the last place; a carry out of the first digit lengthens the number.
void incrementLast(DecimalDigits &number) {
    std::string &d = number.digits;
    int i = static_cast<int>(d.size()) - 1;
    for (; i >= 0 && d[static_cast<std::size_t>(i)] == '9'; --i)
        d[static_cast<std::size_t>(i)] = '0';
    if (i >= 0) {
        ++d[static_cast<std::size_t>(i)];
    } else {
        d.insert(d.begin(), '1');
        ++number.point;
    }
}

}  // namespace

DecimalDigits DecimalDigits::fromDouble(double value, int significant) {
    DecimalDigits out;
    if (value == 0.0)
        return out;
    out.negative = value < 0;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, significant - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');
    for (char c : text.substr(0, e)) {
        if (c != '.')
            out.digits.push_back(c);
    }
    out.point = std::atoi(std::string(text.substr(e + 1)).c_str()) + 1;
    stripTrailingZeros(out.digits);
    return out;
}

DecimalDigits DecimalDigits::fromInteger(std::int64_t value) {
    DecimalDigits out;
    if (value == 0)
        return out;
    out.negative = value < 0;
    // Through the unsigned magnitude so that the lowest 64-bit value converts too.
    const auto bits = static_cast<std::uint64_t>(value);
    const std::uint64_t magnitude = out.negative ? 0 - bits : bits;
    out.digits = std::to_string(magnitude);
    out.point = static_cast<int>(out.digits.size());
    stripTrailingZeros(out.digits);
    return out;
}

void DecimalDigits::roundTo(int decimals, Tie tie) {
    const long keep = static_cast<long>(point) + decimals;
    if (keep >= static_cast<long>(digits.size()))
        return;
    if (keep < 0) {
        digits.clear();
        return;
    }
    const auto k = static_cast<std::size_t>(keep);
    const char next = digits[k];
    bool up = next > '5';
    if (next == '5') {
        const bool exactHalf = digits.find_first_not_of('0', k + 1) == std::string::npos;
        const bool previousOdd = k > 0 && ((digits[k - 1] - '0') % 2 == 1);
        up = tie == Tie::AwayFromZero || !exactHalf || previousOdd;
    }
    digits.resize(k);
    if (up) {
        if (digits.empty()) {
            digits.push_back('1');  // not operator=("1"): GCC 12 at -O3 warns falsely of overlapping copies
            ++point;
        } else {
            incrementLast(*this);
        }
    }
    stripTrailingZeros(digits);
}

std::string DecimalDigits::wholeDigits() const {
    if (point <= 0 || digits.empty())
        return {};
    const auto n = static_cast<std::size_t>(point);
    if (n <= digits.size())
        return digits.substr(0, n);
    return digits + std::string(n - digits.size(), '0');
}

std::string DecimalDigits::fractionDigits(int count) const {
    std::string out;
    out.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i) {
        const long index = static_cast<long>(point) + i;
        const bool inside = index >= 0 && index < static_cast<long>(digits.size());
        out.push_back(inside ? digits[static_cast<std::size_t>(index)] : '0');
    }
    return out;
}

double DecimalDigits::toDouble() const {
    if (digits.empty())
        return 0.0;
    std::string text = negative ? "-0." : "0.";
    text += digits;
    text += 'e';
    text += std::to_string(point);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace db
