// How VB reads numbers from text and shows them: CDbl/IsNumeric parsing, Val, CStr of a Double, and the
// rounding rules of CInt/CLng.
//
// Pure functions without state; safe from any thread. US conventions: period decimal point, comma thousands
// separator, "$" currency sign.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace db {

// A number as CDbl reads it from text: blanks around it, a sign, "$", thousands commas, a decimal point, an
// exponent (E or D), parentheses for a negative amount, or "&H"/"&O" integers. Empty when the text is not a
// number (or does not fit a Double).
std::optional<double> parseVbNumber(std::string_view text);

// VB's Val: the number at the start of the text. Blanks (space, tab, line feed) anywhere are skipped, "&H" and
// "&O" read hex and octal, reading stops at the first character that cannot continue the number, and text
// without a number gives 0. Throws db::Error 6 (Overflow) when the number does not fit a Double.
double vbVal(std::string_view text);

// CStr of a Double: up to 15 significant digits, no trailing zeros, an exponent ("1E+15", "1.5E-07") only
// outside 0.0001 .. 1E+15, and "0" for negative zero.
std::string vbDoubleText(double value);

// Round half to even, as CInt, CLng and Round do.
double bankersRound(double value);

}  // namespace db
