// Pipe design window: rainfall intensity, design discharge, accumulation from upstream pipes, discharge mode.
#include "design/frmpipemain.h"

namespace gw::design {

void frmpipemain::wire_flow() {}

}  // namespace gw::design
