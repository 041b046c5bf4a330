#include "db/JetLike.h"

#include "db/SqlFunctionGroups.h"
#include "db/SqlFunctionSupport.h"
#include "db/Utf8Text.h"
#include "db/VbError.h"

#include <QList>
#include <QString>

#include <memory>

namespace db {

namespace {

std::u32string composed(std::string_view text) {
    if (utf8::isAscii(text))
        return std::u32string(text.begin(), text.end());
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                          .normalized(QString::NormalizationForm_C);
    const QList<uint> ucs4 = s.toUcs4();
    return std::u32string(ucs4.begin(), ucs4.end());
}

// The letter an accented character is built on ('é' -> 'e'), or the character itself.
char32_t baseLetter(char32_t c) {
    if (c < 0x80 || QChar::decompositionTag(c) != QChar::Canonical)
        return c;
    const QString parts = QChar::decomposition(c);
    return parts.isEmpty() ? c : baseLetter(parts.toUcs4().front());
}

}  // namespace

JetPattern::JetPattern(std::string_view pattern, char32_t escape) : escape_(escape) {
    using Kind = Element::Kind;
    const std::u32string p = composed(pattern);
    for (std::size_t pos = 0; pos < p.size();) {
        const char32_t c = p[pos];
        if (escape_ != 0 && c == escape_ && pos + 1 < p.size()) {
            elements_.emplace_back(Kind::Literal, utf8::foldCase(p[pos + 1]));
            pos += 2;
        } else if (c == '[') {
            pos = readList(p, pos + 1);
        } else {
            const Kind kind = c == '*' ? Kind::Star : c == '?' ? Kind::AnyOne : c == '#' ? Kind::Digit : Kind::Literal;
            if (kind != Kind::Star || elements_.empty() || elements_.back().kind != Kind::Star)
                elements_.emplace_back(kind, utf8::foldCase(c));
            ++pos;
        }
    }
}

// Reads a character list after its "[", adds it (an empty list adds nothing) and returns the position after "]".
std::size_t JetPattern::readList(const std::u32string &p, std::size_t pos) {
    Element list(Element::Kind::List);
    if (pos < p.size() && p[pos] == '!')
        list.negated = true, ++pos;
    for (; pos < p.size() && p[pos] != ']'; ++pos) {
        char32_t low = p[pos], high = low;
        if (pos + 2 < p.size() && p[pos + 1] == '-' && p[pos + 2] != ']') {
            high = p[pos + 2];
            pos += 2;
            if (high < low)
                throw vbError(err::InvalidPatternString);
        }
        list.ranges.push_back({low, high, utf8::foldCase(low), utf8::foldCase(high)});
    }
    if (pos >= p.size())
        throw vbError(err::InvalidPatternString);
    if (!list.ranges.empty() || list.negated)
        elements_.push_back(std::move(list));
    return pos + 1;
}

bool JetPattern::matchesOne(const Element &e, char32_t folded, char32_t original) const {
    switch (e.kind) {
    case Element::Kind::Literal:
        return e.literal == folded;
    case Element::Kind::AnyOne:
        return true;
    case Element::Kind::Digit:
        return original >= '0' && original <= '9';
    case Element::Kind::List: {
        const char32_t base = baseLetter(folded);
        bool in = false;
        for (const Range &r : e.ranges) {
            in = in || (original >= r.low && original <= r.high) || (folded >= r.foldedLow && folded <= r.foldedHigh) ||
                 (base >= r.foldedLow && base <= r.foldedHigh);
        }
        return in != e.negated;
    }
    case Element::Kind::Star:
        break;
    }
    return false;
}

// Wildcard matching with one backtrack point: on a mismatch the last * takes one more character.
template <typename Char>
bool JetPattern::run(const Char *text, std::size_t size) const {
    const std::size_t m = elements_.size();
    std::size_t p = 0, t = 0, starP = m, starT = 0;
    while (t < size) {
        if (p < m && elements_[p].kind == Element::Kind::Star) {
            starP = p++;
            starT = t;
            continue;
        }
        const auto original = static_cast<char32_t>(text[t]);
        if (p < m && matchesOne(elements_[p], utf8::foldCase(original), original)) {
            ++p, ++t;
        } else if (starP < m) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < m && elements_[p].kind == Element::Kind::Star)
        ++p;
    return p == m;
}

bool JetPattern::matches(std::string_view text) const {
    if (utf8::isAscii(text))
        return run(reinterpret_cast<const unsigned char *>(text.data()), text.size());
    const std::u32string chars = composed(text);
    return run(chars.data(), chars.size());
}

namespace sqlfn {

namespace {

char32_t escapeArgument(Call &call) {
    if (call.count() < 3)
        return 0;
    const std::string_view e = call.text(2);
    std::size_t length = 0;
    const char32_t c = e.empty() ? 0 : utf8::decodeAt(e, 0, &length);
    if (e.empty() || length != e.size())
        throw Error(err::InvalidProcedureCall, QStringLiteral("ESCAPE expression must be a single character"));
    return c;
}

// like(pattern, value[, escape]); the compiled pattern is kept with the statement while the pattern is constant.
void like(Call &call) {
    if (call.anyNull())
        return call.setNull();
    const char32_t escape = escapeArgument(call);
    sqlite3_context *context = call.context();
    auto *cached = static_cast<const JetPattern *>(sqlite3_get_auxdata(context, 0));
    std::unique_ptr<JetPattern> compiled;
    if (!cached || cached->escape() != escape) {
        compiled = std::make_unique<JetPattern>(call.text(0), escape);
        cached = compiled.get();
    }
    call.setInteger(cached->matches(call.text(1)) ? 1 : 0);  // 1 like SQLite's other comparisons
    if (compiled)  // SQLite may free it at once; it is not used after this
        sqlite3_set_auxdata(context, 0, compiled.release(), [](void *p) { delete static_cast<JetPattern *>(p); });
}

constexpr ScalarDef kLike[] = {{"like", 2, 3, like}};

}  // namespace

void registerJetLike(sqlite3 *connection) { registerScalars(connection, kLike, std::size(kLike)); }

}  // namespace sqlfn

}  // namespace db
