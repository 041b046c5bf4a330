// lotwise-cli drop and query: dropping a user-defined table and the stored Query Builder queries, through the
// same procedures as the desktop program, behind the command line's Prompter.
#pragma once

#include "cli/Commands.h"

namespace cli {

// drop --db DB TABLE: the refusals and the question of the data window's Drop Table (--yes / --no answer it).
int dropCommand(const Options &options, Streams io);
// query --db DB list: a header line, then one line per stored query (name and clauses, tab-separated).
// query --db DB run NAME: builds the query's table as the Query Builder's Run does.
int queryCommand(const Options &options, Streams io);

}  // namespace cli
