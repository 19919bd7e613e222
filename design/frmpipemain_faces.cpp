// What the other windows hand the pipe design window (the pipe to open, the calculators' and
// size pickers' results), and what they read from it.
#include "design/frmpipemain.h"

namespace gw::design {

void frmpipemain::open_on(const std::string& mode, const std::string& id) {
  open_mode_ = mode;
  open_id_ = id;
  vars().handover.pipe_form_mode = mode;
  vars().handover.pipe_form_id = id;
}

frmpipemain::TcCalculatorLists frmpipemain::tc_calculator_lists() {
  return {c("PTcStr").text(), c("pTcStr2").text(), c("PTcoptionstr").text()};
}

void frmpipemain::take_computed_tc(const std::string& tc, const TcCalculatorLists& lists) {
  c("structure_Tc").set_text(tc);
  c("Check_ComputeTc").set_value(1);
  c("PTcStr").set_text(lists.first);
  c("PTcoptionstr").set_text(lists.switches);
  c("pTcStr2").set_text(lists.second);
}

void frmpipemain::take_minimum_tc() {
  c("Check_ComputeTc").set_value(0);
  c("structure_Tc").set_text("5.0");
  for (const char* list : {"PTcStr", "pTcStr2", "PTcoptionstr"}) c(list).set_text("");
}

frmpipemain::AreaCalculatorLists frmpipemain::area_calculator_lists() {
  return {c("pareabufstr").text(), c("pcbufstr").text()};
}

void frmpipemain::take_drainage_area(const AreaCalculatorLists& lists, const std::string& total_ca,
                                     const std::string& total_area) {
  c("pareabufstr").set_text(lists.areas);
  c("pcbufstr").set_text(lists.cs);
  c("structure_ca").set_text(total_ca);
  c("structure_area").set_text(total_area);
}

void frmpipemain::take_standard_size(const StandardSize& size) {
  c("span").set_text(size.span);
  c("rise").set_text(size.rise);
  if (size.area) c("pipe_areaflow").set_text(*size.area);
  if (size.hydraulic_radius) c("hyd_radius").set_text(*size.hydraulic_radius);
  c("span").set_enabled(false);
  c("rise").set_enabled(false);
  if (size.material) {
    c("pipe_mat").set_text(*size.material);
    c("pipe_mat").set_enabled(false);
  }
  if (size.manning_n) c("pipe_mann").set_text(*size.manning_n);
}

}  // namespace gw::design
