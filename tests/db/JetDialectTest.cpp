// Everyday Jet SQL gives the results the Jet engine gives: operator precedence and VB arithmetic, literals,
// TOP in subqueries, In/Not In, Between, Like, IIf, Nz, Format, aliases and joins, SELECT INTO, text compared
// without regard to case (accents too).
#include "db/Error.h"
#include "db/JetTranslator.h"
#include "support/TestDatabase.h"

#include <QDate>

#include <gtest/gtest.h>

using testsupport::TestDatabase;

namespace {

class JetDialect : public ::testing::Test {
protected:
    void SetUp() override {
        t.exec("CREATE TABLE [People] ([Id] Long, [Name] TEXT(50), [City] Text, [Pay] Currency, [Born] DateTime)");
        t.exec("INSERT INTO [People] VALUES (1, 'Ana', 'Mayagüez', 1000, #1/15/1970#)");
        t.exec("INSERT INTO [People] VALUES (2, 'bob', 'Española', 2500.5, #12/31/1985 6:30 PM#)");
        t.exec("INSERT INTO [People] VALUES (3, 'D''Amico', 'Coeur d''Alene', Null, #2/29/2000#)");
        t.exec("INSERT INTO [People] VALUES (4, 'ÉLODIE', 'Telefónica', 2500.5, Null)");
        t.exec("CREATE TABLE [Cities] ([City] Text, [State] TEXT(2))");
        t.exec("INSERT INTO [Cities] VALUES ('MAYAGÜEZ', 'PR')");
        t.exec("INSERT INTO [Cities] VALUES ('española', 'NM')");
    }
    QString text(const QString &expression) {
        return t.value("SELECT " + expression + " FROM [People] WHERE [Id] = 1").toString();
    }
    TestDatabase t;
};

}  // namespace

TEST_F(JetDialect, ArithmeticFollowsVb) {
    EXPECT_EQ(text("-2^2"), "-4");
    EXPECT_EQ(text("2 + 3 * 4"), "14");
    EXPECT_EQ(text("7 / 2"), "3.5");             // / divides as real numbers, even whole ones
    EXPECT_EQ(text("7 \\ 2"), "3");
    EXPECT_EQ(text("10 Mod 4 * 2"), "2");        // Mod binds looser than *: 10 Mod 8
    EXPECT_EQ(text("2.5 \\ 1"), "2");            // \ rounds its operands to even first
    EXPECT_EQ(text("1 + 2 & 3"), "33");          // & binds looser than +
    EXPECT_EQ(text("'a' & Null & 5"), "a5");
    EXPECT_EQ(text("[Pay] / 3 * 3"), "1000");
    EXPECT_EQ(text("&H1F + 1"), "32");
    EXPECT_EQ(text("True"), "-1");
    EXPECT_EQ(text("Not 0 = -1"), "-1");         // Not binds looser than =; True is -1
    EXPECT_EQ(text("3 > 2 And 2 > 1"), "-1");
    EXPECT_EQ(t.value("SELECT Avg([Pay]) FROM [People]").toString(), "2000.3333");  // Currency: four decimals
}

// + and - on dates move them by days and give the days between two dates, as stored ISO text that sorts and
// compares like the stored dates; numbers stay numbers; Null gives Null.
TEST_F(JetDialect, DateArithmeticGivesDatesAndDays) {
    EXPECT_EQ(text("#2006-08-24# + 1"), "2006-08-25 00:00:00");
    EXPECT_EQ(text("1 + #8/24/2006#"), "2006-08-25 00:00:00");
    EXPECT_EQ(text("#2006-08-24# + 0.75"), "2006-08-24 18:00:00");
    EXPECT_EQ(text("[Born] + 1"), "1970-01-16 00:00:00");
    EXPECT_EQ(text("[Born] - 1"), "1970-01-14 00:00:00");
    EXPECT_EQ(text("[Born] - #1970-01-10#"), "5");
    EXPECT_EQ(text("#2006-08-25 12:00# - #2006-08-24#"), "1.5");
    EXPECT_EQ(text("#2006-08-24# - #2006-08-25 12:00#"), "-1.5");
    EXPECT_EQ(text("DateAdd('m', 1, [Born]) - 1"), "1970-02-14 00:00:00");
    EXPECT_EQ(text("Date() + 1"), QDate::currentDate().addDays(1).toString(Qt::ISODate) + " 00:00:00");
    EXPECT_EQ(text("5 + 3"), "8");
    EXPECT_EQ(text("[Id] + 1"), "2");
    EXPECT_EQ(text("[Pay] - 0.5"), "999.5");
    EXPECT_EQ(t.column("SELECT Null + 1, [Born] + Null FROM [People] WHERE [Id] = 1"), QStringList({"<null>"}));
    EXPECT_EQ(t.column("SELECT [Born] + 1 FROM [People] WHERE [Id] = 4"), QStringList({"<null>"}));
    EXPECT_EQ(t.column("SELECT [Name] FROM [People] WHERE [Born] + 1 > #1985-12-31 12:00# ORDER BY [Born] - 1 DESC"),
              QStringList({"D'Amico", "bob"}));
    EXPECT_EQ(t.column("SELECT [Born] + 1 AS [Next] FROM [People] WHERE [Id] = 2"),
              QStringList({"1986-01-01 18:30:00"}));
    EXPECT_EQ(t.errorOf("SELECT #9999-12-31# + 1 FROM [People]"), 6);
    EXPECT_EQ(t.errorOf("SELECT [Born] + 'x' FROM [People]"), 13);
    EXPECT_EQ(text("[Name] + ' ' + \"B\""), "Ana B");  // + joins two texts, as in Jet
    EXPECT_EQ(text("'5' + 1"), "6");
}

// Division by zero raises VB's error 11 through every path a statement runs; by Null it gives Null.
TEST_F(JetDialect, DivisionByZeroRaisesError11) {
    for (const char *expression : {"1 / 0", "0 / 0", "[Pay] / ([Id] - 1)", "5 \\ 0", "5 Mod 0", "7 Mod 0.4"}) {
        SCOPED_TRACE(expression);
        EXPECT_EQ(t.errorOf(QStringLiteral("SELECT %1 FROM [People]").arg(QLatin1String(expression))), 11);
    }
    try {
        t.exec("UPDATE [People] SET [Pay] = [Pay] / 0");
        ADD_FAILURE() << "division by zero must fail";
    } catch (const db::Error &e) {
        EXPECT_EQ(e.number(), 11);
        EXPECT_EQ(e.description(), "Division by zero");
    }
    EXPECT_EQ(text("[Pay]"), "1000");  // the failed update changed nothing
    EXPECT_EQ(t.column("SELECT 1 / Null, Null \\ 0 FROM [People] WHERE [Id] = 1"), QStringList({"<null>"}));
    EXPECT_EQ(t.column("SELECT [Pay] / 2 FROM [People] WHERE [Id] = 3"), QStringList({"<null>"}));
    EXPECT_EQ(text("-7 \\ 2 & ' ' & -7 Mod 3 & ' ' & 1 / 4"), "-3 -1 0.25");
}

TEST_F(JetDialect, LiteralsAndFunctions) {
    EXPECT_EQ(text("\"say \"\"hi\"\"\" & ' and ''bye'''"), "say \"hi\" and 'bye'");
    EXPECT_EQ(t.column("SELECT [Name] FROM [People] WHERE [Born] = #12/31/1985 18:30:00#"), QStringList({"bob"}));
    EXPECT_EQ(t.column("SELECT [Name] FROM [People] WHERE [Born] < #1990-01-01# ORDER BY [Born]"),
              QStringList({"Ana", "bob"}));
    EXPECT_EQ(text("IIf([Pay] > 500, 'big', 'small')"), "big");
    EXPECT_EQ(t.column("SELECT Nz([Pay], 0) FROM [People] WHERE [Id] = 3"), QStringList({"0"}));
    EXPECT_EQ(text("Format(1234567.891, \"#,##0.00\")"), "1,234,567.89");
    EXPECT_EQ(text("Format([Pay], \"$###,###,###,##0\")"), "$1,000");
    EXPECT_EQ(text("Left([City], 3) & Mid([City], 4, 2) & Len([City])"), "Mayag8");
    EXPECT_EQ(text("UCase([City])"), "MAYAGÜEZ");
    EXPECT_EQ(text("Year([Born]) & '-' & Month([Born])"), "1970-1");
}

TEST_F(JetDialect, TextComparesWithoutRegardToCase) {
    EXPECT_EQ(t.column("SELECT [Id] FROM [People] WHERE [Name] = 'BOB'"), QStringList({"2"}));
    EXPECT_EQ(t.column("SELECT [Id] FROM [People] WHERE [Name] = 'élodie'"), QStringList({"4"}));
    EXPECT_EQ(t.column("SELECT [Id] FROM [People] WHERE UCase([Name]) = 'ana'"), QStringList({"1"}));
    EXPECT_EQ(t.column("SELECT [Name] FROM [People] WHERE [Name] Like 'd*'"), QStringList({"D'Amico"}));
    EXPECT_EQ(t.column("SELECT [Name] FROM [People] WHERE [Name] Like '?o?'"), QStringList({"bob"}));
    EXPECT_EQ(t.column("SELECT [Name] FROM [People] ORDER BY [Name]"),
              QStringList({"Ana", "bob", "D'Amico", "ÉLODIE"}));
    EXPECT_EQ(t.column("SELECT p.[Name] FROM [People] AS p, [Cities] c WHERE p.[City] = c.[City] ORDER BY c.[State]"),
              QStringList({"bob", "Ana"}));
}

TEST_F(JetDialect, SubqueriesTopInBetweenAndAggregates) {
    EXPECT_EQ(t.column("SELECT [Name] FROM [People] WHERE [Id] In (SELECT TOP 2 [Id] FROM [People] ORDER BY [Id] DESC)"),
              QStringList({"D'Amico", "ÉLODIE"}));
    EXPECT_EQ(t.column("SELECT [Id] FROM [People] WHERE [City] Not In (SELECT [City] FROM [Cities]) ORDER BY [Id]"),
              QStringList({"3", "4"}));
    EXPECT_EQ(t.column("SELECT [Id] FROM [People] WHERE [Id] Between 2 And 3"), QStringList({"2", "3"}));
    EXPECT_EQ(t.column("SELECT [Id] FROM [People] AS p WHERE Exists (SELECT * FROM [Cities] c WHERE c.[City] = p.[City])"),
              QStringList({"1", "2"}));
    EXPECT_EQ(t.column("SELECT [Id] FROM [People] WHERE [Id] Between 3 And 2"), QStringList());
    EXPECT_EQ(t.column("SELECT [Id] FROM [People] WHERE [Name] In ('ANA', 'Bob') ORDER BY [Id] DESC"),
              QStringList({"2", "1"}));
    EXPECT_EQ(t.value("SELECT Count([Pay]) AS [N] FROM [People]").toInt(), 3);
    EXPECT_EQ(t.value("SELECT Sum([Pay]) AS [Total] FROM [People] WHERE [Pay] > 1000").toDouble(), 5001.0);
    EXPECT_EQ(t.column("SELECT DISTINCTROW [Pay] FROM [People] WHERE [Pay] Is Not Null ORDER BY [Pay] DESC"),
              QStringList({"2500.5", "1000"}));
    EXPECT_EQ(t.column("SELECT TOP 1 [Name] FROM [People] ORDER BY [Pay] DESC, [Id]"), QStringList({"bob"}));
    // TOP n keeps the rows that tie with the n-th, as Jet does.
    EXPECT_EQ(t.column("SELECT TOP 1 [Name] FROM [People] ORDER BY [Pay] DESC"), QStringList({"bob", "ÉLODIE"}));
    EXPECT_EQ(t.column("SELECT TOP 2 [Name] FROM [People] ORDER BY [Pay] DESC"), QStringList({"bob", "ÉLODIE"}));
    EXPECT_EQ(t.column("SELECT TOP 50 PERCENT [Id] FROM [People] ORDER BY [Id]"), QStringList({"1", "2"}));
    EXPECT_EQ(t.column("SELECT [Id] FROM [People] WHERE [Pay] In (SELECT TOP 1 [Pay] FROM [People] ORDER BY [Pay] DESC) "
                       "ORDER BY [Id]"),
              QStringList({"2", "4"}));
}

TEST_F(JetDialect, JoinsResolveBareNamesAsJetDoes) {
    // Both tables have [City]; the ORDER BY names it bare, as the select list shows it.
    EXPECT_EQ(t.column("SELECT p.[Name], p.[City] FROM [People] p, [Cities] c WHERE p.[City] = c.[City] ORDER BY [City]"),
              QStringList({"bob", "Ana"}));
    EXPECT_EQ(t.column("SELECT p.[Name] FROM [People] p INNER JOIN [Cities] c ON p.[City] = c.[City] ORDER BY p.[Id]"),
              QStringList({"Ana", "bob"}));
    t.exec("SELECT p.[City], c.[City], c.[State] INTO [Both] FROM [People] p, [Cities] c WHERE p.[City] = c.[City]");
    EXPECT_EQ(t.db().fieldNames("Both"), QStringList({"p.City", "c.City", "State"}));
}

TEST_F(JetDialect, TranslationErrorsAreTheEngines) {
    auto number = [](const QString &sql) {
        try {
            db::jet::translate(sql);
        } catch (const db::Error &e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(number("SELECT * FROM [People"), 3075);
    EXPECT_EQ(number("SELECT 'open"), 3075);
    EXPECT_EQ(number("SELECT * FROM [People] WHERE [Born] = #not a date#"), 3075);
    EXPECT_EQ(number("SELECT * FROM WHERE x"), 3131);
    EXPECT_EQ(number("SELECT * FROM [People] ORDER [Id]"), 3138);
    EXPECT_EQ(number("CREATE TABLE [T] ([x] Wobbly)"), 3292);
    EXPECT_EQ(number("PRAGMA foo"), 3129);
    EXPECT_EQ(number("SELECT 1; SELECT 2"), 3142);
    EXPECT_EQ(number("SELECT [Name], Count(*) FROM [People]"), 3122);
    EXPECT_EQ(number("SELECT [Name], [City], Count(*) FROM [People] GROUP BY [Name]"), 3122);
    EXPECT_EQ(number("SELECT p.[Name], Count(*) AS [N] FROM [People] p GROUP BY [Name]"), 0);
}
