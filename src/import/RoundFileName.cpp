#include "import/RoundFileName.h"

#include "db/Error.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace importer {

QString SplitPath(const QString &path, bool fileNamePart) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (fileNamePart)
        return path.mid(slash + 1);
    return slash < 0 ? QString() : path.left(slash + 1);
}

qint32 wholeNumber(const QString &text) {
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString trimmed = text.trimmed();
    if (!number.match(trimmed).hasMatch())
        throw db::Error(db::err::TypeMismatchRuntime, QStringLiteral("Type mismatch"));
    const double value = std::nearbyint(trimmed.toDouble());  // the default rounding mode rounds halves to even
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        throw db::Error(db::err::Overflow, QStringLiteral("Overflow"));
    return qint32(value);
}

qint32 roundOf(const QString &bareName) { return wholeNumber(bareName.mid(3, 3)); }

QString auctionTextOf(const QString &bareName) { return bareName.left(2); }

qint32 auctionOf(const QString &bareName) { return wholeNumber(auctionTextOf(bareName)); }

std::optional<RoundFile> parseRoundFileName(const QString &bareName) {
    // ASCII digits only (\d would take other scripts' digits too), and nothing after ".zip", not even a line break.
    static const QRegularExpression name(
        QRegularExpression::anchoredPattern(QStringLiteral("([0-9]{2})_([0-9]{3}|[1-9][0-9]{3})\\.zip")),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = name.match(bareName);
    if (!match.hasMatch())
        return std::nullopt;
    RoundFile file;
    file.auctionText = match.captured(1);
    file.auction = file.auctionText.toInt();
    file.round = match.captured(2).toInt();
    if (file.round < 1)
        return std::nullopt;
    return file;
}

QString notARoundFileNameText(const QString &bareName) {
    return QStringLiteral("'%1' is not the name of a round results file.").arg(bareName) + QChar(13) +
           QStringLiteral("A round results file is named by its auction (two digits) and round (three digits),") +
           QChar(13) + QStringLiteral("such as 11_005.zip for round 5 of auction 11. Nothing was changed.");
}

QString memberNameOf(const QString &bareName) { return bareName.left(bareName.size() - 4) + QStringLiteral(".mdb"); }

QString roundFileName(const QString &auctionPrefix, qint32 round) {
    return auctionPrefix + u'_' + QStringLiteral("%1").arg(round, 3, 10, QChar(u'0')) + QStringLiteral(".zip");
}

}  // namespace importer
