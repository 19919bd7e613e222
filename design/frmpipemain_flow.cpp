// Pipe design window: the flow data tab's handlers (discharge mode, entered discharge, structure Tc,
// intensity, calculators).
#include <array>
#include <functional>
#include <optional>

#include "design/frmpipemain.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"
#include "shell/window_names.h"

namespace gw::design {

using ui::Answer;
using ui::Buttons;

namespace {

// What the computed-discharge mode enables and the entered-discharge mode disables.
constexpr const char* kComputeControls[] = {"Frame_acc",   "Frame_flow", "Frame_prepipe",   "Frame_LD",
                                            "cmdstr_area", "cmdstr_Tc",  "cmd_accIntensity"};

// The fourth upstream row with its captions: hidden in a legacy project.
constexpr const char* kFourthRow[] = {"prenode4",   "preca4",          "preTc4",       "preflowtime4",
                                      "lblp4min",   "lblp4sec",        "lbl_prenode4", "lbl_preca4",
                                      "lbl_preTc4", "lbl_preflowtime4"};

// The calculators' stored inputs.
constexpr const char* kTcBuffers[] = {"PTcStr", "pTcStr2", "PTcoptionstr"};
constexpr const char* kAllBuffers[] = {"pareabufstr", "pcbufstr", "PTcStr", "pTcStr2", "PTcoptionstr"};

}  // namespace

void frmpipemain::wire_flow() {
  c("structure_compute1").on_click = [this] { structure_compute1_Click(); };
  c("structure_input1").on_click = [this] { structure_input1_Click(); };
  c("cmd_accIntensity").on_click = [this] { cmd_accIntensity_Click(); };
  c("pipe_storm_freq").on_click = [this] { pipe_storm_freq_Click(); };
  c("cmdstr_area").on_click = [this] { cmdstr_area_Click(); };
  c("cmdstr_Tc").on_click = [this] { cmdstr_Tc_Click(); };

  // Focus and change handlers compose with those already set (the numeric fields' select
  // on entry, other areas' handlers): the earlier handler runs first on leaving, last on
  // entering, so that the old text is taken before the text is selected.
  auto on_enter = [](Control& box, std::function<void()> mine) {
    auto prev = box.on_got_focus;
    box.on_got_focus = [prev, mine] {
      mine();
      if (prev) prev();
    };
  };
  auto on_leave = [](Control& box, std::function<void()> mine) {
    auto prev = box.on_lost_focus;
    box.on_lost_focus = [prev, mine] {
      if (prev) prev();
      mine();
    };
  };
  auto on_change = [](Control& box, std::function<void()> mine) {
    auto prev = box.on_change;
    box.on_change = [prev, mine] {
      if (prev) prev();
      mine();
    };
  };

  on_leave(c("structure_discharge"), [this] { structure_discharge_LostFocus(); });

  Control& tc = c("structure_Tc");
  on_enter(tc, [this] { structure_Tc_GotFocus(); });
  on_change(tc, [this] { structure_Tc_Change(); });
  on_leave(tc, [this] { structure_Tc_LostFocus(); });

  Control& intensity = c("pipe_I");
  on_enter(intensity, [this] { pipe_I_GotFocus(); });
  on_leave(intensity, [this] { pipe_I_LostFocus(); });

  Control& storm = c("pipe_storm_freq");
  on_enter(storm, [this] { pipe_storm_freq_GotFocus(); });
  on_leave(storm, [this] { pipe_storm_freq_LostFocus(); });

  for (int n = 1; n <= 4; ++n)
    on_leave(c("prenode" + std::to_string(n)), [this, n] { prenode_LostFocus(n); });
}

// ---- discharge mode ----

void frmpipemain::structure_compute1_Click() {
  if (c("dischargeval").text() == "CRM") return;
  // The new mode's enabling and resets follow the mode text (dischargeval_Change).
  c("dischargeval").set_text("CRM");
}

void frmpipemain::structure_input1_Click() {
  const std::string mode = c("dischargeval").text();
  if (mode == "INP") return;
  if (mode == "CRM" &&
      msg("Do you want to clear previously Computed Values? Y/N", Buttons::YesNo) != Answer::Yes) {
    // Back to the computed mode, whose click finds it set and does nothing.
    c("structure_compute1").set_value(1);
    return;
  }
  c("dischargeval").set_text("INP");
}

void frmpipemain::dischargeval_Change() {
  const std::string mode = c("dischargeval").text();
  // A record read brings its own mode and values.
  if (loading_ || !is_loaded() || mode_ == Mode::view || (bound_ && binding_.refilling())) {
    applied_mode_ = mode;
    return;
  }
  if (mode == applied_mode_) return;
  applied_mode_ = mode;
  // Whatever changed the mode (its option, the node-in type, another window), the new mode
  // makes the resets of its option, so that no value the engineer cannot see or change in
  // it takes part in the discharge; the values are derived once, afterwards.
  Batch batch(*this);
  if (mode == "CRM")
    apply_computed_mode();
  else if (mode == "INP")
    apply_entered_mode();
  touch_group(false);
  derive_pending_ = true;
}

void frmpipemain::apply_computed_mode() {
  for (const char* n : kComputeControls) c(n).set_enabled(true);
  c("structure_discharge").set_enabled(false);
  // An inlet without drainage of its own starts from the minimum Tc.
  if (c("nodein_type").text() == "Inlet" && c("structure_ca").text() == "0.0") {
    c("structure_ca").set_text("0.0");
    c("structure_Tc").set_text("5.0");
  }
  c("pipe_I").set_text("0.0");
  c("pipe_storm_freq").set_text("2");
  c("structure_discharge").set_text("0.0");
  // A blank lateral discharge (a new pipe's) counts as none, and reads so.
  if (c("lateral_discharge").text().empty()) c("lateral_discharge").set_text("0.00");
  for (const char* b : kAllBuffers) c(b).set_text("");
  // The computed mode starts from nothing computed before; the intensity is the program's.
  clear_work_values();
  intensity_typed_ = false;
  if (vars().project.legacy_project())
    for (const char* n : kFourthRow) c(n).set_visible(false);
  c("structure_compute1").set_value(1);
}

void frmpipemain::apply_entered_mode() {
  for (const char* n : kComputeControls) c(n).set_enabled(false);
  c("structure_discharge").set_enabled(true);
  c("structure_discharge").set_text("0.0");
  c("structure_area").set_text("0.0");
  c("structure_ca").set_text("0.0");
  c("structure_Tc").set_text("5.0");
  c("pipe_I").set_text("0.0");
  c("pipe_cf").set_text("1.0");
  c("lateral_discharge").set_text("0.0");
  const int rows = vars().project.legacy_project() ? 3 : 4;
  for (int n = 1; n <= rows; ++n) clear_prenode(n);
  for (const char* b : kAllBuffers) c(b).set_text("");
  intensity_typed_ = false;
  c("structure_input1").set_value(1);
}

// ---- the entered discharge ----

void frmpipemain::structure_discharge_LostFocus() {
  Control& d = c("structure_discharge");
  if (d.text().empty()) d.set_text("0.0");
  d.set_text(text::format_text(d.text(), vars().number_format()));
}

// ---- the structure's time of concentration ----

void frmpipemain::structure_Tc_GotFocus() {
  tc_changed = false;
  tc_old_text = c("structure_Tc").text();
}

void frmpipemain::structure_Tc_Change() { tc_changed = true; }

void frmpipemain::structure_Tc_LostFocus() {
  if (!tc_changed) return;
  Control& tc = c("structure_Tc");
  if (c("Check_ComputeTc").value() == 1) {
    if (msg("Do you want to clear Computed Tc Values? Y/N", Buttons::YesNo) == Answer::Yes) {
      c("Check_ComputeTc").set_value(0);
      for (const char* b : kTcBuffers) c(b).set_text("");
    } else {
      tc.set_text(tc_old_text);
    }
  }
  // The rule the derivation counts the Tc by: empty text, a lone point and a Tc below the
  // minimum take the minimum. A text that is no number stays for SOLVE and Save to name.
  try {
    tc.set_text(structure_tc_rule(tc.text(), vars().number_format()));
  } catch (const std::exception&) {
  }
}

// ---- the rainfall intensity ----

void frmpipemain::pipe_I_GotFocus() { intensity_old_text = c("pipe_I").text(); }

void frmpipemain::pipe_I_Change() {
  // The derivation's own writes, a record read and the mode resets leave the intensity the
  // program's; any other change (typed, pasted, set from outside) makes it the engineer's.
  if (deriving_ || loading_ || batch_depth_ > 0 || !is_loaded()) return;
  if (bound_ && binding_.refilling()) return;
  intensity_typed_ = true;
  input_changed(false);
}

void frmpipemain::pipe_I_LostFocus() {
  Control& i = c("pipe_I");
  const std::string& pattern = vars().number_format();
  i.set_text(text::format_text(i.text(), pattern));
  // The same value written another way ("10" and "10.000") is no change.
  if (i.text() == text::format_text(intensity_old_text, pattern)) return;
  // An intensity of the engineer's own replaces the Tc calculator's work.
  Batch batch(*this);
  for (const char* b : kTcBuffers) c(b).set_text("");
}

// ---- the calculators ----

void frmpipemain::cmdstr_area_Click() {
  try {
    prog.forms.get(vars().project.legacy_project() ? window::frmarea : window::frmareaV2).show_modal();
  } catch (const std::exception& e) {
    msg(e.what());
  }
  if (!is_loaded()) return;
  // Whether the calculator saved or not, the accumulated C*A and what follows from it are
  // derived from the structure's C*A and the rows as they now stand.
  touch_group(false);
  derive();
}

void frmpipemain::cmdstr_Tc_Click() {
  try {
    prog.forms.get(window::frmVATc).show_modal();
  } catch (const std::exception& e) {
    msg(e.what());
  }
  if (!is_loaded()) return;
  // Whether the calculator saved or not, the intensity is the program's again, at the
  // accumulated Tc that the structure's Tc gives. The calculator is about the Tc: what the
  // rainfall lacks is said by SOLVE and Save, not here.
  intensity_typed_ = false;
  touch_group(false);
  derive();
}

}  // namespace gw::design
