// lotwise-cli pivot: an analysis of the pivot table wizard written to a file.
//   pivot --db DB --by markets|bidders|rounds --from N [--to M] [--gross]
//   [--select NAME]... --out FILE.xlsx|FILE.csv
// The range is checked as the rounds dialog checks it (the same messages; the
// ending-round question takes its default, Yes, unless --yes or --no). --select
// names the licenses (markets) or bidders (bidders) to analyse, by default
// every one with bids in the range; it is refused with --by rounds. .xlsx holds
// the data set and the pivot, .csv the pivot alone.
#pragma once

#include "cli/Commands.h"

namespace cli {

int pivotCommand(const Options &options, Streams io);

} // namespace cli
