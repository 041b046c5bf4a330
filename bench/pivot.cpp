// Pivot analysis speed: a round analysis (every round, every license, gross) through runAnalysis, then the
// workbook written with writeWorkbook, on two auctions:
//   - the largest fixture auction (auction-66, 120 rounds), imported into an auction database once;
//   - a generated auction of 250 rounds and 1,100 licenses (about 300,000 bids, each license bid on by a dozen
//     bidders at nine increments, so the pivot has about 100,000 columns), written straight into a copy of the
//     first one's database with SQLite.
//
//   bench_pivot [FOLDER_OF_ROUND_ZIPS]     (default: the auction-66 round files of the shared fixtures)
//
// Reported per auction: the first screen (the analysis until its pivot is ready, plus the cells of a first
// screen of the pivot sheet: runAnalysis gives the pivot whole, so there is nothing earlier to show), the whole
// pivot (runAnalysis), the .xlsx (writeWorkbook), and the growth of the peak resident memory over the analysis
// and the file. Figures only: nothing is asserted. Run it on an idle machine.
#include "BenchSupport.h"
#include "analysis/AnalysisRun.h"
#include "analysis/PivotSheet.h"
#include "analysis/WorkbookFile.h"
#include "core/JetConverter.h"
#include "db/Database.h"
#include "db/Error.h"
#include "db/Schema.h"
#include "db/Sqlite.h"
#include "import/RoundFileName.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstdio>
#include <string>

namespace {

constexpr int kGeneratedRounds = 250;
constexpr int kGeneratedLicenses = 1100;
constexpr int kBidsPerRound = 1200;     // 300,000 bids
constexpr int kBiddersPerLicense = 12;  // of 90, so that a license has up to 108 bidder/increment columns
constexpr int kFirstScreenRows = 40;
constexpr int kFirstScreenColumns = 20;

[[noreturn]] void fail(const QString &what) {
    std::fprintf(stderr, "%s\n", qPrintable(what));
    std::exit(1);
}

double secondsOf(const QElapsedTimer &timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e9; }

// The auction database of the round files 1..n of a folder, built as the import does: round 1's database with the
// system tables, then each further round's rows appended.
QString importAuction(const QString &roundsFolder, const QDir &work) {
    const QStringList zips = QDir(roundsFolder).entryList({QStringLiteral("*.zip")}, QDir::Files, QDir::Name);
    if (zips.isEmpty())
        fail(QStringLiteral("no round files in %1").arg(roundsFolder));
    const QString auctionPath = work.filePath(QStringLiteral("Auction66.mdb"));
    for (int i = 0; i < zips.size(); ++i) {
        const QString jetPath = bench::extractMember(QDir(roundsFolder).filePath(zips[i]), work);
        if (jetPath.isEmpty())
            fail(QStringLiteral("cannot read %1").arg(zips[i]));
        const QString roundPath = work.filePath(QStringLiteral("round.sqlite"));
        QFile::remove(roundPath);
        jet::convertToSqlite(jetPath, roundPath);
        QFile::remove(jetPath);
        const int round = i + 1;
        if (round == 1) {
            QFile::rename(roundPath, auctionPath);
            db::Database auction = db::Database::open(auctionPath);
            db::schema::createSystemTables(auction, db::schema::Creator::RoundFile, zips[0].left(2).toLongLong());
            continue;
        }
        db::Database roundDb = db::Database::open(roundPath);
        for (const QString &table : {QStringLiteral("All Bids"), QStringLiteral("Markets")})
            roundDb.execute(QStringLiteral("INSERT INTO [%1] IN \"%2\" SELECT * FROM [%1]").arg(table, auctionPath));
        roundDb.close();
        db::Database auction = db::Database::open(auctionPath);
        auction.execute(QStringLiteral("INSERT INTO sysRounds (Round) VALUES (%1)").arg(round));
        QFile::remove(roundPath);
    }
    return auctionPath;
}

// A fixed sequence of pseudo-random numbers (a 64-bit linear congruential generator), the same on every run.
class Sequence {
public:
    quint32 next(quint32 below) {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return quint32((state_ >> 33) % below);
    }

private:
    quint64 state_ = 250;
};

void exec(sqlite3 *connection, const char *sql) {
    char *message = nullptr;
    if (sqlite3_exec(connection, sql, nullptr, nullptr, &message) != SQLITE_OK)
        fail(QString::fromUtf8(message ? message : sql));
}

// License n: market n / 3, block A, B or C.
QString marketOf(int license) { return QStringLiteral("BEA%1").arg(license / 3, 3, 10, QLatin1Char('0')); }
QString blockOf(int license) { return QString(QChar(u'A' + license % 3)); }
QString licenseName(int license) {
    return QStringLiteral("GEN%1-%2").arg(license / 3, 3, 10, QLatin1Char('0')).arg(blockOf(license));
}

void insertMarkets(sqlite3 *connection) {
    db::Statement insert(
        connection,
        QStringLiteral("INSERT INTO \"Markets\" (\"Auction ID\", \"Round\", \"License Name\", \"Market\", \"Block\", "
                       "\"Market Name\", \"Population\", \"Bidding Units\") VALUES (66, ?, ?, ?, ?, ?, ?, ?)"));
    for (int round = 1; round <= kGeneratedRounds; ++round)
        for (int license = 0; license < kGeneratedLicenses; ++license) {
            insert.reset();
            insert.bind(1, round);
            insert.bind(2, licenseName(license));
            insert.bind(3, marketOf(license));
            insert.bind(4, blockOf(license));
            insert.bind(5, QStringLiteral("Market %1").arg(license / 3));
            insert.bind(6, 10000 + license * 37);
            insert.bind(7, 100 + license);
            insert.step();
        }
}

// Bids spread over the licenses; each license has its own dozen bidders, each bid one of nine increments.
void insertBids(sqlite3 *connection) {
    db::Statement insert(
        connection,
        QStringLiteral("INSERT INTO \"All Bids\" (\"Auction ID\", \"Round\", \"License Name\", \"Market\", \"Block\", "
                       "\"Submarket\", \"Bidder\", \"Increments of Bid\", \"Gross Bid Amount\", \"Net Bid Amount\", "
                       "\"Bidding Credit Pct\", \"Bid Date Time\") VALUES (66, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?)"));
    Sequence random;
    static const int credits[] = {0, 15, 25, 35};
    for (int round = 1; round <= kGeneratedRounds; ++round)
        for (int bid = 0; bid < kBidsPerRound; ++bid) {
            const int license = int(random.next(kGeneratedLicenses));
            const int bidder = (license * 7 + int(random.next(kBiddersPerLicense)) * 13) % 90;
            const qint64 gross = 10000 + random.next(5000000);
            const int credit = credits[bidder % 4];
            const qint64 netCents = gross * (100 - credit);  // gross * (100 - credit) / 100 dollars, in cents
            insert.reset();
            insert.bind(1, round);
            insert.bind(2, licenseName(license));
            insert.bind(3, marketOf(license));
            insert.bind(4, blockOf(license));
            insert.bind(5, QStringLiteral("Bidder %1").arg(bidder, 2, 10, QLatin1Char('0')));
            insert.bind(6, 1 + int(random.next(9)));
            insert.bind(7, gross);
            insert.bind(8, netCents % 100 == 0 ? QVariant(netCents / 100) : QVariant(double(netCents) / 100));
            insert.bind(9, double(credit));
            insert.bind(10, QStringLiteral("2007-01-01 10:00:00"));
            insert.step();
        }
}

// The generated auction: a copy of an imported auction database with its bids, markets and rounds replaced.
QString generateAuction(const QString &imported, const QDir &work) {
    const QString path = work.filePath(QStringLiteral("Auction66-generated.mdb"));
    QFile::remove(path);
    if (!QFile::copy(imported, path))
        fail(QStringLiteral("cannot copy %1").arg(imported));
    db::Database database = db::Database::open(path);
    sqlite3 *connection = database.handle();
    exec(connection, "BEGIN");
    exec(connection, "DELETE FROM \"All Bids\"; DELETE FROM \"Markets\"; DELETE FROM \"sysRounds\"");
    insertMarkets(connection);
    insertBids(connection);
    db::Statement rounds(connection, QStringLiteral("INSERT INTO \"sysRounds\" (\"Round\") VALUES (?)"));
    for (int round = 1; round <= kGeneratedRounds; ++round) {
        rounds.reset();
        rounds.bind(1, round);
        rounds.step();
    }
    exec(connection, "COMMIT");
    exec(connection, "ANALYZE");
    return path;
}

qint64 highestRound(const QString &path) {
    db::Database database = db::Database::open(path);
    db::Statement highest(database.handle(), QStringLiteral("SELECT MAX(\"Round\") FROM \"sysRounds\""));
    return highest.step() ? highest.value(0).toLongLong() : 0;
}

// One round analysis of every round, gross, and its workbook; prints the figures.
void measure(const QString &database, const QDir &work) {
    analysis::AnalysisRequest request;
    request.databasePath = database;
    request.kind = analysis::AnalysisKind::Rounds;
    request.range = {1, highestRound(database)};
    request.gross = true;
    analysis::AnalysisProgress progress;

    bench::resetPeakMemory();
    const qint64 rssBefore = bench::statusKb("VmRSS");
    QElapsedTimer timer;
    timer.start();
    const std::optional<analysis::AnalysisResult> result = analysis::runAnalysis(request, progress);
    const double whole = secondsOf(timer);
    if (!result)
        fail(QStringLiteral("the analysis of %1 stopped").arg(database));
    const analysis::PivotTable &pivot = result->pivot;
    timer.restart();
    QVariant shown;
    for (int row = 0; row < std::min(analysis::pivotSheetRows(pivot), kFirstScreenRows); ++row)
        for (int column = 0; column < std::min(analysis::pivotSheetColumns(pivot), kFirstScreenColumns); ++column)
            shown = analysis::pivotSheetValue(pivot, row, column);
    const double firstScreen = whole + secondsOf(timer);

    timer.restart();
    const std::optional<analysis::PivotTable> again = analysis::buildPivot(result->dataSet, true);
    const double pivotOnly = secondsOf(timer);

    const QString xlsx = work.filePath(QStringLiteral("pivot.xlsx"));
    timer.restart();
    const std::optional<analysis::WorkbookWritten> written = analysis::writeWorkbook(xlsx, *result);
    const double xlsxSeconds = secondsOf(timer);
    const long long growthMb = (bench::statusKb("VmHWM") - rssBefore) / 1024;

    std::printf(
        "%s: %d data rows, %d pivot rows x %d pivot columns, %d cells with bids; data set %.2f s, pivot "
        "%.2f s (built again alone); .xlsx %d + %d sheets, %.1f MB\n",
        qPrintable(QFileInfo(database).fileName()), result->dataSet.rowCount(), pivot.rowCount(), pivot.columnCount(),
        int(pivot.cellSum.size()), whole - pivotOnly, pivotOnly, written ? written->dataSheets : 0,
        written ? written->pivotSheets : 0, double(QFileInfo(xlsx).size()) / 1e6);
    std::printf("pivot: %d rounds, %d bids: first screen %.2f s, whole %.2f s, xlsx %.2f s, memory +%lld MB\n",
                pivot.rowCount(), result->dataSet.rowCount(), firstScreen, whole, xlsxSeconds, growthMb);
    std::fflush(stdout);
    QFile::remove(xlsx);
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QString rounds = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(LOTWISE_BENCH_ROUNDS);
    QTemporaryDir work;
    if (!work.isValid())
        fail(QStringLiteral("no temporary folder"));
    const QDir folder(work.path());
    try {
        const QString imported = importAuction(rounds, folder);
        const QString generated = generateAuction(imported, folder);
        measure(imported, folder);
        measure(generated, folder);
    } catch (const db::Error &error) {
        fail(QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description()));
    }
    return 0;
}
