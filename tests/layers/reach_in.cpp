// Two windows as the compiler sees them: with REACH_IN 0 the one keeps to its own controls and
// hands the other a value through its typed face (this compiles); each REACH_IN from 1 on is one
// way into the other window's controls, which the compiler must refuse (tests/layers/reach_in.cmake).
#include <string>

#include "platform/ui/form.h"

namespace gw::design {

class Receiving : public ui::Form {
 public:
  explicit Receiving(ui::Forms& forms) : Form(forms, "Receiving") {}
  // What other windows use.
  void take_value(const std::string& v) { c("txtValue").set_text(v); }

 protected:
  void build() override { add(ui::Kind::TextBox, "txtValue"); }
};

class Giving : public ui::Form {
 public:
  Giving(ui::Forms& forms, Receiving& other) : Form(forms, "Giving"), other_(other) {}

  void hand_over() {
    for (ui::Control* own : controls()) (void)own;
    if (active_control() == find("txtMine")) tab_next();
    other_.take_value(c("txtMine").text());
#if REACH_IN == 1
    other_.host_control("txtValue").set_text("1");
#elif REACH_IN == 2
    other_.host_control(ui::HostKey(), "txtValue").set_text("1");
#elif REACH_IN == 3
    other_.host_control({}, "txtValue").set_text("1");
#elif REACH_IN == 4
    (void)other_.find("txtValue");
#elif REACH_IN == 5
    (void)other_.c("txtValue");
#elif REACH_IN == 6
    (void)other_.controls();
#elif REACH_IN == 7
    (void)static_cast<ui::Form&>(other_).controls();
#elif REACH_IN == 8
    (void)other_.active_control();
#elif REACH_IN == 9
    (void)other_.tab_order();
#elif REACH_IN == 10
    (void)other_.cancel_control();
#elif REACH_IN == 11
    (void)other_.shortcut_control("Ctrl+A");
#elif REACH_IN == 12
    (void)other_.find(gw::testing::HostAccess::key(), "txtValue");
#endif
  }

 protected:
  void build() override { add(ui::Kind::TextBox, "txtMine"); }

 private:
  Receiving& other_;
};

}  // namespace gw::design
