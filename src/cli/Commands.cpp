#include "cli/Commands.h"

#include "core/HomeDirectory.h"
#include "core/Prompter.h"
#include "cli/ConvertCommand.h"
#include "cli/ExportCommand.h"
#include "cli/ImportCommands.h"
#include "cli/PivotCommand.h"
#include "cli/PrintCommand.h"
#include "cli/TableCommands.h"
#include "cli/ShowCommand.h"
#include "cli/SummaryCommand.h"
#include "cli/TsvWriter.h"
#include "db/Database.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"

#include <QHash>

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
    // Counted first and printed after, so that a failure part way prints no partial list.
    QString text = QStringLiteral("Table\tRows\n");
    for (const QString &table : database.tableDefs()) {
        const auto count = database.openRecordset(
            QStringLiteral("SELECT Count(*) AS [Rows] FROM ") + db::jet::bracketName(table), db::RecordsetType::Snapshot);
        text += tsvField(table) + u'\t' + QString::number(count->value(0).toLongLong()) + u'\n';
    }
    io.out << text;
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

// Compacts in place; while another program has the database open nothing is done, and the command says so and
// fails, so that a script can try again later.
int compactCommand(const Options &options, Streams io) {
    if (options.db.isEmpty() || !options.arguments.isEmpty())
        return usageError(io, QStringLiteral("compact needs --db DB"));
    if (db::Database::compact(options.db) == db::CompactResult::InUse) {
        message(io.err, {}, QStringLiteral("The auction database is open in another program, so it was not compacted. "
                                           "Nothing was changed."));
        return 1;
    }
    return 0;
}

}  // namespace

void message(QTextStream &err, const QString &title, const QString &text) {
    err << (title.isEmpty() ? QStringLiteral("Lotwise") : title) << ": " << app::shownLines(text)
        << '\n';
}

int runCommand(const Options &options, Streams io) {
    int status = 0;
    try {
        using Command = int (*)(const Options &, Streams);
        static const QHash<QString, Command> commands = {
            {QStringLiteral("convert"), convertCommand},       {QStringLiteral("sql"), sqlCommand},
            {QStringLiteral("tables"), tablesCommand},         {QStringLiteral("rounds"), roundsCommand},
            {QStringLiteral("create"), createCommand},         {QStringLiteral("import"), importCommand},
            {QStringLiteral("auto-import"), autoImportCommand}, {QStringLiteral("batch-import"), batchImportCommand},
            {QStringLiteral("compact"), compactCommand},
            {QStringLiteral("export"), exportCommand},
            {QStringLiteral("drop"), dropCommand},
            {QStringLiteral("query"), queryCommand},
            {QStringLiteral("show"), showCommand},
            {QStringLiteral("summary"), summaryCommand},
            {QStringLiteral("pivot"), pivotCommand},
            {QStringLiteral("print"), printCommand},
        };
        const Command command = commands.value(options.command);
        if (!command)
            return usageError(io, QStringLiteral("unknown command ") + options.command);
        status = command(options, io);
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
