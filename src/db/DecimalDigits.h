// A finite number held as decimal digits, for rounding and showing numbers the way VB does: on the decimal
// digits a person reads, not on the binary fraction (so 2.675 rounds to 2.68 and 0.1 + 0.2 shows as 0.3).
//
// A plain value type; no sharing, no state.
#pragma once

#include <cstdint>
#include <string>

namespace db {

struct DecimalDigits {
    enum class Tie { AwayFromZero, ToEven };

    bool negative = false;
    std::string digits;  // significant digits without leading or trailing zeros; empty for zero
    int point = 0;       // the value is 0.<digits> * 10^point

    // A double read to `significant` digits (VB keeps 15). NaN and infinities are not allowed.
    static DecimalDigits fromDouble(double value, int significant = 15);
    static DecimalDigits fromInteger(std::int64_t value);

    bool isZero() const { return digits.empty(); }

    // Rounds to `decimals` digits after the point (a negative count rounds to tens, hundreds, ...).
    void roundTo(int decimals, Tie tie);

    // The digits before the point ("" when the whole part is 0), and exactly `count` digits after it.
    std::string wholeDigits() const;
    std::string fractionDigits(int count) const;

    double toDouble() const;
};

}  // namespace db
