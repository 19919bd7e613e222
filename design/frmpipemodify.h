// The renumber dialog: asks for a pipe's new number and hands it back to the pipe table window.
#pragma once

#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::design {

class frmpipemodify : public shell::Window {
 public:
  static constexpr const char* kName = window::frmpipemodify;
  explicit frmpipemodify(shell::Program& p) : Window(p, kName) {}

  void cmdmodaccept_Click();
  void cmdmodcancel_Click();

 protected:
  void build() override;
  void Form_Load() override;
};

}  // namespace gw::design
