// The Table Wizard's statement, letter for letter.
#include "db/Recordset.h"
#include "support/TestSupport.h"
#include "tables/FilterValue.h"
#include "tables/WizardStatement.h"

#include <gtest/gtest.h>

namespace {

tables::TableChoices example() {
    tables::TableChoices choices;
    choices.target = {"Bidder", "Market"};
    choices.rows[0] = {"Round", ">", "5"};
    choices.rows[1] = {"Bidder", "=", "ABC"};
    choices.joints = {"And", "And", "And"};
    choices.sort = {{"Market", true}, {"Bidder", false}};
    return choices;
}

}  // namespace

TEST(WizardStatement, TheDocumentedExample) {
    EXPECT_EQ(tables::wizardStatement(example(), "My Bids", "All Bids"),
              "SELECT [Bidder], [Market] INTO [My Bids] FROM [All Bids] WHERE [Round] >5 And [Bidder] ='ABC' "
              "ORDER BY [Market],  [Bidder] DESC;");
}

TEST(WizardStatement, WithoutConditionsOrSortAndWithEveryKindOfSortItem) {
    tables::TableChoices choices = example();
    choices.rows = {};
    choices.sort.clear();
    EXPECT_EQ(tables::wizardStatement(choices, "T", "Markets"), "SELECT [Bidder], [Market] INTO [T] FROM [Markets];");
    choices.sort = {{"A", false}, {"B", false}, {"C", false}};
    EXPECT_EQ(tables::wizardStatement(choices, "T", "S"),
              "SELECT [Bidder], [Market] INTO [T] FROM [S] ORDER BY [A] DESC,  [B] DESC,  [C] DESC;");
    choices.sort = {{"A", true}, {"B", true}};
    EXPECT_EQ(tables::wizardStatement(choices, "T", "S"), "SELECT [Bidder], [Market] INTO [T] FROM [S] ORDER BY [A],  [B];");
}

TEST(WizardStatement, WhereStartsAtTheFirstCompleteRowAndQuotesAreDoubled) {
    tables::TableChoices choices = example();
    choices.sort.clear();
    choices.rows[0] = {"Round", ">", ""};                             // no value: left out
    choices.rows[1] = {"Bidder", "=", "O'Hare \"Spectrum\""};
    choices.rows[2] = {"", "=", "5"};                                 // no column: left out
    choices.rows[3] = {"Tavren Acct", "<>", "0002165134"};
    choices.joints = {"Or", "And", "Or"};
    EXPECT_EQ(tables::wizardStatement(choices, "Bob's \"Best\"", "All Bids"),
              "SELECT [Bidder], [Market] INTO [Bob's \"Best\"] FROM [All Bids] WHERE [Bidder] ='O''Hare \"Spectrum\"' "
              "Or [Tavren Acct] <>'0002165134';");
}

TEST(WizardStatement, ShownValuesAreWrittenAsStored) {
    tables::TableChoices choices;
    choices.target = {"Round", "Gross Bid Amount"};
    choices.rows[0] = {"Gross Bid Amount", ">", "$1,000.00"};
    choices.rows[1] = {"Bid Date Time", "=", "8/24/06"};
    choices.joints = {"And", "And", "And"};
    const tables::ColumnTypes types({{"Gross Bid Amount", db::ColumnType::Currency, 0},
                                     {"Bid Date Time", db::ColumnType::DateTime, 0}},
                                    QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(tables::wizardStatement(choices, "T", "All Bids", &types),
              "SELECT [Round], [Gross Bid Amount] INTO [T] FROM [All Bids] WHERE [Gross Bid Amount] >1000 And "
              "([Bid Date Time] >=#2006-08-24# And [Bid Date Time] <#2006-08-25#);");
}
