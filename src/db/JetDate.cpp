#include "db/JetDate.h"

#include "common/SerialDate.h"
#include "db/VbError.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace db {

namespace {

constexpr int kSecondsPerDay = 86400;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

int digitsAt(std::string_view text, std::size_t pos, std::size_t count) {
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (!isDigit(text[i]))
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<JetDateTime> makeDate(int year, int month, int day, int hour, int minute, int second) {
    if (!QDate::isValid(year, month, day) || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 ||
        second > 59)
        return std::nullopt;
    JetDateTime out{QDate(year, month, day), hour * 3600 + minute * 60 + second};
    if (!inJetRange(out.date))
        return std::nullopt;
    return out;
}

}  // namespace

// Read without tokenizing, since every stored date takes this path.
std::optional<JetDateTime> parseIsoDate(std::string_view text) {
    const std::size_t n = text.size();
    if ((n != 10 && n != 16 && n != 19) || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const int year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2), day = digitsAt(text, 8, 2);
    int hour = 0, minute = 0, second = 0;
    if (n >= 16) {
        if ((text[10] != ' ' && text[10] != 'T') || text[13] != ':')
            return std::nullopt;
        hour = digitsAt(text, 11, 2), minute = digitsAt(text, 14, 2);
    }
    if (n == 19) {
        if (text[16] != ':')
            return std::nullopt;
        second = digitsAt(text, 17, 2);
    }
    if (year < 0 || month < 0 || day < 0 || hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    return makeDate(year, month, day, hour, minute, second);
}

namespace {

struct Token {
    enum Kind { Number, Word, Separator } kind = Separator;
    int value = 0;   // Number: its value; Separator: the character
    int digits = 0;  // Number: how many digits
    std::string word;  // Word: lower case
    bool used = false;
};

std::optional<std::vector<Token>> tokenize(std::string_view text) {
    std::vector<Token> tokens;
    for (std::size_t pos = 0; pos < text.size();) {
        const char c = text[pos];
        Token token;
        token.kind = Token::Separator;
        if (isDigit(c)) {
            token.kind = Token::Number;
            for (; pos < text.size() && isDigit(text[pos]); ++pos, ++token.digits)
                token.value = token.digits < 5 ? token.value * 10 + (text[pos] - '0') : token.value;
            if (token.digits > 4)
                return std::nullopt;
        } else if (isLetter(c)) {
            token.kind = Token::Word;
            for (; pos < text.size() && isLetter(text[pos]); ++pos)
                token.word.push_back(static_cast<char>(text[pos] | 0x20));
        } else if (c == ' ' || c == '/' || c == '-' || c == '.' || c == ',' || c == ':' || c == '\t') {
            token.value = c;
            ++pos;
        } else {
            return std::nullopt;
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

bool isSeparator(const std::vector<Token> &tokens, std::size_t i, char c) {
    return i < tokens.size() && tokens[i].kind == Token::Separator && tokens[i].value == c;
}

bool isNumber(const std::vector<Token> &tokens, std::size_t i) {
    return i < tokens.size() && tokens[i].kind == Token::Number;
}

// 0 for "am"/"a", 12 for "pm"/"p", -1 otherwise.
int meridiemAt(const std::vector<Token> &tokens, std::size_t i) {
    if (i >= tokens.size() || tokens[i].kind != Token::Word)
        return -1;
    const std::string &w = tokens[i].word;
    return (w == "am" || w == "a") ? 0 : (w == "pm" || w == "p") ? 12 : -1;
}

// Finds "H:MM[:SS[.fff]] [AM|PM]" or "H AM|PM", marks its tokens used and returns the seconds since midnight.
// Returns -1 when the text holds no time, -2 when the time it holds is invalid.
int takeTime(std::vector<Token> &tokens) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (!isNumber(tokens, i))
            continue;
        int hour = tokens[i].value, minute = 0, second = 0;
        std::size_t next = i + 1;
        const bool colon = isSeparator(tokens, next, ':') && isNumber(tokens, next + 1);
        if (colon) {
            minute = tokens[next + 1].value;
            next += 2;
            if (isSeparator(tokens, next, ':') && isNumber(tokens, next + 1))
                second = tokens[next + 1].value, next += 2;
            if (isSeparator(tokens, next, '.') && isNumber(tokens, next + 1))
                next += 2;
        }
        const std::size_t meridiemAtIndex = isSeparator(tokens, next, ' ') ? next + 1 : next;
        const int meridiem = meridiemAt(tokens, meridiemAtIndex);
        if (!colon && meridiem < 0)
            continue;
        if (meridiem >= 0) {
            if (hour > 12)
                return -2;
            hour = hour % 12 + meridiem;
            next = meridiemAtIndex + 1;
        }
        for (std::size_t k = i; k < next; ++k)
            tokens[k].used = true;
        if (hour > 23 || minute > 59 || second > 59)
            return -2;
        return hour * 3600 + minute * 60 + second;
    }
    return -1;
}

int monthFromWord(const std::string &word) {
    static constexpr std::array<const char *, 12> kMonths = {"january", "february", "march",     "april",
                                                            "may",     "june",     "july",      "august",
                                                            "september", "october", "november", "december"};
    for (std::size_t m = 0; m < kMonths.size(); ++m) {
        const std::string_view name = kMonths[m];
        if (word == name || (word.size() == 3 && name.substr(0, 3) == word) || (m == 8 && word == "sept"))
            return static_cast<int>(m) + 1;
    }
    return 0;
}

bool isWeekdayWord(const std::string &word) {
    static constexpr std::array<const char *, 7> kDays = {"sunday",   "monday", "tuesday", "wednesday",
                                                          "thursday", "friday", "saturday"};
    for (const std::string_view name : kDays) {
        if (word == name || (word.size() == 3 && name.substr(0, 3) == word))
            return true;
    }
    return false;
}

int yearOf(const Token &t) { return windowedYear(t.value, t.digits); }

// The day from the numbers and month name left once the time is taken. False when they make no date.
bool readDay(const std::vector<Token> &tokens, bool hasTime, QDate *day) {
    std::vector<const Token *> numbers;
    int month = 0;
    for (const Token &t : tokens) {
        if (t.used || t.kind == Token::Separator)
            continue;
        if (t.kind == Token::Number) {
            numbers.push_back(&t);
        } else if (const int m = monthFromWord(t.word); m != 0 && month == 0) {
            month = m;
        } else if (!isWeekdayWord(t.word) && t.word != "t") {
            return false;
        }
    }
    int y = 0, m = 0, d = 0;
    const auto isYear = [](const Token *t) { return t->digits >= 3 || t->value > 31; };
    if (month != 0 && numbers.size() == 2) {
        const bool yearFirst = isYear(numbers[0]);
        y = yearOf(*numbers[yearFirst ? 0 : 1]), m = month, d = numbers[yearFirst ? 1 : 0]->value;
    } else if (month != 0 && numbers.size() == 1 && isYear(numbers[0])) {
        y = yearOf(*numbers[0]), m = month, d = 1;
    } else if (month == 0 && numbers.size() == 3) {
        if (numbers[0]->digits >= 3) {
            y = yearOf(*numbers[0]), m = numbers[1]->value, d = numbers[2]->value;
        } else {
            m = numbers[0]->value, d = numbers[1]->value, y = yearOf(*numbers[2]);
            if (m > 12 && d <= 12)
                std::swap(m, d);  // a day-first date that cannot be month-first, as VB reads it
        }
    } else if (month == 0 && numbers.size() == 2 && (isYear(numbers[0]) || isYear(numbers[1]))) {
        const bool yearFirst = isYear(numbers[0]);
        y = yearOf(*numbers[yearFirst ? 0 : 1]), m = numbers[yearFirst ? 1 : 0]->value, d = 1;
    } else if (month == 0 && numbers.empty() && hasTime) {
        *day = JetDateTime::zeroDay();
        return true;
    } else {
        return false;
    }
    if (!QDate::isValid(y, m, d))
        return false;
    *day = QDate(y, m, d);
    return inJetRange(*day);
}

}  // namespace

bool inJetRange(const QDate &date) { return date.isValid() && date.year() >= 100 && date.year() <= 9999; }

int windowedYear(int year, int digits) {
    if (digits > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<JetDateTime> parseJetDate(std::string_view text) {
    if (auto iso = parseIsoDate(text))
        return iso;
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (text.empty() || text.size() > 64)
        return std::nullopt;
    auto tokens = tokenize(text);
    if (!tokens)
        return std::nullopt;
    const int seconds = takeTime(*tokens);
    if (seconds == -2)
        return std::nullopt;
    QDate day;
    if (!readDay(*tokens, seconds >= 0, &day))
        return std::nullopt;
    return JetDateTime{day, seconds < 0 ? 0 : seconds};
}

// Decoded as the converter decodes stored dates (common/SerialDate.h), so both round alike.
JetDateTime dateFromSerial(double serial) {
    const std::optional<serialdate::DayAndTime> split = serialdate::splitSerial(serial);
    if (!split)
        throw vbError(err::Overflow);
    return JetDateTime{JetDateTime::zeroDay().addDays(split->day), split->seconds};
}

double serialFromDate(const JetDateTime &value) {
    const auto days = static_cast<double>(JetDateTime::zeroDay().daysTo(value.date));
    const double time = value.seconds / static_cast<double>(kSecondsPerDay);
    return days >= 0 ? days + time : days - time;
}

std::string isoText(const JetDateTime &value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", value.date.year(), value.date.month(),
                  value.date.day(), value.seconds / 3600, value.seconds / 60 % 60, value.seconds % 60);
    return buffer;
}

}  // namespace db
