#include "tables/DistinctValues.h"

#include "db/Database.h"
#include "db/Sqlite.h"
#include "tables/TableChoices.h"

#include <QElapsedTimer>

#include <sqlite3.h>

#include <utility>

namespace tables {

QString distinctValuesSql(const QString &column, const QString &table) {
    return QStringLiteral("SELECT DISTINCT [") + column + QStringLiteral("] FROM [") + table + QStringLiteral("]");
}

QStringList matchingValues(const QStringList &values, const QString &typed, int limit) {
    QStringList matches;
    for (const QString &value : values) {
        if (matches.size() >= limit)
            break;
        if (value.contains(typed, Qt::CaseInsensitive))
            matches.push_back(value);
    }
    return matches;
}

DistinctValueLoader::DistinctValueLoader(QString databasePath, QString column, QString table, Formatter formatter,
                                         Events events)
    : databasePath_(std::move(databasePath)), jetSql_(distinctValuesSql(column, table)), table_(std::move(table)),
      formatter_(std::move(formatter)), events_(std::move(events)), thread_([this] { run(); }) {}

DistinctValueLoader::~DistinctValueLoader() {
    cancel();
    thread_.join();
}

// SQLite calls this every kProgressSteps steps of the running statement; non-zero ends it with SQLITE_INTERRUPT.
int DistinctValueLoader::progress(void *loader) {
    return static_cast<DistinctValueLoader *>(loader)->cancelled() ? 1 : 0;
}

void DistinctValueLoader::run() {
    struct Ended {  // last of all, whatever happened
        const Events &events;
        ~Ended() {
            if (events.ended)
                events.ended();
        }
    } const ended{events_};
    try {
        const db::Database database = db::Database::open(databasePath_);
        sqlite3_progress_handler(database.handle(), kProgressSteps, &DistinctValueLoader::progress, this);
        const db::jet::Translation translation = database.translate(jetSql_);
        read(database.handle(), translation.sql);
    } catch (const db::Error &error) {
        if (!cancelled())
            events_.failed(error);
    } catch (const std::exception &error) {
        if (!cancelled())
            events_.failed(db::Error(db::err::Reserved, QString::fromUtf8(error.what())));
    }
}

void DistinctValueLoader::read(sqlite3 *connection, const QString &sql) {
    db::Statement statement(connection, sql, {jetSql_, table_, databasePath_});
    const db::ColumnType type = db::typeFromDeclared(statement.declaredType(0).toStdString());
    QStringList batch;
    QString previous;
    int total = 0;
    QElapsedTimer sinceLast;
    sinceLast.start();
    while (statement.step()) {
        const QVariant value = statement.value(0);
        QString text = value.isNull() ? nullChoiceText() : formatter_(value, type);
        if (total > 0 && text == previous)  // values shown alike (currency beyond its two decimals) are listed once
            continue;
        previous = text;
        batch.push_back(std::move(text));
        ++total;
        if (batch.size() >= kBatchValues || sinceLast.hasExpired(kBatchMs)) {
            events_.values(std::exchange(batch, {}));
            sinceLast.restart();
        }
        if (cancelled())
            return;
    }
    if (cancelled())
        return;
    if (!batch.isEmpty())
        events_.values(std::move(batch));
    events_.finished(total);
}

}  // namespace tables
