// The cost of the Unicode-aware text order written by the dialect translator, and that it leaves the [Round]
// index in charge of per-round queries.
//
//   bench_text_order [ROWS]     (default 500,000)
//
// Builds [All Bids] (ROWS rows over 100 rounds, bidder names with accents in several cases) with its [Round]
// index, then prints, best of seven runs (the two schemes taken in turn):
// - the query plan and time of a per-round query and of a join on [Round];
// - GROUP BY, DISTINCT and ORDER BY of [Bidder] over 100,000 rows, as the program runs them now (COLLATE JETTEXT
//   written by the translator) and as earlier versions ran them (the same order registered in place of NOCASE,
//   the statements bare);
// - the time to open a file of the earlier scheme whose unique NOCASE index holds 100,000 names (the rebuild).
#include "db/Database.h"
#include "db/Sqlite.h"
#include "db/TextCollation.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const char *const kNames[] = {"Telefónica", "TELEFÓNICA", "telefonica", "Élan Wireless", "élan wireless",
                              "Cellco Partnership", "CELLCO PARTNERSHIP", "Ñandú Spectrum", "ÑANDÚ SPECTRUM",
                              "D'Amico LLC", "Mayagüez Radio", "MAYAGÜEZ RADIO", "Zed Inc.", "Ábaco Ltd",
                              "abaco ltd", "Ærø Net", "Straße Mobile", "STRASSE MOBILE", "O'Hare", "résumé"};

int oldNocase(void *, int lengthA, const void *a, int lengthB, const void *b) {
    return db::compareText(std::string_view(static_cast<const char *>(a), size_t(lengthA)),
                           std::string_view(static_cast<const char *>(b), size_t(lengthB)));
}

// Milliseconds to read every row of sql.
double timeOf(sqlite3 *connection, const QString &sql) {
    QElapsedTimer timer;
    timer.start();
    db::Statement query(connection, sql);
    while (query.step()) {
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

double bestOf3(sqlite3 *connection, const QString &sql) {
    return std::min({timeOf(connection, sql), timeOf(connection, sql), timeOf(connection, sql)});
}

QString plan(sqlite3 *connection, const QString &sql) {
    db::Statement query(connection, "EXPLAIN QUERY PLAN " + sql);
    QStringList steps;
    while (query.step())
        steps << query.value(3).toString();
    return steps.join(QStringLiteral("; "));
}

void fill(db::Database &database, int rows) {
    database.execute("CREATE TABLE [All Bids] ([Round] Long, [Market] TEXT(20), [Bidder] TEXT(60), [Amount] Currency)");
    database.execute("CREATE TABLE [Rounds] ([Round] Long, [Ended] DateTime)");
    sqlite3 *handle = database.handle();
    db::exec(handle, "BEGIN");
    db::Statement insert(handle, "INSERT INTO [All Bids] VALUES (?1, ?2, ?3, ?4)");
    const int perRound = std::max(1, rows / 100);
    for (int i = 0; i < rows; ++i) {
        insert.reset();
        insert.bind(1, i / perRound + 1);
        insert.bind(2, QStringLiteral("M%1").arg(i % 700));
        insert.bind(3, QString::fromUtf8(kNames[i % std::size(kNames)]));
        insert.bind(4, double(i % 1000) * 1.25);
        insert.step();
    }
    db::exec(handle, "INSERT INTO [Rounds] SELECT DISTINCT [Round], NULL FROM [All Bids]");
    db::exec(handle, "COMMIT");
    database.execute("CREATE INDEX [Round] ON [All Bids] ([Round])");
}

void compare(db::Database &database, sqlite3 *old, const char *what, const QString &jetSql, const QString &oldSql) {
    const QString sql = database.translate(jetSql).sql;
    double now = 1e18, earlier = 1e18;
    for (int run = 0; run < 7; ++run) {
        now = std::min(now, timeOf(database.handle(), sql));
        earlier = std::min(earlier, timeOf(old, oldSql));
    }
    std::printf("%-9s now %8.1f ms   earlier %8.1f ms\n", what, now, earlier);
}

}  // namespace

int main(int argc, char **argv) {
    const int rows = argc > 1 ? std::atoi(argv[1]) : 500000;
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.mdb");
    db::Database database = db::Database::create(path);
    fill(database, rows);
    std::printf("%d rows\n", rows);
    for (const QString &jet : {QStringLiteral("SELECT * FROM [All Bids] WHERE [Round] = 50"),
                              QStringLiteral("SELECT a.[Bidder] FROM [Rounds] AS r INNER JOIN [All Bids] AS a "
                                             "ON a.[Round] = r.[Round] WHERE r.[Ended] Is Null AND r.[Round] > 98"),
                              QStringLiteral("SELECT * FROM [All Bids] WHERE [Round] = 50 AND [Bidder] = 'telefónica' "
                                             "ORDER BY [Market], [Bidder]")}) {
        const QString sql = database.translate(jet).sql;
        std::printf("%s\n  plan: %s\n  time: %.2f ms\n", qPrintable(jet), qPrintable(plan(database.handle(), sql)),
                    bestOf3(database.handle(), sql));
    }

    // The earlier scheme: the same order registered as NOCASE, the statements bare.
    sqlite3 *old = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &old, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_create_collation_v2(old, "NOCASE", SQLITE_UTF8, nullptr, oldNocase, nullptr);
    const QString subset = QStringLiteral(" FROM [All Bids] WHERE [Round] <= %1").arg(100000 / std::max(1, rows / 100));
    compare(database, old, "GROUP BY", "SELECT [Bidder], Count(*)" + subset + " GROUP BY [Bidder]",
            "SELECT [Bidder], count(*)" + subset + " GROUP BY [Bidder] ORDER BY [Bidder]");
    compare(database, old, "DISTINCT", "SELECT DISTINCT [Bidder]" + subset,
            "SELECT DISTINCT [Bidder]" + subset + " ORDER BY 1");
    compare(database, old, "ORDER BY", "SELECT [Bidder], [Amount]" + subset + " ORDER BY [Bidder]",
            "SELECT [Bidder], [Amount]" + subset + " ORDER BY [Bidder]");
    sqlite3_close(old);
    database.close();

    // Opening a file of the earlier scheme with a unique NOCASE index of 100,000 names.
    const QString legacy = dir.filePath("legacy.mdb");
    sqlite3 *writer = nullptr;
    sqlite3_open(QFile::encodeName(legacy).constData(), &writer);
    sqlite3_create_collation_v2(writer, "NOCASE", SQLITE_UTF8, nullptr, oldNocase, nullptr);
    sqlite3_exec(writer,
                 "CREATE TABLE q (Txt5 TEXT(65) COLLATE NOCASE); CREATE UNIQUE INDEX \"q.Primary\" ON q (Txt5);"
                 "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99999) "
                 "INSERT INTO q SELECT 'Élan ' || i FROM n",
                 nullptr, nullptr, nullptr);
    sqlite3_close(writer);
    QElapsedTimer timer;
    timer.start();
    db::Database::open(legacy).close();
    std::printf("opening a file of the earlier scheme (100,000 names rebuilt): %.1f ms\n",
                double(timer.nsecsElapsed()) / 1e6);
    timer.restart();
    db::Database::open(legacy).close();
    std::printf("opening it again: %.1f ms\n", double(timer.nsecsElapsed()) / 1e6);
    return 0;
}
