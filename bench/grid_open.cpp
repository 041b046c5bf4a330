// Opening a user-defined table of a million rows in the grid: the lazy model with a SpreadGrid attached, offscreen.
//
//   bench_grid_open [ROWS]     (default 1,000,000)
//
// Builds [Generated] (typed columns, from a cross join of a digit table) and copies it with SELECT ... INTO into
// [User Table], all through the engine; then, for the data window's query of a user-defined table and for one
// with a sort order, prints the time to the first screen of rows, until the row count is known, and to show the
// last row after a jump (Ctrl+End), and the memory the process gained (VmRSS before and after). For the sorted
// view it also times SQLite's own ORDER BY ... LIMIT over the same table on a plain connection: the floor.
#include "BenchSupport.h"
#include "db/Database.h"
#include "grid/LazyTableModel.h"
#include "grid/SpreadGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <sqlite3.h>

#include <cstdio>
#include <functional>

namespace {

// The process's resident memory in kB (VmRSS of /proc/self/status).
long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    return -1;
}

double msSince(const QElapsedTimer &timer) { return double(timer.nsecsElapsed()) / 1e6; }

bool waitUntil(const std::function<bool()> &done, int timeoutMs = 600000) {
    QElapsedTimer timer;
    timer.start();
    QTimer tick;  // wakes the wait now and then; the model's deliveries wake it at once
    tick.start(10);
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

void buildTable(db::Database &database, int rows) {
    bench::buildGeneratedTable(database, QStringLiteral("Generated"), rows);
    database.execute(QStringLiteral("SELECT [Id], [Round], [Market], [Bidder], [Amount], [Placed] INTO [User Table] "
                                    "FROM [Generated]"));
}

struct Figures {
    double firstRows = 0, counted = 0, lastRow = 0;
    int rows = 0;
};

Figures open(grid::LazyTableModel &model, grid::SpreadGrid &view, const QString &path, const QString &sql) {
    Figures figures;
    bool first = false;
    const auto connection = QObject::connect(&model, &grid::LazyTableModel::firstRowsReady, [&] { first = true; });
    QElapsedTimer timer;
    timer.start();
    model.setQuery(path, sql);
    waitUntil([&] { return first; });
    view.viewport()->repaint();  // the first screen drawn
    figures.firstRows = msSince(timer);
    waitUntil([&] { return model.isRowCountKnown(); });
    figures.counted = msSince(timer);
    figures.rows = model.rowCount();
    QObject::disconnect(connection);

    view.setFocus();
    view.setCurrentIndex(model.index(0, 0));
    timer.restart();
    QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    QApplication::sendEvent(&view, &end);
    view.viewport()->repaint();  // asks for the last rows
    waitUntil([&] { return model.isRowLoaded(model.rowCount() - 1); });
    view.viewport()->repaint();
    figures.lastRow = msSince(timer);
    return figures;
}

// SQLite's own first rows of `sql`, timed as the grid's are: from the start until every row is read. A plain
// connection of the C API, without the engine's functions and collations. Returns the rows read, -1 on failure.
int sqliteFirstRows(const QString &path, const char *sql, double *ms) {
    QElapsedTimer timer;
    timer.start();
    sqlite3 *connection = nullptr;
    int rows = -1;
    if (sqlite3_open_v2(path.toUtf8().constData(), &connection, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(connection, sql, -1, &statement, nullptr) == SQLITE_OK) {
            rows = 0;
            while (sqlite3_step(statement) == SQLITE_ROW)
                ++rows;
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(connection);
    *ms = msSince(timer);
    return rows;
}

void report(const char *what, const Figures &f) {
    std::printf("%-44s %8d rows  first rows %8.1f ms  count %8.1f ms  last row %7.1f ms\n", what, f.rows,
                f.firstRows, f.counted, f.lastRow);
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000000;
    QTemporaryDir work;
    const QString path = work.filePath(QStringLiteral("Auction.mdb"));
    QElapsedTimer timer;
    timer.start();
    {
        db::Database database = db::Database::create(path);
        buildTable(database, rows);
    }
    std::printf("built [User Table] of %d rows through the engine in %.1f s\n", rows, msSince(timer) / 1000);

    grid::LazyTableModel model;
    grid::SpreadGrid view;
    view.resize(1000, 700);
    view.setModel(&model);
    view.show();
    QCoreApplication::processEvents();
    const long before = residentKb();

    const Figures plain = open(model, view, path, QStringLiteral("SELECT * FROM [User Table]"));
    const long after = residentKb();
    report("SELECT * FROM [User Table]", plain);
    std::printf("memory: %ld kB before, %ld kB after: %+.1f MB\n", before, after, double(after - before) / 1024);

    const Figures sorted =
        open(model, view, path, QStringLiteral("SELECT * FROM [User Table] ORDER BY [Market], [Amount] DESC"));
    report("... ORDER BY [Market], [Amount] DESC", sorted);
    double floorMs = 0;
    const int floorRows =
        sqliteFirstRows(path, "SELECT * FROM [User Table] ORDER BY [Market], [Amount] DESC LIMIT 100", &floorMs);
    std::printf("sqlite3 %-36s %8d rows  first rows %8.1f ms\n", "... ORDER BY [Market], [Amount] DESC LIMIT 100",
                floorRows, floorMs);
    const Figures filtered = open(model, view, path, QStringLiteral("SELECT * FROM [User Table] WHERE [Round] = 150"));
    report("... WHERE [Round] = 150 (no index)", filtered);
    std::printf("memory after the three: %+.1f MB\n", double(residentKb() - before) / 1024);
    std::printf("goals: first rows < 200 ms (sorted: < 150 ms, near the sqlite3 line), memory growth < 50 MB\n");
    return 0;
}
