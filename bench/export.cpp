// Exporting a table of a million rows through the export core, against the sqlite3 shell writing the same rows.
//
//   bench_export [ROWS] [DATABASE]     (default 1,000,000 rows in a scratch database)
//
// Builds [User Table] (typed columns: Long, Text, Currency, DateTime, from a cross join of a digit table)
// through the engine, or reuses DATABASE when it already holds one. Then exports it to tab-delimited text and to
// .xlsx with tables::exportQuery, and times `sqlite3 -separator $'\t' DATABASE 'SELECT * FROM "User Table"'`
// writing the same rows to a file in the same run. Prints rows per second for each; the last line compares the
// text export with sqlite3.
#include "BenchSupport.h"
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
    bench::buildGeneratedTable(database, QStringLiteral("User Table"), rows);
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
