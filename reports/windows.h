// Registration of the design report windows and commands.
#pragma once

#include "shell/program.h"

namespace gw::reports {

void register_report_windows(shell::Program& prog);

}  // namespace gw::reports
