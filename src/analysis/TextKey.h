// The key under which the engine's text comparison (db/TextCollation.h, the Jet
// order) holds two texts equal: the text decomposed, each character
// case-folded. Two texts have the same key exactly when compareText() calls
// them equal, so hashing by key groups and joins text as the engine's
// statements do.
//
// Pure; safe from any thread.
#pragma once

#include <QString>

namespace analysis {

QString textKey(const QString &text);

} // namespace analysis
