#include "db/SelectInto.h"

#include "common/ColumnType.h"

#include <QSet>

#include <sqlite3.h>

#include <limits>
#include <memory>
#include <vector>

namespace db {

namespace {

struct ValueDeleter {
    void operator()(sqlite3_value *v) const { sqlite3_value_free(v); }
};
using ValuePtr = std::unique_ptr<sqlite3_value, ValueDeleter>;
using Row = std::vector<ValuePtr>;

// Rows read before the table can be created, while an expression column has shown no value yet.
constexpr size_t kTypeProbeRows = 1000;

// Column names as Jet gives them: never empty, never twice.
std::vector<QString> uniqueNames(const Statement &query) {
    std::vector<QString> names;
    QSet<QString> seen;
    for (int i = 0; i < query.columnCount(); ++i) {
        QString name = query.columnName(i);
        if (name.isEmpty())
            name = QStringLiteral("Expr%1").arg(1000 + i);
        QString unique = name;
        for (int n = 1; seen.contains(unique.toCaseFolded()); ++n)
            unique = name + QString::number(n);
        seen.insert(unique.toCaseFolded());
        names.push_back(unique);
    }
    return names;
}

// The type of an expression column, from the values it holds: whole numbers that fit a Long are Long.
ColumnType typeFromValues(const std::vector<Row> &rows, size_t column) {
    ColumnType type = ColumnType::Unknown;
    for (const Row &row : rows) {
        sqlite3_value *v = row[column].get();
        switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER: {
            const sqlite3_int64 n = sqlite3_value_int64(v);
            const bool fits = n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max();
            if (type == ColumnType::Unknown || type == ColumnType::Long)
                type = fits ? ColumnType::Long : ColumnType::Double;
            break;
        }
        case SQLITE_FLOAT:
            if (type == ColumnType::Unknown || type == ColumnType::Long)
                type = ColumnType::Double;
            break;
        case SQLITE_TEXT: type = ColumnType::Memo; break;
        case SQLITE_BLOB: return ColumnType::LongBinary;
        default: break;
        }
        if (type == ColumnType::Memo)
            return type;
    }
    return type == ColumnType::Unknown ? ColumnType::Double : type;
}

QString createStatement(const QString &table, const std::vector<QString> &names, const std::vector<ColumnSpec> &columnSpecs) {
    QStringList definitions;
    for (size_t i = 0; i < names.size(); ++i)
        definitions << QString::fromStdString(columnDefinition(columnSpecs[i]));
    return QStringLiteral("CREATE TABLE ") + jet::bracketName(table) + QStringLiteral(" (") +
           definitions.join(QStringLiteral(", ")) + u')';
}

// The declared types of the query's columns; for an expression, the type the translator derived (Currency of
// CCur and Sum of Currency, a date of date arithmetic), except text, whose length the values tell.
std::vector<ColumnSpec> declaredSpecs(const Statement &query, const std::vector<QString> &names,
                                      const std::vector<ColumnType> &derived, bool *allKnown) {
    std::vector<ColumnSpec> columnSpecs;
    *allKnown = true;
    for (int i = 0; i < query.columnCount(); ++i) {
        ColumnSpec columnSpec;
        columnSpec.name = names[size_t(i)].toStdString();
        columnSpec.type = typeFromDeclared(query.declaredType(i).toStdString(), &columnSpec.textLength);
        const ColumnType hint = size_t(i) < derived.size() ? derived[size_t(i)] : ColumnType::Unknown;
        if (columnSpec.type == ColumnType::Unknown && !isTextType(hint))
            columnSpec.type = hint;
        *allKnown = *allKnown && columnSpec.type != ColumnType::Unknown;
        columnSpecs.push_back(columnSpec);
    }
    return columnSpecs;
}

// Reads rows until every column without a declared type has shown a value (or enough rows were seen), settles
// the types, creates the table and writes every row through one prepared INSERT.
void streamInto(sqlite3 *db, Statement &query, const QString &table, const std::vector<QString> &names,
                std::vector<ColumnSpec> columnSpecs, const ErrorContext &context) {
    const int columns = query.columnCount();
    std::vector<Row> probe;
    bool more = query.step();
    while (more && probe.size() < kTypeProbeRows) {
        Row row;
        for (int i = 0; i < columns; ++i)
            row.emplace_back(sqlite3_value_dup(sqlite3_column_value(query.handle(), i)));
        probe.push_back(std::move(row));
        more = query.step();
    }
    for (size_t i = 0; i < columnSpecs.size(); ++i)
        if (columnSpecs[i].type == ColumnType::Unknown)
            columnSpecs[i].type = typeFromValues(probe, i);
    exec(db, createStatement(table, names, columnSpecs), context);
    QStringList marks;
    for (int i = 0; i < columns; ++i)
        marks << QStringLiteral("?%1").arg(i + 1);
    Statement insert(db, QStringLiteral("INSERT INTO ") + jet::bracketName(table) + QStringLiteral(" VALUES (") +
                             marks.join(QStringLiteral(", ")) + u')',
                     context);
    auto write = [&](auto valueAt) {
        for (int i = 0; i < columns; ++i)
            sqlite3_bind_value(insert.handle(), i + 1, valueAt(i));
        insert.step();
        sqlite3_reset(insert.handle());
    };
    for (const Row &row : probe)
        write([&](int i) { return row[size_t(i)].get(); });
    while (more) {
        write([&](int i) { return sqlite3_column_value(query.handle(), i); });
        more = query.step();
    }
}

}  // namespace

void selectInto(sqlite3 *db, const jet::Translation &t, const ErrorContext &context) {
    if (!t.externalPath.isEmpty())
        throw Error(err::Reserved, QStringLiteral("Making a table in another database file is not supported."));
    if (tableExists(db, t.table, true))
        throw Error::tableExists(t.table);
    Savepoint savepoint(db);
    {
        Statement query(db, t.sql, context);
        const std::vector<QString> names = uniqueNames(query);
        bool allKnown = false;
        const std::vector<ColumnSpec> columnSpecs = declaredSpecs(query, names, t.columnTypes, &allKnown);
        if (allKnown) {
            exec(db, createStatement(t.table, names, columnSpecs), context);
            exec(db, QStringLiteral("INSERT INTO ") + jet::bracketName(t.table) + u' ' + t.sql, context);
        } else {
            streamInto(db, query, t.table, names, columnSpecs, context);
        }
    }
    savepoint.release();
}

}  // namespace db
