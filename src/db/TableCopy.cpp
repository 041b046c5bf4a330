#include "db/TableCopy.h"

#include "db/JetTranslator.h"
#include "db/TextScheme.h"

#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>

namespace db {

Attachment::Attachment(sqlite3 *connection, const QString &path, const QString &alias)
    : connection_(connection), alias_(alias) {
    const QFileInfo info(path);
    if (!info.isFile())
        throw Error::fileNotFound(path);
    Statement attach(connection_, QStringLiteral("ATTACH ?1 AS ") + jet::bracketName(alias_), {{}, {}, path});
    attach.bind(1, info.absoluteFilePath());
    attach.step();
    try {
        bringToCurrentScheme(connection_, alias_);
    } catch (const Error &) {
        sqlite3_exec(connection_, ("DETACH " + jet::bracketName(alias_).toUtf8()).constData(), nullptr, nullptr,
                     nullptr);
        throw;
    }
}

Attachment::~Attachment() {
    sqlite3_exec(connection_, ("DETACH " + jet::bracketName(alias_).toUtf8()).constData(), nullptr, nullptr, nullptr);
}

namespace {

Error unknownField(const QString &name) {
    return Error(3127, QStringLiteral("The INSERT INTO statement contains the following unknown field name: '%1'.  "
                                      "Make sure you have typed the name correctly, and try the operation again.")
                           .arg(name));
}

}  // namespace

void insertByName(sqlite3 *connection, const QString &schema, const QString &table, const QString &sourceSql,
                  const QStringList &columns, const ErrorContext &context) {
    const QString target = jet::bracketName(schema) + u'.' + jet::bracketName(table);
    const QStringList targetColumns = columnNames(connection, schema, table, context);
    if (targetColumns.isEmpty())
        throw Error(3192, QStringLiteral("Could not find output table '%1'.").arg(table));
    QStringList names = columns;
    if (names.isEmpty()) {
        Statement query(connection, sourceSql, context);
        for (int i = 0; i < query.columnCount(); ++i)
            names << query.columnName(i);
    }
    QStringList into, from;
    bool sameOrder = columns.isEmpty() && names.size() == targetColumns.size();
    for (int i = 0; i < names.size(); ++i) {
        const auto match = std::find_if(targetColumns.begin(), targetColumns.end(),
                                        [&](const QString &c) { return c.compare(names[i], Qt::CaseInsensitive) == 0; });
        if (match == targetColumns.end())
            throw unknownField(names[i]);
        sameOrder = sameOrder && *match == targetColumns[i];
        into << jet::bracketName(*match);
        from << jet::bracketName(names[i]);
    }
    const QString intoList = into.join(QStringLiteral(", "));
    QString sql;
    if (!columns.isEmpty())
        sql = QStringLiteral("INSERT INTO %1 (%2) %3").arg(target, intoList, sourceSql);
    else if (sameOrder)
        sql = QStringLiteral("INSERT INTO %1 %2").arg(target, sourceSql);
    else
        sql = QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM (%4)")
                  .arg(target, intoList, from.join(QStringLiteral(", ")), sourceSql);
    exec(connection, sql, context);
}

}  // namespace db
