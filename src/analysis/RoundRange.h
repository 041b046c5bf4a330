// The range of rounds an analysis covers, checked as the rounds dialog's entries are: an empty From ends the
// analysis, an empty To means To = From, a From above the highest round is refused with a message, a To above it
// is met with a question (Yes: up to the highest round). There is no lower bound and no check that From <= To.
//
// Pure functions, except highestRound(); safe from any thread.
#pragma once

#include "analysis/AnalysisKind.h"
#include "core/Prompter.h"
#include "db/Database.h"

#include <QString>

namespace analysis {

struct RoundRange {
    qint64 start = 0;
    qint64 end = 0;
};

enum class RangeVerdict {
    Empty,         // From is empty: the analysis ends without a message
    StartTooHigh,  // show startTooHighMessage() and ask again
    EndTooHigh,    // ask endTooHighQuestion(): Yes sets end = highest, No asks again
    Accepted,
};

// Checks the texts of From and To (digits as typed; blanks and the mask's prompt characters are ignored) against
// the highest acceptable round, and fills range with what was read (end = start when To is empty).
RangeVerdict checkRange(const QString &from, const QString &to, qint64 highest, RoundRange &range);

// The messages of the range check, with the program's character 13 joints, each analysis its own blanks; both
// have the title "Error".
QString startTooHighMessage(AnalysisKind kind);
app::MessageStyle startTooHighStyle();  // OK, exclamation icon
QString endTooHighQuestion();
app::MessageStyle endTooHighStyle();    // Yes and No, no icon
QString rangeMessageTitle();            // "Error"

// The highest round an analysis accepts: the highest round of [sysRounds] (not the number of rounds held, which
// refuses valid rounds after an import out of order); 0 when there is none. Errors are raised.
qint64 highestRound(const db::Database &database);

}  // namespace analysis
