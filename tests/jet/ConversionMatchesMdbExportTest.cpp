// Every Jet file we have converts to the same tables, columns and values that mdbtools' mdb-export prints:
// Access-written Jet 3 and Jet 4 samples (read in place) and the project's round files and legacy database.
#include "core/JetConverter.h"
#include "jet/JetTestSupport.h"
#include "support/TestSupport.h"

#include "common/ColumnType.h"

#include <QDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>

namespace {

using db::ColumnType;
using jettest::ExportField;
using jettest::StoredValue;

// The value mdb-export prints for a value we store; mdb-export's own limits are allowed for.
::testing::AssertionResult sameValue(ColumnType type, const ExportField &exported, const StoredValue &stored) {
    const auto fail = [&] {
        return ::testing::AssertionFailure() << "exported " << exported.value_or("NULL") << ", stored type "
                                             << stored.type << " '" << stored.bytes << "'";
    };
    if (!exported) {  // libmdb prints empty text and empty binary data as NULL too
        const bool empty = (stored.type == SQLITE_TEXT || stored.type == SQLITE_BLOB) && stored.bytes.empty();
        return stored.type == SQLITE_NULL || empty ? ::testing::AssertionSuccess() : fail();
    }
    const std::string &text = *exported;
    switch (type) {
    case ColumnType::Boolean: return stored.integer == (text == "1" ? -1 : 0) ? ::testing::AssertionSuccess() : fail();
    case ColumnType::Byte:
    case ColumnType::Integer:
    case ColumnType::Long:
        return stored.type == SQLITE_INTEGER && std::to_string(stored.integer) == text ? ::testing::AssertionSuccess()
                                                                                      : fail();
    case ColumnType::Currency: {  // four decimals, exactly
        std::string digits = text;
        digits.erase(digits.find('.'), 1);
        const long long expected = std::stoll(digits);
        const long long actual = stored.type == SQLITE_INTEGER ? stored.integer * 10000 : std::llround(stored.real * 10000);
        return actual == expected ? ::testing::AssertionSuccess() : fail();
    }
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::Decimal: {
        const double expected = std::stod(text);
        const double actual = stored.type == SQLITE_INTEGER ? static_cast<double>(stored.integer) : stored.real;
        const double tolerance = std::max(0.005, std::fabs(expected) * 1e-7);
        return std::fabs(actual - expected) <= tolerance ? ::testing::AssertionSuccess() : fail();
    }
    case ColumnType::DateTime:  // libmdb prints dates before 1900 and after ~2700 as day 0 of 1900
        return text.starts_with("1900-01-00") || stored.bytes == text ? ::testing::AssertionSuccess() : fail();
    default: return stored.bytes == text ? ::testing::AssertionSuccess() : fail();
    }
}

void expectSameAsMdbExport(const QString &mdb) {
    const testsupport::ScratchDir scratch;
    const QString out = scratch.path(QStringLiteral("converted.sqlite"));
    ASSERT_NO_THROW(jet::convertToSqlite(mdb, out));
    const QStringList tables = jettest::mdbTables(mdb);
    ASSERT_FALSE(tables.isEmpty());
    EXPECT_EQ(jettest::storedTables(out), tables);
    for (const QString &table : tables) {
        SCOPED_TRACE(table.toStdString());
        const jettest::ExportTable exported = jettest::mdbExport(mdb, table);
        const jettest::StoredTable stored = jettest::readStoredTable(out, table);
        ASSERT_EQ(stored.names, exported.header);
        ASSERT_EQ(stored.rows.size(), exported.rows.size());
        for (std::size_t r = 0; r < stored.rows.size(); ++r) {
            ASSERT_EQ(exported.rows[r].size(), stored.names.size()) << "row " << r;
            for (std::size_t c = 0; c < stored.names.size(); ++c)
                EXPECT_TRUE(sameValue(db::typeFromDeclared(stored.declaredTypes[c]), exported.rows[r][c],
                                      stored.rows[r][c]))
                    << "row " << r << " column " << stored.names[c];
        }
    }
}

class AccessSample : public ::testing::TestWithParam<const char *> {};

// nwind.mdb also exercises overflow rows: its catalog holds rows moved by an update, which the converter follows
// (and checks against the catalog's row count) before it reads any table.
TEST_P(AccessSample, ConvertsAsMdbExportReadsIt) {
    const QString path = testsupport::jetSamplePath(QString::fromLatin1(GetParam()));
    if (path.isEmpty()) {
        if (testsupport::jetSamplesRequired())
            FAIL() << "the shared Jet samples are missing";
        GTEST_SKIP() << "the shared Jet samples folder is missing";
    }
    expectSameAsMdbExport(path);
}

INSTANTIATE_TEST_SUITE_P(Jet, AccessSample,
                         ::testing::Values("testV1997.mdb", "test2V1997.mdb", "testV2000.mdb", "test2V2000.mdb",
                                           "nwind.mdb", "DateTestDatabase.mdb"),
                         [](const auto &sample) { return QString::fromLatin1(sample.param).section('.', 0, 0).toStdString(); });

TEST(RoundFiles, EveryRoundFileConvertsAsMdbExportReadsIt) {
    for (const QString &set : {QStringLiteral("auction-11"), QStringLiteral("auction-07-edge")}) {
        const QDir folder(testsupport::dataPath(set));
        for (const QString &zip : folder.entryList({QStringLiteral("*.zip")}, QDir::Files, QDir::Name)) {
            SCOPED_TRACE(zip.toStdString());
            const testsupport::ScratchDir scratch;
            expectSameAsMdbExport(jettest::extractMdb(folder.filePath(zip), scratch.path()));
        }
    }
}

TEST(RoundFiles, LegacyAuctionDatabaseConvertsAsMdbExportReadsIt) {
    expectSameAsMdbExport(testsupport::dataPath(QStringLiteral("legacy/Auction11.mdb")));
}

}  // namespace
