#include "jet/JetColumn.h"

#include "common/ConvertError.h"

#include <glib.h>

#include <cstring>

namespace jet {

namespace {

using db::ColumnType;

constexpr long kMaxNameCharacters = 64;
constexpr int kMaxTextCharacters = 255;

struct TypeInfo {
    ColumnType type;
    std::size_t valueSize;  // 0: variable size (or Yes/No, kept in the null mask)
};

bool typeInfo(int mdbType, TypeInfo &info) {
    switch (mdbType) {
    case MDB_BOOL: info = {ColumnType::Boolean, 0}; return true;
    case MDB_BYTE: info = {ColumnType::Byte, 1}; return true;
    case MDB_INT: info = {ColumnType::Integer, 2}; return true;
    case MDB_LONGINT: info = {ColumnType::Long, 4}; return true;
    case MDB_COMPLEX: info = {ColumnType::Long, 4}; return true;  // the id of an ACE multi-value field
    case kMdbBigInt: info = {ColumnType::Long, 8}; return true;
    case MDB_MONEY: info = {ColumnType::Currency, 8}; return true;
    case MDB_FLOAT: info = {ColumnType::Single, 4}; return true;
    case MDB_DOUBLE: info = {ColumnType::Double, 8}; return true;
    case MDB_DATETIME: info = {ColumnType::DateTime, 8}; return true;
    case MDB_REPID: info = {ColumnType::Guid, 16}; return true;
    case MDB_NUMERIC: info = {ColumnType::Decimal, 17}; return true;
    case MDB_BINARY: info = {ColumnType::Binary, 0}; return true;
    case MDB_TEXT: info = {ColumnType::Text, 0}; return true;
    case MDB_OLE: info = {ColumnType::LongBinary, 0}; return true;
    case MDB_MEMO: info = {ColumnType::Memo, 0}; return true;
    default: return false;
    }
}

}  // namespace

bool isUsableName(const char *name) {
    const std::size_t bytes = std::strlen(name);
    if (bytes == 0 || !g_utf8_validate(name, static_cast<gssize>(bytes), nullptr))
        return false;
    return g_utf8_strlen(name, static_cast<gssize>(bytes)) <= kMaxNameCharacters;
}

JetColumn describeColumn(const MdbColumn &column, bool jet4) {
    if (!isUsableName(column.name))
        throw DamagedFile("column name that cannot be one");
    TypeInfo info{};
    if (!typeInfo(column.col_type, info))
        throw DamagedFile("column of an unknown type");
    JetColumn out;
    out.columnSpec.name = column.name;
    out.columnSpec.type = info.type;
    out.mdbType = column.col_type;
    out.valueSize = info.valueSize;
    if (info.valueSize != 0 && (!column.is_fixed || static_cast<std::size_t>(column.col_size) != info.valueSize))
        throw DamagedFile("fixed-size column of a wrong size");
    if (info.type == ColumnType::Text) {
        const int characters = jet4 ? column.col_size / 2 : column.col_size;
        if (characters < 1 || characters > kMaxTextCharacters)
            throw DamagedFile("text column of an impossible length");
        out.columnSpec.textLength = characters;
    }
    if (info.type == ColumnType::Decimal) {
        if (column.col_scale < 0 || column.col_scale > 28)
            throw DamagedFile("decimal column of an impossible scale");
        out.scale = column.col_scale;
    }
    return out;
}

}  // namespace jet
