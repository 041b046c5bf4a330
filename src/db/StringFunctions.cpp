// Jet's string functions as SQL functions: Left, Right, Mid, Len, InStr, UCase, LCase, Trim, LTrim, RTrim,
// Space, String, Replace, StrComp, Chr, Asc, StrReverse. Positions and lengths count characters.
#include "db/SqlFunctionGroups.h"

#include "db/SqlFunctionSupport.h"
#include "db/TextCollation.h"
#include "db/Utf8Text.h"
#include "db/VbError.h"

#include <algorithm>
#include <array>

namespace db::sqlfn {

namespace {

constexpr std::int64_t kLongMin = INT32_MIN;
constexpr std::int64_t kLongMax = INT32_MAX;

// A length or count argument: a Long that must not be negative.
std::int64_t lengthArgument(const Call &call, int i) {
    const std::int64_t n = call.whole(i, kLongMin, kLongMax);
    if (n < 0)
        throw vbError(err::InvalidProcedureCall);
    return n;
}

// A start argument: a Long of at least 1.
std::int64_t startArgument(const Call &call, int i) {
    const std::int64_t n = call.whole(i, kLongMin, kLongMax);
    if (n < 1)
        throw vbError(err::InvalidProcedureCall);
    return n;
}

// The compare argument of InStr, Replace and StrComp: true for a text (case-insensitive) comparison. In Jet SQL
// the default, -1 (the module's setting) and 2 (the database's) all compare as text; 0 compares binary.
bool textCompare(const Call &call, int i) {
    if (i >= call.count())
        return true;
    const std::int64_t compare = call.whole(i, kLongMin, kLongMax);
    if (compare < -1 || compare > 2)
        throw vbError(err::InvalidProcedureCall);
    return compare != 0;
}

// Windows-1252 characters 0x80 .. 0x9F, which Chr and Asc use on a US system.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t fromAnsi(std::int64_t code) {
    return (code >= 0x80 && code <= 0x9F) ? kCp1252High[static_cast<std::size_t>(code - 0x80)]
                                          : static_cast<char32_t>(code);
}

std::int64_t toAnsi(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    const auto *it = std::find(kCp1252High.begin(), kCp1252High.end(), c);
    return it != kCp1252High.end() ? 0x80 + (it - kCp1252High.begin()) : '?';
}

char fold(char c) { return utf8::asciiLower(c); }
char32_t fold(char32_t c) { return utf8::foldCase(c); }

template <typename S>
S folded(S s) {
    for (auto &c : s)
        c = fold(c);
    return s;
}

// Searches ASCII text as bytes and other text as code points, so that offsets are character positions.
template <typename Body>
auto withCharacters(std::initializer_list<std::string_view> texts, Body &&body) {
    const bool ascii = std::all_of(texts.begin(), texts.end(), [](std::string_view t) { return utf8::isAscii(t); });
    return ascii ? body(std::false_type{}) : body(std::true_type{});
}

template <typename S>
std::int64_t instrIn(const S &hay, const S &needle, std::int64_t start, bool text) {
    if (static_cast<std::size_t>(start) > hay.size())
        return 0;
    if (needle.empty())
        return start;
    const std::size_t from = static_cast<std::size_t>(start - 1);
    const std::size_t hit = text ? folded(hay).find(folded(needle), from) : hay.find(needle, from);
    return hit == S::npos ? 0 : static_cast<std::int64_t>(hit) + 1;
}

void instr(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const bool withStart = call.count() >= 3;
    const std::int64_t start = withStart ? startArgument(call, 0) : 1;
    const std::string_view hay = call.text(withStart ? 1 : 0);
    const std::string_view needle = call.text(withStart ? 2 : 1);
    const bool text = textCompare(call, 3);
    call.setInteger(withCharacters({hay, needle}, [&](auto wide) {
        if constexpr (decltype(wide)::value)
            return instrIn(utf8::decode(hay), utf8::decode(needle), start, text);
        else
            return instrIn(std::string(hay), std::string(needle), start, text);
    }));
}

template <typename S>
S replaceIn(const S &source, const S &find, const S &with, std::int64_t start, std::int64_t count, bool text,
            std::size_t limit) {
    const S tail = source.substr(std::min(static_cast<std::size_t>(start - 1), source.size()));
    if (find.empty() || count == 0)
        return tail;
    const S hay = text ? folded(tail) : tail;
    const S needle = text ? folded(find) : find;
    S out;
    std::size_t pos = 0;
    for (std::int64_t n = 0; count < 0 || n < count; ++n) {
        const std::size_t hit = hay.find(needle, pos);
        if (hit == S::npos)
            break;
        out.append(tail, pos, hit - pos).append(with);
        pos = hit + needle.size();
        if (out.size() > limit)
            throw TooBig{};
    }
    return out.append(tail, pos);
}

void replace(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const std::string_view source = call.text(0), find = call.text(1), with = call.text(2);
    const std::int64_t start = call.count() > 3 ? startArgument(call, 3) : 1;
    const std::int64_t count = call.count() > 4 ? call.whole(4, -1, kLongMax) : -1;
    const bool text = textCompare(call, 5);
    const auto limit = static_cast<std::size_t>(call.lengthLimit());
    call.setText(withCharacters({source, find, with}, [&](auto wide) {
        if constexpr (decltype(wide)::value)
            return utf8::encode(replaceIn(utf8::decode(source), utf8::decode(find), utf8::decode(with), start,
                                          count, text, limit));
        else
            return replaceIn(std::string(source), std::string(find), std::string(with), start, count, text, limit);
    }));
}

void left(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const std::string_view s = call.text(0);
    call.setText(s.substr(0, utf8::advance(s, 0, lengthArgument(call, 1))));
}

void right(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const std::string_view s = call.text(0);
    call.setText(s.substr(utf8::startOfLast(s, lengthArgument(call, 1))));
}

void mid(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const std::string_view s = call.text(0);
    const std::size_t begin = utf8::advance(s, 0, startArgument(call, 1) - 1);
    const std::size_t end = call.count() > 2 ? utf8::advance(s, begin, lengthArgument(call, 2)) : s.size();
    call.setText(s.substr(begin, end - begin));
}

void len(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    const std::string_view s = call.text(0);
    call.setInteger(utf8::isAscii(s) ? static_cast<std::int64_t>(s.size()) : utf8::charCount(s));
}

void ucase(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    call.setText(utf8::toUpper(call.text(0)));
}

void lcase(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    call.setText(utf8::toLower(call.text(0)));
}

// VB's Trim functions remove spaces only, not tabs or line breaks.
template <bool Leading, bool Trailing>
void trimSpaces(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    std::string_view s = call.text(0);
    while (Leading && !s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (Trailing && !s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    call.setText(s);
}

void space(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    const std::int64_t n = lengthArgument(call, 0);
    call.checkLength(n);
    call.setText(std::string(static_cast<std::size_t>(n), ' '));
}

// String(n, character): the character by code (taken modulo 256, as VB does) or as the first of a text.
void repeatCharacter(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const std::int64_t n = lengthArgument(call, 0);
    std::string unit;
    if (call.type(1) == SQLITE_TEXT || call.type(1) == SQLITE_BLOB) {
        const std::string_view s = call.text(1);
        if (s.empty())
            throw vbError(err::InvalidProcedureCall);
        unit = s.substr(0, utf8::advance(s, 0, 1));
    } else {
        const std::int64_t code = call.whole(1, 0, kLongMax);
        utf8::append(unit, fromAnsi(code % 256));
    }
    call.checkLength(n * static_cast<std::int64_t>(unit.size()));
    std::string out;
    out.reserve(static_cast<std::size_t>(n) * unit.size());
    for (std::int64_t i = 0; i < n; ++i)
        out += unit;
    call.setText(out);
}

void strcomp(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const std::string_view a = call.text(0), b = call.text(1);
    const int order = textCompare(call, 2) ? compareText(a, b) : a.compare(b);
    call.setInteger(order < 0 ? -1 : order > 0 ? 1 : 0);
}

void chr(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    const std::int64_t code = call.whole(0, kLongMin, kLongMax);
    if (code < 0 || code > 255)
        throw vbError(err::InvalidProcedureCall);
    std::string out;
    utf8::append(out, fromAnsi(code));
    call.setText(out);
}

void asc(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    const std::string_view s = call.text(0);
    if (s.empty())
        throw vbError(err::InvalidProcedureCall);
    std::size_t length;
    call.setInteger(toAnsi(utf8::decodeAt(s, 0, &length)));
}

void strreverse(Call &call) {
    if (call.isNull(0))
        return call.setNull();
    const std::string_view s = call.text(0);
    if (utf8::isAscii(s))
        return call.setText(std::string(s.rbegin(), s.rend()));
    std::u32string chars = utf8::decode(s);
    std::reverse(chars.begin(), chars.end());
    call.setText(utf8::encode(chars));
}

constexpr ScalarDef kFunctions[] = {
    {"jet_left", 2, 2, left},           {"jet_right", 2, 2, right},       {"jet_mid", 2, 3, mid},
    {"jet_len", 1, 1, len},             {"jet_instr", 2, 4, instr},       {"jet_ucase", 1, 1, ucase},
    {"jet_lcase", 1, 1, lcase},         {"jet_trim", 1, 1, trimSpaces<true, true>},
    {"jet_ltrim", 1, 1, trimSpaces<true, false>},                         {"jet_rtrim", 1, 1, trimSpaces<false, true>},
    {"jet_space", 1, 1, space},         {"jet_string", 2, 2, repeatCharacter},
    {"jet_replace", 3, 6, replace},     {"jet_strcomp", 2, 3, strcomp},   {"jet_chr", 1, 1, chr},
    {"jet_asc", 1, 1, asc},             {"jet_strreverse", 1, 1, strreverse},
};

}  // namespace

void registerStringFunctions(sqlite3 *connection) {
    registerScalars(connection, kFunctions, std::size(kFunctions));
}

}  // namespace db::sqlfn
