// lotwise-cli show: the rows a data window would show of a table (the statement of cli/ShownStatement.h, with the
// options --round, --sort and --filter), printed as sql prints a query's rows.
#pragma once

#include "cli/Commands.h"

namespace cli {

int showCommand(const Options &options, Streams io);

}  // namespace cli
