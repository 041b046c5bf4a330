// The column types of Jet tables and how an auction database declares them in SQLite.
//
// The declared type of a column keeps the Jet type (so that values can be shown as the engine shows them:
// currency, dates, Yes/No) and gives SQLite the right affinity. Text columns are declared with SQLite's own
// built-in NOCASE collation, so that their indexes are in an order every SQLite tool shares; the program's
// Unicode-aware comparison is added to its statements by the dialect translator (db/TextCollation.h). A Text(n)
// column refuses longer values through a check constraint named "lw_len" (reported as error 3163). The stored
// schema names only SQLite's built-in collations and functions.
//
// Storage: whole numbers as INTEGER; Single/Double as REAL; Currency as INTEGER when whole, else REAL (exact to
// four decimals as far as a double carries it); DateTime as ISO text "YYYY-MM-DD HH:MM:SS"; Yes/No as -1/0;
// Text and Memo as UTF-8 text; binary data as BLOB.
//
// Plain C++ (no Qt): the Jet converter process uses it too.
#pragma once

#include <string>
#include <string_view>

namespace db {

enum class ColumnType {
    Boolean,
    Byte,
    Integer,   // 16-bit
    Long,      // 32-bit
    Currency,
    Single,
    Double,
    DateTime,
    Binary,
    LongBinary,
    Text,      // at most textLength characters
    Memo,
    Guid,
    Decimal,
    Unknown,   // an expression without a declared type
};

struct ColumnSpec {
    std::string name;
    ColumnType type = ColumnType::Unknown;
    int textLength = 0;  // Text only; 255 when not given
};

inline constexpr int kDefaultTextLength = 255;

// PRAGMA user_version of a database file in the current storage scheme: text indexes in SQLite's built-in NOCASE
// order. Files made by earlier versions of the program have 0 and NOCASE indexes in the Unicode-aware order that
// those versions put in place of SQLite's; opening such a file rebuilds them (db/TextScheme.h). Every file the
// program or its converter creates carries this value.
inline constexpr int kStorageScheme = 1;
inline constexpr const char *kTextLengthConstraint = "lw_len";

// The declared SQLite type of a column: "INTEGER", "TEXT(20)", "CURRENCY", ...
std::string declaredType(ColumnType type, int textLength = kDefaultTextLength);

// The type a declared SQLite type stands for; textLength receives n of TEXT(n) (255 for plain text).
// Declared types from other programs map to their nearest Jet type.
ColumnType typeFromDeclared(std::string_view declared, int *textLength = nullptr);

// A column definition for CREATE TABLE: quoted name, declared type, collation and length check.
std::string columnDefinition(const ColumnSpec &column);

// A name quoted for SQLite in double quotes, inner quotes doubled; safe for any table or column name.
std::string quoteIdentifier(std::string_view name);

bool isTextType(ColumnType type);
bool isNumericType(ColumnType type);

}  // namespace db
