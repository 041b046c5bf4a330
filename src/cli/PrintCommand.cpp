#include "cli/PrintCommand.h"

#include "cli/ShownStatement.h"
#include "core/DataWindowRules.h"
#include "db/Database.h"
#include "db/Error.h"
#include "db/Recordset.h"
#include "print/GridPagePainter.h"
#include "print/GridRowSource.h"
#include "print/PdfOutput.h"

#include <QFileInfo>

#include <cmath>

namespace cli {

namespace {

constexpr int kMeasuredRows = 100;  // the rows column widths are measured from, besides the headings

int usageError(Streams io, const QString &problem) {
    io.err << "lotwise-cli: " << problem << '\n' << usage();
    return 2;
}

// Margins "L,T,R,B" in inches, each from 0 to 99.99, into twips; false when malformed.
bool parseMargins(const QString &text, print::PrintSettings *settings) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return false;
    double twips[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        const double inches = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(inches) || inches < 0 || inches >= 100)
            return false;
        twips[i] = std::round(inches * print::kTwipsPerInch);
    }
    settings->marginLeft = twips[0];
    settings->marginTop = twips[1];
    settings->marginRight = twips[2];
    settings->marginBottom = twips[3];
    return true;
}

// Numbers from 1; false when one is not.
bool parseBreaks(const QStringList &texts, std::set<int> *breaks) {
    for (const QString &text : texts) {
        bool ok = false;
        const int number = text.toInt(&ok);
        if (!ok || number < 1)
            return false;
        breaks->insert(number);
    }
    return true;
}

// The round the footer names: the one asked for, else the newest for a per-round table, else none.
QString footerRound(const db::Database &database, const Options &options, const QString &table) {
    if (app::isAllRoundsTable(table))
        return {};
    if (database.tableExists(table) &&
        !database.fieldNames(table).contains(QStringLiteral("Round"), Qt::CaseInsensitive))
        return {};
    if (!options.round.isEmpty())
        return options.round;
    const QVariant last = database.openRecordset(QStringLiteral("SELECT Max([Round]) FROM [sysRounds]"))->value(0);
    return last.isNull() ? QString() : QString::number(last.toLongLong());
}

}  // namespace

int printCommand(const Options &options, Streams io) {
    if (options.db.isEmpty() || options.arguments.size() != 1 || options.pdf.isEmpty())
        return usageError(io, QStringLiteral("print needs --db DB, a table and --pdf OUT.pdf"));
    print::LayoutInput input;
    input.settings.orientation = options.portrait ? print::kPortrait : print::kLandscape;
    if (!options.margins.isEmpty() && !parseMargins(options.margins, &input.settings))
        return usageError(io, QStringLiteral("--margins needs four numbers of inches: left,top,right,bottom"));
    if (!parseBreaks(options.rowBreaks, &input.breaks.rows) ||
        !parseBreaks(options.columnBreaks, &input.breaks.columns))
        return usageError(io, QStringLiteral("--row-break and --col-break need numbers from 1"));
    // Writing the PDF over the auction database it reads would lose the auction.
    const QString auctionFile = QFileInfo(options.db).canonicalFilePath();
    if (!auctionFile.isEmpty() && QFileInfo(options.pdf).canonicalFilePath() == auctionFile)
        throw db::Error(db::err::FileAccess,
                        QStringLiteral("Path/File access error: the PDF cannot replace the auction database it "
                                       "reads."));
    const QString &table = options.arguments.front();
    QString statement;
    {
        const db::Database database = db::Database::open(options.db);
        statement = shownStatement(database, table, options.round, options.sort, options.filter);
        input.footer = {table, footerRound(database, options, table)};
    }
    print::GridRowSource source(options.db, statement);
    input.headings = source.headings();
    input.widths = print::measuredWidths(input.headings, source.rows(0, kMeasuredRows));
    input.rowCount = source.rowCount();
    const print::GridPageLayout layout(std::move(input));
    print::writePdf(layout, source, options.pdf);
    return 0;
}

}  // namespace cli
