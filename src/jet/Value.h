// One decoded value of a Jet row, in the form SQLite stores it (see db/ColumnType.h for the storage rules).
#pragma once

#include <cstdint>
#include <string>

namespace jet {

struct Value {
    enum class Kind : std::uint8_t { Null, Integer, Real, Text, Blob };

    Kind kind = Kind::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string bytes;  // Text (UTF-8) and Blob; its capacity is kept from row to row

    void setNull() { kind = Kind::Null; }
    void setInteger(std::int64_t v) { kind = Kind::Integer; integer = v; }
    void setReal(double v) { kind = Kind::Real; real = v; }
    // Clears `bytes` for the caller to fill.
    std::string &setText() { kind = Kind::Text; bytes.clear(); return bytes; }
    std::string &setBlob() { kind = Kind::Blob; bytes.clear(); return bytes; }
};

}  // namespace jet
