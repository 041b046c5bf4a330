// The checks a converted round database passes before any of it is written: names usable in bracketed
// statements, rows of the auction and round its file name gives.
#include "db/Database.h"
#include "db/Error.h"
#include "db/Sqlite.h"
#include "import/RoundCheck.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// The message of the check's refusal; empty when the database passes.
QString refusalOf(const db::Database &round, qint32 auction, qint32 round_) {
    try {
        importer::checkRoundDatabase(round.handle(), "main", auction, round_, "11_002.zip");
    } catch (const db::Error &error) {
        EXPECT_EQ(error.number(), 321);
        return error.description();
    }
    return {};
}

}  // namespace

TEST(RoundCheck, RoundDatabaseMustHoldItsAuctionAndRoundUnderUsableNames) {
    testsupport::ScratchDir work;
    const db::Database round = db::Database::open(testsupport::roundDatabase(work, "auction-11", 2));
    EXPECT_EQ(refusalOf(round, 11, 2), "");
    EXPECT_TRUE(refusalOf(round, 12, 2).contains("rows of another auction than 12")) << refusalOf(round, 12, 2);
    EXPECT_TRUE(refusalOf(round, 11, 3).contains("rows of another round than 3"));
    EXPECT_TRUE(refusalOf(round, 11, 3).startsWith("The round results file '11_002.zip' cannot be imported: table '"));

    // A row without a round could never be listed in sysRounds nor replaced by a later import.
    db::exec(round.handle(), "INSERT INTO \"Waiver Statistics\" (\"Auction ID\", \"Round\") VALUES (11, NULL)");
    EXPECT_TRUE(refusalOf(round, 11, 2).contains("table 'Waiver Statistics' holds rows of another round than 2"));
    db::exec(round.handle(), "DELETE FROM \"Waiver Statistics\" WHERE \"Round\" IS NULL");

    // Names with brackets would break every later statement that names them.
    db::exec(round.handle(), "CREATE TABLE \"Notes]\" (\"Note\" TEXT)");
    EXPECT_TRUE(refusalOf(round, 11, 2).contains("its table name 'Notes]' holds a bracket"));
    db::exec(round.handle(), "DROP TABLE \"Notes]\"");
    db::exec(round.handle(), "ALTER TABLE \"Markets\" ADD COLUMN \"[Old] Bid\" REAL");
    EXPECT_TRUE(refusalOf(round, 11, 2).contains("the column name '[Old] Bid' of table 'Markets' holds a bracket"));
}
