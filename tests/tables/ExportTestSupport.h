// Helpers of the export tests: files read back, Python helpers run through QProcess, and the rows of a query as
// the grid and as plain text show them.
#pragma once

#include "db/Database.h"

#include <QByteArray>
#include <QJsonArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace exporttest {

QByteArray fileBytes(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);
QStringList filesIn(const QString &folder);

// The rows of jetSql, each cell as the grid shows it (grid::cellText with tabs and line breaks made spaces), or
// as its stored value (db::plainText).
std::vector<QStringList> shownRows(const db::Database &database, const QString &jetSql, const QLocale &locale);
std::vector<QStringList> plainRows(const db::Database &database, const QString &jetSql);
QStringList fieldNames(const db::Database &database, const QString &jetSql);

// Runs a Python 3 script with arguments and returns its standard output parsed as JSON; nothing when python3
// (or a module the script needs, when it exits with status 3) is missing.
std::optional<QJsonArray> runPython(const QString &script, const QStringList &arguments);

// A small RFC 4180 reader: records of fields.
std::vector<QStringList> readCsv(const QByteArray &bytes);

// Whether missing tools must fail rather than skip a test (CI=true).
bool toolsRequired();

}  // namespace exporttest
