// Printing a table of 100,000 rows with All Bids' columns to PDF, as a data window prints it: Letter paper,
// landscape, a new window's margins, the widths measured from the first rows.
//
//   bench_print [ROWS]     (default 100,000 rows in a scratch database)
//
// Builds [Bench Bids] through the engine from a cross join of a table of the ten digits, then reads it through
// print::GridRowSource and writes every page with print::writePdf. The last line reads
// "ROWS rows: P pages in S s, memory +M MB": S the time of the print alone, M the growth of peak resident memory
// over the print (the high-water mark is reset before it). Goals: under 30 s and under 200 MB.
#include "BenchSupport.h"
#include "db/Database.h"
#include "print/GridPagePainter.h"
#include "print/GridRowSource.h"
#include "print/PdfOutput.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QString kTable = QStringLiteral("Bench Bids");

// Rows with All Bids' columns and types: 176 licenses and 97 bidders in turn, amounts and times that vary.
void buildBids(db::Database &database, int rows) {
    const auto [id, from] = bench::rowNumbers(database, rows);
    database.execute(QStringLiteral(
                         "CREATE TABLE [%1] ([Auction ID] Long, [Round] Long, [License Name] Text(20), "
                         "[Market] Text(10), [Block] Text(2), [Submarket] Long, [Bidder] Text(60), "
                         "[Tavren Acct] Text(10), [Increments of Bid] Long, [Gross Bid Amount] Currency, "
                         "[Net Bid Amount] Currency, [Bidding Credit Pct] Double, [Bid Date Time] DateTime)")
                         .arg(kTable));
    database.execute(
        QStringLiteral("INSERT INTO [%4] ([Auction ID], [Round], [License Name], [Market], [Block], [Submarket], "
                       "[Bidder], [Tavren Acct], [Increments of Bid], [Gross Bid Amount], [Net Bid Amount], "
                       "[Bidding Credit Pct], [Bid Date Time]) "
                       "SELECT 11, %1 Mod 300 + 1, 'CWB' & Format(%1 Mod 176, '000') & '-B', "
                       "'BEA' & Format(%1 Mod 176, '000'), 'B', 0, 'Bidder Communications ' & (%1 Mod 97) & ' LLC', "
                       "Format(%1 Mod 9973, '0000000000'), %1 Mod 7 + 1, (%1 Mod 100000) * 1000.25 + 10000, "
                       "(%1 Mod 100000) * 850.5 + 7500, (%1 Mod 4) * 5, DateAdd('s', %1 * 7, #8/24/2006 10:00:00#) "
                       "FROM %2 WHERE %1 < %3")
            .arg(id, from)
            .arg(rows)
            .arg(kTable));
}

}  // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTemporaryDir work;
    const QString path = work.filePath(QStringLiteral("Auction.mdb"));
    QElapsedTimer timer;
    timer.start();
    {
        db::Database database = db::Database::create(path);
        buildBids(database, rows);
    }
    std::printf("built [%s] of %d rows through the engine in %.1f s\n", qPrintable(kTable), rows,
                double(timer.nsecsElapsed()) / 1e9);
    const bool peakReset = bench::resetPeakMemory();
    const qint64 before = peakReset ? bench::statusKb("VmRSS") : bench::statusKb("VmHWM");
    const QString target = work.filePath(QStringLiteral("bids.pdf"));
    timer.restart();
    print::GridRowSource source(path, QStringLiteral("SELECT * FROM [%1]").arg(kTable));
    print::LayoutInput input;
    input.headings = source.headings();
    input.widths = print::measuredWidths(input.headings, source.rows(0, 100));
    input.rowCount = source.rowCount();
    input.footer = {kTable, {}};
    const print::GridPageLayout layout(input);
    print::writePdf(layout, source, target);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    const qint64 growthMb = std::max<qint64>(0, bench::statusKb("VmHWM") - before) / 1024;
    std::printf("%d row bands x %d column bands, %.1f MB of PDF%s\n", layout.rowBandCount(),
                layout.columnBandCount(), double(QFileInfo(target).size()) / 1e6,
                peakReset ? "" : " (peak memory not reset: growth over the build)");
    std::printf("%lld rows: %d pages in %.1f s, memory +%lld MB\n", qlonglong(source.rowCount()), layout.pageCount(),
                seconds, qlonglong(growthMb));
    return 0;
}
