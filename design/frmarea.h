// The drainage-area calculator of legacy projects: 24 land-use rows.
#pragma once

#include "design/drainage_area_window.h"
#include "shell/window_names.h"

namespace gw::design {

class frmarea : public DrainageAreaWindow {
 public:
  static constexpr const char* kName = window::frmarea;
  explicit frmarea(shell::Program& p);

  static const std::vector<area::LandUseRow>& land_use_rows();
};

}  // namespace gw::design
