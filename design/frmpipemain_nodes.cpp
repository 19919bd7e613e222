// Pipe design window: nodes and network links.
#include "design/frmpipemain.h"

namespace gw::design {

void frmpipemain::wire_nodes() {}

}  // namespace gw::design
