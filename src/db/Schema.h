// The auction database's own tables: the six system tables, the statements that create them, the name rules
// that tell supplied tables from system tables, and the [Round] indexes of the supplied tables.
//
// An auction database starts as the round 1 database of its auction; creation adds the system tables to it.
// Two creators write slightly different statements (sysRounds' first row, sysQueryBuilder's column sizes); code
// that reads the tables works with both.
#pragma once

#include <QString>
#include <QStringList>

namespace db {
class Database;
}

namespace db::schema {

enum class Creator {
    RoundFile,    // a new auction made from its round 1 file
    BatchImport,  // a new auction made by importing a folder of round files
};

// A table of a round database is supplied unless its name begins with "MSys" or "sys" (case-sensitive, so
// "Sysop Notes" is supplied and "sysScratch" is not).
bool isSuppliedTableName(const QString &name);

QString createSuppliedTablesStatement();
QString insertSuppliedTableStatement(const QString &table);

// The statements that follow the rows of sysSuppliedTables, in order.
QStringList systemTableStatements(Creator creator, qint64 auctionNumber);

// Runs the whole creation on a round 1 database: sysSuppliedTables with one row per supplied table (in the
// order of TableDefs, counted after sysSuppliedTables exists), the other system tables, and the indexes on
// [Round]. The caller decides the transaction.
void createSystemTables(Database &database, Creator creator, qint64 auctionNumber);

// An index on [Round] for every supplied table that has the column, so that every per-round query is an index
// lookup. Safe to run again.
void createRoundIndexes(Database &database);

}  // namespace db::schema
