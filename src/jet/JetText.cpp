#include "jet/JetText.h"

#include <cerrno>
#include <cstdint>
#include <new>

namespace jet {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(char32_t c, std::string &out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Joins UTF-16 code units into code points, pairing surrogates.
class Utf16Joiner {
public:
    explicit Utf16Joiner(std::string &out) : out_(out) {}
    ~Utf16Joiner() { flush(); }
    Utf16Joiner(const Utf16Joiner &) = delete;
    Utf16Joiner &operator=(const Utf16Joiner &) = delete;

    void add(char16_t unit) {
        if (high_ != 0) {
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                appendUtf8(0x10000 + ((char32_t(high_) - 0xD800) << 10) + (char32_t(unit) - 0xDC00), out_);
                high_ = 0;
                return;
            }
            flush();
        }
        if (unit >= 0xD800 && unit <= 0xDBFF)
            high_ = unit;
        else
            appendUtf8(unit >= 0xDC00 && unit <= 0xDFFF ? kReplacement : char32_t(unit), out_);
    }
    void flush() {
        if (high_ != 0)
            appendUtf8(kReplacement, out_);
        high_ = 0;
    }

private:
    std::string &out_;
    char16_t high_ = 0;
};

}  // namespace

bool appendJet4Text(const unsigned char *data, std::size_t size, std::string &out) {
    Utf16Joiner joiner(out);
    const bool compressed = size >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    if (!compressed) {
        if (size % 2 != 0)
            return false;
        for (std::size_t i = 0; i < size; i += 2)
            joiner.add(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
        return true;
    }
    bool oneByte = true;
    std::size_t i = 2;
    while (i < size) {
        if (data[i] == 0) {
            oneByte = !oneByte;
            ++i;
        } else if (oneByte) {
            joiner.add(data[i++]);
        } else if (i + 1 < size) {
            joiner.add(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

std::size_t utf8Length(const std::string &text) {
    std::size_t n = 0;
    for (unsigned char c : text)
        n += (c & 0xC0) != 0x80;
    return n;
}

CodePageDecoder::CodePageDecoder(unsigned codePage) : iconv_(reinterpret_cast<iconv_t>(-1)) {
    if (codePage != 0)
        iconv_ = iconv_open("UTF-8", ("CP" + std::to_string(codePage)).c_str());
    if (iconv_ == reinterpret_cast<iconv_t>(-1))
        iconv_ = iconv_open("UTF-8", "CP1252");
    if (iconv_ == reinterpret_cast<iconv_t>(-1))
        throw std::bad_alloc();
}

CodePageDecoder::~CodePageDecoder() { iconv_close(iconv_); }

void CodePageDecoder::append(const unsigned char *data, std::size_t size, std::string &out) {
    iconv(iconv_, nullptr, nullptr, nullptr, nullptr);
    char buffer[1024];
    auto *in = reinterpret_cast<char *>(const_cast<unsigned char *>(data));
    std::size_t inLeft = size;
    while (inLeft > 0) {
        char *to = buffer;
        std::size_t toLeft = sizeof buffer;
        const std::size_t result = iconv(iconv_, &in, &inLeft, &to, &toLeft);
        out.append(buffer, static_cast<std::size_t>(to - buffer));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG)
            continue;
        appendUtf8(kReplacement, out);  // EILSEQ skips the byte; EINVAL (cut short at the end) ends the text
        if (errno != EILSEQ)
            break;
        ++in;
        --inLeft;
    }
}

}  // namespace jet
