// lotwise-cli summary: the twenty figures of the Round Summary as its sheet shows them.
//   summary --db DB [--round R | --all] [--json]
// Text: for one round (R, else the newest), one line per figure: label, tab, text; for --all, a header line
// ("Round" and the twenty labels) and one line per round, oldest first. --json: an object for one round, an array
// for --all, keyed by "Round" and the labels: money as numbers to the cent, counts as integers, other figures as
// stored, "Round Date" as "YYYY-MM-DD", null for a figure that cannot be read.
#pragma once

#include "cli/Commands.h"

namespace cli {

int summaryCommand(const Options &options, Streams io);

}  // namespace cli
