// The statement a data window shows with a filter and a sort: the filter joins the round condition by And as a
// whole (an Or inside it cannot escape the round), and a sort replaces the standard order.
#include "core/DataWindowRules.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(ShownStatement, FilterAndSortJoinTheWindowsOwnStatement) {
    EXPECT_EQ(app::dataWindowStatement("All Bids", "5", true, "[Bidder] = \"A\" Or [Round] >2", "[Market] DESC"),
              "SELECT * FROM [All Bids] WHERE [Round] = 5 And ([Bidder] = \"A\" Or [Round] >2) ORDER BY [Market] DESC");
    EXPECT_EQ(app::dataWindowStatement("All Bids", "5", true, {}, {}),
              "SELECT * FROM [All Bids] WHERE [Round] = 5 Order By [Market], [Block], [Submarket]");
    EXPECT_EQ(app::dataWindowStatement("Round Statistics", {}, true, "[Round] >3", {}),
              "SELECT * FROM [Round Statistics] WHERE ([Round] >3) Order By [Round]");
    EXPECT_EQ(app::dataWindowStatement("My Table", {}, false, {}, "[A]"), "SELECT * FROM [My Table] ORDER BY [A]");
}
