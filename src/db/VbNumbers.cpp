#include "db/VbNumbers.h"

#include "db/DecimalDigits.h"
#include "db/VbError.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace db {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int radixDigit(char c, int radix) {
    int value = -1;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < radix ? value : -1;
}

// Reads "&H..." or "&O..." digits from `pos`; VB gives 16-bit and 32-bit literals their signed meaning.
double radixValue(std::string_view text, std::size_t *pos, int radix) {
    std::uint64_t value = 0;
    int count = 0;
    for (; *pos < text.size(); ++*pos) {
        const int digit = radixDigit(text[*pos], radix);
        if (digit < 0)
            break;
        if (value > (UINT64_MAX >> 4))
            throw vbError(err::Overflow);
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
        ++count;
    }
    if (value <= 0xFFFF && value >= 0x8000 && (radix == 16 ? count <= 4 : count <= 6))
        return static_cast<double>(static_cast<std::int64_t>(value) - 0x10000);
    if (value <= 0xFFFFFFFF && value >= 0x80000000)
        return static_cast<double>(static_cast<std::int64_t>(value) - 0x100000000LL);
    return static_cast<double>(value);
}

std::optional<double> radixPrefix(std::string_view text, std::size_t *pos) {
    if (*pos + 1 >= text.size() || text[*pos] != '&')
        return std::nullopt;
    const char kind = text[*pos + 1];
    const int radix = (kind == 'h' || kind == 'H') ? 16 : (kind == 'o' || kind == 'O') ? 8 : 0;
    if (radix == 0)
        return std::nullopt;
    *pos += 2;
    return radixValue(text, pos, radix);
}

std::optional<double> toDouble(const std::string &clean) {
    double value = 0.0;
    const auto result = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    if (result.ec != std::errc() || result.ptr != clean.data() + clean.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Digits with optional thousands commas, a fraction and an exponent, copied into `clean`; false on bad form.
bool readDecimal(std::string_view text, std::size_t *pos, std::string *clean) {
    int digits = 0;
    for (; *pos < text.size(); ++*pos) {
        const char c = text[*pos];
        if (isDigit(c))
            clean->push_back(c), ++digits;
        else if (c != ',' || digits == 0)
            break;
    }
    if (*pos < text.size() && text[*pos] == '.') {
        clean->push_back('.');
        for (++*pos; *pos < text.size() && isDigit(text[*pos]); ++*pos)
            clean->push_back(text[*pos]), ++digits;
    }
    if (digits == 0)
        return false;
    if (*pos < text.size() && (text[*pos] == 'e' || text[*pos] == 'E' || text[*pos] == 'd' || text[*pos] == 'D')) {
        clean->push_back('e');
        ++*pos;
        if (*pos < text.size() && (text[*pos] == '+' || text[*pos] == '-'))
            clean->push_back(text[(*pos)++]);
        const std::size_t start = *pos;
        for (; *pos < text.size() && isDigit(text[*pos]); ++*pos)
            clean->push_back(text[*pos]);
        if (*pos == start)
            return false;
    }
    return true;
}

}  // namespace

std::optional<double> parseVbNumber(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    text = text.substr(begin, end - begin);
    std::size_t pos = 0;
    try {
        if (auto value = radixPrefix(text, &pos))
            return pos == text.size() && pos > 2 ? value : std::nullopt;
    } catch (const Error &) {
        return std::nullopt;
    }
    const bool parenthesized = text.size() > 2 && text.front() == '(' && text.back() == ')';
    if (parenthesized)
        text = text.substr(1, text.size() - 2);
    bool negative = parenthesized;
    bool signSeen = parenthesized;
    bool currencySeen = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '$' && !currencySeen) {
            currencySeen = true;
        } else if ((c == '+' || c == '-') && !signSeen) {
            signSeen = true;
            negative = c == '-';
        } else {
            break;
        }
    }
    std::string clean = negative ? "-" : "";
    if (!readDecimal(text, &pos, &clean) || pos != text.size())
        return std::nullopt;
    return toDouble(clean);
}

namespace {

// Whether a number too large or too small for a double is too large (else it is too close to zero).
bool isOverflow(const std::string &clean) {
    const std::size_t e = clean.find('e');
    const std::string mantissa = clean.substr(0, e);
    const long exponent = e == std::string::npos ? 0 : std::strtol(clean.c_str() + e + 1, nullptr, 10);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    const long magnitude = first < point ? static_cast<long>(point - first) : -static_cast<long>(first - point);
    return magnitude + exponent > 0;
}

}  // namespace

double vbVal(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            compact.push_back(c);
    }
    std::size_t pos = 0;
    if (auto value = radixPrefix(compact, &pos))
        return *value;
    std::string clean;
    if (pos < compact.size() && (compact[pos] == '+' || compact[pos] == '-')) {
        if (compact[pos] == '-')
            clean.push_back('-');
        ++pos;
    }
    std::size_t digits = 0;
    for (; pos < compact.size() && isDigit(compact[pos]); ++pos, ++digits)
        clean.push_back(compact[pos]);
    if (pos < compact.size() && compact[pos] == '.') {
        clean.push_back('.');
        for (++pos; pos < compact.size() && isDigit(compact[pos]); ++pos, ++digits)
            clean.push_back(compact[pos]);
    }
    if (digits == 0)
        return 0.0;
    const char e = pos < compact.size() ? compact[pos] : '\0';
    if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
        std::string exponent = "e";
        std::size_t p = pos + 1;
        if (p < compact.size() && (compact[p] == '+' || compact[p] == '-'))
            exponent.push_back(compact[p++]);
        for (; p < compact.size() && isDigit(compact[p]); ++p)
            exponent.push_back(compact[p]);
        if (isDigit(exponent.back()))
            clean += exponent;
    }
    double value = 0.0;
    const auto result = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (isOverflow(clean))
            throw vbError(err::Overflow);
        return 0.0;
    }
    return value;
}

std::string vbDoubleText(double value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    const DecimalDigits d = DecimalDigits::fromDouble(value);
    if (d.isZero())
        return "0";
    std::string out = d.negative ? "-" : "";
    const int exponent = d.point - 1;
    if (exponent >= 15 || exponent < -4) {
        out += d.digits[0];
        if (d.digits.size() > 1)
            out += '.' + d.digits.substr(1);
        out += exponent < 0 ? "E-" : "E+";
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10)
            out += '0';
        out += std::to_string(magnitude);
        return out;
    }
    const std::string whole = d.wholeDigits();
    out += whole.empty() ? "0" : whole;
    const int fraction = static_cast<int>(d.digits.size()) - d.point;
    if (fraction > 0)
        out += '.' + d.fractionDigits(fraction);
    return out;
}

double bankersRound(double value) { return std::nearbyint(value); }

}  // namespace db
