#include "db/SqlTestConnection.h"

#include "db/TextCollation.h"

#include <gtest/gtest.h>

namespace {

using testsupport::SqlTestConnection;
using Names = std::vector<std::string>;

// The Unicode-aware order is registered under its own name; SQLite's NOCASE, which stored indexes use, stays the
// ASCII one that every other SQLite tool has.
TEST(TextCollation, RegisteredBesideSqliteNocase) {
    SqlTestConnection plain(false);
    EXPECT_EQ(plain.quoted("'TELEFÓNICA' = 'telefónica' COLLATE NOCASE"), "0");
    EXPECT_NE(plain.errorOf("SELECT 'a' = 'A' COLLATE JETTEXT"), "");
    SqlTestConnection db;
    EXPECT_EQ(db.quoted("'TELEFÓNICA' = 'telefónica' COLLATE NOCASE"), "0");
    EXPECT_EQ(db.quoted("'TELEFÓNICA' = 'telefónica' COLLATE JETTEXT"), "1");
    EXPECT_EQ(db.quoted("'Ä' = 'ä' COLLATE JETTEXT"), "1");
    EXPECT_EQ(db.quoted("'é' = 'e' || char(769) COLLATE JETTEXT"), "1");
    EXPECT_EQ(db.quoted("'é' = 'e' COLLATE JETTEXT"), "0");
}

// The order as a column's own collation, which only an in-memory table may name: stored files never do.
TEST(TextCollation, OrdersNamesByLetterThenAccent) {
    SqlTestConnection db;
    db.exec("CREATE TABLE markets (name TEXT COLLATE JETTEXT)");
    const Names sorted = {"Apple",
                          "Ärzte",
                          "Banana",
                          "Coeur d'Alene, ID",
                          "D'Amico Broadband Ventures LLC",
                          "Esp",
                          "Española-Santa Fe, NM",
                          "Est",
                          "Mayagüez-Aguadilla-Ponce, PR",
                          "O'Hare Spectrum LLC",
                          "rd",
                          "resume",
                          "résumé",
                          "rf",
                          "TELEFÓNICA",
                          "Telefónica Larga Distancia de Puerto Rico, Inc.",
                          "zebra"};
    for (auto it = sorted.rbegin(); it != sorted.rend(); ++it)
        db.column("INSERT INTO markets VALUES (?)", {*it});
    EXPECT_EQ(db.column("SELECT name FROM markets ORDER BY name"), sorted);
    db.exec("CREATE INDEX markets_name ON markets (name)");
    EXPECT_EQ(db.column("SELECT name FROM markets INDEXED BY markets_name WHERE name > 'E' ORDER BY name LIMIT 3"),
              (Names{"Esp", "Española-Santa Fe, NM", "Est"}));
    EXPECT_EQ(db.column("SELECT name FROM markets WHERE name = 'telefónica'"), (Names{"TELEFÓNICA"}));
}

TEST(TextCollation, GroupsAndDistinctsIgnoreCaseOnly) {
    SqlTestConnection db;
    db.exec("CREATE TABLE bids (bidder TEXT COLLATE JETTEXT, amount INTEGER)");
    db.exec("INSERT INTO bids VALUES ('Telefónica', 1), ('TELEFÓNICA', 2), ('telefonica', 4), ('Ä', 8), ('ä', 16)");
    EXPECT_EQ(db.column("SELECT count(*) FROM (SELECT DISTINCT bidder FROM bids)"), (Names{"3"}));
    EXPECT_EQ(db.column("SELECT sum(amount) FROM bids GROUP BY bidder ORDER BY bidder"), (Names{"24", "4", "3"}));
    db.exec("CREATE UNIQUE INDEX bids_bidder ON bids (bidder, amount)");
    EXPECT_NE(db.errorOf("INSERT INTO bids VALUES ('TELEFÓNICA', 1)"), "");
}

// Indexes break if the order is not total; check the laws over strings that take every path of the comparison.
TEST(TextCollation, IsATotalOrder) {
    const std::vector<std::string> samples = {
        "",    "a",      "A",        "á",          "Á",        "a\xCC\x81", "b",      "ab",      "aB",       "äb",
        "ß",   "ss",     "z",        "Z",          "Æ",        "e",         "é",      "ê",       "E",        "É",
        "!",   "1",      "~",        "[",          "_",        "\xC7\x85",  "\xEF\xAC\x83", "\xE2\x84\xAA", "k",
        "İ",   "i",      "ı",        "\xFF",       "\xC3",     "Española",  "Espanola", "ESPAÑOLA", "Esp", "Est",
        "e\xCC\x81x", "ex", "résumé", "resume", "resumé",
        // A mark after a shared prefix may be reordered in front of the prefix's own mark (U+0301 before U+0345).
        "x\xCD\x85", "x\xCD\x85\xCC\x81", "x\xCC\x81\xCD\x85", "Telefónica 1", "TELEFÓNICA 2", "Telefónica"};
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const auto &a : samples) {
        EXPECT_EQ(db::compareText(a, a), 0) << a;
        for (const auto &b : samples) {
            const int ab = sign(db::compareText(a, b));
            ASSERT_EQ(ab, -sign(db::compareText(b, a))) << a << " / " << b;
            for (const auto &c : samples) {
                const int bc = sign(db::compareText(b, c));
                if (ab <= 0 && bc <= 0) {
                    ASSERT_LE(sign(db::compareText(a, c)), 0) << a << " <= " << b << " <= " << c;
                }
            }
        }
    }
}

}  // namespace
