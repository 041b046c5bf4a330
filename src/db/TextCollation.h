// The text order of an auction database: case-insensitive and Unicode-aware, registered on every connection in
// place of SQLite's NOCASE (which folds only ASCII letters), so that every text column declared COLLATE NOCASE,
// every index on one, ORDER BY, =, DISTINCT and GROUP BY use it.
//
// Order: texts compare first by their letters with case and accents set aside ("Española" sorts between "Esp"
// and "Est"); texts equal at that level compare by their accents, unaccented first ("resume" < "résumé"); texts
// differing only in case are equal ("TELEFÓNICA" = "telefónica"). Letters compare by their lower-case code
// point, which for ASCII is exactly SQLite's NOCASE. Letters without a decomposition (æ, ø, ß) sort by their own
// code point, after z. Composed and decomposed forms of a letter are equal.
//
// A total order (antisymmetric and transitive), as indexes require. ASCII text takes a path that neither
// allocates nor decodes. Pure; safe from any thread.
#pragma once

#include <string_view>

namespace db {

// Negative, zero or positive as a sorts before, with or after b. Both are UTF-8.
int compareText(std::string_view a, std::string_view b);

}  // namespace db
