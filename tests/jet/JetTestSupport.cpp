#include "jet/JetTestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

namespace jettest {

namespace {

QByteArray runTool(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

// RFC 4180 CSV with mdb-export's one addition: an unquoted empty field is NULL.
std::vector<std::vector<ExportField>> parseCsv(const QByteArray &csv) {
    std::vector<std::vector<ExportField>> records;
    std::vector<ExportField> record;
    std::string field;
    bool quoted = false;
    qsizetype i = 0;
    auto endField = [&] {
        record.push_back(quoted || !field.empty() ? ExportField(field) : std::nullopt);
        field.clear();
        quoted = false;
    };
    while (i < csv.size()) {
        const char c = csv[i++];
        if (c == '"' && field.empty() && !quoted) {
            quoted = true;
            for (; i < csv.size(); ++i) {
                if (csv[i] == '"' && (i + 1 >= csv.size() || csv[i + 1] != '"'))
                    break;
                field += csv[i];
                i += csv[i] == '"';
            }
            ++i;  // the closing quote
        } else if (c == ',') {
            endField();
        } else if (c == '\n') {
            endField();
            records.push_back(std::move(record));
            record.clear();
        } else {
            field += c;
        }
    }
    return records;
}

struct DbCloser {
    void operator()(sqlite3 *db) const { sqlite3_close(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

Db openReadOnly(const QString &file) {
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        ADD_FAILURE() << "cannot open " << file.toStdString();
    return Db(db);
}

Statement prepare(sqlite3 *db, const std::string &sql) {
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        ADD_FAILURE() << sql << ": " << sqlite3_errmsg(db);
    return Statement(statement);
}

StoredValue columnValue(sqlite3_stmt *statement, int column) {
    StoredValue value;
    value.type = sqlite3_column_type(statement, column);
    value.integer = sqlite3_column_int64(statement, column);
    value.real = sqlite3_column_double(statement, column);
    if (const void *bytes = sqlite3_column_blob(statement, column))
        value.bytes.assign(static_cast<const char *>(bytes),
                           static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
    return value;
}

std::string quoted(const QString &name) { return '"' + name.toStdString() + '"'; }

}  // namespace

QString extractMdb(const QString &zipPath, const QString &folder) {
    const QString member = QString::fromUtf8(runTool(QStringLiteral("zipinfo"), {QStringLiteral("-1"), zipPath})).trimmed();
    runTool(QStringLiteral("unzip"), {QStringLiteral("-o"), QStringLiteral("-q"), zipPath, QStringLiteral("-d"), folder});
    return QDir(folder).filePath(member);
}

QStringList mdbTables(const QString &file) {
    return QString::fromUtf8(runTool(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), file}))
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

ExportTable mdbExport(const QString &file, const QString &table) {
    const QString iso = QStringLiteral("%Y-%m-%d %H:%M:%S");
    auto records = parseCsv(runTool(QStringLiteral("mdb-export"),
                                    {QStringLiteral("-D"), iso, QStringLiteral("-T"), iso, file, table}));
    ExportTable out;
    if (records.empty())
        return out;
    for (const ExportField &name : records.front())
        out.header.push_back(name.value_or(""));
    out.rows.assign(std::make_move_iterator(records.begin() + 1), std::make_move_iterator(records.end()));
    return out;
}

QStringList storedTables(const QString &sqliteFile) {
    const Db db = openReadOnly(sqliteFile);
    const Statement statement = prepare(db.get(), "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid");
    QStringList names;
    while (statement && sqlite3_step(statement.get()) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement.get(), 0)));
    return names;
}

StoredTable readStoredTable(const QString &sqliteFile, const QString &table) {
    const Db db = openReadOnly(sqliteFile);
    StoredTable out;
    const Statement info = prepare(db.get(), "PRAGMA table_info(" + quoted(table) + ")");
    while (info && sqlite3_step(info.get()) == SQLITE_ROW) {
        out.names.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(info.get(), 1)));
        out.declaredTypes.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(info.get(), 2)));
    }
    const Statement rows = prepare(db.get(), "SELECT * FROM " + quoted(table) + " ORDER BY rowid");
    while (rows && sqlite3_step(rows.get()) == SQLITE_ROW) {
        std::vector<StoredValue> row;
        for (int i = 0; i < sqlite3_column_count(rows.get()); ++i)
            row.push_back(columnValue(rows.get(), i));
        out.rows.push_back(std::move(row));
    }
    return out;
}

StoredValue queryValue(const QString &sqliteFile, const std::string &sql) {
    const Db db = openReadOnly(sqliteFile);
    const Statement statement = prepare(db.get(), sql);
    if (!statement || sqlite3_step(statement.get()) != SQLITE_ROW) {
        ADD_FAILURE() << "no row: " << sql;
        return {};
    }
    return columnValue(statement.get(), 0);
}

}  // namespace jettest
