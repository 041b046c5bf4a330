// Damaged round files never crash or hang the caller and never leave a partial file: each conversion ends in a
// numbered error or, where the damage is harmless (or undetectable, such as a changed digit), a sound SQLite file.
#include "jet/JetConverter.h"
#include "jet/JetTestSupport.h"
#include "support/TestSupport.h"

#include "db/Error.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>
#include <random>

namespace {

constexpr qsizetype kPageSize = 4096;  // the round files are Jet 4

struct DamagedCopy {
    std::string kind;
    QByteArray bytes;
    bool alwaysDetectable;  // no sound conversion is possible
    bool losesNoValue = false;  // whole pages gone: a conversion that succeeds must hold every original value
};

class Damager {
public:
    explicit Damager(QByteArray original) : original_(std::move(original)) {
        for (qsizetype page = 0; page < original_.size() / kPageSize; ++page)
            pagesOfType_[original_[page * kPageSize]].push_back(page);
    }

    std::vector<DamagedCopy> copies() {
        std::vector<DamagedCopy> out;
        for (int i = 0; i < 40; ++i)
            out.push_back({"bytes changed anywhere", changedBytes(0, original_.size(), pick(1, 8)), false});
        for (int i = 0; i < 30; ++i)
            out.push_back({"bytes changed in a table definition", inPage(0x02, 0, kPageSize), false});
        for (int i = 0; i < 30; ++i)
            out.push_back({"bytes changed in a data page header", inPage(0x01, 0, 64), false});
        for (int i = 0; i < 25; ++i)
            out.push_back({"truncated", original_.left(pick(1, original_.size() - 1) | 1), true});
        for (int i = 0; i < 20; ++i)
            out.push_back({"truncated at a page boundary", original_.left(kPageSize * pick(1, pages() - 1)), false, true});
        for (int i = 0; i < 30; ++i) {
            QByteArray copy = original_;
            copy.replace(kPageSize * pick(0, pages() - 1), kPageSize, QByteArray(kPageSize, '\0'));
            out.push_back({"a page zeroed", copy, false, true});
        }
        out.push_back({"empty", {}, true});
        out.push_back({"random bytes", randomBytes(16 * kPageSize), true});
        out.push_back({"a Jet header page, then random bytes", original_.left(kPageSize) + randomBytes(15 * kPageSize), false});
        out.push_back({"text", QByteArray("Round 6 results\r\nnot a database\r\n").repeated(200), true});
        return out;
    }

private:
    qsizetype pages() const { return original_.size() / kPageSize; }
    qsizetype pick(qsizetype low, qsizetype high) { return std::uniform_int_distribution<qsizetype>(low, high)(random_); }
    QByteArray randomBytes(qsizetype size) {
        QByteArray bytes(size, '\0');
        for (char &c : bytes)
            c = static_cast<char>(pick(0, 255));
        return bytes;
    }
    QByteArray changedBytes(qsizetype from, qsizetype size, qsizetype count) {
        QByteArray copy = original_;
        for (qsizetype i = 0; i < count; ++i)
            copy[from + pick(0, size - 1)] = static_cast<char>(pick(0, 255));
        return copy;
    }
    QByteArray inPage(char type, qsizetype offset, qsizetype size) {
        const std::vector<qsizetype> &candidates = pagesOfType_.at(type);
        const qsizetype page = candidates[static_cast<std::size_t>(pick(0, qsizetype(candidates.size()) - 1))];
        return changedBytes(page * kPageSize + offset, size, pick(1, 4));
    }

    QByteArray original_;
    std::map<char, std::vector<qsizetype>> pagesOfType_;
    std::mt19937_64 random_{20060825};
};

bool sameValues(const QString &a, const QString &b) {
    const QStringList tables = jettest::storedTables(a);
    if (tables != jettest::storedTables(b))
        return false;
    const auto same = [](const jettest::StoredValue &x, const jettest::StoredValue &y) {
        return x.type == y.type && x.integer == y.integer && x.bytes == y.bytes;
    };
    for (const QString &table : tables) {
        const auto rowsA = jettest::readStoredTable(a, table).rows;
        const auto rowsB = jettest::readStoredTable(b, table).rows;
        if (!std::equal(rowsA.begin(), rowsA.end(), rowsB.begin(), rowsB.end(), [&](const auto &x, const auto &y) {
                return std::equal(x.begin(), x.end(), y.begin(), y.end(), same);
            }))
            return false;
    }
    return true;
}

bool isSoundSqlite(const QString &path) {
    const jettest::StoredValue check = jettest::queryValue(path, "PRAGMA integrity_check");
    return check.bytes == "ok" && !jettest::storedTables(path).isEmpty();
}

TEST(DamagedJetFile, EndsInANumberedErrorOrASoundFileAndLeavesNothingBehind) {
    const testsupport::ScratchDir scratch;
    QFile original(jettest::extractMdb(testsupport::dataPath(QStringLiteral("auction-11/11_006.zip")), scratch.path()));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const std::vector<DamagedCopy> copies = Damager(original.readAll()).copies();
    ASSERT_TRUE(QDir(scratch.path()).mkdir(QStringLiteral("out")));
    const QDir out(scratch.path(QStringLiteral("out")));
    const QString input = scratch.path(QStringLiteral("damaged.mdb"));
    const QString output = out.filePath(QStringLiteral("round.sqlite"));
    const QString undamaged = scratch.path(QStringLiteral("undamaged.sqlite"));
    jet::convertToSqlite(original.fileName(), undamaged);
    std::map<std::string, std::pair<int, int>> outcomes;  // kind: errors, conversions

    for (std::size_t i = 0; i < copies.size(); ++i) {
        SCOPED_TRACE(std::to_string(i) + ": " + copies[i].kind);
        QFile file(input);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(copies[i].bytes);
        file.close();
        try {
            jet::convertToSqlite(input, output);
            EXPECT_FALSE(copies[i].alwaysDetectable);
            EXPECT_TRUE(isSoundSqlite(output));
            if (copies[i].losesNoValue) {
                EXPECT_TRUE(sameValues(output, undamaged));
            }
            ++outcomes[copies[i].kind].second;
            QFile::remove(output);
        } catch (const db::Error &error) {
            EXPECT_EQ(error.number(), db::err::UnrecognizedFormat);
            EXPECT_EQ(error.description(), QStringLiteral("Unrecognized database format '%1'.").arg(input));
            ++outcomes[copies[i].kind].first;
        }
        ASSERT_TRUE(out.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    }
    for (const auto &[kind, counts] : outcomes)
        std::printf("%-40s %3d errors, %3d conversions\n", kind.c_str(), counts.first, counts.second);
}

}  // namespace
