// Exporting a table of a million rows through the export core, against the sqlite3 shell writing the same rows.
//
//   bench_export [ROWS] [DATABASE]     (default 1,000,000 rows in a scratch database)
//
// Builds [User Table] (typed columns: Long, Text, Currency, DateTime, from a cross join of a digit table)
// through the engine, or reuses DATABASE when it already holds one. Then exports it to tab-delimited text and to
// .xlsx with tables::exportQuery, and times `sqlite3 -separator $'\t' DATABASE 'SELECT * FROM "User Table"'`
// writing the same rows to a file in the same run. Prints rows per second for each; the last line compares the
// text export with sqlite3.
#include "db/Database.h"
#include "tables/TableExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void buildTable(db::Database &database, int rows) {
    database.execute(QStringLiteral("CREATE TABLE [Digit] ([N] Long)"));
    for (int n = 0; n < 10; ++n)
        database.execute(QStringLiteral("INSERT INTO [Digit] VALUES (%1)").arg(n));
    QStringList terms, from;
    int scale = 1;
    for (char alias = 'a'; scale < rows; ++alias, scale *= 10) {
        terms << QStringLiteral("%1.[N] * %2").arg(QChar::fromLatin1(alias)).arg(scale);
        from << QStringLiteral("[Digit] AS %1").arg(QChar::fromLatin1(alias));
    }
    const QString id = u'(' + terms.join(QStringLiteral(" + ")) + u')';
    database.execute(QStringLiteral("CREATE TABLE [User Table] ([Id] Long, [Round] Long, [Market] Text(20), "
                                    "[Bidder] Text(40), [Amount] Currency, [Placed] DateTime)"));
    database.execute(QStringLiteral("INSERT INTO [User Table] ([Id], [Round], [Market], [Bidder], [Amount], [Placed]) "
                                    "SELECT %1, %1 Mod 300 + 1, 'M' & (%1 * 7 Mod 1500), 'Bidder ' & (%1 Mod 97), "
                                    "(%1 Mod 100000) * 1000.25, DateAdd('d', %1 Mod 300, #8/24/2006#) "
                                    "FROM %2 WHERE %1 < %3")
                         .arg(id, from.join(QStringLiteral(", ")))
                         .arg(rows));
}

double seconds(const QElapsedTimer &timer) { return double(timer.nsecsElapsed()) / 1e9; }

double exportRate(const QString &path, const QString &target, qint64 *rows) {
    tables::ExportOptions options;
    options.format = tables::exportFormatFor(target);
    QElapsedTimer timer;
    timer.start();
    const tables::ExportResult result =
        tables::exportQuery(path, QStringLiteral("SELECT * FROM [User Table]"), target, options);
    const double elapsed = seconds(timer);
    *rows = result.rows;
    std::printf("%-34s %9lld rows %7.2f s %11.0f rows/s %8.1f MB\n",
                qPrintable(QStringLiteral("export to .") + QFileInfo(target).suffix()), qlonglong(result.rows),
                elapsed, double(result.rows) / elapsed, double(QFileInfo(target).size()) / 1e6);
    return double(result.rows) / elapsed;
}

// Rows per second of the sqlite3 shell writing the table tab-separated to a file; 0 when it cannot run.
double sqliteRate(const QString &path, const QString &target, qint64 rows) {
    QProcess shell;
    shell.setStandardOutputFile(target);
    QElapsedTimer timer;
    timer.start();
    shell.start(QStringLiteral("sqlite3"),
                {QStringLiteral("-separator"), QStringLiteral("\t"), path, QStringLiteral("SELECT * FROM \"User Table\"")});
    if (!shell.waitForFinished(-1) || shell.exitStatus() != QProcess::NormalExit || shell.exitCode() != 0) {
        std::printf("sqlite3 could not run: %s\n", qPrintable(shell.errorString()));
        return 0;
    }
    const double elapsed = seconds(timer);
    std::printf("%-34s %9lld rows %7.2f s %11.0f rows/s %8.1f MB\n", "sqlite3 -separator $'\\t'", qlonglong(rows),
                elapsed, double(rows) / elapsed, double(QFileInfo(target).size()) / 1e6);
    return double(rows) / elapsed;
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000000;
    QTemporaryDir work;
    const QString path = argc > 2 ? QString::fromLocal8Bit(argv[2]) : work.filePath(QStringLiteral("Auction.mdb"));
    QElapsedTimer timer;
    timer.start();
    if (!QFileInfo::exists(path)) {
        db::Database database = db::Database::create(path);
        buildTable(database, rows);
        std::printf("built [User Table] of %d rows through the engine in %.1f s\n", rows, seconds(timer));
    } else if (!db::Database::open(path).tableExists(QStringLiteral("User Table"))) {
        std::printf("%s has no [User Table]\n", qPrintable(path));
        return 1;
    }
    qint64 exported = 0, unused = 0;
    const double text = exportRate(path, work.filePath(QStringLiteral("out.txt")), &exported);
    exportRate(path, work.filePath(QStringLiteral("out.csv")), &unused);
    exportRate(path, work.filePath(QStringLiteral("out.xlsx")), &unused);
    const double shell = sqliteRate(path, work.filePath(QStringLiteral("sqlite3.txt")), exported);
    std::printf("text export: %.2f x sqlite3\n", shell > 0 ? text / shell : 0.0);
    return 0;
}
