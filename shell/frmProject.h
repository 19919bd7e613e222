// The project details window of older projects that were not upgraded: no NOAA station.
#pragma once

#include "shell/project_details_window.h"
#include "shell/window_names.h"

namespace gw::shell {

class frmProject : public ProjectDetailsWindow {
 public:
  static constexpr const char* kName = window::frmProject;
  explicit frmProject(Program& p) : ProjectDetailsWindow(p, kName, false) {}
};

}  // namespace gw::shell
