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

TEST(RoundFileName, OnlyTwoDigitsUnderscoreAndThreeDigitsNameARoundFile) {
    struct Accepted {
        const char *name;
        int auction, round;
    };
    for (const Accepted &a : {Accepted{"11_005.zip", 11, 5}, Accepted{"07_001.ZIP", 7, 1},
                              Accepted{"66_120.Zip", 66, 120}, Accepted{"11_999.zip", 11, 999},
                              Accepted{"11_1000.zip", 11, 1000}}) {
        const auto file = parseRoundFileName(QString::fromLatin1(a.name));
        ASSERT_TRUE(file.has_value()) << a.name;
        EXPECT_EQ(file->auction, a.auction);
        EXPECT_EQ(file->round, a.round);
    }
    EXPECT_EQ(parseRoundFileName("07_001.zip")->auctionText, "07");
    // What the program forms for rounds above 999 is read back.
    EXPECT_EQ(parseRoundFileName(roundFileName("11", 1234))->round, 1234);
    for (const char *bad : {"11_0005.zip", "11_-05.zip", "11_1e1.zip", "11_5.5.zip", "11_ 05.zip", "11-005.zip",
                            "11_000.zip", "11_0999.zip", "1_005.zip", "111_005.zip", "11_005.zip.bak", "11_005.mdb",
                            "11_005.zip\n", " 11_005.zip", "11_12345.zip", ""})
        EXPECT_FALSE(parseRoundFileName(QString::fromLatin1(bad)).has_value()) << bad;
    // Arabic-Indic digits are digits to a regular expression's \d, but not in a round results file name.
    EXPECT_FALSE(parseRoundFileName(QString::fromUtf8("11_\u0660\u0660\u0665.zip")).has_value());
}
