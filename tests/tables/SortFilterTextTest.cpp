// The sort and filter texts of the Table Actions choices, letter for letter, and the filter values typed as the
// grid shows them (a date in the user's locale, an amount with separators) matching the stored rows.
#include "db/Database.h"
#include "db/Error.h"
#include "db/Recordset.h"
#include "grid/CellText.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"
#include "tables/FilterValue.h"
#include "tables/SortFilterText.h"

#include <gtest/gtest.h>

using tables::FilterRow;
using tables::TableChoices;

namespace {

TableChoices rows(std::initializer_list<FilterRow> filled, std::array<QString, 3> joints = {"And", "And", "And"}) {
    TableChoices choices;
    std::size_t k = 0;
    for (const FilterRow &row : filled)
        choices.rows[k++] = row;
    choices.joints = joints;
    return choices;
}

int errorOf(const std::function<void()> &work) {
    try {
        work();
    } catch (const db::Error &error) {
        return error.number();
    }
    return 0;
}

}  // namespace

TEST(SortFilterText, SortColumnsInOrderDescendingWhenNotSelected) {
    EXPECT_EQ(tables::sortText({{"Market", true}, {"Bidder", false}}), "[Market], [Bidder] DESC");
    EXPECT_EQ(tables::sortText({{"Round", false}}), "[Round] DESC");
    EXPECT_EQ(tables::sortText({}), "");
}

TEST(SortFilterText, OperatorTouchesTheValueNumbersAsTypedTextQuoted) {
    EXPECT_EQ(tables::filterText(rows({{"Round", ">", "5"}, {"Bidder", "=", "ABC"}})),
              "[Round] >5 And [Bidder] =\"ABC\"");
    // The account numbers keep their leading zeros: compared as text; the same digits elsewhere as a number.
    EXPECT_EQ(tables::filterText(rows({{"Tavren Acct", "=", "0002165134"}, {"Round", "<=", "0002165134"}}, {"Or"})),
              "[Tavren Acct] =\"0002165134\" Or [Round] <=0002165134");
    EXPECT_EQ(tables::filterText(rows({{"Net Bid Amount", ">=", "-1.5e3"}, {"Bidder", "<>", "1,5"}})),
              "[Net Bid Amount] >=-1.5e3 And [Bidder] <>\"1,5\"");
}

TEST(SortFilterText, RowsMissingColumnOrValueAreSkippedAndTheFirstJointDropped) {
    EXPECT_EQ(tables::filterText(rows({{"Round", "=", ""}, {"Bidder", "=", "ABC"}, {"", ">", "3"}, {"Round", "<", "3"}},
                                      {"Or", "Or", "And"})),
              "[Bidder] =\"ABC\" And [Round] <3");
    EXPECT_EQ(tables::filterText(rows({{"", "=", "1"}, {"Round", "=", ""}})), "");
}

TEST(SortFilterText, QuotesInValuesAreDoubled) {
    EXPECT_EQ(tables::filterText(rows({{"Bidder", "=", "D'Amico \"Best\" LLC"}})),
              "[Bidder] =\"D'Amico \"\"Best\"\" LLC\"");
    EXPECT_EQ(tables::conditionsText(rows({{"Bidder", "=", "D'Amico \"Best\" LLC"}}), tables::TextQuote::Single, nullptr),
              "[Bidder] ='D''Amico \"Best\" LLC'");
}

TEST(SortFilterText, NullIsTestedWithIsNullAndOtherOperatorsRefuseIt) {
    const QString null = tables::nullChoiceText();
    EXPECT_EQ(tables::filterText(rows({{"High Bidder", "=", null}, {"High Bid", "<>", null}}, {"Or"})),
              "[High Bidder] Is Null Or [High Bid] Is Not Null");
    EXPECT_EQ(errorOf([&] { tables::filterText(rows({{"High Bid", ">", null}})); }), db::err::TypeMismatch);
}

TEST(FilterValue, ShownValuesBecomeStoredOnesByColumnType) {
    const std::vector<db::Field> fields = {{"Gross Bid Amount", db::ColumnType::Currency, 0},
                                           {"Round Date", db::ColumnType::DateTime, 0},
                                           {"Bid Date Time", db::ColumnType::DateTime, 0},
                                           {"Market", db::ColumnType::Text, 10},
                                           {"Round", db::ColumnType::Long, 0},
                                           {"Held", db::ColumnType::Boolean, 0}};
    const tables::ColumnTypes us(fields, QLocale(QLocale::English, QLocale::UnitedStates));
    auto filter = [&](const FilterRow &row, const tables::ColumnTypes &types) {
        return tables::filterText(rows({row}), &types);
    };
    EXPECT_EQ(filter({"Gross Bid Amount", "=", "$1,234.50"}, us), "[Gross Bid Amount] =1234.5");
    EXPECT_EQ(filter({"Gross Bid Amount", ">", "(5.00)"}, us), "[Gross Bid Amount] >-5");
    EXPECT_EQ(filter({"Round", "=", " 7 "}, us), "[Round] =7");
    EXPECT_EQ(filter({"Held", "<>", "True"}, us), "[Held] <>-1");
    EXPECT_EQ(filter({"Market", "=", "012"}, us), "[Market] =\"012\"");  // a text column keeps its digits as text
    // A date stands for the day it names, a time for its minute, a time with seconds for itself.
    EXPECT_EQ(filter({"Round Date", "=", "8/24/06"}, us),
              "([Round Date] >=#2006-08-24# And [Round Date] <#2006-08-25#)");
    EXPECT_EQ(filter({"Bid Date Time", "<>", "8/24/06 10:15 PM"}, us),
              "([Bid Date Time] <#2006-08-24 22:15:00# Or [Bid Date Time] >=#2006-08-24 22:16:00#)");
    EXPECT_EQ(filter({"Bid Date Time", ">", "8/24/2006 10:15 AM"}, us), "[Bid Date Time] >=#2006-08-24 10:16:00#");
    EXPECT_EQ(filter({"Bid Date Time", "<=", "2006-08-24"}, us), "[Bid Date Time] <#2006-08-25#");
    EXPECT_EQ(filter({"Bid Date Time", "=", "2006-08-24 10:15:03"}, us), "[Bid Date Time] =#2006-08-24 10:15:03#");
    EXPECT_EQ(filter({"Round Date", "=", "soon"}, us), "[Round Date] =\"soon\"");  // no date: compared as typed

    const tables::ColumnTypes german(fields, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(filter({"Gross Bid Amount", "=", "1.234,50"}, german), "[Gross Bid Amount] =1234.5");
    EXPECT_EQ(filter({"Round Date", ">=", "24.08.06"}, german), "[Round Date] >=#2006-08-24#");
}

namespace {

// Auction 11 through round 3, read through the engine.
class ShownValuesOnAuction11 : public ::testing::Test {
protected:
    void SetUp() override { db = db::Database::open(testsupport::buildAuction(dir, "auction-11", 3)); }

    std::vector<db::Field> fields(const QString &table) {
        const auto rs = db.openRecordset("SELECT * FROM [" + table + "]", db::RecordsetType::Snapshot);
        std::vector<db::Field> out;
        for (int i = 0; i < rs->fieldCount(); ++i)
            out.push_back(rs->field(i));
        return out;
    }
    int count(const QString &table, const QString &where) {
        return db.openRecordset("SELECT Count(*) FROM [" + table + "] WHERE " + where, db::RecordsetType::Snapshot)
            ->value(0)
            .toInt();
    }
    QVariant stored(const QString &sql) { return db.openRecordset(sql, db::RecordsetType::Snapshot)->value(0); }

    testsupport::ScratchDir dir;
    db::Database db;
};

}  // namespace

TEST_F(ShownValuesOnAuction11, DatesAndAmountsAsTheGridShowsThemMatchTheirRows) {
    for (const QLocale &locale : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany)}) {
        SCOPED_TRACE(locale.name().toStdString());
        const tables::ColumnTypes allBids(fields("All Bids"), locale);
        auto filter = [&](const QString &column, const QString &op, const QString &value) {
            return tables::filterText(rows({{column, op, value}}), &allBids);
        };
        // A bid time is stored to the second and shown to the minute: the shown text finds every bid of that minute.
        const QString when = stored("SELECT [Bid Date Time] FROM [All Bids] WHERE [Round] = 2").toString();
        const QString shown = grid::cellText(when, db::ColumnType::DateTime, locale);
        const int sameMinute = count("All Bids", "Left([Bid Date Time], 16) = \"" + when.left(16) + "\"");
        ASSERT_GT(sameMinute, 0);
        EXPECT_EQ(count("All Bids", filter("Bid Date Time", "=", shown)), sameMinute) << shown;
        EXPECT_EQ(count("All Bids", filter("Bid Date Time", "<>", shown)), count("All Bids", "True") - sameMinute);
        const QString day = grid::cellText(when.left(10) + " 00:00:00", db::ColumnType::DateTime, locale);
        EXPECT_EQ(count("All Bids", filter("Bid Date Time", "=", day)),
                  count("All Bids", "Left([Bid Date Time], 10) = \"" + when.left(10) + "\""));

        // Amounts with separators, and with a dollar sign in front.
        const QVariant amount = stored("SELECT Max([Gross Bid Amount]) FROM [All Bids]");
        const QString amountShown = grid::cellText(amount, db::ColumnType::Currency, locale);
        ASSERT_TRUE(amountShown.contains(locale.groupSeparator())) << amountShown;
        const int sameAmount = count("All Bids", "[Gross Bid Amount] = " + amount.toString());
        EXPECT_EQ(count("All Bids", filter("Gross Bid Amount", "=", amountShown)), sameAmount);
        EXPECT_EQ(count("All Bids", filter("Gross Bid Amount", "=", "$" + amountShown)), sameAmount);
        EXPECT_EQ(count("All Bids", filter("Gross Bid Amount", ">=", amountShown)), sameAmount);

        // The round date, stored at midnight and shown as a date alone.
        const tables::ColumnTypes statistics(fields("Round Statistics"), locale);
        const QString date = grid::cellText(stored("SELECT [Round Date] FROM [Round Statistics] WHERE [Round] = 2"),
                                            db::ColumnType::DateTime, locale);
        const QString byDate = tables::filterText(rows({{"Round Date", "=", date}}), &statistics);
        EXPECT_EQ(count("Round Statistics", byDate),
                  count("Round Statistics", "[Round Date] = (SELECT [Round Date] FROM [Round Statistics] WHERE [Round] = 2)"));
    }
}

TEST_F(ShownValuesOnAuction11, TextValuesWithQuotesAndNullsMatch) {
    const tables::ColumnTypes markets(fields("Markets"), QLocale::c());
    EXPECT_EQ(count("All Bids", tables::filterText(rows({{"Bidder", "=", "D'Amico Broadband Ventures LLC"}}))),
              count("All Bids", "[Bidder] = 'D''Amico Broadband Ventures LLC'"));
    const int oHare = count("All Bids", "[Bidder] = 'O''Hare Spectrum LLC'");
    ASSERT_GT(oHare, 0);
    db.execute("UPDATE [All Bids] SET [Bidder] = 'O''Hare \"Say \"\"Hi\"\"\" LLC' WHERE [Bidder] = 'O''Hare Spectrum LLC'");
    EXPECT_EQ(count("All Bids", tables::filterText(rows({{"Bidder", "=", "O'Hare \"Say \"\"Hi\"\"\" LLC"}}))), oHare);
    const int noHigh = count("Markets", "[High Bid] Is Null");
    ASSERT_GT(noHigh, 0);
    EXPECT_EQ(count("Markets", tables::filterText(rows({{"High Bidder", "=", tables::nullChoiceText()}}), &markets)),
              noHigh);
    EXPECT_EQ(count("Markets", tables::filterText(rows({{"High Bid", "<>", tables::nullChoiceText()}}), &markets)),
              count("Markets", "True") - noHigh);
    // Account numbers with leading zeros are found as text.
    const QString account = stored("SELECT [Tavren Acct] FROM [All Bids]").toString();
    ASSERT_TRUE(account.startsWith('0'));
    EXPECT_GT(count("All Bids", tables::filterText(rows({{"Tavren Acct", "=", account}}))), 0);
}
