// The text order of the Jet dialect: case-insensitive and Unicode-aware, registered on every connection of the
// program as the collation JETTEXT. SQLite's own NOCASE (which folds only ASCII letters) is left alone: text
// columns are declared COLLATE NOCASE and their indexes are in its order, so that the stored file means the same to
// every SQLite tool. The dialect translator (db/JetTranslator.h) writes COLLATE JETTEXT where the statements the
// program runs compare, order or group text; the stored schema never names it.
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

// The name the order is registered under; never written into a stored schema.
inline constexpr const char *kTextCollation = "JETTEXT";

}  // namespace db
