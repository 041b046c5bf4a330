// The statement lotwise-cli's show and export run: what a data window would show of a table. Without a round, a
// per-round table shows its newest round (the last one of sysRounds), an all-rounds statistics table and a table
// without a [Round] column their every row; the window's standard order unless a sort is given; the filter joined
// as the data window joins it. Raises db::Error for a database that cannot be read.
#pragma once

#include <QString>

namespace db {
class Database;
}

namespace cli {

QString shownStatement(const db::Database &database, const QString &table, QString round, const QString &sort,
                       const QString &filter);

}  // namespace cli
