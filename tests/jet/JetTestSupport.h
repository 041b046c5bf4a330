// Helpers of the Jet tests: round files unzipped, mdb-export's view of a table, and a converted table read back.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jettest {

// The .mdb member of a round results zip, extracted into `folder`; its path.
QString extractMdb(const QString &zipPath, const QString &folder);

// A field as mdb-export prints it: nothing for an unquoted empty field (NULL), else the text.
using ExportField = std::optional<std::string>;
struct ExportTable {
    std::vector<std::string> header;
    std::vector<std::vector<ExportField>> rows;
};

// mdb-tables -1: the user tables in catalog order.
QStringList mdbTables(const QString &file);
// mdb-export of one table with ISO dates, parsed as CSV (quoted fields may hold line breaks and doubled quotes).
ExportTable mdbExport(const QString &file, const QString &table);

// A value read back from SQLite.
struct StoredValue {
    int type = 5;  // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL (5)
    std::int64_t integer = 0;
    double real = 0;
    std::string bytes;
};
struct StoredTable {
    std::vector<std::string> names;
    std::vector<std::string> declaredTypes;
    std::vector<std::vector<StoredValue>> rows;  // in rowid order
};

// The tables of an SQLite file in creation order, and one table's columns and rows.
QStringList storedTables(const QString &sqliteFile);
StoredTable readStoredTable(const QString &sqliteFile, const QString &table);
// The single value of a one-row, one-column query.
StoredValue queryValue(const QString &sqliteFile, const std::string &sql);

}  // namespace jettest
