// Number sections of VB's Format: digit placeholders, decimal point, grouping, scaling, percent, exponent.
#include "db/VbFormatDetail.h"

#include "db/Utf8Text.h"

#include <utility>

namespace db::vbformat {

namespace {

struct NumberToken {
    enum class Kind { Zero, Hash, Point, Literal, Exponent };
    Kind kind;
    std::string text;  // Literal: its text; Exponent: the letter and sign as written ("E+", "e-")
};

enum class Part { Whole, Fraction, Exponent };

struct NumberPattern {
    std::vector<NumberToken> tokens;
    int wholeCount = 0;
    int fractionCount = 0;
    int firstWholeZero = -1;     // index of the first 0 among the whole placeholders
    int lastFractionZero = -1;   // index of the last 0 among the fraction placeholders
    int exponentZeros = 0;
    int thousandsScale = 0;      // commas that divide by 1000
    int percent = 0;
    bool grouping = false;
    bool hasPoint = false;
    bool scientific = false;
};

void addLiteral(NumberPattern &p, std::string_view text) {
    if (!p.tokens.empty() && p.tokens.back().kind == NumberToken::Kind::Literal)
        p.tokens.back().text += text;
    else
        p.tokens.push_back({NumberToken::Kind::Literal, std::string(text)});
}

void addPlaceholder(NumberPattern &p, Part part, char c, int *pendingCommas) {
    const bool zero = c == '0';
    p.tokens.push_back({zero ? NumberToken::Kind::Zero : NumberToken::Kind::Hash, {}});
    if (part == Part::Whole) {
        if (*pendingCommas > 0)
            p.grouping = true;
        *pendingCommas = 0;
        if (zero && p.firstWholeZero < 0)
            p.firstWholeZero = p.wholeCount;
        ++p.wholeCount;
    } else if (part == Part::Fraction) {
        if (zero)
            p.lastFractionZero = p.fractionCount;
        ++p.fractionCount;
    } else if (zero) {
        ++p.exponentZeros;
    }
}

bool startsExponent(std::string_view s, std::size_t pos) {
    return (s[pos] == 'E' || s[pos] == 'e') && pos + 2 < s.size() && (s[pos + 1] == '+' || s[pos + 1] == '-') &&
           (s[pos + 2] == '0' || s[pos + 2] == '#');
}

NumberPattern parseNumberPattern(std::string_view s) {
    NumberPattern p;
    Part part = Part::Whole;
    int pendingCommas = 0;  // commas after the last whole placeholder
    for (std::size_t pos = 0; pos < s.size();) {
        std::string literal;
        if (const std::size_t next = takeLiteral(s, pos, &literal); next != pos) {
            addLiteral(p, literal);
            pos = next;
            continue;
        }
        const char c = s[pos];
        if (c == '0' || c == '#') {
            addPlaceholder(p, part, c, &pendingCommas);
        } else if (c == ',') {
            pendingCommas += (part == Part::Whole && p.wholeCount > 0) ? 1 : 0;
        } else if (c == '.' && part == Part::Whole) {
            p.tokens.push_back({NumberToken::Kind::Point, {}});
            p.hasPoint = true, part = Part::Fraction;
        } else if (part != Part::Exponent && startsExponent(s, pos)) {
            p.tokens.push_back({NumberToken::Kind::Exponent, std::string(s.substr(pos, 2))});
            p.scientific = true, part = Part::Exponent;
            ++pos;
        } else {
            p.percent += c == '%' ? 1 : 0;
            const std::size_t next = utf8::advance(s, pos, 1);
            addLiteral(p, s.substr(pos, next - pos));
            pos = next;
            continue;
        }
        if (part != Part::Whole || c == '.' || startsExponent(s, pos))
            p.thousandsScale += std::exchange(pendingCommas, 0);
        ++pos;
    }
    p.thousandsScale += pendingCommas;
    return p;
}

// The text each whole placeholder shows, left to right: digits fill from the right, the leftmost placeholder
// takes every digit left over, and grouping puts a comma after every third digit from the right.
std::vector<std::string> wholeTexts(const NumberPattern &p, std::string digits) {
    const std::size_t minimum = p.firstWholeZero < 0 ? 0 : static_cast<std::size_t>(p.wholeCount - p.firstWholeZero);
    if (digits.size() < minimum)
        digits.insert(0, minimum - digits.size(), '0');
    std::vector<std::string> texts(static_cast<std::size_t>(p.wholeCount));
    const std::size_t n = digits.size();
    for (std::size_t j = 0; j < texts.size(); ++j) {  // j counts placeholders from the right
        const bool leftmost = j + 1 == texts.size();
        const std::size_t to = j < n ? n - j : 0;  // digits left for this placeholder end here
        const std::size_t from = leftmost || to == 0 ? 0 : to - 1;
        std::string &text = texts[texts.size() - 1 - j];
        for (std::size_t i = from; i < to; ++i) {
            text += digits[i];
            const std::size_t fromRight = n - 1 - i;
            if (p.grouping && fromRight > 0 && fromRight % 3 == 0)
                text += ',';
        }
    }
    return texts;
}

// Scales and rounds the magnitude as the pattern asks; returns the exponent shown (0 without one).
int prepare(const NumberPattern &p, DecimalDigits &value) {
    if (!value.isZero())
        value.point += 2 * p.percent - 3 * p.thousandsScale;
    if (!p.scientific || value.isZero()) {
        value.roundTo(p.fractionCount, DecimalDigits::Tie::AwayFromZero);
        return 0;
    }
    int exponent = value.point - p.wholeCount;
    value.point = p.wholeCount;
    value.roundTo(p.fractionCount, DecimalDigits::Tie::AwayFromZero);
    exponent += value.point - p.wholeCount;  // 9.995 may round up to 10.00
    value.point = p.wholeCount;
    return exponent;
}

std::string exponentText(const NumberToken &token, int exponent, int zeros) {
    std::string out(1, token.text[0]);
    if (exponent < 0)
        out += '-';
    else if (token.text[1] == '+')
        out += '+';
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    const auto width = static_cast<std::size_t>(zeros > 0 ? zeros : 1);
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return out + digits;
}

}  // namespace

SectionResult formatNumberSection(DecimalDigits magnitude, std::string_view section) {
    const NumberPattern p = parseNumberPattern(section);
    magnitude.negative = false;
    const int exponent = prepare(p, magnitude);
    const std::vector<std::string> whole = wholeTexts(p, magnitude.wholeDigits());
    const std::string fraction = magnitude.fractionDigits(p.fractionCount);
    std::size_t shownFraction = fraction.size();
    while (shownFraction > static_cast<std::size_t>(p.lastFractionZero + 1) && fraction[shownFraction - 1] == '0')
        --shownFraction;

    SectionResult result;
    result.showsZero = magnitude.isZero();
    std::size_t wholeIndex = 0, fractionIndex = 0;
    bool exponentShown = false;
    for (const NumberToken &token : p.tokens) {
        switch (token.kind) {
        case NumberToken::Kind::Literal:
            result.text += token.text;
            break;
        case NumberToken::Kind::Point:
            if (p.wholeCount == 0)
                result.text += magnitude.wholeDigits();  // digits before the point show even without placeholders
            result.text += '.';
            break;
        case NumberToken::Kind::Exponent:
            result.text += exponentText(token, exponent, p.exponentZeros);
            exponentShown = true;
            break;
        case NumberToken::Kind::Zero:
        case NumberToken::Kind::Hash:
            if (exponentShown)
                break;  // the exponent's digits were written with its sign
            if (fractionIndex == 0 && wholeIndex < whole.size())
                result.text += whole[wholeIndex++];
            else if (fractionIndex < shownFraction)
                result.text += fraction[fractionIndex++];
            else
                ++fractionIndex;
            break;
        }
    }
    return result;
}

}  // namespace db::vbformat
