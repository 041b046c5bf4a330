// The statement a Query Builder row stands for, the name its table is listed under, and the names no user-built
// table may take. Shared by running a row (tables/QueryBuilder.h) and rebuilding it after an import
// (import/Rebuild.h), so that both build the same table. QtCore only.
#pragma once

#include <QString>

namespace db {
class Database;
}

namespace importer {

// The clauses of one Query Builder row, as typed (never escaped).
struct QueryClauses {
    QString select;  // Txt0
    QString into;    // Txt1
    QString from;    // Txt2
    QString where;   // Txt3, may be empty
    QString order;   // Txt4, may be empty
};

// "SELECT " + select + " INTO " + into + " FROM " + from, then " WHERE " + where and " ORDER BY " + order when
// they are not empty, ending with one ";".
QString queryStatement(const QueryClauses &clauses);

// The name a target is listed under in sysTables: trimmed of blanks, and when it starts with "[" without its
// first and last character.
QString listedTableName(const QString &into);

// The auction's own tables and the engine's: the six system tables (any case), names beginning with "sys" or
// "MSys" (the names round files keep out of the supplied tables) and SQLite's own.
bool isSystemTableName(const QString &table);

// Why a user-built table may not take this name: a supplied table, a system table or a Table Wizard table; empty
// text when none of them. Raises db::Error when the system tables cannot be read (a failed check never allows).
QString reservedTableRefusal(const db::Database &database, const QString &table);

}  // namespace importer
