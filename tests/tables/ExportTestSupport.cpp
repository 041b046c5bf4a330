#include "tables/ExportTestSupport.h"

#include "db/Recordset.h"
#include "db/ValueText.h"
#include "grid/CellText.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>

namespace exporttest {

QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QStringList filesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

namespace {

template <typename CellFn>
std::vector<QStringList> rowsOf(const db::Database &database, const QString &jetSql, CellFn cell) {
    std::vector<QStringList> rows;
    const auto set = database.openRecordset(jetSql, db::RecordsetType::Snapshot);
    for (; !set->eof(); set->moveNext()) {
        QStringList row;
        for (int i = 0; i < set->fieldCount(); ++i)
            row << cell(set->value(i), set->field(i).type);
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

std::vector<QStringList> shownRows(const db::Database &database, const QString &jetSql, const QLocale &locale) {
    return rowsOf(database, jetSql, [&](const QVariant &value, db::ColumnType type) {
        QString text = grid::cellText(value, type, locale);
        for (QChar &c : text)
            if (c == u'\t' || c == u'\r' || c == u'\n')
                c = u' ';
        return text;
    });
}

std::vector<QStringList> plainRows(const db::Database &database, const QString &jetSql) {
    return rowsOf(database, jetSql, [](const QVariant &value, db::ColumnType type) { return db::plainText(value, type); });
}

QStringList fieldNames(const db::Database &database, const QString &jetSql) {
    const auto set = database.openRecordset(jetSql, db::RecordsetType::Snapshot);
    QStringList names;
    for (int i = 0; i < set->fieldCount(); ++i)
        names << set->field(i).name;
    return names;
}

std::optional<QJsonArray> runPython(const QString &script, const QStringList &arguments) {
    // The system's Python first: its modules (openpyxl) are the ones the setup script installs, while a Python
    // earlier on PATH (a version manager's) may lack them.
    QString python = QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    if (python.isEmpty())
        python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(python, QStringList{QStringLiteral("-c"), script} + arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() == 3)
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(process.readAllStandardOutput());
    return document.array();
}

std::vector<QStringList> readCsv(const QByteArray &bytes) {
    const QString text = QString::fromUtf8(bytes);
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            record << field;
            field.clear();
            records.push_back(record);
            record.clear();
            ++i;
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !record.isEmpty())
        records.push_back(record << field);
    return records;
}

bool toolsRequired() { return qEnvironmentVariable("CI") == QLatin1String("true"); }

}  // namespace exporttest
