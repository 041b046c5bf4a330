// The pieces of VB's Format shared by the C++ API and the SQL function jet_format; not for other callers.
//
// Works on UTF-8 text so that the SQL function runs without converting every row to QString. Pure functions;
// safe from any thread.
#pragma once

#include "db/DecimalDigits.h"
#include "db/JetDate.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace db::vbformat {

struct FormatValue {
    enum class Kind { Null, Integer, Double, Boolean, Text, Date };
    Kind kind = Kind::Null;
    std::int64_t integer = 0;  // Integer; Boolean as -1/0
    double real = 0.0;
    std::string_view text;  // borrowed for the call
    JetDateTime date;

    static FormatValue ofInteger(std::int64_t v) { return make(Kind::Integer, v); }
    static FormatValue ofBoolean(bool v) { return make(Kind::Boolean, v ? -1 : 0); }
    static FormatValue ofDouble(double v) {
        FormatValue out = make(Kind::Double, 0);
        out.real = v;
        return out;
    }
    static FormatValue ofText(std::string_view v) {
        FormatValue out = make(Kind::Text, 0);
        out.text = v;
        return out;
    }
    static FormatValue ofDate(const JetDateTime &v) {
        FormatValue out = make(Kind::Date, 0);
        out.date = v;
        return out;
    }

private:
    static FormatValue make(Kind kind, std::int64_t integer) {
        FormatValue out;
        out.kind = kind;
        out.integer = integer;
        return out;
    }
};

// Format(value, pattern); empty means Null.
std::optional<std::string> format(const FormatValue &value, std::string_view pattern);

// At a quote or backslash: appends the literal text it starts to `out` and returns the position after it.
// Elsewhere returns `pos` unchanged.
std::size_t takeLiteral(std::string_view pattern, std::size_t pos, std::string *out);

// The ';'-separated sections of a pattern (quotes and escapes respected).
std::vector<std::string_view> splitSections(std::string_view pattern);

// Whether a user pattern formats dates (it has date letters and no digit placeholders).
bool isDatePattern(std::string_view pattern);

struct SectionResult {
    std::string text;
    bool showsZero = false;  // every digit shown is 0
};
// One number section applied to a magnitude (the sign is the caller's business).
SectionResult formatNumberSection(DecimalDigits magnitude, std::string_view section);

// A user date pattern or the pattern of a named date format, applied to a date.
std::string formatDate(const JetDateTime &value, std::string_view pattern);

}  // namespace db::vbformat
