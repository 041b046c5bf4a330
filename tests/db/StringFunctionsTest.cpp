#include "db/SqlTestConnection.h"

#include <gtest/gtest.h>

namespace {

using testsupport::expectQuoted;

// Positions and lengths count characters, so accented names are cut where a reader expects.
TEST(StringFunctions, CountCharactersNotBytes) {
    expectQuoted({
        {"jet_left('Telefónica Larga', 7)", "'Telefón'"},
        {"jet_right('Mayagüez', 4)", "'güez'"},
        {"jet_mid('Mayagüez-Aguadilla', 6, 3)", "'üez'"},
        {"jet_mid('abc', 2)", "'bc'"},
        {"jet_mid('abc', 5, 2)", "''"},
        {"jet_left('abc', 10)", "'abc'"},
        {"jet_right('abc', 0)", "''"},
        {"jet_len('Española')", "8"},
        {"jet_len(12.50)", "4"},
        {"jet_strreverse('Añb')", "'bñA'"},
        {"jet_left(NULL, 2)", "NULL"},
        {"jet_len(NULL)", "NULL"},
    });
}

TEST(StringFunctions, InStrComparesTextUnlessAskedForBinary) {
    expectQuoted({
        {"jet_instr('Coeur d''Alene, ID', 'D''A')", "7"},
        {"jet_instr(8, 'Coeur d''Alene, ID', 'E')", "11"},
        {"jet_instr('TELEFÓNICA', 'ónica')", "6"},
        {"jet_instr(1, 'ABC', 'b', 0)", "0"},
        {"jet_instr(1, 'ABC', 'b', 1)", "2"},
        {"jet_instr('abc', 'x')", "0"},
        {"jet_instr('abc', '')", "1"},
        {"jet_instr('', 'a')", "0"},
        {"jet_instr(4, 'abc', 'c')", "0"},
        {"jet_instr(NULL, 'a')", "NULL"},
        {"jet_strcomp('abc', 'ABC')", "0"},
        {"jet_strcomp('abc', 'ABC', 0)", "1"},
        {"jet_strcomp('Española', 'Est')", "-1"},
        {"jet_strcomp('b', NULL)", "NULL"},
    });
}

TEST(StringFunctions, CaseTrimAndBuild) {
    expectQuoted({
        {"jet_ucase('telefónica, ä')", "'TELEFÓNICA, Ä'"},
        {"jet_lcase('O''HARE Ä')", "'o''hare ä'"},
        {"jet_trim('  a b  ')", "'a b'"},
        {"jet_ltrim('  a ')", "'a '"},
        {"jet_rtrim('  a ')", "'  a'"},
        {"jet_trim(char(9) || 'a ')", "'\ta'"},
        {"jet_space(3)", "'   '"},
        {"jet_string(3, 'xy')", "'xxx'"},
        {"jet_string(2, 65)", "'AA'"},
        {"jet_string(2, 321)", "'AA'"},
        {"jet_chr(65) || jet_chr(128) || jet_chr(233)", "'A€é'"},
        {"jet_asc('€')", "128"},
        {"jet_asc('É')", "201"},
        {"jet_asc('中')", "63"},
    });
}

TEST(StringFunctions, ReplaceIsCaseInsensitiveByDefault) {
    expectQuoted({
        {"jet_replace('O''Hare o''HARE', 'hare', 'X')", "'O''X o''X'"},
        {"jet_replace('O''Hare o''HARE', 'hare', 'X', 1, -1, 0)", "'O''Hare o''HARE'"},
        {"jet_replace('abcabc', 'b', '', 3)", "'cac'"},
        {"jet_replace('aaaa', 'a', 'b', 1, 2)", "'bbaa'"},
        {"jet_replace('Mayagüez', 'ÜEZ', 'uez')", "'Mayaguez'"},
        {"jet_replace('abc', '', 'x')", "'abc'"},
        {"jet_replace(NULL, 'a', 'b')", "NULL"},
    });
}

}  // namespace
