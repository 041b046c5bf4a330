// Text of Jet files decoded to UTF-8.
//
// Jet 4 stores text as UCS-2 (UTF-16 little endian), or compressed: the bytes 0xFF 0xFE, then runs of one-byte
// characters (U+0000..U+00FF) and runs of two-byte characters, a 0x00 byte switching between them. Jet 3 stores
// text in the code page of the database.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <string>

namespace jet {

// Appends the UTF-8 form of Jet 4 text to `out`. Returns false when the bytes cannot be such text (an odd byte
// left in a two-byte run), which only a damaged file holds. A lone surrogate becomes U+FFFD.
bool appendJet4Text(const unsigned char *data, std::size_t size, std::string &out);

// The number of characters (code points) of UTF-8 text.
std::size_t utf8Length(const std::string &text);

// Decodes Jet 3 text of one code page. Owns an iconv descriptor; one thread at a time.
class CodePageDecoder {
public:
    // Windows code page `codePage` (1252 when 0 or unknown to iconv).
    explicit CodePageDecoder(unsigned codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder &) = delete;
    CodePageDecoder &operator=(const CodePageDecoder &) = delete;

    // Appends the UTF-8 form of `data` to `out`; a byte the code page lacks becomes U+FFFD.
    void append(const unsigned char *data, std::size_t size, std::string &out);

private:
    iconv_t iconv_;
};

}  // namespace jet
