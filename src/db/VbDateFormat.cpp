// Date patterns of VB's Format, with US names and separators.
#include "db/VbFormatDetail.h"

#include "db/DateArithmetic.h"
#include "db/Utf8Text.h"

#include <array>
#include <cstdio>

namespace db::vbformat {

namespace {

constexpr std::array<const char *, 12> kMonthNames = {"January", "February", "March",     "April",
                                                      "May",     "June",     "July",      "August",
                                                      "September", "October", "November", "December"};
constexpr std::array<const char *, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                   "Thursday", "Friday", "Saturday"};

constexpr std::string_view kShortDate = "m/d/yyyy";
constexpr std::string_view kLongDate = "dddd, mmmm d, yyyy";
constexpr std::string_view kLongTime = "h:nn:ss AM/PM";

struct DateToken {
    enum class Kind {
        Literal, Day, DayName, Month, MonthName, Minute, Year, DayOfYear, Hour, Second, Weekday, Week, Quarter,
        AmPm, GeneralDate, ShortDate, LongDate, LongTime
    };
    Kind kind;
    int width = 1;     // 1 or 2 digits; names: 3 for the abbreviation, 4 for the full name; Year: 2 or 4
    std::string text;  // Literal text; AmPm: the marker as written ("AM/PM", "a/p", "AMPM")
};

std::size_t runLength(std::string_view s, std::size_t pos) {
    const char lower = static_cast<char>(s[pos] | 0x20);
    std::size_t n = 0;
    while (pos + n < s.size() && static_cast<char>(s[pos + n] | 0x20) == lower)
        ++n;
    return n;
}

bool startsWithNoCase(std::string_view s, std::size_t pos, std::string_view word) {
    if (s.size() - pos < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (static_cast<char>(s[pos + i] | 0x20) != word[i])
            return false;
    }
    return true;
}

// The token for a run of `n` copies of letter `c` (lower case); Literal when the letter means nothing.
DateToken letterToken(char c, std::size_t n) {
    using K = DateToken::Kind;
    const int w = n >= 2 ? 2 : 1;
    switch (c) {
    case 'd':
        return n <= 2 ? DateToken{K::Day, w, {}} : n <= 4 ? DateToken{K::DayName, static_cast<int>(n), {}}
                                                 : DateToken{n == 5 ? K::ShortDate : K::LongDate, 1, {}};
    case 'm':
        return n <= 2 ? DateToken{K::Month, w, {}} : DateToken{K::MonthName, n == 3 ? 3 : 4, {}};
    case 'y':
        return n == 1 ? DateToken{K::DayOfYear, 1, {}} : DateToken{K::Year, n >= 4 ? 4 : 2, {}};
    case 'h':
        return {K::Hour, w, {}};
    case 'n':
        return {K::Minute, w, {}};
    case 's':
        return {K::Second, w, {}};
    case 'w':
        return {n == 1 ? K::Weekday : K::Week, 1, {}};
    case 'q':
        return {K::Quarter, 1, {}};
    case 'c':
        return {K::GeneralDate, 1, {}};
    default:
        return {K::Literal, 1, {}};
    }
}

// Reads one token at `pos` (not a quote or escape) and returns the position after it.
std::size_t readDateToken(std::string_view s, std::size_t pos, std::vector<DateToken> &tokens) {
    for (std::string_view marker : {"am/pm", "ampm", "a/p"}) {
        if (startsWithNoCase(s, pos, marker)) {
            tokens.push_back({DateToken::Kind::AmPm, 1, std::string(s.substr(pos, marker.size()))});
            return pos + marker.size();
        }
    }
    const char lower = static_cast<char>(s[pos] | 0x20);
    const std::size_t n = runLength(s, pos);
    if (lower == 't' && n == 5) {
        tokens.push_back({DateToken::Kind::LongTime, 1, {}});
        return pos + n;
    }
    const bool letter = (s[pos] >= 'a' && s[pos] <= 'z') || (s[pos] >= 'A' && s[pos] <= 'Z');
    DateToken token = letter ? letterToken(lower, n) : DateToken{DateToken::Kind::Literal, 1, {}};
    if (token.kind == DateToken::Kind::Literal) {
        const std::size_t next = utf8::advance(s, pos, 1);
        tokens.push_back({DateToken::Kind::Literal, 1, std::string(s.substr(pos, next - pos))});
        return next;
    }
    if (token.kind == DateToken::Kind::Year && n == 3) {  // "yyy": two-digit year, then day of year
        tokens.push_back(token);
        token = {DateToken::Kind::DayOfYear, 1, {}};
    }
    tokens.push_back(token);
    return pos + n;
}

// An m or mm right after an hour, or right before a second, means minutes.
void resolveMinutes(std::vector<DateToken> &tokens) {
    using K = DateToken::Kind;
    K previous = K::Literal;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind == K::Literal)
            continue;
        if (tokens[i].kind == K::Month) {
            K next = K::Literal;
            for (std::size_t j = i + 1; j < tokens.size() && next == K::Literal; ++j)
                next = tokens[j].kind;
            if (previous == K::Hour || next == K::Second)
                tokens[i].kind = K::Minute;
        }
        previous = tokens[i].kind;
    }
}

std::vector<DateToken> parseDatePattern(std::string_view s) {
    std::vector<DateToken> tokens;
    for (std::size_t pos = 0; pos < s.size();) {
        std::string literal;
        const std::size_t next = takeLiteral(s, pos, &literal);
        if (next != pos) {
            tokens.push_back({DateToken::Kind::Literal, 1, std::move(literal)});
            pos = next;
        } else {
            pos = readDateToken(s, pos, tokens);
        }
    }
    resolveMinutes(tokens);
    return tokens;
}

std::string number(int value, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, width >= 2 ? "%02d" : "%d", value);
    return buffer;
}

// A day or month name, abbreviated to three letters for ddd and mmm.
std::string name(std::string_view full, int width) { return std::string(width == 3 ? full.substr(0, 3) : full); }

std::string amPm(const std::string &marker, bool afternoon) {
    if (marker.size() == 5)  // AM/PM, am/pm, as written
        return afternoon ? marker.substr(3, 2) : marker.substr(0, 2);
    if (marker.size() == 3)  // A/P
        return afternoon ? marker.substr(2, 1) : marker.substr(0, 1);
    return afternoon ? "PM" : "AM";
}

std::string generalDate(const JetDateTime &v) {
    if (v.date == JetDateTime::zeroDay())
        return formatDate(v, kLongTime);
    if (v.seconds == 0)
        return formatDate(v, kShortDate);
    return formatDate(v, kShortDate) + ' ' + formatDate(v, kLongTime);
}

std::string render(const DateToken &t, const JetDateTime &v, bool twelveHour) {
    using K = DateToken::Kind;
    const QDate &d = v.date;
    const int hour = v.seconds / 3600;
    switch (t.kind) {
    case K::Literal: return t.text;
    case K::Day: return number(d.day(), t.width);
    case K::DayName: return name(kDayNames[static_cast<std::size_t>(d.dayOfWeek() % 7)], t.width);
    case K::Month: return number(d.month(), t.width);
    case K::MonthName: return name(kMonthNames[static_cast<std::size_t>(d.month() - 1)], t.width);
    case K::Minute: return number(v.seconds / 60 % 60, t.width);
    case K::Year: return t.width == 4 ? number(d.year(), 1) : number(d.year() % 100, 2);
    case K::DayOfYear: return number(d.dayOfYear(), 1);
    case K::Hour: return number(twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour, t.width);
    case K::Second: return number(v.seconds % 60, t.width);
    case K::Weekday: return number(vbWeekday(d, 1), 1);
    case K::Week: return number(datePart(DateInterval::Week, v, 1), 1);
    case K::Quarter: return number((d.month() - 1) / 3 + 1, 1);
    case K::AmPm: return amPm(t.text, hour >= 12);
    case K::GeneralDate: return generalDate(v);
    case K::ShortDate: return formatDate(v, kShortDate);
    case K::LongDate: return formatDate(v, kLongDate);
    case K::LongTime: return formatDate(v, kLongTime);
    }
    return {};
}

}  // namespace

std::string formatDate(const JetDateTime &value, std::string_view pattern) {
    std::string_view named;
    static constexpr struct {
        std::string_view name;
        std::string_view pattern;
    } kNamed[] = {{"general date", "c"},        {"long date", kLongDate},   {"medium date", "dd-mmm-yy"},
                  {"short date", kShortDate},   {"long time", kLongTime},   {"medium time", "hh:nn AM/PM"},
                  {"short time", "hh:nn"}};
    for (const auto &entry : kNamed) {
        if (pattern.size() == entry.name.size() && startsWithNoCase(pattern, 0, entry.name))
            named = entry.pattern;
    }
    const std::vector<DateToken> tokens = parseDatePattern(named.empty() ? pattern : named);
    bool twelveHour = false;
    for (const DateToken &t : tokens)
        twelveHour = twelveHour || t.kind == DateToken::Kind::AmPm;
    std::string out;
    for (const DateToken &t : tokens)
        out += render(t, value, twelveHour);
    return out;
}

bool isDatePattern(std::string_view pattern) {
    bool dateLetters = false;
    for (std::size_t pos = 0; pos < pattern.size();) {
        std::string ignored;
        if (const std::size_t next = takeLiteral(pattern, pos, &ignored); next != pos) {
            pos = next;
            continue;
        }
        const char c = pattern[pos];
        if (c == '0' || c == '#')
            return false;
        const char lower = static_cast<char>(c | 0x20);
        dateLetters = dateLetters || std::string_view("dmyhnswqc").find(lower) != std::string_view::npos ||
                      (lower == 't' && runLength(pattern, pos) == 5) || startsWithNoCase(pattern, pos, "a/p") ||
                      startsWithNoCase(pattern, pos, "am/pm");
        ++pos;
    }
    return dateLetters;
}

}  // namespace db::vbformat
