#include "db/TextCollation.h"

#include "db/SqlFunctionGroups.h"
#include "db/SqlFunctionSupport.h"
#include "db/Utf8Text.h"

#include <QList>
#include <QString>

#include <sqlite3.h>

namespace db {

namespace {

// The text decomposed (NFD) with every character case-folded: the accent level of the order. Dropping the
// combining marks from it gives the letter level.
std::u32string foldedDecomposition(std::string_view text) {
    const QString decomposed = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
                                   .normalized(QString::NormalizationForm_D);
    std::u32string out;
    out.reserve(static_cast<std::size_t>(decomposed.size()));
    for (const char32_t c : decomposed.toUcs4())
        out.push_back(utf8::foldCase(c));
    return out;
}

int compareLetters(const std::u32string &a, const std::u32string &b) {
    std::size_t i = 0, j = 0;
    for (;;) {
        while (i < a.size() && QChar::isMark(a[i]))
            ++i;
        while (j < b.size() && QChar::isMark(b[j]))
            ++j;
        if (i == a.size() || j == b.size())
            return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
        if (a[i] != b[j])
            return a[i] < b[j] ? -1 : 1;
        ++i, ++j;
    }
}

int compareUnicode(std::string_view a, std::string_view b) {
    const std::u32string x = foldedDecomposition(a);
    const std::u32string y = foldedDecomposition(b);
    if (const int letters = compareLetters(x, y); letters != 0)
        return letters;
    const int accents = x.compare(y);
    return accents < 0 ? -1 : accents > 0 ? 1 : 0;
}

int collate(void *, int lengthA, const void *a, int lengthB, const void *b) {
    const std::string_view x(static_cast<const char *>(a), static_cast<std::size_t>(lengthA));
    const std::string_view y(static_cast<const char *>(b), static_cast<std::size_t>(lengthB));
    try {
        return compareText(x, y);
    } catch (...) {
        // Out of memory while decoding: bytes still give a consistent answer for this comparison.
        return x.compare(y);
    }
}

}  // namespace

// Walks the common prefix byte by byte. Identical bytes and ASCII letters differing only in case are equal at both
// levels; the first ASCII difference decides. Anything else goes to the full comparison, restarted at the last
// ASCII character of the prefix: decomposition never reorders marks across an ASCII character, so the text before
// it is equal at both levels and cannot change the answer.
int compareText(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    std::size_t restart = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (x == y) {
            restart = x < 0x80 ? i : restart;
            continue;
        }
        if ((x | y) & 0x80)
            return compareUnicode(a.substr(restart), b.substr(restart));
        const char lx = utf8::asciiLower(static_cast<char>(x));
        const char ly = utf8::asciiLower(static_cast<char>(y));
        if (lx != ly)
            return lx < ly ? -1 : 1;
        restart = i;
    }
    if (a.size() == b.size())
        return 0;
    // After an ASCII character whatever follows adds a letter or an accent, so the longer text sorts after.
    if (n == 0 || static_cast<unsigned char>(a[n - 1]) < 0x80)
        return a.size() < b.size() ? -1 : 1;
    return compareUnicode(a.substr(restart), b.substr(restart));
}

namespace sqlfn {

void registerTextCollation(sqlite3 *connection) {
    const int rc = sqlite3_create_collation_v2(connection, kTextCollation, SQLITE_UTF8, nullptr, collate, nullptr);
    checkRegistration(connection, rc, kTextCollation);
}

}  // namespace sqlfn

}  // namespace db
