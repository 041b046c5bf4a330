// How a column of a Jet table is declared in SQLite and read from rows.
#pragma once

#include "common/ColumnType.h"

#include "jet/Mdb.h"

#include <cstddef>

namespace jet {

// The ACE 2016 "Large Number" type (a 64-bit integer), which libmdb 1.0 does not name.
inline constexpr int kMdbBigInt = 0x13;

struct JetColumn {
    db::ColumnSpec columnSpec;        // name as in the file, type, text length in characters
    int mdbType = 0;            // MDB_BOOL, MDB_TEXT, ...
    int scale = 0;              // decimal places of a Decimal
    std::size_t valueSize = 0;  // bytes of a fixed-size value; 0 for variable and Yes/No columns
};

// The column as read by libmdb, checked: a known type, a sane size for it and a usable name. A column that fails
// these checks can only come from a damaged file and raises DamagedFile.
JetColumn describeColumn(const MdbColumn &column, bool jet4);

// True for a name a table or column of Jet can have: 1 to 64 characters of valid UTF-8.
bool isUsableName(const char *name);

}  // namespace jet
