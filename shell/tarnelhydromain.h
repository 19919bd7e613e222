// The program's start-up procedure.
#pragma once

#include "shell/program.h"

namespace gw::shell {

// Shows the splash, waits 3.0 seconds by polling the clock, unloads the splash and
// shows the main window.
void tarnelhydromain_Main(Program& prog);

}  // namespace gw::shell
