// One Jet query as the grid reads it: translated with the rowid of its table when it reads one table, checked by
// preparing it, its visible fields, and the SQLite texts that read its rows in pages.
//
// A keyed query (over one table) is read as an ordered list of rowids, and a page is fetched by its rowids; its
// first page is read with LIMIT before that list, and its order ends with the rowid, so that both agree on ties.
// Any other query is read page by page with LIMIT and OFFSET and counted with count(*).
//
// Plain values; prepareGridQuery() runs on the thread that owns the connection it is given.
#pragma once

#include "db/Database.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"

#include <QString>

#include <vector>

namespace grid {

struct GridQuery {
    QString databasePath;  // absolute path of the database file
    QString jetSql;        // the query as the caller wrote it
    db::jet::Translation translation;
    std::vector<db::Field> fields;  // the query's columns without the hidden __lw_* ones
    std::vector<int> fieldColumns;  // the result column of each field
    int rowIdColumn = -1;           // the result column of the rowid of a keyed query, else -1

    bool keyed() const { return rowIdColumn >= 0; }
    // The table a keyed query reads (held while the query is shown); empty for other queries.
    QString baseTable() const { return keyed() ? translation.table : QString(); }

    // SELECT of the rowids in the query's order (keyed queries).
    QString keysSql() const;
    // SELECT of the rows whose rowids are bound to ?1 .. ?count, in no particular order (keyed queries).
    QString rowsByKeysSql(int count) const;
    // SELECT of the rows at ?2 (offset) .. ?2 + ?1 (limit), in the query's order.
    QString rowsByOffsetSql() const;
    // SELECT count(*) of the query's rows.
    QString countSql() const;
};

// Translates jetSql and prepares it on connection without running it, so that the engine's errors come at once:
// 3061 for an unknown column, 3078 for a missing table, 3075/3131/... for syntax, 3219 for a statement that is
// not a SELECT. Raises db::Error.
GridQuery prepareGridQuery(const db::Database &connection, const QString &jetSql);

}  // namespace grid
