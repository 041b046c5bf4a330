// Jet's LIKE: * any run of characters, ? one character, # one digit (0-9), [abc] [a-z] [!abc] one character in
// (or not in) a list; everything else is literal, % and _ included, and "[*]", "[?]", "[#]", "[[]" match the
// character itself. "[]" matches nothing (it consumes no character). Matching is case-insensitive and
// Unicode-aware ("É" matches "é*"); ranges also take accented letters by their base letter ("É" is in [a-f]).
// Text is compared in composed form (NFC), so a decomposed accent matches a composed one.
//
// SQLite's like() is replaced by this on every connection: `value LIKE pattern` calls like(pattern, value), and
// `... ESCAPE 'c'` passes a third argument that makes the character after it literal. NULL in gives NULL; a
// match gives 1 and a mismatch 0, like SQLite's other comparison operators.
//
// A JetPattern is immutable after construction and may be shared between threads.
#pragma once

#include <string_view>
#include <vector>

namespace db {

class JetPattern {
public:
    // Throws db::Error 93 (Invalid pattern string) for an unclosed "[" or a range running backwards ("[z-a]").
    // `escape` 0 means none.
    explicit JetPattern(std::string_view pattern, char32_t escape = 0);

    bool matches(std::string_view text) const;
    char32_t escape() const { return escape_; }

private:
    struct Range {
        char32_t low, high;              // as written
        char32_t foldedLow, foldedHigh;  // case-folded
    };
    struct Element {
        enum class Kind { Literal, AnyOne, Digit, List, Star };
        Element(Kind k, char32_t folded = 0) : kind(k), literal(folded) {}
        Kind kind;
        char32_t literal;  // folded
        bool negated = false;
        std::vector<Range> ranges;
    };

    std::size_t readList(const std::u32string &p, std::size_t pos);
    bool matchesOne(const Element &e, char32_t folded, char32_t original) const;
    template <typename Char>
    bool run(const Char *text, std::size_t size) const;

    std::vector<Element> elements_;
    char32_t escape_;
};

}  // namespace db
