// The three pivot analyses of a data window: by market (a selection of licenses), by bidder (a selection of
// bidders) and by round (every bid of the range).
#pragma once

namespace analysis {

enum class AnalysisKind { Markets, Bidders, Rounds };

}  // namespace analysis
