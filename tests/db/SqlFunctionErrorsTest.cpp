#include "db/SqlTestConnection.h"

#include "db/SqlFunctions.h"

#include <gtest/gtest.h>

namespace {

using testsupport::SqlTestConnection;

// The engine turns "lotwise:<number>:<description>" into db::Error; every fault a user can provoke must use it.
TEST(SqlFunctionErrors, FunctionsRaiseNumberedErrors) {
    SqlTestConnection db;
    const struct {
        const char *sql;
        int number;
    } cases[] = {
        {"SELECT jet_cint('abc')", 13},
        {"SELECT jet_cint(40000)", 6},
        {"SELECT jet_clng(1e10)", 6},
        {"SELECT jet_left('abc', -1)", 5},
        {"SELECT jet_mid('abc', 0)", 5},
        {"SELECT jet_instr(0, 'abc', 'a')", 5},
        {"SELECT jet_instr(1, 'abc', 'a', 7)", 5},
        {"SELECT jet_chr(256)", 5},
        {"SELECT jet_asc('')", 5},
        {"SELECT jet_sqr(-1)", 5},
        {"SELECT jet_round(1.5, -1)", 5},
        {"SELECT jet_cdate('2/30/2006')", 13},
        {"SELECT jet_year('soon')", 13},
        {"SELECT jet_dateadd('x', 1, '2006-01-01')", 5},
        {"SELECT jet_dateadd('yyyy', 9000, '2006-01-01')", 5},
        {"SELECT jet_weekday('2006-01-01', 8)", 5},
        {"SELECT jet_cdate(1e10)", 6},
        {"SELECT jet_format(1e10, 'yyyy')", 6},
        {"SELECT jet_val('1e999')", 6},
        {"SELECT 'a' LIKE '[a'", 93},
        {"SELECT 'a' LIKE '[z-a]'", 93},
        {"SELECT jet_var(x) FROM (SELECT 'abc' AS x)", 13},
        {"SELECT jet_div(1, 0.0)", 11},
        {"SELECT jet_div('abc', 2)", 13},
        {"SELECT jet_idiv(1, 0.4)", 11},
        {"SELECT jet_mod(1e10, 3)", 6},
        {"SELECT jet_add(x'00', 1)", 13},
        {"SELECT jet_sub('2006-01-01', 'abc')", 13},
        {"SELECT jet_add('0100-01-01', -1)", 6},
    };
    for (const auto &c : cases) {
        const std::string message = db.errorOf(c.sql);
        const std::optional<db::Error> error = db::functionError(message);
        ASSERT_TRUE(error.has_value()) << c.sql << ": " << message;
        EXPECT_EQ(error->number(), c.number) << c.sql << ": " << message;
    }
    EXPECT_EQ(db.errorOf("SELECT jet_cint('abc')"), "lotwise:13:Type mismatch");
    EXPECT_EQ(db.errorOf("SELECT jet_cint(40000)"), "lotwise:6:Overflow");
    EXPECT_EQ(db.errorOf("SELECT jet_div(0, 0)"), "lotwise:11:Division by zero");
    EXPECT_EQ(db.errorOf("SELECT jet_left('abc', -1)"), "lotwise:5:Invalid procedure call or argument");
}

TEST(SqlFunctionErrors, OtherMessagesAreNotFunctionErrors) {
    EXPECT_FALSE(db::functionError("no such table: x").has_value());
    EXPECT_FALSE(db::functionError("lotwise:x:oops").has_value());
    const std::optional<db::Error> error = db::functionError("lotwise:94:Invalid use of Null");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->description(), QStringLiteral("Invalid use of Null"));
}

TEST(SqlFunctionErrors, WrongArgumentCountsAreRefused) {
    SqlTestConnection db;
    for (const char *sql : {"SELECT jet_left('a')", "SELECT jet_mid('a', 1, 2, 3)", "SELECT jet_now(1)",
                            "SELECT jet_format()", "SELECT jet_first(1, 2)"}) {
        EXPECT_NE(db.errorOf(sql).find("wrong number of arguments"), std::string::npos) << sql;
    }
}

}  // namespace
