// lotwise-cli export --db DB TABLE OUT [--round R] [--sort TEXT] [--filter TEXT]: the rows a data window would
// show of TABLE (cli/ShownStatement.h) written to OUT, in the format its extension picks (tables/TableExport.h).
#pragma once

#include "cli/Commands.h"

namespace cli {

int exportCommand(const Options &options, Streams io);

}  // namespace cli
