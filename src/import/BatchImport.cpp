// BatchImport: a new auction from its round 1 file, then every following round file of the same folder until one
// is missing. While one round is written into the auction database, the next ones are already being extracted and
// converted (each by its own process). Preparing a round costs several times what writing it does, so two rounds
// are prepared at once: both cores then work on the slow part.
#include "import/CreateAuction.h"

#include "core/ModuleState.h"
#include "db/BatchedCommits.h"
#include "db/Error.h"
#include "import/NewAuction.h"
#include "import/RetryPath.h"
#include "import/RoundDatabase.h"
#include "import/RoundFileName.h"
#include "import/RoundRows.h"
#include "import/WorkFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <deque>
#include <future>

namespace importer {

namespace {

constexpr qint32 kRoundsPreparedAhead = 2;

// One round database made ready in the background. Whatever happens to the batch, the background work is
// waited for, and a database that was not taken is removed.
class PreparedRound {
public:
    PreparedRound(const QString &homeDir, const QString &zipPath, const QString &member)
        : homeDir_(homeDir), zipPath_(zipPath), member_(member),
          future_(std::async(std::launch::async, [=] { return extract(homeDir, zipPath, member); })) {}
    ~PreparedRound() {
        if (future_.valid()) {
            try {
                QFile::remove(future_.get());
            } catch (...) {
            }
        }
    }
    PreparedRound(const PreparedRound &) = delete;
    PreparedRound &operator=(const PreparedRound &) = delete;

    // The round database's path; a missing home directory is made and the extraction done once more.
    QString take(const app::ModuleState &state) {
        try {
            return future_.get();
        } catch (const db::Error &error) {
            if (error.number() != db::err::PathNotFound)
                throw;
        }
        return retryingPath(state, [&] { return extract(homeDir_, zipPath_, member_); });
    }

private:
    // Under a work file name of this run: another run may be importing the same round file into another auction.
    static QString extract(const QString &homeDir, const QString &zipPath, const QString &member) {
        return ExtractRoundDatabase(homeDir, zipPath, member, workFileName(member, QStringLiteral("round")));
    }

    QString homeDir_, zipPath_, member_;
    std::future<QString> future_;
};

class ProgressScope {
public:
    ProgressScope(app::Prompter &ui, int steps) : ui_(ui) { ui_.progressStart(QStringLiteral("Batch Import"), steps); }
    ~ProgressScope() { ui_.progressDone(); }
    ProgressScope(const ProgressScope &) = delete;
    ProgressScope &operator=(const ProgressScope &) = delete;

private:
    app::Prompter &ui_;
};

int roundsFound(const QString &folder, const QString &prefix) {
    int last = 1;
    while (QFileInfo::exists(folder + roundFileName(prefix, last + 1)))
        ++last;
    return last;
}

std::unique_ptr<PreparedRound> prepare(const app::ModuleState &state, const QString &folder, const QString &prefix,
                                       qint32 round) {
    const QString zip = folder + roundFileName(prefix, round);
    if (!QFileInfo::exists(zip))
        return nullptr;
    return std::make_unique<PreparedRound>(state.homeDir, zip, memberNameOf(roundFileName(prefix, round)));
}

// Rounds 2, 3, ... until a file is missing or the user stops after a round; returns the last round imported.
qint32 importFollowingRounds(app::ModuleState &state, const QString &folder, const QString &prefix, qint32 auction) {
    const int found = roundsFound(folder, prefix);
    const ProgressScope progress(state.ui(), found);
    if (!state.ui().progressStep(1, QStringLiteral("Round 1 of %1").arg(found)))
        return 1;
    // The rounds being prepared, in order: round, round + 1, ... up to the first missing file.
    std::deque<std::unique_ptr<PreparedRound>> ahead;
    qint32 nextToPrepare = 2;
    const auto prepareAhead = [&] {
        while (static_cast<qint32>(ahead.size()) < kRoundsPreparedAhead && (ahead.empty() || ahead.back())) {
            ahead.push_back(prepare(state, folder, prefix, nextToPrepare));
            ++nextToPrepare;
        }
    };
    prepareAhead();
    for (qint32 round = 2;; ++round) {
        if (!ahead.front())
            return round - 1;
        const std::unique_ptr<PreparedRound> current = std::move(ahead.front());
        ahead.pop_front();
        const QString roundPath = current->take(state);
        prepareAhead();
        try {
            copyRoundRows(state.AuctionDb, roundPath, auction, round, RoundDeletion::WithdrawalsOnly,
                          roundFileName(prefix, round));
        } catch (...) {
            QFile::remove(roundPath);
            throw;
        }
        QFile::remove(roundPath);
        if (!state.ui().progressStep(round, QStringLiteral("Round %1 of %2").arg(round).arg(found)))
            return round;
    }
}

}  // namespace

Creation BatchImport(app::ModuleState &state) {
    try {
        const QString path = startNewAuction(state, 0, db::schema::Creator::BatchImport);
        if (path.isEmpty())
            return Creation::Failed;
        const QString bare = SplitPath(path, true);
        state.ui().setCaption(QStringLiteral("Lotwise - ") + state.AuctionDbPath);
        // The rounds' commits reach the disk together, before the batch reports them imported (or an error).
        db::BatchedCommits commits(state.AuctionDb);
        const qint32 last = importFollowingRounds(state, SplitPath(path, false), auctionTextOf(bare), auctionOf(bare));
        commits.flush();
        state.ui().msgBox(QStringLiteral("Finished importing rounds 1 to %1.").arg(last),
                          {app::Buttons::OK, app::Icon::Information}, QStringLiteral("Finished Batch Import"));
        return Creation::Created;
    } catch (const db::Error &error) {
        return creationFailure(state, error);
    }
}

}  // namespace importer
