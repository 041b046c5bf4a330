// Round import speed, through the procedures the program runs (importer::BatchImport, importer::ImportRound) in a
// fresh home directory, with a prompter that answers every question with its default.
//
//   bench_import [FOLDER_OF_ROUND_ZIPS]     (default: the auction-66 round files of the shared fixtures)
//
// (a) BatchImport of the whole folder, against a shell pipeline doing the same job with the stock tools
//     (unzip, mdb-tables, mdb-export to CSV, sqlite3 .import; one sqlite3 per round), and against the floor:
//     libmdb reading every row of every table of the same, already extracted files in one process.
// (b) ImportRound of one round into an auction database of 10 rounds and into one of 110 (median of repeats;
//     re-importing a round replaces it, so every repeat does the same work).
// (c) As (b), with two Table Wizard and two Query Builder tables over "All Bids", rebuilt by every import.
//
// Figures only: nothing is asserted. Run it on an idle machine.
#include "BenchSupport.h"
#include "core/ModuleState.h"
#include "core/Prompter.h"
#include "db/Database.h"
#include "db/Error.h"
#include "import/CreateAuction.h"
#include "import/ImportRound.h"
#include "jet/Mdb.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>


#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRepeats = 7;       // imports of one round, for (b) and (c)
constexpr int kBatchRepeats = 3;  // runs of each contender of (a)

// Answers every message with its default button (No to deleting a round results file), returns the queued paths
// to the file dialogs, and keeps the messages so that a failed run can say why.
class SilentPrompter : public app::Prompter {
public:
    void queuePath(const QString &path) { paths_ << path; }
    const QStringList &messages() const { return messages_; }
    void clearMessages() { messages_.clear(); }

    app::Answer msgBox(const QString &text, const app::MessageStyle &style, const QString &title) override {
        QString shown = text;
        shown.replace(QChar(13), u' ');
        messages_ << (title.isEmpty() ? QStringLiteral("Lotwise") : title) + QStringLiteral(": ") + shown;
        return app::defaultAnswer(style);
    }
    QString inputBox(const QString &, const QString &, const QString &defaultText) override { return defaultText; }
    QString showOpen(const app::FileDialog &dialog) override { return nextPath(dialog); }
    QString showSave(const app::FileDialog &dialog) override { return nextPath(dialog); }
    void setStatus(int, const QString &) override {}
    void setCaption(const QString &) override {}
    void busyCursor(bool) override {}
    void progressStart(const QString &, int) override {}
    bool progressStep(int, const QString &) override { return true; }
    void progressDone() override {}

private:
    QString nextPath(const app::FileDialog &dialog) {
        if (!paths_.isEmpty())
            return paths_.takeFirst();
        if (dialog.cancelError)
            throw db::Error(db::err::DialogCancelled, QStringLiteral("Cancel was selected."));
        return {};
    }

    QStringList paths_;
    QStringList messages_;
};

double secondsOf(const QElapsedTimer &timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e9; }

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

[[noreturn]] void fail(const QString &what, const SilentPrompter &prompter) {
    std::fprintf(stderr, "%s\n", qPrintable(what));
    for (const QString &message : prompter.messages())
        std::fprintf(stderr, "  %s\n", qPrintable(message));
    std::exit(1);
}


struct Reading {
    long long rows = 0;
    double seconds = 0;
};

// libmdb reading every row of every user table, each column bound so that its value is decoded.
Reading readWithLibmdb(const QStringList &mdbFiles) {
    Reading reading;
    std::vector<std::vector<char>> buffers;
    std::vector<int> lengths;
    QElapsedTimer timer;
    timer.start();
    for (const QString &file : mdbFiles) {
        MdbHandle *mdb = mdb_open(QFile::encodeName(file).constData(), MDB_NOFLAGS);
        if (!mdb || !mdb_read_catalog(mdb, MDB_TABLE)) {
            std::fprintf(stderr, "libmdb cannot read %s\n", qPrintable(file));
            std::exit(1);
        }
        for (guint i = 0; i < mdb->num_catalog; ++i) {
            auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb->catalog, i));
            if (entry->object_type != MDB_TABLE || !mdb_is_user_table(entry))
                continue;
            MdbTableDef *table = mdb_read_table(entry);
            if (!table)
                continue;
            mdb_read_columns(table);
            buffers.assign(table->num_cols, std::vector<char>(MDB_BIND_SIZE));
            lengths.assign(table->num_cols, 0);
            for (unsigned c = 0; c < table->num_cols; ++c)
                mdb_bind_column(table, static_cast<int>(c + 1), buffers[c].data(), &lengths[c]);
            mdb_rewind_table(table);
            while (mdb_fetch_row(table))
                ++reading.rows;
            mdb_free_tabledef(table);
        }
        mdb_close(mdb);
    }
    reading.seconds = secondsOf(timer);
    return reading;
}

// The same job with the stock tools: for each round file unzip, mdb-export of every table to CSV and sqlite3's
// .import of the CSV files into one database (the first round's header lines create the tables).
double peerPipeline(const QStringList &zips, const QDir &work) {
    static const QString script = QStringLiteral(R"(set -e
zip=$1 dir=$2 db=$3 skip=$4
rm -rf "$dir"
mkdir -p "$dir"
unzip -q "$zip" -d "$dir"
for f in "$dir"/*; do mdb=$f; done
mdb-tables -1 "$mdb" | while IFS= read -r t; do
  mdb-export "$mdb" "$t" > "$dir/$t.csv"
  printf '.import --csv %s "%s" "%s"\n' "$skip" "$dir/$t.csv" "$t"
done | sqlite3 "$db"
)");
    const QString dir = work.filePath(QStringLiteral("peer"));
    const QString database = work.filePath(QStringLiteral("peer.sqlite"));
    QElapsedTimer timer;
    timer.start();
    for (qsizetype i = 0; i < zips.size(); ++i) {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral("sh"), {QStringLiteral("-c"), script, QStringLiteral("sh"), zips[i], dir, database,
                                             i == 0 ? QString() : QStringLiteral("--skip 1")});
        process.waitForFinished(-1);
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            std::fprintf(stderr, "the peer pipeline failed on %s\n", qPrintable(zips[i]));
            std::exit(1);
        }
    }
    return secondsOf(timer);
}

// A home directory with its own state: the program as a user would start it.
struct Session {
    explicit Session(const QString &home) : state(app::makeModuleState(home, prompter)) {}
    SilentPrompter prompter;
    app::ModuleState state;
};

void batchImport(Session &session, const QString &roundOne) {
    session.prompter.queuePath(roundOne);
    if (importer::BatchImport(session.state) != importer::Creation::Created)
        fail(QStringLiteral("BatchImport of %1 failed").arg(roundOne), session.prompter);
}

double importRound(Session &session, const QString &zip) {
    session.prompter.clearMessages();
    session.prompter.queuePath(zip);
    QElapsedTimer timer;
    timer.start();
    const bool imported = importer::ImportRound(session.state, false);
    const double seconds = secondsOf(timer);
    if (!imported)
        fail(QStringLiteral("ImportRound of %1 failed").arg(zip), session.prompter);
    // Only the question about deleting the file is expected; anything else is a failure shown as a message.
    for (const QString &message : session.prompter.messages())
        if (!message.startsWith(QLatin1String("Round Imported Successfully")))
            fail(QStringLiteral("ImportRound of %1 said more than expected").arg(zip), session.prompter);
    return seconds;
}

// Two Table Wizard tables and two Query Builder tables over "All Bids", made as the program makes them.
void addUserTables(db::Database &auction) {
    const QStringList wizard = {
        QStringLiteral("SELECT [License Name], [Bidder], [Net Bid Amount] INTO [High Bids] FROM [All Bids] "
                       "WHERE [Net Bid Amount] > 1000000 ORDER BY [Net Bid Amount] DESC;"),
        QStringLiteral("SELECT [Bidder], [Round], [License Name], [Gross Bid Amount] INTO [Bids Of Credit Bidders] "
                       "FROM [All Bids] WHERE [Bidding Credit Pct] > 0 ORDER BY [Bidder], [Round];"),
    };
    const QStringList wizardNames = {QStringLiteral("High Bids"), QStringLiteral("Bids Of Credit Bidders")};
    for (qsizetype i = 0; i < wizard.size(); ++i) {
        auction.execute(wizard[i]);
        auction.execute(QStringLiteral("INSERT INTO [sysTables] (TableName) VALUES ('%1')").arg(wizardNames[i]));
        auction.execute(QStringLiteral("INSERT INTO [sysWizard] ([Table Name], [SQL String]) VALUES ('%1', \"%2\")")
                            .arg(wizardNames[i], wizard[i]));
    }
    struct Query {
        QString name, select, into, from, where, order;
    };
    const Query queries[] = {
        {QStringLiteral("Big Bids"), QStringLiteral("[Round], [Bidder], [Net Bid Amount]"), QStringLiteral("[Big Bids]"),
         QStringLiteral("[All Bids]"), QStringLiteral("[Net Bid Amount] > 5000000"),
         QStringLiteral("[Net Bid Amount] DESC")},
        {QStringLiteral("Jump Bids"), QStringLiteral("[Round], [License Name], [Bidder], [Increments of Bid]"),
         QStringLiteral("[Jump Bids]"), QStringLiteral("[All Bids]"), QStringLiteral("[Increments of Bid] > 1"),
         QStringLiteral("[Round], [License Name]")},
    };
    for (const Query &q : queries) {
        auction.execute(QStringLiteral("SELECT %1 INTO %2 FROM %3 WHERE %4 ORDER BY %5")
                            .arg(q.select, q.into, q.from, q.where, q.order));
        auction.execute(QStringLiteral("INSERT INTO [sysTables] (TableName) VALUES ('%1')").arg(q.name));
        auction.execute(QStringLiteral("INSERT INTO [sysQueryBuilder] (Txt5, Txt0, Txt1, Txt2, Txt3, Txt4) "
                                       "VALUES ('%1', '%2', '%3', '%4', '%5', '%6')")
                            .arg(q.name, q.select, q.into, q.from, q.where, q.order));
    }
}

// An auction database of the first `rounds` round files, built by batch import of a folder of their copies.
std::unique_ptr<Session> auctionOf(const QDir &base, const QString &name, const QStringList &zips, int rounds) {
    const QString home = base.filePath(name);
    const QDir folder(home + QStringLiteral("/rounds"));
    QDir().mkpath(folder.path());
    const auto copy = [&](int i) { QFile::copy(zips[i], folder.filePath(QFileInfo(zips[i]).fileName())); };
    for (int i = 0; i < rounds; ++i)
        copy(i);
    auto session = std::make_unique<Session>(home);
    batchImport(*session, folder.filePath(QFileInfo(zips[0]).fileName()));
    copy(rounds);  // the round the figures import, after the batch
    return session;
}

double medianImport(Session &session, const QString &zip) {
    std::vector<double> times;
    for (int i = 0; i < kRepeats; ++i)
        times.push_back(importRound(session, zip));
    return median(times);
}

void reportPair(const char *what, int small, double smallSeconds, int large, double largeSeconds) {
    std::printf("%s\n", what);
    std::printf("  round %3d into %3d rounds   %8.1f ms\n", small + 1, small, smallSeconds * 1e3);
    std::printf("  round %3d into %3d rounds   %8.1f ms\n", large + 1, large, largeSeconds * 1e3);
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QDir rounds(QFileInfo(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(LOTWISE_BENCH_ROUNDS))
                          .absoluteFilePath());
    QStringList zips;
    for (const QString &zip : rounds.entryList({QStringLiteral("??_???.zip")}, QDir::Files, QDir::Name))
        zips << rounds.filePath(zip);
    if (zips.size() < 2) {
        std::fprintf(stderr, "fewer than two round files in %s\n", qPrintable(rounds.path()));
        return 1;
    }
    QTemporaryDir work;
    const QDir base(work.path());

    // The floor first, on files extracted beforehand (not timed).
    base.mkdir(QStringLiteral("mdb"));
    QStringList mdbFiles;
    for (const QString &zip : zips) {
        const QString mdb = bench::extractMember(zip, QDir(base.filePath(QStringLiteral("mdb"))));
        if (mdb.isEmpty()) {
            std::fprintf(stderr, "cannot extract %s\n", qPrintable(zip));
            return 1;
        }
        mdbFiles << mdb;
    }

    // (a): the contenders take turns, so that a disturbance of the machine does not fall on one of them only.
    std::vector<double> ourTimes, peerTimes, floorTimes;
    long long rowCount = 0;
    for (int run = 0; run < kBatchRepeats; ++run) {
        const Reading floor = readWithLibmdb(mdbFiles);
        rowCount = floor.rows;
        floorTimes.push_back(floor.seconds);

        Session batch(base.filePath(QStringLiteral("batch%1").arg(run)));
        QDir().mkpath(batch.state.homeDir);
        QElapsedTimer timer;
        timer.start();
        batchImport(batch, zips.first());
        ourTimes.push_back(secondsOf(timer));
        batch.state.AuctionDb.close();

        peerTimes.push_back(peerPipeline(zips, base));
        QFile::remove(base.filePath(QStringLiteral("peer.sqlite")));
    }
    const double ours = median(ourTimes);
    const double peer = median(peerTimes);
    const Reading floor{rowCount, median(floorTimes)};

    const double rows = static_cast<double>(floor.rows);
    std::printf("%lld round files from %s, %lld rows in all their tables\n", static_cast<long long>(zips.size()),
                qPrintable(rounds.path()), floor.rows);
    std::printf("(a) importing every round file into a new auction database, median of %d runs\n", kBatchRepeats);
    std::printf("  %-44s %8.3f s %10.0f rows/s\n", "Lotwise BatchImport", ours, rows / ours);
    std::printf("  %-44s %8.3f s %10.0f rows/s\n", "peer: unzip, mdb-export, sqlite3 .import", peer, rows / peer);
    std::printf("  %-44s %8.3f s %10.0f rows/s\n", "floor: libmdb reading every row (no unzip)", floor.seconds,
                rows / floor.seconds);
    std::printf("  peer / Lotwise %.2f (goal: at least 4)\n", peer / ours);
    std::printf("  Lotwise / floor %.2f (goal: at most 1.5)\n", ours / floor.seconds);

    // (b) and (c)
    const int large = std::min<int>(110, static_cast<int>(zips.size()) - 1);
    const int small = std::min(10, large);
    const std::unique_ptr<Session> few = auctionOf(base, QStringLiteral("few"), zips, small);
    const std::unique_ptr<Session> many = auctionOf(base, QStringLiteral("many"), zips, large);
    const QString fewZip = few->state.homeDir + QStringLiteral("/rounds/") + QFileInfo(zips[small]).fileName();
    const QString manyZip = many->state.homeDir + QStringLiteral("/rounds/") + QFileInfo(zips[large]).fileName();
    const double fewSeconds = medianImport(*few, fewZip);
    const double manySeconds = medianImport(*many, manyZip);
    reportPair("(b) ImportRound of one round (dialog import), median of 7", small, fewSeconds, large, manySeconds);
    std::printf("  ratio %.2f (goal: at most 1.3)\n", manySeconds / fewSeconds);

    addUserTables(few->state.AuctionDb);
    addUserTables(many->state.AuctionDb);
    const double fewUserSeconds = medianImport(*few, fewZip);
    const double manyUserSeconds = medianImport(*many, manyZip);
    reportPair("(c) as (b), with 2 Table Wizard and 2 Query Builder tables over \"All Bids\"", small, fewUserSeconds,
               large, manyUserSeconds);
    // The four tables are made anew from every round's bids, so their part grows with the auction.
    std::printf("  ratio %.2f; rebuilding the four tables: %.1f ms and %.1f ms\n", manyUserSeconds / fewUserSeconds,
                (fewUserSeconds - fewSeconds) * 1e3, (manyUserSeconds - manySeconds) * 1e3);
    return 0;
}
