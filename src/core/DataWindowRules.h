// What a data window shows: its statement for a table and a round, the tables' standard orders, and the
// statistics tables shown for every round at once. The desktop program's data window and the command line's
// show, export and print use these same rules. Pure functions; thread-safe.
#pragma once

#include <QString>

namespace app {

// The standard order of a supplied table, as text to append (" Order By [Round]"); empty when it has none.
QString standardOrder(const QString &table);

// Whether the table is shown for all rounds at once (the statistics tables), not for one round.
bool isAllRoundsTable(const QString &table);

// "SELECT * FROM [table]", with " WHERE [Round] = round" when a round is given, and the standard order appended
// when ordered.
QString dataWindowStatement(const QString &table, const QString &round, bool ordered);

// The same with a filter and a sort applied, as one statement: the round condition and the filter (in
// parentheses) joined by And; a non-empty sort replaces the standard order. Filter and sort are Jet SQL texts
// the caller has built with every value it quotes escaped.
QString dataWindowStatement(const QString &table, const QString &round, bool ordered, const QString &filter,
                            const QString &sort);

}  // namespace app
