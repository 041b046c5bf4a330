#include "support/TestDatabase.h"

#include "db/Error.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"

namespace testsupport {

TestDatabase::TestDatabase() : path_(dir_.path(QStringLiteral("test.db"))), db_(db::Database::create(path_)) {}

TestDatabase::TestDatabase(const QString &existing) : path_(existing), db_(db::Database::open(existing)) {}

QVariant TestDatabase::value(const QString &jetSql) {
    const auto rs = db_.openRecordset(jetSql, db::RecordsetType::Snapshot);
    return rs->value(0);
}

QStringList TestDatabase::column(const QString &jetSql) {
    QStringList values;
    const auto rs = db_.openRecordset(jetSql, db::RecordsetType::Snapshot);
    for (; !rs->eof(); rs->moveNext())
        values << (rs->value(0).isNull() ? QStringLiteral("<null>") : rs->value(0).toString());
    return values;
}

int TestDatabase::errorOf(const QString &jetSql) {
    try {
        if (db::jet::translate(jetSql).kind == db::jet::StatementKind::Select)
            db_.openRecordset(jetSql, db::RecordsetType::Snapshot);
        else
            db_.execute(jetSql);
    } catch (const db::Error &error) {
        return error.number();
    }
    return 0;
}

}  // namespace testsupport
