// Damaged round files never crash or hang the caller and never leave a partial file: each conversion ends in a
// numbered error or, where the damage is harmless (or undetectable, such as a changed digit), a sound SQLite file.
#include "core/JetConverter.h"
#include "jet/JetTestSupport.h"
#include "support/TestSupport.h"

#include "db/Error.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace {

constexpr qsizetype kPage = 4096;  // the round files are Jet 4

struct DamagedCopy {
    std::string kind;
    QByteArray bytes;
    bool alwaysDetected = false;  // no sound conversion is possible
    bool keepsAllValues = false;  // whole pages gone: a conversion that succeeds must hold every original value
};

// About two hundred damaged copies of `original`, the same in every run.
std::vector<DamagedCopy> damagedCopies(const QByteArray &original) {
    std::mt19937_64 random(20060825);
    const auto pick = [&](qsizetype low, qsizetype high) {
        return std::uniform_int_distribution<qsizetype>(low, high)(random);
    };
    const qsizetype pages = original.size() / kPage;
    std::map<char, std::vector<qsizetype>> pagesOfType;
    for (qsizetype page = 0; page < pages; ++page)
        pagesOfType[original[page * kPage]].push_back(page);
    const auto changed = [&](qsizetype from, qsizetype size) {  // 1 to 8 random bytes in [from, from + size)
        QByteArray copy = original;
        for (qsizetype n = pick(1, 8); n > 0; --n)
            copy[from + pick(0, size - 1)] = static_cast<char>(pick(0, 255));
        return copy;
    };
    const auto inPageOfType = [&](char type, qsizetype size) {
        const std::vector<qsizetype> &candidates = pagesOfType.at(type);
        return changed(candidates[static_cast<std::size_t>(pick(0, qsizetype(candidates.size()) - 1))] * kPage, size);
    };
    QByteArray noise(16 * kPage, '\0');
    for (char &c : noise)
        c = static_cast<char>(pick(0, 255));

    std::vector<DamagedCopy> out;
    for (int i = 0; i < 40; ++i) {
        out.push_back({"bytes changed anywhere", changed(0, original.size())});
        out.push_back({"bytes changed in a table definition", inPageOfType(0x02, kPage)});
        out.push_back({"bytes changed in a data page header", inPageOfType(0x01, 64)});
    }
    for (int i = 0; i < 25; ++i) {
        QByteArray zeroed = original;
        zeroed.replace(kPage * pick(0, pages - 1), kPage, QByteArray(kPage, '\0'));
        out.push_back({"a page zeroed", zeroed, false, true});
        out.push_back({"truncated at a page boundary", original.left(kPage * pick(1, pages - 1)), false, true});
        out.push_back({"truncated", original.left(pick(1, original.size() - 1) | 1), true});
    }
    out.push_back({"empty", {}, true});
    out.push_back({"random bytes", noise, true});
    out.push_back({"a Jet header page, then random bytes", original.left(kPage) + noise});
    out.push_back({"text", QByteArray("Round 6 results\r\nnot a database\r\n").repeated(200), true});
    return out;
}

// Every value of every table, in order, as text.
std::vector<std::string> allValues(const QString &sqliteFile) {
    std::vector<std::string> values;
    for (const QString &table : jettest::storedTables(sqliteFile)) {
        values.push_back(table.toStdString());
        for (const auto &row : jettest::readStoredTable(sqliteFile, table).rows)
            for (const jettest::StoredValue &value : row)
                values.push_back(std::to_string(value.type) + ':' + value.bytes);
    }
    return values;
}

TEST(DamagedJetFile, EndsInANumberedErrorOrASoundFileAndLeavesNothingBehind) {
    const testsupport::ScratchDir scratch;
    QFile original(jettest::extractMdb(testsupport::dataPath(QStringLiteral("auction-11/11_006.zip")), scratch.path()));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const std::vector<DamagedCopy> copies = damagedCopies(original.readAll());
    const QString undamaged = scratch.path(QStringLiteral("undamaged.sqlite"));
    jet::convertToSqlite(original.fileName(), undamaged);
    const std::vector<std::string> originalValues = allValues(undamaged);
    ASSERT_TRUE(QDir(scratch.path()).mkdir(QStringLiteral("out")));
    const QDir out(scratch.path(QStringLiteral("out")));
    const QString input = scratch.path(QStringLiteral("damaged.mdb"));
    const QString output = out.filePath(QStringLiteral("round.sqlite"));
    std::map<std::string, std::pair<int, int>> outcomes;  // kind: errors, conversions

    for (std::size_t i = 0; i < copies.size(); ++i) {
        SCOPED_TRACE(std::to_string(i) + ": " + copies[i].kind);
        QFile file(input);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(copies[i].bytes) >= 0);
        file.close();
        try {
            jet::convertToSqlite(input, output);
            ++outcomes[copies[i].kind].second;
            EXPECT_FALSE(copies[i].alwaysDetected);
            EXPECT_EQ(jettest::queryValue(output, "PRAGMA integrity_check").bytes, "ok");
            if (copies[i].keepsAllValues) {
                EXPECT_EQ(allValues(output), originalValues);
            }
            QFile::remove(output);
        } catch (const db::Error &error) {
            ++outcomes[copies[i].kind].first;
            EXPECT_EQ(error.text(), QStringLiteral("Error:3343 Unrecognized database format '%1'.").arg(input));
        }
        ASSERT_TRUE(out.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }
    for (const auto &[kind, counts] : outcomes)
        std::printf("%-40s %3d errors, %3d conversions\n", kind.c_str(), counts.first, counts.second);
}

}  // namespace
