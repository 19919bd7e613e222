// A plain window with an Exit command, standing for a window this build does not have yet.
#pragma once

#include "shell/program.h"

namespace gw::shell {

class PlaceholderWindow : public Window {
 public:
  PlaceholderWindow(Program& p, std::string name, std::string caption, std::string exit_menu,
                    std::function<void(Program&)> on_exit = {})
      : Window(p, std::move(name)), caption_(std::move(caption)), exit_menu_(std::move(exit_menu)),
        on_exit_(std::move(on_exit)) {}

 protected:
  void build() override {
    set_caption(caption_);
    ui::Control& m = add(ui::Kind::MenuItem, exit_menu_);
    m.set_caption("&Exit");
    m.on_click = [this] {
      if (on_exit_) on_exit_(prog);
      unload();
    };
  }

 private:
  std::string caption_;
  std::string exit_menu_;
  std::function<void(Program&)> on_exit_;
};

}  // namespace gw::shell
