#include "cli/Commands.h"

#include "app/HomeDirectory.h"
#include "cli/ConvertCommand.h"
#include "cli/TsvWriter.h"
#include "db/Database.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"

namespace cli {

namespace {

int usageError(Streams io, const QString &problem) {
    io.err << "lotwise-cli: " << problem << '\n' << usage();
    return 2;
}

db::Database openDb(const Options &options) { return db::Database::open(options.db); }

int sqlCommand(const Options &options, Streams io) {
    if (options.db.isEmpty() || options.arguments.size() != 1)
        return usageError(io, QStringLiteral("sql needs --db DB and one statement"));
    db::Database database = openDb(options);
    const QString statement = options.arguments.front();
    if (db::jet::translate(statement).kind == db::jet::StatementKind::Select) {
        const auto rows = database.openRecordset(statement, db::RecordsetType::Snapshot);
        writeTsv(io.out, *rows);
    } else {
        database.execute(statement);
    }
    return 0;
}

int tablesCommand(const Options &options, Streams io) {
    if (options.db.isEmpty() || !options.arguments.isEmpty())
        return usageError(io, QStringLiteral("tables needs --db DB"));
    const db::Database database = openDb(options);
    io.out << "Table\tRows\n";
    for (const QString &table : database.tableDefs()) {
        const auto count = database.openRecordset(
            QStringLiteral("SELECT Count(*) AS [Rows] FROM ") + db::jet::bracketName(table), db::RecordsetType::Snapshot);
        io.out << tsvField(table) << '\t' << count->value(0).toLongLong() << '\n';
    }
    return 0;
}

int roundsCommand(const Options &options, Streams io) {
    if (options.db.isEmpty() || !options.arguments.isEmpty())
        return usageError(io, QStringLiteral("rounds needs --db DB"));
    const db::Database database = openDb(options);
    const auto rows = database.openRecordset(QStringLiteral("SELECT [Round] FROM [sysRounds] ORDER BY [Round] DESC"),
                                             db::RecordsetType::Snapshot);
    writeTsv(io.out, *rows);
    return 0;
}

}  // namespace

void message(QTextStream &err, const QString &title, const QString &text) {
    err << (title.isEmpty() ? QStringLiteral("Lotwise") : title) << ": " << QString(text).replace(QChar(13), u'\n')
        << '\n';
}

int runCommand(const Options &options, Streams io) {
    int status = 0;
    try {
        if (options.command == QLatin1String("convert"))
            status = convertCommand(options, io);
        else if (options.command == QLatin1String("sql"))
            status = sqlCommand(options, io);
        else if (options.command == QLatin1String("tables"))
            status = tablesCommand(options, io);
        else if (options.command == QLatin1String("rounds"))
            status = roundsCommand(options, io);
        else
            return usageError(io, QStringLiteral("unknown command ") + options.command);
    } catch (const db::Error &error) {
        io.out.flush();
        message(io.err, {}, error.text());
        return 1;
    }
    // Rows that never reached standard output (a full disk) make the command a failure, not a success.
    io.out.flush();
    if (status == 0 && io.out.status() != QTextStream::Ok) {
        const db::Error unwritten(db::err::DiskError,
                                  QStringLiteral("Disk or network error: the rows could not be written to standard "
                                                 "output."));
        message(io.err, {}, unwritten.text());
        return 1;
    }
    return status;
}

}  // namespace cli
