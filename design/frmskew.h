// The picture that explains the pipe deflection angle at the lower end of a pipe.
#pragma once

#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::design {

class frmskew : public shell::Window {
 public:
  static constexpr const char* kName = window::frmskew;
  // Picture file of the drawing, in the program folder.
  static constexpr const char* kPicture = "pipe_deflection.png";
  explicit frmskew(shell::Program& p) : Window(p, kName) {}

 protected:
  void build() override;
};

}  // namespace gw::design
