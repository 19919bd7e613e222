// A standard-size picker window: the size table of one shape and unit system, whose picked row
// is written into the pipe design window.
#pragma once

#include "design/pipe_size_tables.h"
#include "shell/program.h"

namespace gw::design {

class PipeSizePicker : public shell::Window {
 public:
  // One window class per table: the window takes the table's window name.
  PipeSizePicker(shell::Program& p, const SizePickerLayout& layout);

  // The Select button: writes the picked size (and for the arches the material and n) into the
  // pipe design window and closes; without a picked row it asks for one.
  void select_Click();
  // The Cancel button: closes, writing nothing.
  void cancel_Click();

 protected:
  void build() override;
  void Form_Load() override;

 private:
  const SizePickerLayout& layout_;
};

// Registers the ten pickers under their window names.
void register_size_pickers(shell::Program& prog);

}  // namespace gw::design
