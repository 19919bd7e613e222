// The splash window shown during start-up.
#pragma once

#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::shell {

class frmHydroSplash : public Window {
 public:
  static constexpr const char* kName = window::frmHydroSplash;
  explicit frmHydroSplash(Program& p) : Window(p, kName) {}

 protected:
  void build() override {
    add(ui::Kind::Frame, "Frame1");
    add(ui::Kind::Image, "imgLogo").picture = "logo.png";
    add(ui::Kind::Image, "Image1").picture = "splash.png";
    add(ui::Kind::Label, "lblVersion").set_caption("Gullyworks - Version 2.1");
  }
};

}  // namespace gw::shell
