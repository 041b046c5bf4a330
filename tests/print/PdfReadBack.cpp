#include "print/PdfReadBack.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace printtest {

namespace {

QString run(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

bool pdfToolsAvailable() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

bool pdfToolsRequired() { return qEnvironmentVariable("CI") == QLatin1String("true"); }

PdfFacts pdfFacts(const QString &path) {
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    PdfFacts facts;
    const auto pages = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
                           .match(info);
    if (pages.hasMatch())
        facts.pages = pages.captured(1).toInt();
    const auto size = QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                         QRegularExpression::MultilineOption)
                          .match(info);
    if (size.hasMatch())
        facts.pageSize = QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble());
    return facts;
}

QStringList pageTexts(const QString &path) {
    QStringList pages = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")})
                            .split(QChar(u'\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
        pages.removeLast();  // the text ends with a form feed
    return pages;
}

QStringList textLines(const QString &pageText) {
    QStringList lines;
    for (const QString &line : pageText.split(u'\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

}  // namespace printtest
