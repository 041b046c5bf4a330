// What a file is, told by its first bytes: a Jet 3 or Jet 4 (also ACE) database, an SQLite database, or neither.
//
// Plain C++ without I/O, shared by the program (jet::detectFormat) and the converter process.
#pragma once

#include <cstddef>
#include <string_view>

namespace jet {

enum class Signature { Jet3, Jet4, Sqlite, Unknown };

// How many leading bytes signatureOf needs to tell every kind apart.
inline constexpr std::size_t kSignatureBytes = 32;

// The kind of file whose first bytes are `head` (fewer than kSignatureBytes when the file is shorter).
// Jet: "Standard Jet DB" or "Standard ACE DB" at offset 4, the version at 0x14 (0 Jet 3, 1 Jet 4, 2.. ACE, which
// libmdb reads with the Jet 4 layout). SQLite: "SQLite format 3" and a zero byte at offset 0.
Signature signatureOf(std::string_view head);

// The page size of a Jet file of that signature (2048 for Jet 3, 4096 for Jet 4), 0 for anything else.
std::size_t jetPageSize(Signature signature);

}  // namespace jet
