#include "db/SqlTestConnection.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using testsupport::expectQuoted;

// Dates arrive from users and files in many forms and must all become the stored ISO text.
TEST(DateFunctions, ReadDatesAsAUsSystemDoes) {
    expectQuoted({
        {"jet_cdate('8/24/2006')", "'2006-08-24 00:00:00'"},
        {"jet_cdate('8/24/06 3:15 PM')", "'2006-08-24 15:15:00'"},
        {"jet_cdate('24-Aug-2006 15:15:30')", "'2006-08-24 15:15:30'"},
        {"jet_cdate('Thursday, August 24, 2006')", "'2006-08-24 00:00:00'"},
        {"jet_cdate('2006-08-24T15:30:00')", "'2006-08-24 15:30:00'"},
        {"jet_cdate('2006/8/24')", "'2006-08-24 00:00:00'"},
        {"jet_cdate('24/8/2006')", "'2006-08-24 00:00:00'"},
        {"jet_cdate('1/1/30')", "'1930-01-01 00:00:00'"},
        {"jet_cdate('12:00 AM')", "'1899-12-30 00:00:00'"},
        {"jet_cdate(38953.75)", "'2006-08-24 18:00:00'"},
        {"jet_cdate(-1.5)", "'1899-12-29 12:00:00'"},
        {"jet_datevalue('8/24/2006 3:15:00 PM')", "'2006-08-24 00:00:00'"},
        {"jet_timevalue('2006-08-24 15:15:00')", "'1899-12-30 15:15:00'"},
        {"jet_cdate('Aug 2006')", "'2006-08-01 00:00:00'"},
        {"jet_cdate(NULL)", "NULL"},
    });
}

// Serial numbers decode as the converter decodes stored dates: before 1899-12-30 the fraction runs forwards from
// midnight, and a time that rounds up to midnight is midnight of the next calendar day.
TEST(DateFunctions, SerialNumbersRoundAsStoredDatesDo) {
    expectQuoted({
        {"jet_cdate(-1.25)", "'1899-12-29 06:00:00'"},
        {"jet_cdate(-1.999999999)", "'1899-12-30 00:00:00'"},
        {"jet_cdate(38953.999999999)", "'2006-08-25 00:00:00'"},
        {"jet_cdate(38953.5)", "'2006-08-24 12:00:00'"},
    });
}

// Texts that name no single day are refused rather than guessed (a missing year would depend on the clock).
TEST(DateFunctions, RefuseAmbiguousOrInvalidDates) {
    testsupport::SqlTestConnection db;
    for (const char *text : {"8/24", "13/13/2006", "2006-02-29", "25:00", "3:15 PM PM", "24-Foo-2006", "", "2006"}) {
        EXPECT_EQ(db.quoted(std::string("jet_isdate('") + text + "')"), "0") << text;
        EXPECT_EQ(db.quoted(std::string("jet_cdate('") + text + "')"), "error: lotwise:13:Type mismatch") << text;
    }
}

TEST(DateFunctions, PartsOfADate) {
    expectQuoted({
        {"jet_year('2006-08-24 15:30:09')", "2006"},
        {"jet_month('2006-08-24')", "8"},
        {"jet_day('8/24/2006')", "24"},
        {"jet_hour('2006-08-24 15:30:09')", "15"},
        {"jet_minute('2006-08-24 15:30:09')", "30"},
        {"jet_second('2006-08-24 15:30:09')", "9"},
        {"jet_weekday('2006-08-24')", "5"},
        {"jet_weekday('2006-08-24', 2)", "4"},
        {"jet_datepart('q', '2006-08-24')", "3"},
        {"jet_datepart('y', '2006-02-01')", "32"},
        {"jet_datepart('ww', '2006-01-07')", "1"},
        {"jet_datepart('ww', '2006-01-08')", "2"},
        {"jet_datepart('w', '2006-08-24')", "5"},
        {"jet_datepart('yyyy', NULL)", "NULL"},
    });
}

TEST(DateFunctions, ArithmeticRollsOverLikeVb) {
    expectQuoted({
        {"jet_dateserial(2006, 13, 1)", "'2007-01-01 00:00:00'"},
        {"jet_dateserial(2006, 3, 0)", "'2006-02-28 00:00:00'"},
        {"jet_dateserial(2006, 1, 32)", "'2006-02-01 00:00:00'"},
        {"jet_dateserial(2006, 0, 1)", "'2005-12-01 00:00:00'"},
        {"jet_dateserial(99, 1, 1)", "'1999-01-01 00:00:00'"},
        {"jet_dateadd('m', 1, '2006-01-31')", "'2006-02-28 00:00:00'"},
        {"jet_dateadd('yyyy', -1, '2004-02-29')", "'2003-02-28 00:00:00'"},
        {"jet_dateadd('q', 1, '2006-11-30')", "'2007-02-28 00:00:00'"},
        {"jet_dateadd('ww', 2, '2006-08-24')", "'2006-09-07 00:00:00'"},
        {"jet_dateadd('h', 25, '2006-08-24')", "'2006-08-25 01:00:00'"},
        {"jet_dateadd('n', -1, '2006-01-01')", "'2005-12-31 23:59:00'"},
        {"jet_dateadd('D', 1.5, '2006-08-24')", "'2006-08-26 00:00:00'"},
        {"jet_datediff('d', '2006-08-24 23:00:00', '2006-08-25 01:00:00')", "1"},
        {"jet_datediff('d', '2006-08-25', '2006-08-24')", "-1"},
        {"jet_datediff('yyyy', '2006-12-31', '2007-01-01')", "1"},
        {"jet_datediff('q', '2006-03-31', '2006-04-01')", "1"},
        {"jet_datediff('m', '2006-01-31', '2006-02-01')", "1"},
        {"jet_datediff('ww', '2006-08-19', '2006-08-20')", "1"},
        {"jet_datediff('ww', '2006-08-20', '2006-08-26')", "0"},
        {"jet_datediff('w', '2006-08-19', '2006-08-26')", "1"},
        {"jet_datediff('h', '2006-08-24 01:59:59', '2006-08-24 02:00:00')", "1"},
        {"jet_datediff('n', '2006-08-24 01:59:59', '2006-08-24 02:00:00')", "1"},
        {"jet_datediff('s', '2006-08-24', '2006-08-25')", "86400"},
    });
}

TEST(DateFunctions, ClockFunctionsGiveStoredForms) {
    testsupport::SqlTestConnection db;
    const std::regex iso("'\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}'");
    EXPECT_TRUE(std::regex_match(db.quoted("jet_now()"), iso));
    EXPECT_TRUE(std::regex_match(db.quoted("jet_date()"), std::regex("'\\d{4}-\\d{2}-\\d{2} 00:00:00'")));
    EXPECT_TRUE(std::regex_match(db.quoted("jet_time()"), std::regex("'1899-12-30 \\d{2}:\\d{2}:\\d{2}'")));
}

}  // namespace
