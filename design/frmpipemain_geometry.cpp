// Pipe design window: pipe geometry and material inputs, standard-size pickers, deflection picture.
#include "design/frmpipemain.h"

namespace gw::design {

void frmpipemain::wire_geometry() {}

}  // namespace gw::design
