// What the dialect translator knows of a database's columns: which may hold text, and how many columns each table
// or view has. With it the translator adds the Unicode-aware text order only where text is compared, so that a
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

    // The number of columns of a table or view; -1 when there is none of that name.
    int columnCount(const QString &table) const;

    // Whether a column of that type may hold text with letters: not numbers, Yes/No, dates (ISO text of digits) or
    // binary data.
    static bool typeMayHoldText(ColumnType type);

private:
    struct Table {
        int columns = 0;
        QHash<QString, bool> text;  // case-folded column name: may hold text
    };
    QHash<QString, Table> tables_;   // case-folded table name
    QHash<QString, bool> anyText_;   // case-folded column name: some table's column of that name may hold text
};

}  // namespace db
