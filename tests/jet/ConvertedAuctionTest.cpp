// What the program relies on after converting the agency's files: declared types, the facts of the auction-11
// fixtures, dates libmdb cannot print, and rows Jet has marked deleted.
#include "core/JetConverter.h"
#include "jet/JetTestSupport.h"
#include "support/TestSupport.h"

#include "common/ColumnType.h"
#include "jet/ByteOrder.h"
#include "jet/MdbDatabase.h"
#include "jet/PageLayout.h"

#include <QFile>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using db::ColumnType;

// Converts the .mdb of a round zip of tests/data; the scratch folder holds both files.
QString convertRound(const testsupport::ScratchDir &scratch, const QString &zip) {
    const QString mdb = jettest::extractMdb(testsupport::dataPath(zip), scratch.path());
    const QString out = scratch.path(QStringLiteral("round.sqlite"));
    jet::convertToSqlite(mdb, out);
    return out;
}

std::string text(const QString &db, const std::string &sql) { return jettest::queryValue(db, sql).bytes; }
std::int64_t count(const QString &db, const std::string &from) {
    return jettest::queryValue(db, "SELECT count(*) " + from).integer;
}

TEST(ConvertedRound, ColumnsKeepTheirJetTypes) {
    const testsupport::ScratchDir scratch;
    const QString db = convertRound(scratch, QStringLiteral("auction-11/11_006.zip"));
    const jettest::StoredTable bids = jettest::readStoredTable(db, QStringLiteral("All Bids"));
    const auto typeOf = [&](const std::string &column, int *length = nullptr) {
        const auto at = std::find(bids.names.begin(), bids.names.end(), column) - bids.names.begin();
        return db::typeFromDeclared(bids.declaredTypes.at(static_cast<std::size_t>(at)), length);
    };
    int length = 0;
    EXPECT_EQ(typeOf("Net Bid Amount"), ColumnType::Currency);
    EXPECT_EQ(typeOf("Bid Date Time"), ColumnType::DateTime);
    EXPECT_EQ(typeOf("Bidding Credit Pct"), ColumnType::Double);
    EXPECT_EQ(typeOf("Round"), ColumnType::Long);
    EXPECT_EQ(typeOf("Bidder", &length), ColumnType::Text);
    EXPECT_EQ(length, 60);
    EXPECT_EQ(typeOf("Block", &length), ColumnType::Text);
    EXPECT_EQ(length, 2);
    // The converted file is in the current storage scheme, so that opening it never rebuilds anything.
    EXPECT_EQ(jettest::queryValue(db, "PRAGMA user_version").integer, db::kStorageScheme);
}

TEST(ConvertedRound, HoldsTheFactsOfRoundSix) {
    const testsupport::ScratchDir scratch;
    const QString db = convertRound(scratch, QStringLiteral("auction-11/11_006.zip"));
    const jettest::StoredValue netBids = jettest::queryValue(db, R"(SELECT "Net Bids" FROM "Round Statistics")");
    EXPECT_EQ(netBids.type, SQLITE_FLOAT);
    EXPECT_EQ(netBids.real, 88829183.35);
    EXPECT_EQ(jettest::queryValue(db, R"(SELECT "Gross Bids" FROM "Round Statistics")").type, SQLITE_INTEGER);
    EXPECT_EQ(text(db, R"(SELECT "Round Date" FROM "Round Statistics")"), "2006-08-25 00:00:00");
    EXPECT_EQ(text(db, R"(SELECT Bidder || '|' || "Withdrawn Bid Amount" FROM "Withdrawal Statistics")"),
              "D'Amico Broadband Ventures LLC|248400");
    EXPECT_EQ(count(db, R"(FROM Markets WHERE "High Bid" IS NULL)"), 8);
    EXPECT_EQ(count(db, R"(FROM Markets WHERE "High Bidder" IS NULL AND "License Name" = 'CWB007-A')"), 1);
    for (const char *bidder : {"Telefónica Larga Distancia de Puerto Rico, Inc.", "O''Hare Spectrum LLC"})
        EXPECT_EQ(count(db, std::string("FROM Bidders WHERE Bidder = '") + bidder + "'"), 1) << bidder;
    for (const char *market : {"Mayagüez-Aguadilla-Ponce, PR", "Española-Santa Fe, NM", "Coeur d''Alene, ID"})
        EXPECT_GT(count(db, std::string(R"(FROM Markets WHERE "Market Name" = ')") + market + "'"), 0) << market;
}

// Years 9999 and before 1900, which libmdb prints as day 0 of 1900: rows 2 to 4 hold 1 January of three
// consecutive years in their three date columns.
TEST(ConvertedAccessSample, DecodesDatesOutsideLibmdbsRange) {
    const QString sample = testsupport::jetSamplePath(QStringLiteral("DateTestDatabase.mdb"));
    if (sample.isEmpty()) {
        if (testsupport::jetSamplesRequired())
            FAIL() << "the shared Jet samples are missing";
        GTEST_SKIP() << "the shared Jet samples folder is missing";
    }
    const testsupport::ScratchDir scratch;
    const QString db = scratch.path(QStringLiteral("dates.sqlite"));
    jet::convertToSqlite(sample, db);
    const auto dates = [&](int id) {
        return text(db, "SELECT DateTimeCol || '|' || DateCol || '|' || TimeCol FROM DateTest WHERE IDCol = " +
                            std::to_string(id));
    };
    EXPECT_EQ(dates(1), "2021-12-02 00:00:00|2021-12-02 00:00:00|2021-12-02 00:00:00");
    EXPECT_EQ(dates(2), "9999-01-01 00:00:00|9999-01-01 00:00:00|9999-01-01 00:00:00");
    EXPECT_EQ(dates(3), "1898-01-01 00:00:00|1899-01-01 00:00:00|1900-01-01 00:00:00");
    EXPECT_EQ(dates(4), "0632-01-01 00:00:00|0633-01-01 00:00:00|0634-01-01 00:00:00");
    EXPECT_EQ(text(db, "SELECT LongTextCol FROM DateTest WHERE IDCol = 6"), "New line\r\nin field");
}

// Jet marks a deleted row with the 0x8000 flag of its row offset (and lowers the table's row count). libmdb 1.0
// treats that flag as a "lookup" flag and still returns the row, so mdb-export prints deleted rows; the converter
// leaves them out.
TEST(ConvertedRound, LeavesOutRowsMarkedDeleted) {
    const testsupport::ScratchDir scratch;
    const QString mdb = jettest::extractMdb(testsupport::dataPath(QStringLiteral("auction-11/11_006.zip")),
                                            scratch.path());
    std::uint32_t tablePage = 0;
    std::size_t pageSize = 0, rowCountOffset = 0, tableRowsOffset = 0;
    {
        jet::MdbDatabase database(mdb.toStdString());
        for (MdbCatalogEntry *entry : database.userTables())
            if (std::string(entry->object_name) == "Increment Statistics")
                tablePage = static_cast<std::uint32_t>(entry->table_pg);
        const MdbFormatConstants &format = *database.handle()->fmt;
        pageSize = static_cast<std::size_t>(format.pg_size);
        rowCountOffset = format.row_count_offset;
        tableRowsOffset = format.tab_num_rows_offset;
    }
    ASSERT_NE(tablePage, 0u);
    QFile file(mdb);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    auto *data = reinterpret_cast<unsigned char *>(bytes.data());
    std::size_t page = 1;
    while (page * pageSize < static_cast<std::size_t>(bytes.size()) && !jet::isDataPageOf(data + page * pageSize, tablePage))
        ++page;
    ASSERT_LT(page * pageSize, static_cast<std::size_t>(bytes.size()));
    data[page * pageSize + rowCountOffset + 3] |= 0x80;  // the deleted flag of the page's first row
    unsigned char *rows = data + tablePage * pageSize + tableRowsOffset;
    const std::uint32_t live = jet::readU32(rows) - 1;
    for (int i = 0; i < 4; ++i)
        rows[i] = static_cast<unsigned char>(live >> (8 * i));
    ASSERT_TRUE(file.seek(0) && file.write(bytes) == bytes.size());
    file.close();

    const QString db = scratch.path(QStringLiteral("deleted.sqlite"));
    jet::convertToSqlite(mdb, db);
    const jettest::ExportTable exported = jettest::mdbExport(mdb, QStringLiteral("Increment Statistics"));
    const jettest::StoredTable stored = jettest::readStoredTable(db, QStringLiteral("Increment Statistics"));
    ASSERT_EQ(exported.rows.size(), 9u);  // libmdb's view: the deleted row is still there
    ASSERT_EQ(stored.rows.size(), 8u);
    EXPECT_EQ(std::to_string(stored.rows[0][2].integer), exported.rows[1][2].value());  // Increments: 2, 3, ...
}

}  // namespace
