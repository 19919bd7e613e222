// The renumber dialog: asks for a pipe's new number and hands it back to the pipe table window.
#pragma once

#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::design {

class frmpipemodify : public shell::Window {
 public:
  static constexpr const char* kName = window::frmpipemodify;
  explicit frmpipemodify(shell::Program& p) : Window(p, kName) {}

  // Shows the dialog modally for the pipe numbered `old_number` and gives the new number the
  // engineer accepted, empty when cancelled. The shared variables old_pipe_number and
  // new_pipe_number show both too.
  std::string ask_new_number(const std::string& old_number);

  void cmdmodaccept_Click();
  void cmdmodcancel_Click();

 protected:
  void build() override;
  void Form_Load() override;

 private:
  std::string old_number_;
  std::string new_number_;
};

}  // namespace gw::design
