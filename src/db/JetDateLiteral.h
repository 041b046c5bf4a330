// Jet #date# literals: the text between the # signs, read the way Jet reads it (US order m/d/y, or ISO
// y-m-d, or d-mmm-y, with an optional time), turned into the ISO text dates are stored as.
#pragma once

#include <QString>

#include <optional>

namespace db::jet {

// "YYYY-MM-DD HH:MM:SS", or nothing when the text is not a date. A time alone falls on 1899-12-30, Jet's day 0.
std::optional<QString> isoFromJetDate(const QString &text);

}  // namespace db::jet
