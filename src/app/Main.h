// The desktop program's entry: lotwise [--home DIR] [--demo].
#pragma once

namespace app {

// Starts the program: the splash while the main window loads, then the main window and the opening choice (or,
// with --demo, the demo auction). Returns the process exit status.
int Main(int argc, char *argv[]);

}  // namespace app
