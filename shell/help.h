// Opening the program's help document.
#pragma once

#include "shell/program.h"

namespace gw::shell {

// Name of the help document in the program folder.
inline constexpr const char* kHelpFile = "Gullyworks.html";

// Opens the help document with the desktop; says so, with its full path, when the desktop
// cannot open it.
void show_help(Program& prog);

}  // namespace gw::shell
