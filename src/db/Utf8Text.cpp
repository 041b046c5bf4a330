#include "db/Utf8Text.h"

#include <QChar>

#include <cstring>

namespace db::utf8 {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

bool isAscii(std::string_view text) {
    const char *p = text.data();
    std::size_t n = text.size();
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ULL)
            return false;
    }
    for (; n > 0; ++p, --n) {
        if (static_cast<unsigned char>(*p) & 0x80)
            return false;
    }
    return true;
}

char32_t decodeAt(std::string_view text, std::size_t pos, std::size_t *length) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    *length = 1;
    if (lead < 0x80)
        return lead;
    std::size_t need;
    char32_t c;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        need = 1, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        need = 2, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        need = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        return kReplacement;
    }
    if (pos + need >= text.size())
        return kReplacement;
    for (std::size_t i = 1; i <= need; ++i) {
        const auto byte = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(byte))
            return kReplacement;
        c = (c << 6) | (byte & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return kReplacement;
    *length = need + 1;
    return c;
}

std::size_t advance(std::string_view text, std::size_t from, std::int64_t count) {
    std::size_t pos = from;
    for (; count > 0 && pos < text.size(); --count) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
        } else {
            std::size_t length;
            decodeAt(text, pos, &length);
            pos += length;
        }
    }
    return pos;
}

std::size_t startOfLast(std::string_view text, std::int64_t count) {
    if (count <= 0)
        return text.size();
    if (isAscii(text))
        return static_cast<std::size_t>(count) >= text.size() ? 0 : text.size() - static_cast<std::size_t>(count);
    const std::int64_t total = charCount(text);
    return count >= total ? 0 : advance(text, 0, total - count);
}

std::int64_t charCount(std::string_view text) {
    std::int64_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count)
        pos = advance(text, pos, 1);
    return count;
}

std::u32string decode(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length;
        out.push_back(decodeAt(text, pos, &length));
        pos += length;
    }
    return out;
}

void append(std::string &out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string encode(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text)
        append(out, c);
    return out;
}

char32_t foldCase(char32_t c) {
    return c < 0x80 ? static_cast<char32_t>(asciiLower(static_cast<char>(c))) : QChar::toCaseFolded(c);
}

char32_t toUpper(char32_t c) {
    return c < 0x80 ? static_cast<char32_t>(asciiUpper(static_cast<char>(c))) : QChar::toUpper(c);
}

char32_t toLower(char32_t c) {
    return c < 0x80 ? static_cast<char32_t>(asciiLower(static_cast<char>(c))) : QChar::toLower(c);
}

namespace {

template <char (*Ascii)(char), char32_t (*Wide)(char32_t)>
std::string mapCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            out.push_back(Ascii(text[pos++]));
            continue;
        }
        std::size_t length;
        const char32_t c = decodeAt(text, pos, &length);
        append(out, Wide(c));
        pos += length;
    }
    return out;
}

}  // namespace

std::string toUpper(std::string_view text) { return mapCase<asciiUpper, toUpper>(text); }
std::string toLower(std::string_view text) { return mapCase<asciiLower, toLower>(text); }

}  // namespace db::utf8
