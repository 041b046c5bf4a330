#include "db/Error.h"
#include "import/RoundFileName.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace importer;

TEST(RoundFileName, SplitPathAtTheLastSlash) {
    EXPECT_EQ(SplitPath("/a/b.zip", true), "b.zip");
    EXPECT_EQ(SplitPath("/a/b.zip", false), "/a/");
    EXPECT_EQ(SplitPath("b.zip", true), "b.zip");
    EXPECT_EQ(SplitPath("b.zip", false), "");
    EXPECT_EQ(SplitPath("/a/dir/", true), "");
}

TEST(RoundFileName, AuctionAndRoundComeFromPositions) {
    EXPECT_EQ(roundOf("11_005.zip"), 5);
    EXPECT_EQ(auctionOf("07_001.zip"), 7);
    EXPECT_EQ(auctionTextOf("07_001.zip"), "07");
    EXPECT_EQ(roundOf("11-012.zip"), 12);  // the separator is not read
    EXPECT_EQ(memberNameOf("11_005.zip"), "11_005.mdb");
    EXPECT_EQ(roundFileName("07", 2), "07_002.zip");
    EXPECT_EQ(roundFileName("11", 1234), "11_1234.zip");
    for (const char *bad : {"11_0x5.zip", "ab.zip", "11_", ""}) {
        try {
            roundOf(QString::fromLatin1(bad));
            ADD_FAILURE() << bad;
        } catch (const db::Error &e) {
            EXPECT_EQ(e.number(), 13) << bad;
            EXPECT_EQ(e.description(), "Type mismatch");
        }
    }
    EXPECT_EQ(wholeNumber(" 2.5 "), 2);
    EXPECT_EQ(wholeNumber("3.5"), 4);
    EXPECT_THROW(wholeNumber("99999999999"), db::Error);
}
