#include "db/SqlTestConnection.h"

#include "db/VbFormat.h"

#include <gtest/gtest.h>

namespace {

using testsupport::expectQuoted;

TEST(NumberFunctions, ValReadsTheLeadingNumber) {
    expectQuoted({
        {"jet_val('  12 34abc')", "1234.0"},
        {"jet_val('1.5e3x')", "1500.0"},
        {"jet_val('-.5')", "-0.5"},
        {"jet_val('1,234')", "1.0"},
        {"jet_val('&HFF')", "255.0"},
        {"jet_val('&HFFFF')", "-1.0"},
        {"jet_val('&O17')", "15.0"},
        {"jet_val('')", "0.0"},
        {"jet_val('abc')", "0.0"},
        {"jet_val('1e')", "1.0"},
        {"jet_val(NULL)", "NULL"},
    });
}

// CInt, CLng and Round round half to even; Format and CCur's callers rely on that difference.
TEST(NumberFunctions, ConversionsRoundLikeVb) {
    expectQuoted({
        {"jet_cint(2.5)", "2"},
        {"jet_cint(3.5)", "4"},
        {"jet_cint(-2.5)", "-2"},
        {"jet_cint('12.5')", "12"},
        {"jet_cint(' 1,234 ')", "1234"},
        {"jet_cint(32767)", "32767"},
        {"jet_clng(2147483647.4)", "2147483647"},
        {"jet_clng('2006-08-24')", "38953"},
        {"jet_cdbl('$1,234.5')", "1234.5"},
        {"jet_cdbl('(12)')", "-12.0"},
        {"jet_csng(0.1)", "0.1"},
        {"jet_ccur(1.23456)", "1.2346"},
        {"jet_ccur(1.00015)", "1.0002"},
        {"jet_ccur(2.00005)", "2"},
        {"jet_cbool('True')", "-1"},
        {"jet_cbool('false')", "0"},
        {"jet_cbool(0.5)", "-1"},
        {"jet_round(2.5)", "2.0"},
        {"jet_round(3.5)", "4.0"},
        {"jet_round(2.675, 2)", "2.68"},
        {"jet_round(0.125, 2)", "0.12"},
        {"jet_round(7)", "7"},
        {"jet_int(-3.5)", "-4.0"},
        {"jet_fix(-3.5)", "-3.0"},
        {"jet_int(7)", "7"},
        {"jet_int('3.7')", "3.0"},
        {"jet_sgn(-2.5)", "-1"},
        {"jet_sqr(16)", "4.0"},
    });
}

TEST(NumberFunctions, CStrShowsNumbersAsVbDoes) {
    expectQuoted({
        {"jet_cstr(5.0)", "'5'"},
        {"jet_cstr(0.1 + 0.2)", "'0.3'"},
        {"jet_cstr(2.5)", "'2.5'"},
        {"jet_cstr(-1234567.125)", "'-1234567.125'"},
        {"jet_cstr(123456789012345.0)", "'123456789012345'"},
        {"jet_cstr(1e15)", "'1E+15'"},
        {"jet_cstr(0.0001)", "'0.0001'"},
        {"jet_cstr(0.00001)", "'1E-05'"},
        {"jet_cstr(-0.0)", "'0'"},
        {"jet_cstr(9007199254740993)", "'9007199254740993'"},
        {"jet_cstr('2006-08-24 00:00:00')", "'2006-08-24 00:00:00'"},
        {"jet_cstr(NULL)", "NULL"},
    });
    EXPECT_EQ(db::vbNumberText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(db::vbNumberText(123456789012345678.0), "1.23456789012346E+17");
    EXPECT_EQ(db::vbNumberText(-2.5e-7), "-2.5E-07");
    EXPECT_EQ(db::vbNumberText(45603000), "45603000");
}

TEST(NumberFunctions, TestsAndDefaults) {
    expectQuoted({
        {"jet_isnull(NULL)", "-1"},
        {"jet_isnull('')", "0"},
        {"jet_isnumeric('1,234.5')", "-1"},
        {"jet_isnumeric(' -5 ')", "-1"},
        {"jet_isnumeric('12a')", "0"},
        {"jet_isnumeric('')", "0"},
        {"jet_isnumeric('2006-08-24')", "0"},
        {"jet_isnumeric(NULL)", "0"},
        {"jet_isdate('8/24/2006')", "-1"},
        {"jet_isdate('2/30/2006')", "0"},
        {"jet_isdate(38953)", "0"},
        {"jet_nz(NULL)", "''"},
        {"jet_nz(NULL, 0)", "0"},
        {"jet_nz(5, 0)", "5"},
        {"jet_nz('', 'x')", "''"},
    });
}

}  // namespace

namespace {

// The operators' functions: whole numbers stay whole (unless they overflow), dates stay ISO text, Null gives Null.
TEST(NumberFunctions, OperatorsKeepJetTypes) {
    expectQuoted({
        {"jet_add(2, 3)", "5"},
        {"jet_add(9223372036854775807, 1)", "9.2233720368547758078e+18"},
        {"jet_add('1.5', 1)", "2.5"},
        {"jet_add('2006-08-24', 1.25)", "'2006-08-25 06:00:00'"},
        {"jet_add(1, '2006-12-31 23:00:00')", "'2007-01-01 23:00:00'"},
        {"jet_add('a', 'b')", "'ab'"},
        {"jet_add(NULL, '2006-08-24')", "NULL"},
        {"jet_sub('2006-03-01', '2006-02-27 12:00')", "1.5"},
        {"jet_sub('2006-03-01', 1)", "'2006-02-28 00:00:00'"},
        {"jet_sub(5, 7)", "-2"},
        {"jet_div(7, 2)", "3.5"},
        {"jet_div(NULL, 0)", "NULL"},
        {"jet_idiv(-7.5, 2)", "-4"},
        {"jet_mod(-7, 3)", "-1"},
    });
}

}  // namespace
