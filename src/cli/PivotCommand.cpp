#include "cli/PivotCommand.h"

#include "analysis/AnalysisQuery.h"
#include "analysis/AnalysisRun.h"
#include "analysis/PivotCsv.h"
#include "analysis/TextKey.h"
#include "analysis/WorkbookFile.h"
#include "cli/CliPrompter.h"
#include "db/Database.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <optional>

namespace cli {

namespace {

int usageError(Streams io, const QString &problem) {
    io.err << "lotwise-cli: " << problem << '\n' << usage();
    return 2;
}

std::optional<analysis::AnalysisKind> kindNamed(const QString &name) {
    if (name == QLatin1String("markets"))
        return analysis::AnalysisKind::Markets;
    if (name == QLatin1String("bidders"))
        return analysis::AnalysisKind::Bidders;
    if (name == QLatin1String("rounds"))
        return analysis::AnalysisKind::Rounds;
    return std::nullopt;
}

// A round as the rounds dialog takes it: digits only (its box has no sign), at most nine of them.
bool isRoundNumber(const QString &text) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    return digits.match(text).hasMatch();
}

// What is wrong with the command line, or empty text.
QString commandLineProblem(const Options &options) {
    if (options.db.isEmpty() || options.by.isEmpty() || options.from.isEmpty() || options.out.isEmpty() ||
        !options.arguments.isEmpty())
        return QStringLiteral("pivot needs --db DB, --by markets|bidders|rounds, --from N and --out FILE");
    if (!kindNamed(options.by))
        return QStringLiteral("--by takes markets, bidders or rounds");
    if (!isRoundNumber(options.from) || (!options.to.isEmpty() && !isRoundNumber(options.to)))
        return QStringLiteral("--from and --to take a round number");
    if (options.by == QLatin1String("rounds") && !options.select.isEmpty())
        return QStringLiteral("--select applies to --by markets and --by bidders");
    const QString suffix = QFileInfo(options.out).suffix().toLower();
    if (suffix != QLatin1String("xlsx") && suffix != QLatin1String("csv"))
        return QStringLiteral("--out takes a .xlsx or .csv file");
    return {};
}

// The range after the rounds dialog's checks; nothing when the command ends (the message said why).
std::optional<analysis::RoundRange> acceptedRange(const Options &options, analysis::AnalysisKind kind,
                                                  const db::Database &database, Streams io) {
    const qint64 highest = analysis::highestRound(database);
    analysis::RoundRange range;
    switch (analysis::checkRange(options.from, options.to, highest, range)) {
    case analysis::RangeVerdict::Accepted: return range;
    case analysis::RangeVerdict::Empty: return std::nullopt;  // --from is required: not reached
    case analysis::RangeVerdict::StartTooHigh:
        message(io.err, analysis::rangeMessageTitle(), analysis::startTooHighMessage(kind));
        return std::nullopt;
    case analysis::RangeVerdict::EndTooHigh: break;
    }
    CliPrompter prompter(io.err, options.answer, {});
    if (prompter.msgBox(analysis::endTooHighQuestion(), analysis::endTooHighStyle(), analysis::rangeMessageTitle()) ==
        app::Answer::No) {
        message(io.err, {}, QStringLiteral("No analysis was made."));
        return std::nullopt;
    }
    range.end = highest;
    return range;
}

// The names to analyse: those given, each as the list offers it, or the whole list. Nothing (with a message) when a
// name given has no bids in the range.
std::optional<QStringList> chosenNames(const Options &options, const QStringList &offered, Streams io) {
    if (options.select.isEmpty())
        return offered;
    QSet<QString> keys;
    for (const QString &name : offered)
        keys.insert(analysis::textKey(name));
    for (const QString &name : options.select)
        if (!keys.contains(analysis::textKey(name))) {
            message(io.err, {}, QStringLiteral("\"%1\" has no bids in the rounds requested.").arg(name));
            return std::nullopt;
        }
    return options.select;
}

}  // namespace

int pivotCommand(const Options &options, Streams io) {
    if (const QString problem = commandLineProblem(options); !problem.isEmpty())
        return usageError(io, problem);
    const analysis::AnalysisKind kind = *kindNamed(options.by);
    analysis::AnalysisRequest request{options.db, kind, {}, options.gross, {}};
    // Writing the pivot over the auction database it reads would lose the auction.
    const QString auctionFile = QFileInfo(options.db).canonicalFilePath();
    if (!auctionFile.isEmpty() && QFileInfo(options.out).canonicalFilePath() == auctionFile)
        throw db::Error(db::err::FileAccess,
                        QStringLiteral("Path/File access error: the pivot cannot replace the auction database it reads."));
    {
        const db::Database database = db::Database::open(options.db);
        const auto range = acceptedRange(options, kind, database, io);
        if (!range)
            return 1;
        request.range = *range;
        if (kind != analysis::AnalysisKind::Rounds) {
            // Queried first, as the dialog's list is: a range without bids ends here with 3021.
            const auto names = chosenNames(options, analysis::selectionValues(database, kind, *range), io);
            if (!names)
                return 1;
            request.selection = *names;
        }
    }
    analysis::AnalysisProgress progress;
    const auto result = analysis::runAnalysis(request, progress);
    if (!result)
        return 1;  // not reached: nothing cancels a command-line run
    if (QFileInfo(options.out).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
        analysis::writePivotCsv(options.out, result->pivot);
    else if (!analysis::writeWorkbook(options.out, *result))
        return 1;
    return 0;
}

}  // namespace cli
