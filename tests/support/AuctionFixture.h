// Auction databases built from the round files of tests/data the way the program builds them: round 1's
// database becomes the auction database and gets the system tables, then each further round's rows are
// appended with the import statements (delete the round's rows, INSERT INTO ... IN "auction" SELECT *).
#pragma once

#include "db/Schema.h"
#include "support/TestSupport.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>

namespace testsupport {

// The round database of one round file (e.g. set "auction-11", round 5), extracted and converted into dir.
QString roundDatabase(const ScratchDir &dir, const QString &set, int round);

// An auction database in dir holding rounds 1..lastRound of the set; its path.
QString buildAuction(const ScratchDir &dir, const QString &set, int lastRound,
                     db::schema::Creator creator = db::schema::Creator::RoundFile);

// Imports one round into an open auction database with the import statements.
void importRound(const QString &auctionPath, const QString &roundPath, int round);

// A fixture whose tests share one auction database, built once per test suite: the suite's SetUpTestSuite calls
// buildShared(); the database goes with the suite. Tests must not write it (copy it first).
class SharedAuction : public ::testing::Test {
protected:
    static void buildShared(const QString &set, int lastRound);
    static void TearDownTestSuite();
    static QString auction;

private:
    static std::unique_ptr<ScratchDir> sharedDir_;
};

}  // namespace testsupport
