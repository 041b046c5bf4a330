// Translates one Jet statement into what the engine runs on SQLite.
//
// Works on tokens (db/JetLexer.h) with an expression parser that knows Jet's operator precedence, and writes
// SQLite SQL with explicit parentheses: "text" literals become 'text', #dates# become ISO text, TOP n becomes
// LIMIT n, & concatenates, Mod and \ round their operands, / always divides as real numbers (jet_div, jet_idiv and
// jet_mod raise error 11 on division by zero), + and - where an operand may be a date or both may be text go
// through jet_add and jet_sub (a date plus days is a date, two dates give the days between them, + joins two
// texts), Like uses Jet's wildcards (through the like() function registered on every connection), Jet functions
// become the jet_* functions registered on every connection.
//
// Text compares, sorts and groups case-insensitively and Unicode-aware through the collation JETTEXT registered on
// every connection (db/TextCollation.h): the translator writes COLLATE JETTEXT on comparisons, IN, BETWEEN,
// ORDER BY and GROUP BY items and Min/Max arguments that may be text. DISTINCT becomes a GROUP BY of the result
// columns by position, and UNION a UNION ALL grouped the same way, so that result columns stay bare and keep their
// declared types (which SELECT ... INTO and the windows read). Where text cannot be involved (a numeric literal, a
// date, a column that TranslateOptions::columns knows to be numeric, arithmetic) the expression stays bare, so
// that SQLite still uses the column's index: an explicit collation that differs from the index's disables it.
// Without a catalog every column may be text: always correct, sometimes slower.
//
// Statements that SQLite cannot run as written (SELECT ... INTO, INSERT ... IN "file", INSERT ... SELECT *
// matched by name, DROP TABLE with its table holds, ALTER TABLE ... ADD CONSTRAINT ... PRIMARY KEY) come back
// described by their kind and parts; db::Database carries them out.
//
// Pure functions of their input (the catalog is only read); safe from any thread. Syntax errors raise db::Error
// with the engine's numbers (3075 in an expression, 3134 in INSERT INTO, 3131 in FROM, 3142 for a second
// statement, ...).
#pragma once

#include "db/ColumnCatalog.h"
#include "common/ColumnType.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace db::jet {

enum class StatementKind {
    Select,          // sql: the query
    SelectInto,      // table: the new table; sql: the query without INTO
    InsertValues,    // sql: the whole statement
    InsertSelect,    // table, externalPath, columns (may be empty: match by name); sql: the query
    Delete,          // sql: the whole statement; table
    Update,          // sql: the whole statement; table
    CreateTable,     // sql: the whole statement; table; keyColumns/constraint: a primary key, if any
    CreateIndex,     // sql: the whole statement
    DropTable,       // table
    DropIndex,       // sql: the whole statement
    AddPrimaryKey,   // table, constraint, keyColumns
    AddUnique,       // table, constraint, keyColumns
    AlterOther,      // sql: the whole statement (ADD COLUMN, DROP COLUMN)
};

struct Translation {
    StatementKind kind = StatementKind::Select;
    QString sql;
    QString table;
    QString externalPath;
    QStringList columns;
    QString constraint;
    QStringList keyColumns;
    bool hasRowId = false;  // the query's first column is the rowid of its one table (in `table`), named __lw_rowid
    // Select, SelectInto: the Jet types of the query's result columns as far as the translator knows them (a
    // column's type, CCur, Sum of Currency, date arithmetic), by position, the hidden rowid not counted; Unknown
    // where it does not. Empty when the columns cannot be told one by one (*, UNION). For expressions, whose
    // declared type SQLite leaves empty.
    std::vector<ColumnType> columnTypes;
};

struct TranslateOptions {
    // For a query over one table (no grouping, DISTINCT or union): put the table's rowid first, so that a
    // recordset on it can delete its rows, and make it the last key of the query's ORDER BY, so that rows tying
    // on the order come in one fixed order (a grid's pages agree).
    bool withRowId = false;
    // The columns of the database the statement runs on (db::Database::translate gives them); null: unknown.
    std::shared_ptr<const ColumnCatalog> columns;
};

Translation translate(const QString &jetSql, const TranslateOptions &options = {});

// A Jet condition (a recordset's Filter) as an SQLite expression. columns as in TranslateOptions.
QString translateCondition(const QString &jetCondition, const ColumnCatalog *columns = nullptr);

// A Jet ordering (a recordset's Sort: "[Market], [Bidder] DESC") as an SQLite ORDER BY list.
QString translateOrdering(const QString &jetOrdering, const ColumnCatalog *columns = nullptr);

// Quotes a name for SQLite: [name], or "name" when it holds a closing bracket.
QString bracketName(const QString &name);

// Hidden columns the engine adds to queries (rowid, position); recordsets do not list them as fields.
inline constexpr const char *kHiddenColumnPrefix = "__lw_";

}  // namespace db::jet

namespace db::jet {

// Text values the program itself writes into Jet SQL: 'text' with inner apostrophes doubled, and "text" with
// inner double quotes doubled, so that a name such as D'Amico never breaks a statement.
QString singleQuoted(const QString &text);
QString doubleQuoted(const QString &text);

}  // namespace db::jet
