// The demo auction: built once, in a demo home directory, from its own copies (in that home) of the demo round
// files installed with the program, then opened with one data window, without the opening question. Its last
// round is left out of the build, so that Auto Import has a round to bring in.
#pragma once

#include <QString>

namespace app {

class frmMain;
class Prompter;
struct ModuleState;

// The folder of the demo round files, or empty when there is none.
QString demoRoundsFolder();

// Builds the demo auction if the home directory has none yet, and opens it. Returns false (after a message) when
// there are no demo files.
bool openDemo(frmMain &window, ModuleState &state, Prompter &prompter);

}  // namespace app
