// lotwise-cli convert FILE OUT: a Jet database, or the round database inside a round results file, as SQLite.
#pragma once

#include "cli/Commands.h"

namespace cli {

int convertCommand(const Options &options, Streams io);

}  // namespace cli
