// The drainage-area calculator of current projects: 15 land-use rows.
#pragma once

#include "design/drainage_area_window.h"
#include "shell/window_names.h"

namespace gw::design {

class frmareaV2 : public DrainageAreaWindow {
 public:
  static constexpr const char* kName = window::frmareaV2;
  explicit frmareaV2(shell::Program& p);

  static const std::vector<area::LandUseRow>& land_use_rows();
};

}  // namespace gw::design
