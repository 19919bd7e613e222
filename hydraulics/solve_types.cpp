// The flow state of a Froude number.
#include "hydraulics/solve_types.h"

namespace gw::hyd {

FlowState flow_state(double froude) {
  if (froude < 1) return FlowState::subcritical;
  if (froude == 1.0) return FlowState::critical;
  return FlowState::supercritical;
}

}  // namespace gw::hyd
