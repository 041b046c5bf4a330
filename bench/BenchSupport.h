// Helpers shared by the benchmarks.
#pragma once

#include "db/Database.h"
#include "db/Error.h"
#include "import/RoundFileName.h"
#include "import/ZipExtract.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <utility>

namespace bench {

// Writes the round database of a round zip into `folder`; its path, or nothing when the zip cannot be read.
inline QString extractMember(const QString &zipPath, const QDir &folder) {
    try {
        const QString member = importer::memberNameOf(QFileInfo(zipPath).fileName());
        return importer::extractMember(zipPath, member, folder.path(), {}, folder.path());
    } catch (const db::Error &) {
        return {};
    }
}

// Resets the peak resident size to the present one (Linux 4.0 and later), so that what building the test data
// took does not hide the measured work's own peak; false when it cannot.
inline bool resetPeakMemory() {
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    return refs.open(QIODevice::WriteOnly) && refs.write("5") == 1;
}

// A field of /proc/self/status in kB ("VmHWM", "VmRSS"); 0 when unknown.
inline qint64 statusKb(const char *field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').front().toLongLong();
    return 0;
}

// The numbers 0 .. rows - 1 for a generated table: a table [Digit] of the ten digits is made, and the row
// number is the expression `first` over the cross join `second` of enough copies of it (one per decimal place).
inline std::pair<QString, QString> rowNumbers(db::Database &database, int rows) {
    database.execute(QStringLiteral("CREATE TABLE [Digit] ([N] Long)"));
    for (int n = 0; n < 10; ++n)
        database.execute(QStringLiteral("INSERT INTO [Digit] VALUES (%1)").arg(n));
    QStringList terms, from;
    int scale = 1;
    for (char alias = 'a'; scale < rows; ++alias, scale *= 10) {
        terms << QStringLiteral("%1.[N] * %2").arg(QChar::fromLatin1(alias)).arg(scale);
        from << QStringLiteral("[Digit] AS %1").arg(QChar::fromLatin1(alias));
    }
    return {u'(' + terms.join(QStringLiteral(" + ")) + u')', from.join(QStringLiteral(", "))};
}

// Makes `table` of `rows` rows with typed columns (Long, Text, Currency, DateTime) through the engine, from a
// cross join of a table of the ten digits.
inline void buildGeneratedTable(db::Database &database, const QString &table, int rows) {
    const auto [id, from] = rowNumbers(database, rows);
    database.execute(QStringLiteral("CREATE TABLE [%1] ([Id] Long, [Round] Long, [Market] Text(20), "
                                    "[Bidder] Text(40), [Amount] Currency, [Placed] DateTime)")
                         .arg(table));
    database.execute(QStringLiteral("INSERT INTO [%4] ([Id], [Round], [Market], [Bidder], [Amount], [Placed]) "
                                    "SELECT %1, %1 Mod 300 + 1, 'M' & (%1 * 7 Mod 1500), 'Bidder ' & (%1 Mod 97), "
                                    "(%1 Mod 100000) * 1000.25, DateAdd('d', %1 Mod 300, #8/24/2006#) "
                                    "FROM %2 WHERE %1 < %3")
                         .arg(id, from)
                         .arg(rows)
                         .arg(table));
}

}  // namespace bench
