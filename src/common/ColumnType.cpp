#include "common/ColumnType.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace db {

std::string declaredType(ColumnType type, int textLength) {
    switch (type) {
    case ColumnType::Boolean: return "YESNO";
    case ColumnType::Byte: return "TINYINT";
    case ColumnType::Integer: return "SMALLINT";
    case ColumnType::Long: return "INTEGER";
    case ColumnType::Currency: return "CURRENCY";
    case ColumnType::Single: return "FLOAT";
    case ColumnType::Double: return "DOUBLE";
    case ColumnType::DateTime: return "DATETIME";
    case ColumnType::Binary: return "BINARY";
    case ColumnType::LongBinary: return "LONGBINARY";
    case ColumnType::Text:
        return "TEXT(" + std::to_string(textLength > 0 ? textLength : kDefaultTextLength) + ")";
    case ColumnType::Memo: return "LONGTEXT";
    case ColumnType::Guid: return "GUID";
    case ColumnType::Decimal: return "DECIMAL";
    case ColumnType::Unknown: break;
    }
    return {};
}

namespace {

std::string upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return out;
}

bool contains(const std::string &text, const char *part) { return text.find(part) != std::string::npos; }

// n of "TEXT(n)", "VARCHAR (n)" and the like; 0 when there is none.
int lengthInParentheses(const std::string &declared) {
    const auto open = declared.find('(');
    if (open == std::string::npos)
        return 0;
    auto pos = open + 1;
    while (pos < declared.size() && declared[pos] == ' ')
        ++pos;
    int value = 0;
    const auto result = std::from_chars(declared.data() + pos, declared.data() + declared.size(), value);
    return result.ec == std::errc() ? value : 0;
}

}  // namespace

ColumnType typeFromDeclared(std::string_view declared, int *textLength) {
    const std::string d = upper(declared);
    if (textLength)
        *textLength = 0;
    auto text = [&](int n) {
        if (textLength)
            *textLength = n > 0 ? n : kDefaultTextLength;
        return ColumnType::Text;
    };
    if (d.empty())
        return ColumnType::Unknown;
    if (d == "YESNO" || d == "BIT" || d == "BOOLEAN" || d == "LOGICAL" || d == "LOGICAL1")
        return ColumnType::Boolean;
    if (d == "TINYINT" || d == "BYTE" || d == "INTEGER1")
        return ColumnType::Byte;
    if (d == "SMALLINT" || d == "SHORT" || d == "INTEGER2")
        return ColumnType::Integer;
    if (d == "CURRENCY" || d == "MONEY")
        return ColumnType::Currency;
    if (d == "FLOAT" || d == "SINGLE" || d == "REAL" || d == "IEEESINGLE" || d == "FLOAT4")
        return ColumnType::Single;
    if (d == "DATETIME" || d == "DATE" || d == "TIME" || d == "TIMESTAMP")
        return ColumnType::DateTime;
    if (d == "LONGTEXT" || d == "MEMO" || d == "NOTE" || d == "LONGCHAR" || d == "CLOB")
        return ColumnType::Memo;
    if (d == "LONGBINARY" || d == "OLEOBJECT" || d == "GENERAL" || d == "BLOB")
        return ColumnType::LongBinary;
    if (d.starts_with("BINARY") || d.starts_with("VARBINARY"))
        return ColumnType::Binary;
    if (d == "GUID" || d == "UNIQUEIDENTIFIER")
        return ColumnType::Guid;
    if (d.starts_with("DECIMAL") || d.starts_with("NUMERIC"))
        return ColumnType::Decimal;
    if (contains(d, "INT") || d == "LONG" || d == "COUNTER" || d == "AUTOINCREMENT")
        return ColumnType::Long;
    if (contains(d, "CHAR") || contains(d, "TEXT") || d.starts_with("STRING"))
        return text(lengthInParentheses(d));
    if (contains(d, "DOUB") || contains(d, "FLOA") || d == "NUMBER" || d == "IEEEDOUBLE")
        return ColumnType::Double;
    return ColumnType::Unknown;
}

std::string quoteIdentifier(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string columnDefinition(const ColumnSpec &column) {
    const std::string name = quoteIdentifier(column.name);
    std::string out = name + " " + declaredType(column.type, column.textLength);
    if (isTextType(column.type))
        out += " COLLATE NOCASE";
    if (column.type == ColumnType::Text) {
        const int n = column.textLength > 0 ? column.textLength : kDefaultTextLength;
        out += " CONSTRAINT ";
        out += kTextLengthConstraint;
        out += " CHECK (length(" + name + ") <= " + std::to_string(n) + ")";
    }
    return out;
}

bool isTextType(ColumnType type) { return type == ColumnType::Text || type == ColumnType::Memo; }

bool isNumericType(ColumnType type) {
    switch (type) {
    case ColumnType::Boolean:
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::Long:
    case ColumnType::Currency:
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::Decimal: return true;
    default: return false;
    }
}

}  // namespace db
