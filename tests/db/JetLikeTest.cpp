#include "db/SqlTestConnection.h"

#include <gtest/gtest.h>

namespace {

using testsupport::SqlTestConnection;
using Names = std::vector<std::string>;

void fillNames(SqlTestConnection &db) {
    db.exec("CREATE TABLE bidders (name TEXT COLLATE NOCASE)");
    for (const char *name : {"D'Amico Broadband Ventures LLC", "O'Hare Spectrum LLC",
                             "Telefónica Larga Distancia de Puerto Rico, Inc.", "Mayagüez-Aguadilla-Ponce, PR",
                             "Española-Santa Fe, NM", "Coeur d'Alene, ID", "Élan 100% Wireless", "Round 12",
                             "Round 1a", "a_b", "axb", "a*b", "[x]"}) {
        db.column("INSERT INTO bidders VALUES (?)", {name});
    }
}

// Patterns run through real queries, the way filters reach the engine.
TEST(JetLike, WildcardsAndListsInQueries) {
    SqlTestConnection db;
    fillNames(db);
    const struct {
        const char *pattern;
        Names expected;  // in the text order
    } cases[] = {
        {"o'hare*", {"O'Hare Spectrum LLC"}},
        {"D'A*LLC", {"D'Amico Broadband Ventures LLC"}},
        {"TELEFÓNICA*", {"Telefónica Larga Distancia de Puerto Rico, Inc."}},
        {"*AGÜEZ*", {"Mayagüez-Aguadilla-Ponce, PR"}},
        {"*aguez*", {}},
        {"*d'alene*", {"Coeur d'Alene, ID"}},
        {"*100%*", {"Élan 100% Wireless"}},
        {"a_b", {"a_b"}},
        {"a?b", {"a*b", "a_b", "axb"}},
        {"a[*]b", {"a*b"}},
        {"Round ##", {"Round 12"}},
        {"Round #?", {"Round 12", "Round 1a"}},
        {"[d-f]*", {"D'Amico Broadband Ventures LLC", "Élan 100% Wireless", "Española-Santa Fe, NM"}},
        {"[!a-s]*", {"[x]", "Telefónica Larga Distancia de Puerto Rico, Inc."}},
        {"[[]x]", {"[x]"}},
        {"*LLC", {"D'Amico Broadband Ventures LLC", "O'Hare Spectrum LLC"}},
        {"*a*a*a*a*",
         {"Española-Santa Fe, NM", "Mayagüez-Aguadilla-Ponce, PR",
          "Telefónica Larga Distancia de Puerto Rico, Inc."}},
        {"R[]ound 12", {"Round 12"}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(db.column("SELECT name FROM bidders WHERE name LIKE ? ORDER BY name COLLATE JETTEXT", {c.pattern}),
                  c.expected)
            << c.pattern;
    }
}

// A pattern that changes from row to row must be compiled afresh, never taken from the previous row.
TEST(JetLike, PatternsFromColumnsChangePerRow) {
    SqlTestConnection db;
    db.exec("CREATE TABLE cases (value TEXT, pattern TEXT, expected INTEGER)");
    db.exec("INSERT INTO cases VALUES ('abc', 'a*', 1), ('abc', 'b*', 0), ('abc', '*c', 1), ('abc', '[!a]*', 0), "
            "('Ábc', 'á*', 1), ('abc', 'a*', 1), ('a1', 'a#', 1), ('ab', 'a#', 0)");
    EXPECT_EQ(db.column("SELECT count(*) FROM cases WHERE (value LIKE pattern) <> expected"),
              (std::vector<std::string>{"0"}));
}

TEST(JetLike, SingleValues) {
    SqlTestConnection db;
    const struct {
        const char *expression;
        const char *expected;
    } cases[] = {
        {"'É' LIKE 'é*'", "1"},
        {"'ä' LIKE '[Ä]'", "1"},
        {"'' LIKE '*'", "1"},
        {"'' LIKE '?'", "0"},
        {"'aa' LIKE 'a*a*a'", "0"},
        {"'abcabd' LIKE '*abd'", "1"},
        {"'-' LIKE '[a-]'", "1"},
        {"'b' LIKE '[!a-c]'", "0"},
        {"5.0 LIKE '5'", "1"},
        {"NULL LIKE 'a'", "NULL"},
        {"'a' LIKE NULL", "NULL"},
        {"'a*b' LIKE 'a\\*b' ESCAPE '\\'", "1"},
        {"'axb' LIKE 'a\\*b' ESCAPE '\\'", "0"},
        {"'e' || char(769) LIKE 'é'", "1"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(db.quoted(c.expression), c.expected) << c.expression;
}

}  // namespace
