// The About box.
#pragma once

#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::shell {

class frmAbout : public Window {
 public:
  static constexpr const char* kName = window::frmAbout;
  explicit frmAbout(Program& p) : Window(p, kName) {}

  // Unloads the box and releases its instance.
  void cmdOK_Click() { prog.forms.release(kName); }

 protected:
  void build() override {
    set_caption("About Tarnel Hydro");
    add(ui::Kind::Label, "lblTitle").set_caption("Tarnel Hydro");
    add(ui::Kind::Label, "lblVersion").set_caption("Gullyworks - Version 2.1");
    add(ui::Kind::Label, "lblDescription")
        .set_caption("Storm sewer design, hydraulic grade line and outlet protection for highway drainage.");
    Control& ok = add(ui::Kind::CommandButton, "cmdOK");
    ok.set_caption("OK");
    ok.cancel = true;  // the box's only way out
    ok.on_click = [this] { cmdOK_Click(); };
  }
};

}  // namespace gw::shell
