#include "db/Recordset.h"

#include "db/Connection.h"
#include "db/JetTranslator.h"
#include "db/Sqlite.h"

#include <sqlite3.h>

namespace db {

namespace {

bool isHidden(const QString &column) { return column.startsWith(QLatin1String(jet::kHiddenColumnPrefix)); }

}  // namespace

std::unique_ptr<Recordset> Recordset::open(std::shared_ptr<detail::Connection> connection, const QString &jetSql,
                                           RecordsetType type) {
    jet::TranslateOptions options;
    options.withRowId = type == RecordsetType::Dynaset;
    options.columns = connection->columnCatalog();
    const jet::Translation t = jet::translate(jetSql, options);
    if (t.kind != jet::StatementKind::Select)
        throw Error(3219, QStringLiteral("Invalid operation."));
    std::unique_ptr<Recordset> rs(new Recordset());
    rs->connection_ = std::move(connection);
    rs->type_ = type;
    rs->sourceSql_ = t.sql;
    rs->baseTable_ = t.hasRowId ? t.table : QString();
    rs->derivedTypes_ = t.columnTypes;
    rs->load(t.sql);
    return rs;
}

void Recordset::load(const QString &sql) {
    sqlite3 *db = connection_->handle();
    Statement query(db, sql, {sql, baseTable_, connection_->path});
    columnCount_ = query.columnCount();
    for (int i = 0; i < columnCount_; ++i) {
        const QString name = query.columnName(i);
        if (name == QLatin1String(jet::kHiddenColumnPrefix) + QLatin1String("rowid")) {
            rowIdColumn_ = i;
        } else if (name == QLatin1String(jet::kHiddenColumnPrefix) + QLatin1String("pos")) {
            positionColumn_ = i;
        } else if (!isHidden(name)) {
            Field field;
            field.name = name;
            field.type = typeFromDeclared(query.declaredType(i).toStdString(), &field.textLength);
            // An expression has no declared type: take the translator's (a date of date arithmetic, Currency of
            // CCur), so that it shows as the engine shows it.
            if (field.type == ColumnType::Unknown && fields_.size() < derivedTypes_.size() &&
                !isTextType(derivedTypes_[fields_.size()]))
                field.type = derivedTypes_[fields_.size()];
            fields_.push_back(field);
            fieldColumns_.push_back(i);
        }
    }
    while (query.step())
        for (int i = 0; i < columnCount_; ++i)
            cells_.push_back(query.value(i));
    position_ = 0;
}

void Recordset::requireOpen() const {
    if (closed_)
        throw detail::objectInvalid();
}

void Recordset::requireCurrent() const {
    requireOpen();
    if (currentDeleted_)
        throw Error(3167, QStringLiteral("Record is deleted."));
    if (eof() || bof())
        throw Error::noCurrentRecord();
}

bool Recordset::eof() const { return rowCount() == 0 || position_ >= rowCount(); }
bool Recordset::bof() const { return rowCount() == 0 || position_ < 0; }

void Recordset::moveFirst() {
    requireOpen();
    if (rowCount() == 0)
        throw Error::noCurrentRecord();
    position_ = 0;
    currentDeleted_ = false;
}

void Recordset::moveLast() {
    requireOpen();
    if (rowCount() == 0)
        throw Error::noCurrentRecord();
    position_ = rowCount() - 1;
    currentDeleted_ = false;
}

void Recordset::moveNext() {
    requireOpen();
    if (currentDeleted_) {  // the rows after a deleted one have moved up into its place
        currentDeleted_ = false;
        if (position_ > rowCount())
            position_ = rowCount();
        return;
    }
    if (eof())
        throw Error::noCurrentRecord();
    ++position_;
}

void Recordset::movePrevious() {
    requireOpen();
    currentDeleted_ = false;
    if (bof())
        throw Error::noCurrentRecord();
    --position_;
}

int Recordset::recordCount() const {
    requireOpen();
    return int(rowCount());
}

const Field &Recordset::field(int index) const {
    requireOpen();
    if (index < 0 || index >= fieldCount())
        throw Error::itemNotFound();
    return fields_[size_t(index)];
}

int Recordset::fieldIndex(const QString &name) const {
    requireOpen();
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    throw Error::itemNotFound();
}

QVariant Recordset::value(int index) const {
    field(index);
    requireCurrent();
    return cells_[size_t(position_ * columnCount_ + fieldColumns_[size_t(index)])];
}

QVariant Recordset::value(const QString &name) const { return value(fieldIndex(name)); }

// The source again as a subquery; without a Sort, the rows keep the order the source gave them.
std::unique_ptr<Recordset> Recordset::openRecordset() const {
    requireOpen();
    const auto columns = connection_->columnCatalog();
    const QString condition = filter_.trimmed().isEmpty() ? QString() : jet::translateCondition(filter_, columns.get());
    const QString ordering = sort_.trimmed().isEmpty() ? QString() : jet::translateOrdering(sort_, columns.get());
    const QString position = QLatin1String(jet::kHiddenColumnPrefix) + QLatin1String("pos");
    QString sql;
    if (ordering.isEmpty()) {
        sql = QStringLiteral("SELECT * FROM (SELECT *, row_number() OVER () AS [%1] FROM (%2))").arg(position, sourceSql_);
        if (!condition.isEmpty())
            sql += QStringLiteral(" WHERE ") + condition;
        sql += QStringLiteral(" ORDER BY [%1]").arg(position);
    } else {
        sql = QStringLiteral("SELECT * FROM (%1)").arg(sourceSql_);
        if (!condition.isEmpty())
            sql += QStringLiteral(" WHERE ") + condition;
        sql += QStringLiteral(" ORDER BY ") + ordering;
    }
    std::unique_ptr<Recordset> rs(new Recordset());
    rs->connection_ = connection_;
    rs->type_ = type_;
    rs->baseTable_ = baseTable_;
    rs->derivedTypes_ = derivedTypes_;
    rs->load(sql);
    // Its own source leaves out the position column, so that a later Sort or Filter starts from these rows.
    rs->sourceSql_ = QStringLiteral("SELECT * FROM (%1)").arg(sourceSql_) +
                     (condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition) +
                     (ordering.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + ordering);
    return rs;
}

void Recordset::deleteRecord() {
    requireCurrent();
    if (type_ == RecordsetType::Snapshot || rowIdColumn_ < 0)
        throw Error(3027, QStringLiteral("Cannot update.  Database or object is read-only."));
    sqlite3 *db = connection_->handle();
    Statement remove(db, QStringLiteral("DELETE FROM ") + jet::bracketName(baseTable_) + QStringLiteral(" WHERE rowid = ?1"),
                     {{}, baseTable_, connection_->path});
    remove.bind(1, cells_[size_t(position_ * columnCount_ + rowIdColumn_)]);
    remove.step();
    const auto first = cells_.begin() + position_ * columnCount_;
    cells_.erase(first, first + columnCount_);
    currentDeleted_ = true;
}

void Recordset::close() {
    closed_ = true;
    cells_.clear();
    cells_.shrink_to_fit();
}

}  // namespace db
