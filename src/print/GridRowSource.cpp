#include "print/GridRowSource.h"

#include "db/Sqlite.h"
#include "grid/CellText.h"
#include "grid/GridQuery.h"

namespace print {

GridRowSource::GridRowSource(const QString &databasePath, const QString &jetSql, const QLocale &locale)
    : database_(db::Database::open(databasePath)), jetSql_(jetSql), locale_(locale) {
    const grid::GridQuery query = grid::prepareGridQuery(database_, jetSql);
    pageSql_ = query.rowsByOffsetSql();
    for (std::size_t i = 0; i < query.fields.size(); ++i) {
        columns_.push_back({query.fields[i].name, query.fields[i].type});
        resultColumns_.push_back(query.fieldColumns[i]);
    }
    db::Statement count(database_.handle(), query.countSql(), {jetSql, query.translation.table, databasePath});
    if (count.step())
        rowCount_ = count.value(0).toLongLong();
}

GridRowSource::~GridRowSource() { cursor_.reset(); }  // before the connection closes

QStringList GridRowSource::headings() const {
    QStringList names;
    for (const PrintColumn &column : columns_)
        names << column.heading;
    return names;
}

void GridRowSource::restartAt(qint64 first) {
    cursor_.reset();
    cursor_ = std::make_unique<db::Statement>(database_.handle(), pageSql_,
                                              db::ErrorContext{jetSql_, {}, database_.path()});
    cursor_->bind(1, qint64(-1));  // no limit: the statement steps on for the bands that follow
    cursor_->bind(2, first);
    next_ = first;
}

std::vector<PrintRow> GridRowSource::rows(qint64 first, int count) {
    std::vector<PrintRow> out;
    if (first < 0 || count <= 0 || first >= rowCount_)
        return out;
    if (!cursor_ || next_ != first)
        restartAt(first);
    out.reserve(std::size_t(count));
    while (int(out.size()) < count && cursor_->step()) {
        PrintRow row;
        row.reserve(columns_.size());
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            const QVariant value = cursor_->value(resultColumns_[c]);
            const db::ColumnType type = columns_[c].type;
            row.push_back({grid::cellText(value, type, locale_), grid::isNumberCell(type, value)});
        }
        out.push_back(std::move(row));
        ++next_;
    }
    if (int(out.size()) < count) {  // at the end: the statement is done and holds nothing open
        cursor_.reset();
        next_ = -1;
    }
    return out;
}

}  // namespace print
