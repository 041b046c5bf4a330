// Jet conversion speed: jet::convertToSqlite of every round file of a folder (child process included) against
// mdbtools' mdb-export of every table of the same files, measured in the same run.
//
//   bench_jet_convert [FOLDER_OF_ROUND_ZIPS]     (default: the auction-66 round files of the shared fixtures)
//
// Extracting the files and listing their tables is not timed. Rows are counted in the converted files; mdb-export
// prints the same rows (the test_jet tests compare them value for value).
#include "BenchSupport.h"
#include "core/JetConverter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>

namespace {


QStringList tablesOf(const QString &mdb) {
    QProcess process;
    process.start(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), mdb});
    process.waitForFinished(-1);
    return QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

long long rowsIn(const QString &sqliteFile, const QStringList &tables) {
    sqlite3 *db = nullptr;
    long long rows = 0;
    if (sqlite3_open_v2(QFile::encodeName(sqliteFile).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        for (const QString &table : tables) {
            const QByteArray sql = "SELECT count(*) FROM \"" + table.toUtf8().replace('"', "\"\"") + '"';
            sqlite3_stmt *statement = nullptr;
            if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK &&
                sqlite3_step(statement) == SQLITE_ROW)
                rows += sqlite3_column_int64(statement, 0);
            sqlite3_finalize(statement);
        }
    }
    sqlite3_close(db);
    return rows;
}

void report(const char *what, long long rows, double seconds) {
    std::printf("%-36s %9lld rows %8.3f s %12.0f rows/s\n", what, rows, seconds, static_cast<double>(rows) / seconds);
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QDir rounds(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(LOTWISE_BENCH_ROUNDS));
    QTemporaryDir work;
    const QDir folder(work.path());
    folder.mkdir(QStringLiteral("out"));
    QStringList files;
    QList<QStringList> tables;
    for (const QString &zip : rounds.entryList({QStringLiteral("*.zip")}, QDir::Files, QDir::Name)) {
        const QString mdb = bench::extractMember(rounds.filePath(zip), folder);
        if (mdb.isEmpty()) {
            std::fprintf(stderr, "cannot extract %s\n", qPrintable(zip));
            return 1;
        }
        files << mdb;
        tables << tablesOf(mdb);
    }
    if (files.isEmpty()) {
        std::fprintf(stderr, "no round files in %s\n", qPrintable(rounds.path()));
        return 1;
    }

    QElapsedTimer timer;
    timer.start();
    for (const QString &mdb : files)
        jet::convertToSqlite(mdb, folder.filePath(QStringLiteral("out/") + QFileInfo(mdb).baseName() + ".sqlite"));
    const double ours = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    long long rows = 0;
    for (qsizetype i = 0; i < files.size(); ++i)
        rows += rowsIn(folder.filePath(QStringLiteral("out/") + QFileInfo(files[i]).baseName() + ".sqlite"), tables[i]);

    timer.restart();
    for (qsizetype i = 0; i < files.size(); ++i) {
        for (const QString &table : tables[i]) {
            QProcess process;
            process.setStandardOutputFile(QProcess::nullDevice());
            process.start(QStringLiteral("mdb-export"), {files[i], table});
            process.waitForFinished(-1);
        }
    }
    const double peer = static_cast<double>(timer.nsecsElapsed()) / 1e9;

    std::printf("%lld files from %s\n", static_cast<long long>(files.size()), qPrintable(rounds.path()));
    report("lotwise-mdb2sqlite (convertToSqlite)", rows, ours);
    report("mdb-export of every table", rows, peer);
    std::printf("ours/peer rows per second: %.2f\n", peer / ours);
    return 0;
}
