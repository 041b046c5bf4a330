#include "db/ColumnCatalog.h"

#include "db/Sqlite.h"

#include <QStringList>

namespace db {

bool ColumnCatalog::typeMayHoldText(ColumnType type) {
    return !(isNumericType(type) || type == ColumnType::DateTime || type == ColumnType::Binary ||
             type == ColumnType::LongBinary);
}

void ColumnCatalog::add(const QString &table, const QString &column, ColumnType type) {
    const bool text = typeMayHoldText(type);
    Table &t = tables_[table.toCaseFolded()];
    ++t.columns;
    const QString key = column.toCaseFolded();
    t.types[key] = type;
    bool &any = anyText_[key];
    any = any || text;
    bool &anyDate = anyDate_[key];  // a column without a declared type (a view's expression) may be a date too
    anyDate = anyDate || type == ColumnType::DateTime || type == ColumnType::Unknown;
    const auto shared = anyType_.constFind(key);
    anyType_[key] = shared == anyType_.constEnd() || *shared == type ? type : ColumnType::Unknown;
}

// The declared type of the table's own column of that name; null when there is no such table or column.
const ColumnType *ColumnCatalog::tableColumn(const QString &table, const QString &key) const {
    if (table.isEmpty())
        return nullptr;
    const auto t = tables_.constFind(table.toCaseFolded());
    if (t == tables_.constEnd())
        return nullptr;
    const auto c = t->types.constFind(key);
    return c == t->types.constEnd() ? nullptr : &*c;
}

const ColumnType *ColumnCatalog::findColumn(const QString &table, const QString &key) const {
    if (const ColumnType *own = tableColumn(table, key))
        return own;
    const auto any = anyType_.constFind(key);
    return any == anyType_.constEnd() ? nullptr : &*any;
}

ColumnType ColumnCatalog::typeOf(const QString &table, const QString &column) const {
    const ColumnType *type = findColumn(table, column.toCaseFolded());
    return type ? *type : ColumnType::Unknown;
}

bool ColumnCatalog::mayHoldDate(const QString &table, const QString &column) const {
    const QString key = column.toCaseFolded();
    if (const ColumnType *own = tableColumn(table, key))
        return *own == ColumnType::DateTime || *own == ColumnType::Unknown;
    return anyDate_.value(key, true);  // some table's column of that name is a date or of no declared type
}

bool ColumnCatalog::mayHoldText(const QString &table, const QString &column) const {
    const QString key = column.toCaseFolded();
    if (const ColumnType *own = tableColumn(table, key))
        return typeMayHoldText(*own);
    return anyText_.value(key, true);  // a name no table has may hold text
}

int ColumnCatalog::columnCount(const QString &table) const {
    const auto t = tables_.constFind(table.toCaseFolded());
    return t == tables_.constEnd() ? -1 : t->columns;
}

ColumnCatalog ColumnCatalog::load(sqlite3 *connection) {
    QStringList names;
    {
        Statement list(connection, QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view')"));
        while (list.step())
            names << list.value(0).toString();
    }
    ColumnCatalog catalog;
    Statement columns(connection, QStringLiteral("SELECT name, type FROM pragma_table_info(?1)"));
    for (const QString &table : names) {
        columns.reset();
        columns.bind(1, table);
        try {
            while (columns.step())
                catalog.add(table, columns.value(0).toString(),
                            typeFromDeclared(columns.value(1).toString().toStdString()));
        } catch (const Error &) {
            // A view whose tables are gone: its columns stay unknown, so they count as text.
        }
    }
    return catalog;
}

}  // namespace db
