// Jet's stored forms decoded: dates (including Jet's convention for days before 1899-12-30), compressed Jet 4
// text, Jet 3 code page text and Decimals (which no sample file holds).
#include "jet/JetDate.h"
#include "jet/JetText.h"
#include "jet/NumberFormats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

std::string iso(double value) { return jet::jetDateToIso(value).value_or("none"); }

TEST(JetDate, DecodesDaysFromTheJetEpochWithTheTimeRunningForwards) {
    EXPECT_EQ(iso(0), "1899-12-30 00:00:00");
    EXPECT_EQ(iso(36526.75), "2000-01-01 18:00:00");
    EXPECT_EQ(iso(-1.25), "1899-12-29 06:00:00");  // before the epoch the fraction still counts from midnight
    EXPECT_EQ(iso(-0.5), "1899-12-30 12:00:00");
    EXPECT_EQ(iso(-657434), "0100-01-01 00:00:00");
    EXPECT_EQ(iso(2958465 + 86399.4 / 86400), "9999-12-31 23:59:59");
    EXPECT_EQ(iso(60), "1900-02-28 00:00:00");  // Jet, unlike spreadsheets, knows no 1900-02-29
    EXPECT_EQ(iso(61), "1900-03-01 00:00:00");
}

TEST(JetDate, RoundsToTheSecondAcrossMidnight) {
    EXPECT_EQ(iso(1.9999999), "1900-01-01 00:00:00");
    EXPECT_EQ(iso(-1.9999999), "1899-12-30 00:00:00");
    EXPECT_EQ(iso(2958465.9999999), "9999-12-31 23:59:59");  // never past Jet's last second
    EXPECT_EQ(iso(45000 + 12.5 / 86400), "2023-03-15 00:00:13");
}

TEST(JetDate, RefusesValuesNoJetFileHolds) {
    EXPECT_FALSE(jet::jetDateToIso(-657435));
    EXPECT_FALSE(jet::jetDateToIso(2958466));
    EXPECT_FALSE(jet::jetDateToIso(std::nan("")));
    EXPECT_FALSE(jet::jetDateToIso(INFINITY));
}

std::string jet4(std::initializer_list<unsigned char> bytes) {
    const std::basic_string<unsigned char> data(bytes);
    std::string out;
    return jet::appendJet4Text(data.data(), data.size(), out) ? out : "<invalid>";
}

TEST(JetText, DecodesPlainAndCompressedJet4Text) {
    EXPECT_EQ(jet4({'A', 0, 0xE9, 0}), "Aé");
    EXPECT_EQ(jet4({0xFF, 0xFE, 'A', 0xE9}), "Aé");
    EXPECT_EQ(jet4({0xFF, 0xFE, 'a', 0, 0xA9, 0x03, 0, 'b'}), "aΩb");  // 0x00 switches to two-byte characters and back
    EXPECT_EQ(jet4({0x3D, 0xD8, 0x00, 0xDE}), "\U0001F600");          // a surrogate pair
    EXPECT_EQ(jet4({0x3D, 0xD8, 'x', 0}), "\uFFFDx");                  // a lone surrogate
    EXPECT_EQ(jet4({}), "");
}

TEST(JetText, RefusesBytesThatCannotBeJet4Text) {
    EXPECT_EQ(jet4({'A', 0, 'B'}), "<invalid>");
    EXPECT_EQ(jet4({0xFF, 0xFE, 'a', 0, 0xA9}), "<invalid>");
}

TEST(JetText, DecodesJet3TextInItsCodePage) {
    jet::CodePageDecoder windows1252(1252);
    const unsigned char text[] = {'U', 'm', 's', 0xE4, 't', 'z', 'e', ' ', 0x80};
    std::string out;
    windows1252.append(text, sizeof text, out);
    EXPECT_EQ(out, "Umsätze €");
    jet::CodePageDecoder unknown(65000);  // falls back to Windows-1252
    out.clear();
    unknown.append(text + 3, 1, out);
    EXPECT_EQ(out, "ä");
    EXPECT_EQ(jet::utf8Length("Umsätze €"), 9u);
}

TEST(JetNumbers, ScalesDecimals) {
    unsigned char decimal[17] = {0x80};  // negative, magnitude 12345 in the least significant word
    decimal[13] = 0x39;
    decimal[14] = 0x30;
    jet::Value value;
    jet::setDecimal(decimal, 2, value);
    EXPECT_EQ(value.kind, jet::Value::Kind::Real);
    EXPECT_EQ(value.real, -123.45);
    jet::setDecimal(decimal, 0, value);
    EXPECT_EQ(value.kind, jet::Value::Kind::Integer);
    EXPECT_EQ(value.integer, -12345);
}

}  // namespace
