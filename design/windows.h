// Registration of the pipe network design windows.
#pragma once

#include "shell/program.h"

namespace gw::design {

void register_design_windows(shell::Program& prog);

}  // namespace gw::design
