// lotwise-cli convert on damaged copies of a round results file and of its round database: every run ends in
// time, without a signal, either with exit status 0 and a readable SQLite file or with exit status 1, one
// numbered message and nothing written. Nothing is ever left in the output folder or the home directory.
#include "cli/CliProcess.h"
#include "import/ZipExtract.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>

using namespace clitest;

namespace {

constexpr qsizetype kPage = 4096;

struct DamagedCopy {
    std::string kind;
    QByteArray bytes;
    bool keepsAllRows = false;  // a conversion that succeeds must give every table with all its rows
};

struct Damage {
    int flips = 0;        // one byte flipped, at offsets spread over the file
    int tailFlips = 0;    // one byte flipped in the last 120 bytes
    int headerFlips = 0;  // up to four bytes flipped in the first 48 bytes of a page
    int truncations = 0;  // half of them at a page boundary
    int zeroedPages = 0;
    bool wholePagesMatter = false;  // a page zeroed or cut off at its boundary cannot be converted into fewer rows
};

// The same copies in every run: bytes flipped at offsets spread over the file, near its end (where a zip keeps
// its directory) and in page headers (where a Jet file keeps its structure), truncations, and zeroed pages.
std::vector<DamagedCopy> damagedCopies(const QByteArray &original, std::uint64_t seed, const Damage &damage) {
    const auto [flips, tailFlips, headerFlips, truncations, zeroedPages, wholePagesMatter] = damage;
    std::mt19937_64 random(seed);
    const auto pick = [&](qsizetype low, qsizetype high) {
        return std::uniform_int_distribution<qsizetype>(low, high)(random);
    };
    const qsizetype size = original.size();
    const auto flipped = [&](qsizetype offset) {
        QByteArray copy = original;
        copy[offset] = char(copy[offset] ^ char(pick(1, 255)));
        return copy;
    };
    std::vector<DamagedCopy> out;
    for (int i = 0; i < flips; ++i)
        out.push_back({"byte flipped", flipped(std::min(size - 1, size * i / flips + pick(0, size / flips)))});
    for (int i = 0; i < tailFlips; ++i)
        out.push_back({"byte flipped near the end", flipped(size - pick(1, std::min<qsizetype>(size, 120)))});
    const qsizetype pages = (size + kPage - 1) / kPage;
    for (int i = 0; i < headerFlips; ++i) {
        QByteArray copy = original;
        const qsizetype page = std::min(pages - 1, pages * i / headerFlips + pick(0, pages / headerFlips));
        for (qsizetype n = pick(1, 4); n > 0; --n) {
            const qsizetype offset = std::min(size - 1, page * kPage + pick(0, 47));
            copy[offset] = char(copy[offset] ^ char(pick(1, 255)));
        }
        out.push_back({"page header bytes flipped", copy});
    }
    for (int i = 0; i < truncations; ++i) {
        const qsizetype length = i % 2 == 0 && size > kPage ? kPage * pick(1, (size - 1) / kPage) : pick(0, size - 1);
        out.push_back({"truncated", original.left(length), wholePagesMatter && length % kPage == 0});
    }
    for (int i = 0; i < zeroedPages; ++i) {
        QByteArray copy = original;
        const qsizetype page = zeroedPages >= pages ? i % pages : pick(0, pages - 1);
        const qsizetype length = std::min(kPage, size - page * kPage);
        copy.replace(page * kPage, length, QByteArray(length, '\0'));
        out.push_back({"page zeroed", copy, wholePagesMatter});
    }
    return out;
}

class DamagedInput : public ::testing::Test {
protected:
    testsupport::ScratchDir scratch;
    const QString home = scratch.path(QStringLiteral("home"));
    const QString outDir = scratch.path(QStringLiteral("out"));
    const QString output = scratch.path(QStringLiteral("out/round.sqlite"));
    QString undamagedTables;

    void SetUp() override {
        ASSERT_TRUE(QDir(scratch.path()).mkpath(QStringLiteral("out")));
        ASSERT_TRUE(QDir(scratch.path()).mkpath(QStringLiteral("in")));
        undamagedTables = auction11RoundTables(6);
    }

    // Converts each copy as `fileName`; `sameRowsOnSuccess` for inputs whose damage cannot go unnoticed in a
    // conversion that succeeds (a zip member has a CRC).
    void convertEach(const std::vector<DamagedCopy> &copies, const QString &fileName, bool sameRowsOnSuccess) {
        const QString input = scratch.path(QStringLiteral("in/") + fileName);
        std::map<std::string, std::pair<int, int>> outcomes;  // kind: errors, conversions
        for (std::size_t i = 0; i < copies.size(); ++i) {
            const DamagedCopy &copy = copies[i];
            SCOPED_TRACE(std::to_string(i) + ": " + copy.kind + ", " + std::to_string(copy.bytes.size()) + " bytes");
            writeFile(input, copy.bytes);
            const CliRun run = runCli({QStringLiteral("--home"), home, QStringLiteral("convert"), input, output},
                                      home);
            ASSERT_FALSE(run.timedOut) << "no end in time";
            ASSERT_FALSE(run.crashed) << run.err;
            if (run.exitCode == 0) {
                ++outcomes[copy.kind].second;
                EXPECT_EQ(run.out + run.err, QString());
                const CliRun tables = runCli({QStringLiteral("tables"), QStringLiteral("--db"), output}, home);
                EXPECT_EQ(tables.exitCode, 0) << tables.err;
                EXPECT_TRUE(tables.out.startsWith(QLatin1String("Table\tRows\n"))) << tables.out;
                if (sameRowsOnSuccess || copy.keepsAllRows) {
                    EXPECT_EQ(tables.out, undamagedTables);
                }
                ASSERT_TRUE(QFile::remove(output));
            } else {
                ++outcomes[copy.kind].first;
                EXPECT_TRUE(failedWithOneMessage(run));
            }
            ASSERT_EQ(filesIn(outDir), QStringList());
            ASSERT_EQ(filesIn(home), QStringList());
        }
        for (const auto &[kind, counts] : outcomes)
            std::printf("%-28s %3d errors, %3d conversions\n", kind.c_str(), counts.first, counts.second);
    }
};

TEST_F(DamagedInput, RoundFileCopiesEndInAMessageOrTheSameTables) {
    const QByteArray zip = fileBytes(testsupport::dataPath(QStringLiteral("auction-11/11_006.zip")));
    ASSERT_GT(zip.size(), 2 * kPage);
    convertEach(damagedCopies(zip, 20060825, {.flips = 36, .tailFlips = 12, .truncations = 10, .zeroedPages = 3}),
                QStringLiteral("11_006.zip"), true);
}

TEST_F(DamagedInput, RoundDatabaseCopiesEndInAMessageOrAReadableFile) {
    const QString mdb = importer::extractMember(testsupport::dataPath(QStringLiteral("auction-11/11_006.zip")),
                                                QStringLiteral("11_006.mdb"), scratch.path(), {}, scratch.path());
    const QByteArray original = fileBytes(mdb);
    ASSERT_GT(original.size(), 16 * kPage);
    convertEach(damagedCopies(original, 20060828,
                                {.flips = 16, .headerFlips = 20, .truncations = 12, .zeroedPages = 14,
                                 .wholePagesMatter = true}), QStringLiteral("11_006.mdb"), false);
}

}  // namespace
