// Registration of the design report windows and commands.
#include "reports/windows.h"

namespace gw::reports {

void register_report_windows(shell::Program& prog) { (void)prog; }

}  // namespace gw::reports
