#include "db/SqlTestConnection.h"

#include "db/VbFormat.h"

#include <QDate>
#include <QDateTime>

#include <gtest/gtest.h>

namespace {

struct Case {
    const char *value;  // SQL expression
    const char *pattern;
    const char *expected;  // as quote() shows it
};

void expectAll(std::initializer_list<Case> cases) {
    testsupport::SqlTestConnection db;
    for (const Case &c : cases) {
        const std::string expression = std::string("jet_format(") + c.value + ", '" + c.pattern + "')";
        EXPECT_EQ(db.quoted(expression), c.expected) << expression;
    }
}

TEST(VbFormat, NumberPatterns) {
    expectAll({
        {"1234567.891", "#,##0.00", "'1,234,567.89'"},
        {"45603000", "$###,###,###,##0", "'$45,603,000'"},
        {"-2485766", "$###,###,###,##0", "'-$2,485,766'"},
        {"0", "###,###,###,##0", "'0'"},
        {"0", "###,###,###,###,###.00", "'.00'"},
        {"3.5", "###,###,###,###,###.00", "'3.50'"},
        {"1234567.5", "###,###,###,###,###.00", "'1,234,567.50'"},
        {"5", "000", "'005'"},
        {"1234", "000", "'1234'"},
        {"0.256", "0.0%", "'25.6%'"},
        {"2.675", "0.00", "'2.68'"},
        {"-0.125", "0.00", "'-0.13'"},
        {"2.5", "0", "'3'"},
        {"-0.001", "0.00", "'0.00'"},
        {"3", "0.##", "'3.'"},
        {"3.14159", "0.##", "'3.14'"},
        {"0.5", "#.00", "'.50'"},
        {"0", "#", "''"},
        {"1234567", "#,##0,", "'1,235'"},
        {"1234567", "#0,,.0", "'1.2'"},
        {"5459.4", "0.00E+00", "'5.46E+03'"},
        {"0.000123", "0.0E-0", "'1.2E-4'"},
        {"9.996", "0.00e+00", "'1.00e+01'"},
        {"5551234567", "(000) 000-0000", "'(555) 123-4567'"},
        {"12", "\"Round \"000", "'Round 012'"},
        {"12", "\\#0", "'#12'"},
        {"'12.5'", "0.00", "'12.50'"},
        {"'Telefónica'", "0.00", "'Telefónica'"},
        {"9007199254740993", "#,##0", "'9,007,199,254,740,993'"},
    });
}

TEST(VbFormat, SectionsAndNamedNumberFormats) {
    expectAll({
        {"5", "0;(0)", "'5'"},
        {"-5", "0;(0)", "'(5)'"},
        {"0", "0;(0);\\Z\\e\\r\\o", "'Zero'"},
        {"-5", "0;;\\Z", "'-5'"},
        {"NULL", "0;(0);\\Z;\"none\"", "'none'"},
        {"NULL", "0.00", "NULL"},
        {"1234.5", "Currency", "'$1,234.50'"},
        {"-1234.5", "currency", "'($1,234.50)'"},
        {"1234.567", "Fixed", "'1234.57'"},
        {"1234.567", "Standard", "'1,234.57'"},
        {"0.256", "Percent", "'25.60%'"},
        {"1234.5", "Scientific", "'1.23E+03'"},
        {"1234.5", "General Number", "'1234.5'"},
        {"0", "Yes/No", "'No'"},
        {"5", "Yes/No", "'Yes'"},
        {"-1", "True/False", "'True'"},
        {"0", "On/Off", "'Off'"},
        {"5.0", "", "'5'"},
        {"0.1 + 0.2", "", "'0.3'"},
    });
}

TEST(VbFormat, DatePatterns) {
    const char *d = "'2006-08-24 15:05:09'";
    expectAll({
        {d, "yyyy-mm-dd hh:nn:ss", "'2006-08-24 15:05:09'"},
        {d, "m/d/yy", "'8/24/06'"},
        {d, "dddd, mmmm d, yyyy", "'Thursday, August 24, 2006'"},
        {d, "ddd dd-mmm", "'Thu 24-Aug'"},
        {d, "h:mm AM/PM", "'3:05 PM'"},
        {d, "hh:mm:ss", "'15:05:09'"},
        {d, "h am/pm", "'3 pm'"},
        {d, "hA/P", "'3P'"},
        {d, "q y w ww", "'3 236 5 34'"},
        {d, "\\d\\a\\y d", "'day 24'"},
        {d, "General Date", "'8/24/2006 3:05:09 PM'"},
        {"'2006-08-24'", "General Date", "'8/24/2006'"},
        {"'1899-12-30 15:05:00'", "General Date", "'3:05:00 PM'"},
        {d, "Long Date", "'Thursday, August 24, 2006'"},
        {d, "Medium Date", "'24-Aug-06'"},
        {d, "Short Date", "'8/24/2006'"},
        {d, "Long Time", "'3:05:09 PM'"},
        {d, "Medium Time", "'03:05 PM'"},
        {d, "Short Time", "'15:05'"},
        {d, "", "'2006-08-24 15:05:09'"},
        {"38953", "yyyy-mm-dd", "'2006-08-24'"},
        {"'8/24/2006'", "yyyy-mm-dd", "'2006-08-24'"},
        {"'2006-08-24'", "0", "'38953'"},
    });
}

TEST(VbFormat, CppApiTakesQtValues) {
    EXPECT_EQ(db::vbFormat(QDate(2006, 8, 24), QStringLiteral("Short Date")), QStringLiteral("8/24/2006"));
    EXPECT_EQ(db::vbFormat(QDateTime(QDate(2006, 8, 24), QTime(15, 5)), QStringLiteral("Short Time")),
              QStringLiteral("15:05"));
    EXPECT_EQ(db::vbFormat(true, QString()), QStringLiteral("True"));
    EXPECT_EQ(db::vbFormat(true, QStringLiteral("0")), QStringLiteral("-1"));
    EXPECT_EQ(db::vbFormat(1234.5, QStringLiteral("€#,##0.00")), QStringLiteral("€1,234.50"));
    EXPECT_EQ(db::vbFormat(QStringLiteral("1234"), QStringLiteral("#,##0")), QStringLiteral("1,234"));
    EXPECT_EQ(db::vbFormat(QTime(9, 5, 7), QStringLiteral("Long Time")), QStringLiteral("9:05:07 AM"));
    EXPECT_TRUE(db::vbFormat(QVariant(), QStringLiteral("0")).isNull());
    EXPECT_TRUE(db::vbFormat(QDateTime(), QStringLiteral("Short Date")).isNull());
}

}  // namespace
