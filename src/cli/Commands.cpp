#include "cli/Commands.h"

#include "app/HomeDirectory.h"
#include "cli/ConvertCommand.h"
#include "cli/ImportCommands.h"
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
    try {
        if (options.command == QLatin1String("convert"))
            return convertCommand(options, io);
        if (options.command == QLatin1String("sql"))
            return sqlCommand(options, io);
        if (options.command == QLatin1String("tables"))
            return tablesCommand(options, io);
        if (options.command == QLatin1String("rounds"))
            return roundsCommand(options, io);
        if (options.command == QLatin1String("create"))
            return createCommand(options, io);
        if (options.command == QLatin1String("import"))
            return importCommand(options, io);
        if (options.command == QLatin1String("auto-import"))
            return autoImportCommand(options, io);
        if (options.command == QLatin1String("batch-import"))
            return batchImportCommand(options, io);
        return usageError(io, QStringLiteral("unknown command ") + options.command);
    } catch (const db::Error &error) {
        io.out.flush();
        message(io.err, {}, error.text());
        return 1;
    }
}

}  // namespace cli
