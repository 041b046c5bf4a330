// A scratch SQLite database for engine tests, with helpers to run Jet SQL and read single values and columns.
#pragma once

#include "db/Database.h"
#include "support/TestSupport.h"

#include <QStringList>
#include <QVariant>

namespace testsupport {

class TestDatabase {
public:
    TestDatabase();                               // a new, empty database in a scratch folder
    explicit TestDatabase(const QString &existing);  // an existing database file
    db::Database &db() { return db_; }
    QString path() const { return path_; }
    const ScratchDir &dir() const { return dir_; }

    void exec(const QString &jetSql) { db_.execute(jetSql); }
    // The first value of the first row of a query.
    QVariant value(const QString &jetSql);
    // The first column of every row, as text.
    QStringList column(const QString &jetSql);
    // The error number a statement raises, or 0.
    int errorOf(const QString &jetSql);

private:
    ScratchDir dir_;
    QString path_;
    db::Database db_;
};

}  // namespace testsupport
