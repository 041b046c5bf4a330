// Helpers of the analysis tests: rows of a Jet query or a data set as
// comparable texts, and auction databases with names holding apostrophes.
#pragma once

#include "analysis/DataSet.h"
#include "db/Database.h"

#include <QString>
#include <QStringList>

namespace analysistest {

// A value as a comparable text: numbers in ten-thousandths ("#123400"), texts
// as they are, "<null>".
QString comparable(const QVariant &value);

// Each row of a Jet query, its values joined by tabs.
QStringList queryRows(const db::Database &database, const QString &jetSql);
// Each row of a data set, the same way.
QStringList dataSetRows(const analysis::DataSet &data);

// The money of a stored amount in ten-thousandths.
qint64 units(const QVariant &amount);

// Renames, in [All Bids] and [Markets], the license "from" to "to" and (in [All
// Bids]) the bidder "fromBidder" to "toBidder"; the database must be a copy.
void renameLicense(db::Database &database, const QString &from,
                   const QString &to);
void renameBidder(db::Database &database, const QString &from,
                  const QString &to);

} // namespace analysistest
