// The time-of-concentration calculator: the structure's Tc as the sum of up to five flow
// segments, written into the pipe design window with the inputs that produced it.
#pragma once

#include <string>

#include "design/frmpipemain.h"
#include "shell/program.h"
#include "shell/window_names.h"

namespace gw::design {

class frmVATc : public shell::Window {
 public:
  static constexpr const char* kName = window::frmVATc;
  explicit frmVATc(shell::Program& p) : Window(p, kName) {}

  // Segment computations (1 shallow concentrated, 2 channel, 3 Seelye overland, 4 pipe,
  // 5 Kirpich): each reads its inputs, writes its slope, velocity and time, and on a
  // failure says why and switches its segment off.
  void compute_shallow_tc();
  void compute_channel_tc();
  void compute_seelye_tc();
  void compute_pipe_tc();
  void compute_kirpich_tc();
  // The total of the five segment times into computedPTc.
  void sum_total_tc();

  // The stored lists the pipe design window keeps for this window: the inputs of the first
  // list (with the switches) and of the second, written from the fields and restored into them.
  frmpipemain::TcCalculatorLists encode_lists();
  void decode_PTcstr(const std::string& list);
  void decode_PTcstr2(const std::string& list);
  void decode_PTcoptionstr(const std::string& list);

  void cmdsavePTc_Click();
  void cmdcancelPTc_Click();

 protected:
  void build() override;
  void Form_Load() override;

 private:
  // A click on (or a change of) switch `segment`: its time is computed or cleared, then
  // the total follows.
  void CheckTc_Click(int segment);
  void compute_segment(int segment);
  void switch_off(int segment);
  // False, after a message naming the field and the segment and with the segment switched
  // off, when one of its inputs is a number beyond the double range (a switched-on segment's
  // velocity only when its depth or diameter does not give it).
  bool inputs_finite(int segment);
  // The common start of segments 1 to 4: false, after its message and with the segment
  // switched off, when the reach cannot be computed.
  bool reach_ok(int segment, double distance, double upper, double lower);
  void data_error(int segment);

  // Leave rules of the input boxes.
  void flow_distance1_LostFocus();
  void flow_distance3_LostFocus();
  void lower_elevation_LostFocus(int segment);
  void exclusive_LostFocus(const char* box, const char* other);
  void landuse_type_Click();
  void soil_type_Click();

  void wire_handlers();
  void set_metric_units();
  double number(const char* box);
  bool english_formulas() const;
};

}  // namespace gw::design
