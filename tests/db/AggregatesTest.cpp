#include "db/SqlTestConnection.h"

#include <gtest/gtest.h>

namespace {

using testsupport::SqlTestConnection;
using Rows = std::vector<std::string>;

TEST(Aggregates, FirstAndLastKeepTheRowsMet) {
    SqlTestConnection db;
    db.exec("CREATE TABLE bids (license TEXT, amount REAL, seq INTEGER)");
    db.exec("INSERT INTO bids VALUES ('A', NULL, 1), ('A', 10, 2), ('A', 30, 3), ('A', NULL, 4), ('B', 5, 1)");
    const std::string ordered = " FROM (SELECT * FROM bids WHERE license = 'A' ORDER BY seq)";
    EXPECT_EQ(db.column("SELECT quote(jet_first(amount))" + ordered), (Rows{"NULL"}));
    EXPECT_EQ(db.column("SELECT quote(jet_last(amount))" + ordered), (Rows{"NULL"}));
    EXPECT_EQ(db.column("SELECT quote(jet_first(amount))" + ordered + " WHERE amount IS NOT NULL"), (Rows{"10.0"}));
    EXPECT_EQ(db.column("SELECT jet_last(license || seq)" + ordered), (Rows{"A4"}));
    EXPECT_EQ(db.column("SELECT quote(jet_first(amount)) FROM bids WHERE 0"), (Rows{"NULL"}));
}

TEST(Aggregates, StatisticsSkipNulls) {
    SqlTestConnection db;
    db.exec("CREATE TABLE v (x)");
    db.exec("INSERT INTO v VALUES (2), (4), (4), (NULL), ('4'), (5), (5), (7), (9)");
    EXPECT_EQ(db.column("SELECT jet_stdevp(x) || ' ' || jet_varp(x) FROM v"), (Rows{"2.0 4.0"}));
    EXPECT_EQ(db.column("SELECT round(jet_stdev(x), 9) || ' ' || round(jet_var(x), 9) FROM v"),
              (Rows{"2.138089935 4.571428571"}));
    const struct {
        const char *where;
        const char *expected;  // stdev, var, stdevp, varp
    } small[] = {{"x = 9", "NULL NULL 0.0 0.0"}, {"0", "NULL NULL NULL NULL"}};
    for (const auto &c : small) {
        EXPECT_EQ(db.column(std::string("SELECT quote(jet_stdev(x)) || ' ' || quote(jet_var(x)) || ' ' || "
                                        "quote(jet_stdevp(x)) || ' ' || quote(jet_varp(x)) FROM v WHERE ") +
                            c.where),
                  (Rows{c.expected}))
            << c.where;
    }
}

}  // namespace
