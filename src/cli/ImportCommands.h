// lotwise-cli create, import, auto-import and batch-import: the program's own procedures behind the command
// line's Prompter.
#pragma once

#include "cli/Commands.h"

namespace cli {

int createCommand(const Options &options, Streams io);
int importCommand(const Options &options, Streams io);
int autoImportCommand(const Options &options, Streams io);
int batchImportCommand(const Options &options, Streams io);

}  // namespace cli
