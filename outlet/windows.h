// Registration of the outlet protection windows.
#pragma once

#include "shell/program.h"

namespace gw::outlet {

void register_outlet_windows(shell::Program& prog);

}  // namespace gw::outlet
