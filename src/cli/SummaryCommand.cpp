#include "cli/SummaryCommand.h"

#include "cli/TsvWriter.h"
#include "db/Database.h"
#include "db/Error.h"
#include "print/SummaryPage.h"
#include "summary/Money.h"
#include "summary/SummarySheet.h"

#include <QDate>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace cli {

namespace {

int usageError(Streams io, const QString &problem) {
    io.err << "lotwise-cli: " << problem << '\n' << usage();
    return 2;
}

QString jsonString(const QString &text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            out += u'\\' + QString(c);
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + u'"';
}

// Whole cents as a decimal with two places: exact, with no binary fraction in between.
QString centsText(qint64 units) {
    const qint64 cents = summary::wholeCents(units);
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString storedJson(const QVariant &value, db::ColumnType type) {
    if (type == db::ColumnType::DateTime) {
        // Stored as "YYYY-MM-DD HH:MM:SS": the date part; anything else as it is.
        const QString text = value.toString();
        const bool iso = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd")).isValid();
        return jsonString(iso ? text.left(10) : text);
    }
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int: return QString::number(value.toLongLong());
    case QMetaType::Double: {
        const double number = value.toDouble();
        return std::isfinite(number) ? QString::number(number, 'g', QLocale::FloatingPointShortest)
                                     : QStringLiteral("null");
    }
    default: return jsonString(value.toString());
    }
}

QString figureJson(const summary::RoundFigures &figures, int index) {
    const QVariant value = summary::figureValue(figures, index);
    if (value.isNull())
        return QStringLiteral("null");
    switch (summary::figureFormat(index)) {
    case summary::FigureFormat::Money: return centsText(value.toLongLong());
    case summary::FigureFormat::Count: return QString::number(value.toLongLong());
    case summary::FigureFormat::AsStored: break;
    }
    return storedJson(value, summary::figureType(figures, index));
}

QString roundJson(const summary::RoundFigures &figures) {
    QStringList members{jsonString(QStringLiteral("Round")) + u':' + QString::number(figures.round)};
    const QStringList &labels = summary::figureLabels();
    for (int i = 0; i < summary::kFigureCount; ++i)
        members << jsonString(labels[i]) + u':' + figureJson(figures, i);
    return u'{' + members.join(u',') + u'}';
}

QString roundLine(const summary::RoundFigures &figures) {
    QStringList fields{QString::number(figures.round)};
    for (const QString &text : summary::figureTexts(figures, QLocale()))
        fields << tsvField(text);
    return fields.join(u'\t') + u'\n';
}

QString oneRoundText(const summary::RoundFigures &figures) {
    const QStringList texts = summary::figureTexts(figures, QLocale());
    QString out;
    for (int i = 0; i < summary::kFigureCount; ++i)
        out += summary::figureLabels()[i] + u'\t' + tsvField(texts[i]) + u'\n';
    return out;
}

QString allRoundsText(const db::Database &database, std::vector<qint64> rounds, bool json) {
    std::sort(rounds.begin(), rounds.end());
    QStringList lines;
    for (const qint64 round : rounds) {
        const summary::RoundFigures figures = summary::readRoundFigures(database, round);
        lines << (json ? roundJson(figures) : roundLine(figures));
    }
    if (json)
        return u'[' + lines.join(u',') + QStringLiteral("]\n");
    return QStringLiteral("Round\t") + summary::figureLabels().join(u'\t') + u'\n' + lines.join(QString());
}

// The printed sheet of the round, as the Round Summary window prints it.
void writePdf(const Options &options, const summary::RoundFigures &figures, std::optional<qint64> auction) {
    // Writing the PDF over the auction database it reads would lose the auction.
    const QString auctionFile = QFileInfo(options.db).canonicalFilePath();
    if (!auctionFile.isEmpty() && QFileInfo(options.pdf).canonicalFilePath() == auctionFile)
        throw db::Error(db::err::FileAccess,
                        QStringLiteral("Path/File access error: the PDF cannot replace the auction database it "
                                       "reads."));
    print::writeSummaryPdf(print::summarySheetText(figures, auction, QLocale()), options.pdf);
}

}  // namespace

int summaryCommand(const Options &options, Streams io) {
    if (options.db.isEmpty() || !options.arguments.isEmpty())
        return usageError(io, QStringLiteral("summary needs --db DB"));
    if (options.all && !options.round.isEmpty())
        return usageError(io, QStringLiteral("summary takes --round R or --all, not both"));
    if (!options.pdf.isEmpty() && (options.all || options.json))
        return usageError(io, QStringLiteral("summary --pdf prints one round: give --round R or nothing"));
    bool whole = false;
    const qint64 asked = options.round.toLongLong(&whole);
    if (!options.round.isEmpty() && !whole)
        return usageError(io, QStringLiteral("--round needs a whole number: ") + options.round);

    const db::Database database = db::Database::open(options.db);
    const std::vector<qint64> rounds = summary::roundList(database);
    // Everything is computed before anything is printed, so that a failure part way prints no partial summary.
    if (options.all) {
        io.out << allRoundsText(database, rounds, options.json);
        return 0;
    }
    if (rounds.empty() || (whole && std::find(rounds.begin(), rounds.end(), asked) == rounds.end())) {
        message(io.err, {}, rounds.empty() ? QStringLiteral("The auction database holds no rounds.")
                                           : QStringLiteral("Round %1 has not been imported.").arg(asked));
        return 1;
    }
    const summary::RoundFigures figures = summary::readRoundFigures(database, whole ? asked : rounds.front());
    if (!options.pdf.isEmpty()) {
        writePdf(options, figures, summary::auctionNumber(database));
        return 0;
    }
    io.out << (options.json ? roundJson(figures) + u'\n' : oneRoundText(figures));
    return 0;
}

}  // namespace cli
