// Maps SQLite's result codes and messages to the engine's numbered errors, so that callers can test the numbers
// the program relies on (3010, 3061, 3078, 3211, ...) and users read messages like the original engine's.
#include "db/Sqlite.h"

#include "db/SqlFunctions.h"

#include <sqlite3.h>

#include <cerrno>

namespace db {

namespace {

// SQLite names tables as main.X or "X"; messages name them as the user wrote them.
QString bareName(QString name) {
    name = name.trimmed();
    for (const char *schema : {"main.", "lw_round.", "lw_external."})
        if (name.startsWith(QLatin1String(schema)))
            name = name.mid(qsizetype(qstrlen(schema)));
    if (name.size() >= 2 && (name.front() == u'"' || name.front() == u'[' || name.front() == u'`'))
        name = name.mid(1, name.size() - 2);
    return name;
}

QString after(const QString &message, const QString &prefix) { return message.mid(message.indexOf(prefix) + prefix.size()); }

std::optional<Error> fromMessage(const QString &message, const ErrorContext &context) {
    if (auto raised = functionError(message.toStdString()))  // a Jet function or a key trigger
        return raised;
    if (message.startsWith(QLatin1String("no such table:")))
        return Error::inputTableNotFound(bareName(after(message, QStringLiteral("no such table:"))));
    if (message.startsWith(QLatin1String("table ")) && message.endsWith(QLatin1String("already exists")))
        return Error::tableExists(bareName(message.mid(6, message.size() - 6 - 15)));
    if (message.startsWith(QLatin1String("no such column:")))
        return Error::tooFewParameters(1);
    if (message.startsWith(QLatin1String("ambiguous column name:")))
        return Error(3079, QStringLiteral("The specified field '%1' could refer to more than one table listed in "
                                          "the FROM clause of your SQL statement.")
                               .arg(after(message, QStringLiteral("ambiguous column name:")).trimmed()));
    if (message.startsWith(QLatin1String("no such function:")))
        return Error(err::UndefinedFunction, QStringLiteral("Undefined function '%1' in expression.")
                                                 .arg(after(message, QStringLiteral("no such function:")).trimmed()));
    if (message.startsWith(QLatin1String("wrong number of arguments")))
        return Error(err::SyntaxInExpression,
                     QStringLiteral("Wrong number of arguments used with function in query expression '%1'.")
                         .arg(context.jetSql.trimmed()));
    if (message.contains(QLatin1String("syntax error")) || message.contains(QLatin1String("unrecognized token")))
        return Error::syntaxInExpression(context.jetSql.trimmed());
    if (message.contains(QLatin1String("CHECK constraint failed: lw_len")))
        return Error::fieldTooSmall();
    if (message.contains(QLatin1String("CHECK constraint failed: lw_key")))
        return Error(err::NullKey, QStringLiteral("Index or primary key cannot contain a Null value."));
    return std::nullopt;
}

Error diskFull() { return Error(err::DiskFull, QStringLiteral("Not enough space on disk.")); }

// An input/output failure whose cause is a full disk or an exhausted quota or file size limit.
bool isOutOfSpace(sqlite3 *connection, int rc) {
    if ((rc & 0xff) != SQLITE_IOERR && (rc & 0xff) != SQLITE_CANTOPEN)
        return false;
    const int cause = connection ? sqlite3_system_errno(connection) : 0;
    return cause == ENOSPC || cause == EDQUOT || cause == EFBIG;
}

Error fromCode(sqlite3 *connection, int rc, const QString &message, const ErrorContext &context) {
    switch (rc & 0xff) {
    case SQLITE_CONSTRAINT:
        if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
            return Error(err::DuplicateKey,
                         QStringLiteral("The changes you requested to the table were not successful because they "
                                        "would create duplicate values in the index, primary key, or relationship. "
                                        "Change the data in the field or fields that contain duplicate data, remove "
                                        "the index, or redefine the index to permit duplicate entries and try again."));
        if (rc == SQLITE_CONSTRAINT_NOTNULL)
            return Error(3314, QStringLiteral("The field '%1' cannot contain a Null value because the Required "
                                              "property for this field is set to True.  Enter a value in this field.")
                                   .arg(after(message, QStringLiteral("failed:")).trimmed()));
        break;
    case SQLITE_LOCKED: return Error::tableInUse(context.table);
    case SQLITE_BUSY:
        return Error(err::CouldNotLock, QStringLiteral("Could not lock file. The auction database is in use by another "
                                                       "program; try again when it has finished."));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return Error::unrecognizedFormat(context.path.isEmpty()
                                             ? QString::fromUtf8(sqlite3_db_filename(connection, "main"))
                                             : context.path);
    case SQLITE_CANTOPEN: return Error::pathNotFound(context.path);
    case SQLITE_FULL: return diskFull();
    case SQLITE_IOERR: return Error(err::DiskError, QStringLiteral("Disk or network error."));
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return Error(err::CannotOpenFile,
                     QStringLiteral("The Microsoft Jet database engine cannot open the file '%1'.  It is already "
                                    "opened exclusively by another user, or you need permission to view its data.")
                         .arg(context.path));
    case SQLITE_NOMEM: return Error(7, QStringLiteral("Out of memory"));
    case SQLITE_TOOBIG: return Error::fieldTooSmall();
    case SQLITE_MISMATCH: return Error(err::TypeMismatch, QStringLiteral("Data type mismatch in criteria expression."));
    case SQLITE_INTERRUPT: return Error(3059, QStringLiteral("Operation canceled by user."));
    default: break;
    }
    return Error(err::Reserved, QStringLiteral("Reserved error: %1").arg(message));
}

}  // namespace

Error sqliteError(sqlite3 *connection, int rc, const ErrorContext &context) {
    const int extended = connection ? sqlite3_extended_errcode(connection) : rc;
    const QString message = connection ? QString::fromUtf8(sqlite3_errmsg(connection)) : QString::fromUtf8(sqlite3_errstr(rc));
    if (auto mapped = fromMessage(message, context))
        return *mapped;
    if (isOutOfSpace(connection, extended) || isOutOfSpace(connection, rc))
        return diskFull();
    return fromCode(connection, (extended & 0xff) == (rc & 0xff) ? extended : rc, message, context);
}

}  // namespace db
