// What the dialect translator knows of a database's columns: their Jet types (which may hold text, which hold
// dates), and how many columns each table or view has. With it the translator adds the Unicode-aware text order only where text is compared, so that a
// comparison of a numeric column (the [Round] of every per-round query and join) keeps its index.
//
// Names are matched without regard to case. A column name no table has (an alias, a column of a subquery) may
// hold anything, so it counts as text. Plain value; load() reads the catalog of a connection's main database on
// that connection's thread.
#pragma once

#include "common/ColumnType.h"

#include <QHash>
#include <QString>

struct sqlite3;

namespace db {

class ColumnCatalog {
public:
    // Reads every table and view of the main database; a view that no longer compiles is left out.
    static ColumnCatalog load(sqlite3 *connection);

    void add(const QString &table, const QString &column, ColumnType type);

    // Whether a column may hold text with letters. When table has the column, its type decides; otherwise the
    // column of that name in any table that may hold text does; a name no table has may hold text.
    bool mayHoldText(const QString &table, const QString &column) const;

    // The Jet type of a column: when table has the column, its type; otherwise the type every table's column of that
    // name shares. Unknown for a name no table has, or one that tables declare with different types.
    ColumnType typeOf(const QString &table, const QString &column) const;

    // Whether a column may hold a date: a DateTime column, or a name the catalog cannot tell (as typeOf).
    bool mayHoldDate(const QString &table, const QString &column) const;

    // The number of columns of a table or view; -1 when there is none of that name.
    int columnCount(const QString &table) const;

    // Whether a column of that type may hold text with letters: not numbers, Yes/No, dates (ISO text of digits) or
    // binary data.
    static bool typeMayHoldText(ColumnType type);

private:
    struct Table {
        int columns = 0;
        QHash<QString, ColumnType> types;  // case-folded column name: its type
    };
    // The type of the column a name stands for in `table`, else the type all tables' columns of that name share
    // (Unknown when they differ); null when no table has the name.
    const ColumnType *tableColumn(const QString &table, const QString &key) const;
    const ColumnType *findColumn(const QString &table, const QString &key) const;

    QHash<QString, Table> tables_;        // case-folded table name
    QHash<QString, bool> anyText_;        // case-folded column name: some table's column of that name may hold text
    QHash<QString, bool> anyDate_;        // case-folded column name: some table's column of that name is a date
    QHash<QString, ColumnType> anyType_;  // case-folded column name: the type all tables share, else Unknown
};

}  // namespace db
