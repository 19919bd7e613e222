// The project details window of release "2.1" and of every new project, with the NOAA station.
#pragma once

#include "shell/project_details_window.h"
#include "shell/window_names.h"

namespace gw::shell {

class frmProjectNOAA : public ProjectDetailsWindow {
 public:
  static constexpr const char* kName = window::frmProjectNOAA;
  explicit frmProjectNOAA(Program& p) : ProjectDetailsWindow(p, kName, true) {}
};

}  // namespace gw::shell
