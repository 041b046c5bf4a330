#include "tables/TableExportCursor.h"

#include "db/JetTranslator.h"
#include "db/Sqlite.h"

#include <sqlite3.h>

namespace tables {

namespace {

constexpr int kReportMs = 100;           // at most about ten progress reports a second
constexpr int kRowsBetweenLooks = 1024;  // rows between two looks at the clock
constexpr int kProgressSteps = 100000;   // virtual machine steps between two looks while a row is being found

}  // namespace

ExportCursor::ExportCursor(const QString &databasePath, const QString &jetSql, ExportProgress progress, qint64 total)
    : database_(db::Database::open(databasePath)), progress_(std::move(progress)), total_(total), jetSql_(jetSql) {
    const db::jet::Translation translation = database_.translate(jetSql);
    if (translation.kind != db::jet::StatementKind::Select)
        throw db::Error(3219, QStringLiteral("Invalid operation."));
    statement_ = std::make_unique<db::Statement>(database_.handle(), translation.sql,
                                                 db::ErrorContext{jetSql, translation.table, databasePath});
    int visible = 0;
    for (int i = 0; i < statement_->columnCount(); ++i) {
        const QString name = statement_->columnName(i);
        if (name.startsWith(QLatin1String(db::jet::kHiddenColumnPrefix)))
            continue;
        ExportColumn column{name, db::typeFromDeclared(statement_->declaredType(i).toStdString()), i};
        // An expression has no declared type; the translator may know it (CCur, date arithmetic).
        if (column.type == db::ColumnType::Unknown && visible < int(translation.columnTypes.size()))
            column.type = translation.columnTypes[std::size_t(visible)];
        columns_.push_back(column);
        ++visible;
    }
    if (progress_)
        sqlite3_progress_handler(database_.handle(), kProgressSteps, &ExportCursor::onProgress, this);
    sinceReport_.start();
}

ExportCursor::~ExportCursor() {
    if (database_.isOpen())
        sqlite3_progress_handler(database_.handle(), 0, nullptr, nullptr);
    statement_.reset();  // before the connection closes
}

sqlite3_stmt *ExportCursor::statement() const { return statement_->handle(); }

bool ExportCursor::report() {
    sinceReport_.restart();
    if (progress_ && !progress_(rows_, total_))
        cancelled_ = true;
    return !cancelled_;
}

int ExportCursor::onProgress(void *cursor) {
    auto *self = static_cast<ExportCursor *>(cursor);
    if (self->sinceReport_.elapsed() >= kReportMs)
        self->report();
    return self->cancelled_ ? 1 : 0;  // non-zero interrupts the statement
}

bool ExportCursor::next() {
    if (cancelled_)
        return false;
    // The first look always reports, so that the caller hears of the export early (and can cancel it).
    if (rows_ % kRowsBetweenLooks == 0 && rows_ > 0 &&
        (rows_ == kRowsBetweenLooks || sinceReport_.elapsed() >= kReportMs) && !report())
        return false;
    const int rc = sqlite3_step(statement_->handle());
    if (rc == SQLITE_ROW) {
        ++rows_;
        return true;
    }
    if (rc == SQLITE_DONE)
        return false;
    if (cancelled_)  // interrupted by the progress handler
        return false;
    throw db::sqliteError(database_.handle(), rc, {jetSql_, {}, database_.path()});
}

void ExportCursor::finish() {
    if (progress_ && !cancelled_)
        progress_(rows_, rows_);
}

}  // namespace tables
