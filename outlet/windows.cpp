// Registration of the outlet protection windows.
#include "outlet/windows.h"

namespace gw::outlet {

void register_outlet_windows(shell::Program& prog) { (void)prog; }

}  // namespace gw::outlet
