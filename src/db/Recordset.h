// A recordset: the rows of one query, read into memory, with a DAO-style cursor.
//
// Recordsets serve small results (system tables, statistics, value lists); the grid reads large tables through
// its own paged model. The cursor starts on the first row; EOF and BOF are both true when there is none.
// MoveFirst, MoveLast, MoveNext past the end and reading a value without a current row raise 3021.
// Sort and Filter take Jet text; openRecordset() then runs the source query again with that order and
// condition. The default (dynaset) type over one table can delete its rows; a snapshot is read-only.
//
// A recordset keeps its database connection alive but must be used on the thread that opened it.
#pragma once

#include "common/ColumnType.h"
#include "db/Error.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

namespace db {

namespace detail {
struct Connection;
}

enum class RecordsetType {
    Dynaset,   // the default type: can delete rows when it reads one table
    Snapshot,  // a read-only copy
};

struct Field {
    QString name;
    ColumnType type = ColumnType::Unknown;
    int textLength = 0;
};

class Recordset {
public:
    static std::unique_ptr<Recordset> open(std::shared_ptr<detail::Connection> connection, const QString &jetSql,
                                           RecordsetType type);

    RecordsetType type() const { return type_; }
    bool eof() const;
    bool bof() const;
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    int recordCount() const;

    int fieldCount() const { return int(fields_.size()); }
    const Field &field(int index) const;
    int fieldIndex(const QString &name) const;  // 3265 when the recordset has no such field
    QVariant value(int index) const;
    QVariant value(const QString &name) const;

    const QString &sort() const { return sort_; }
    void setSort(const QString &jetSort) { sort_ = jetSort; }
    const QString &filter() const { return filter_; }
    void setFilter(const QString &jetFilter) { filter_ = jetFilter; }
    // The source query again, with Filter and Sort applied; the new recordset has this one's type.
    std::unique_ptr<Recordset> openRecordset() const;

    // Deletes the current row from its table (dynaset over one table only).
    void deleteRecord();
    void close();

private:
    Recordset() = default;
    void load(const QString &sql);
    void requireCurrent() const;
    void requireOpen() const;

    std::shared_ptr<detail::Connection> connection_;
    RecordsetType type_ = RecordsetType::Dynaset;
    QString sourceSql_;   // SQLite text of the query, hidden columns included
    QString baseTable_;   // the one table a dynaset can delete from
    bool closed_ = false;
    std::vector<Field> fields_;
    std::vector<int> fieldColumns_;  // column of each field in a stored row
    std::vector<ColumnType> derivedTypes_;  // per field: the translator's type for an expression (Unknown: none)
    int rowIdColumn_ = -1;
    int positionColumn_ = -1;
    int columnCount_ = 0;
    std::vector<QVariant> cells_;  // rows one after the other, columnCount_ values each
    long position_ = 0;            // -1 before the first row (BOF), rowCount() after the last (EOF)
    bool currentDeleted_ = false;
    QString sort_, filter_;

    long rowCount() const { return columnCount_ ? long(cells_.size()) / columnCount_ : 0; }
};

}  // namespace db
