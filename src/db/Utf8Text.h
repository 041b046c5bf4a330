// UTF-8 helpers for the SQL functions: stepping over characters, decoding, encoding and per-character case
// mapping, with fast paths for ASCII text.
//
// Pure functions without state; safe from any thread. Text is taken as SQLite hands it over and may be invalid
// UTF-8: a byte that does not start a well-formed sequence counts as one character and decodes to U+FFFD, so no
// input can make these functions read out of bounds. Positions count code points (VB counts UTF-16 units; the two
// agree outside the rare characters beyond U+FFFF).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace db::utf8 {

bool isAscii(std::string_view text);

// The code point starting at byte `pos` (pos < text.size()); `length` receives its byte length.
char32_t decodeAt(std::string_view text, std::size_t pos, std::size_t *length);

// The byte offset reached after stepping over `count` characters from byte `from`; stops at the end.
std::size_t advance(std::string_view text, std::size_t from, std::int64_t count);

// The byte offset where the last `count` characters begin (0 when the text is shorter).
std::size_t startOfLast(std::string_view text, std::int64_t count);

std::int64_t charCount(std::string_view text);

std::u32string decode(std::string_view text);
void append(std::string &out, char32_t c);
std::string encode(std::u32string_view text);

inline char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
inline char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// Simple (one-to-one) Unicode case mappings, so that lengths and positions never change.
char32_t foldCase(char32_t c);
char32_t toUpper(char32_t c);
char32_t toLower(char32_t c);
std::string toUpper(std::string_view text);
std::string toLower(std::string_view text);

}  // namespace db::utf8
