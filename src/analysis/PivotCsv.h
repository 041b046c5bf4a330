// The pivot as CSV (RFC 4180, UTF-8): six header lines, one per column field
// (the field's name, then its item for each pivot column), then one line per
// round (the round, then the sums as plain decimals without separators, empty
// where no bid). No title, total or data-field line.
//
// Written to a temporary file beside the target, every write and the close
// checked, and renamed over the target only when complete: a failure leaves no
// partial file. Raises db::Error when the file cannot be written. Safe on any
// thread (one call per file).
#pragma once

#include "analysis/PivotTable.h"

#include <QString>

namespace analysis {

void writePivotCsv(const QString &path, const PivotTable &pivot);

// A sum as the CSV writes it: ten-thousandths of a dollar as a plain decimal
// without separators or trailing zeros ("1234.5", "-0.25", "0").
QString plainAmount(qint64 units);

} // namespace analysis
