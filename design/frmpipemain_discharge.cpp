// Pipe design window: the one derivation of the window's values from its inputs, and the intensity commands.
#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include "design/frmpipemain.h"
#include "design/pipe_derivation.h"
#include "design/rational_method.h"
#include "platform/error/error.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"
#include "shell/rainfall_coefficients.h"

namespace gw::design {

namespace {

// The largest storm frequency the program takes (a 16-bit whole number).
constexpr double kMaxFrequency = 32767;

// Inputs of the slope, and of the flow (the discharge mode, the structure, the rows, the
// storm, the calculators' switches). pipe_I is watched on its own: it is an input only while
// it is the engineer's.
constexpr const char* kSlopeInputs[] = {"pipe_length", "pipe_elein", "pipe_eleout"};
constexpr const char* kFlowInputs[] = {
    "structure_discharge", "lateral_discharge", "structure_Tc", "structure_ca",
    "pipe_storm_freq",     "prenode1",          "preca1",       "preTc1",
    "preflowtime1",        "prenode2",          "preca2",       "preTc2",
    "preflowtime2",        "prenode3",          "preca3",       "preTc3",
    "preflowtime3",        "prenode4",          "preca4",       "preTc4",
    "preflowtime4",        "PTcoptionstr"};

// The coefficients as the last lookup left them.
rational::IdfCoefficients loaded_coefficients(const shell::SharedState& v) {
  rational::IdfCoefficients c;
  c.legacy = v.project.legacy_project();
  if (c.legacy) {
    c.a = text::to_number(v.rainfall.idf_a);
    c.b = text::to_number(v.rainfall.idf_b);
  } else {
    c.b = text::to_number(v.rainfall.idf_b);
    c.d = text::to_number(v.rainfall.idf_d);
    c.e = v.rainfall.idf_e;
  }
  return c;
}

}  // namespace

frmpipemain::Batch::~Batch() {
  if (--w_.batch_depth_ == 0 && w_.derive_pending_) w_.derive();
}

void frmpipemain::wire_derivation() {
  auto watch = [this](const char* name, bool slope) {
    c(name).observe([this, slope](Control& ctl, ui::Prop p) {
      if ((p == ui::Prop::Text || p == ui::Prop::Value) && !same_number(ctl)) input_changed(slope);
    });
  };
  for (const char* name : kSlopeInputs) watch(name, true);
  for (const char* name : kFlowInputs) watch(name, false);
  c("pipe_I").observe([this](Control& ctl, ui::Prop p) {
    if (p == ui::Prop::Text && !same_number(ctl)) pipe_I_Change();
  });
  c("dischargeval").observe([this](Control&, ui::Prop p) {
    if (p == ui::Prop::Text) dischargeval_Change();
  });
}

bool frmpipemain::same_number(const Control& ctl) {
  std::string& seen = seen_inputs_[ctl.name()];
  // Pipe numbers are keys, compared as text: "1", "01" and "1.0" are three pipes.
  if (ctl.name().rfind("prenode", 0) == 0) {
    const bool same = seen == ctl.text();
    seen = ctl.text();
    return same;
  }
  const std::optional<double> before = text::try_number(seen);
  const std::optional<double> now = text::try_number(ctl.text());
  seen = ctl.text();
  return before && now && *before == *now;
}

void frmpipemain::clear_work_values() {
  shell::SharedState& v = vars();
  v.discharge.structure_intensity.clear();
  for (std::string* s : {&v.discharge.upstream_intensity1, &v.discharge.upstream_intensity2,
                         &v.discharge.upstream_intensity3, &v.discharge.upstream_intensity4})
    s->clear();
  for (std::string* s : {&v.discharge.upstream_q1, &v.discharge.upstream_q2, &v.discharge.upstream_q3,
                         &v.discharge.upstream_q4})
    *s = "0.0";
}

const frmpipemain::StormLookup& frmpipemain::storm_lookup(const std::string& storm, bool report) {
  std::optional<double> f = text::try_number(storm);
  if (!f || *f != std::trunc(*f) || std::fabs(*f) > kMaxFrequency) {
    invalid_storm_.coefficients.reset();
    invalid_storm_.error = "The storm frequency \"" + storm + "\" is not a whole number of years.";
    if (report) msg(invalid_storm_.error);
    return invalid_storm_;
  }
  const int years = static_cast<int>(*f);
  auto found = storm_lookups_.find(years);
  if (found != storm_lookups_.end() && !report) return found->second;
  StormLookup lookup;
  std::string error;
  if (shell::load_rainfall_coefficients(prog, years, error)) {
    try {
      lookup.coefficients = loaded_coefficients(vars());
    } catch (const std::exception&) {
      lookup.error = "The rainfall coefficients are not numbers.";
    }
  } else {
    lookup.error = error;
  }
  if (report && !lookup.error.empty()) msg(lookup.error);
  return storm_lookups_[years] = lookup;
}

PipeInputs frmpipemain::gather_inputs() {
  shell::SharedState& v = vars();
  PipeInputs in;
  in.legacy = v.project.legacy_project();
  in.metric = v.units().metric();
  in.divisor = v.units().rational_divisor;
  in.number_format = v.number_format();
  in.length = c("pipe_length").text();
  in.elein = c("pipe_elein").text();
  in.eleout = c("pipe_eleout").text();
  in.mode = c("dischargeval").text();
  in.structure_discharge = c("structure_discharge").text();
  in.lateral_discharge = c("lateral_discharge").text();
  in.structure_tc = c("structure_Tc").text();
  in.structure_ca = c("structure_ca").text();
  in.storm_frequency = c("pipe_storm_freq").text();
  in.tc_options = c("PTcoptionstr").text();
  const bool computed = in.mode == "CRM";
  const bool list_open = pipe_list_read_;
  for (int n = 1; n <= 4; ++n) {
    const std::string k = std::to_string(n);
    UpstreamRowInput& r = in.rows[static_cast<size_t>(n - 1)];
    r.pipe = c("prenode" + k).text();
    r.ca = c("preca" + k).text();
    r.tc = c("preTc" + k).text();
    r.flow_time = c("preflowtime" + k).text();
    r.entered = r.pipe == row_loaded_for_[static_cast<size_t>(n - 1)];
    // The stored discharge of the row's pipe; a number naming no saved pipe counts none
    // (leaving its row and Save refuse it).
    if (computed && list_open && !r.pipe.empty() && !(in.legacy && n == 4)) {
      try {
        db::Recordset& pipe = saved_pipe(r.pipe);
        if (!pipe.eof()) r.discharge = pipe.field("PIPE_DISCHARGE");
      } catch (const std::exception&) {
        // a pipe that cannot be read counts none, as one that is not saved
      }
    }
  }
  if (intensity_typed_) in.typed_intensity = c("pipe_I").text();
  if (computed) {
    const StormLookup& lookup = storm_lookup(in.storm_frequency, false);
    in.coefficients = lookup.coefficients;
    in.coefficients_error = lookup.error;
  }
  return in;
}

void frmpipemain::input_changed(bool slope_group) {
  // View mode shows the record as stored: nothing in it is the engineer's change.
  if (deriving_ || loading_ || !is_loaded() || mode_ == Mode::view) return;
  if (bound_ && binding_.refilling()) return;
  touch_group(slope_group);
  derive();
}

void frmpipemain::touch_group(bool slope_group) {
  (slope_group ? slope_touched_ : flow_touched_) = true;
  (slope_group ? slope_pending_ : flow_pending_) = true;
}

void frmpipemain::derive() {
  if (batch_depth_ > 0) {
    derive_pending_ = true;
    return;
  }
  if (deriving_ || !is_loaded()) return;
  deriving_ = true;
  derive_pending_ = false;
  shell::SharedState& v = vars();
  try {
    const PipeDerived d = derive_pipe_values(gather_inputs());
    // A group is written only when one of its own inputs changed: typing a Tc never
    // rewrites the slope, nor an elevation the discharge.
    if (std::exchange(slope_pending_, false)) {
      slope_status_ = d.slope.status;
      slope_refused = d.slope.status == SlopeStatus::input_error;
      c("pipe_slope").set_text(d.slope.text);
    }
    if (std::exchange(flow_pending_, false)) {
      ruled_ = d.ruled;
      c("accumulated_Tc").set_text(d.accumulated_tc);
      c("accumulated_ca").set_text(d.accumulated_ca);
      if (d.cf) c("pipe_cf").set_text(*d.cf);
      if (d.intensity && !intensity_typed_) c("pipe_I").set_text(*d.intensity);
      if (d.work_values) {
        v.discharge.structure_intensity = d.structure_intensity;
        v.discharge.upstream_intensity1 = d.upstream_intensity[0];
        v.discharge.upstream_intensity2 = d.upstream_intensity[1];
        v.discharge.upstream_intensity3 = d.upstream_intensity[2];
        v.discharge.upstream_intensity4 = d.upstream_intensity[3];
        v.discharge.upstream_q1 = d.upstream_q[0];
        v.discharge.upstream_q2 = d.upstream_q[1];
        v.discharge.upstream_q3 = d.upstream_q[2];
        v.discharge.upstream_q4 = d.upstream_q[3];
      }
      c("pipe_discharge").set_text(d.discharge);
      c("Check_ComputeTc").set_value(d.tc_computed ? 1 : 0);
      derive_failure_ = d.failure;
    }
  } catch (const std::exception& e) {
    derive_failure_ = e.what();
  }
  deriving_ = false;
}

bool frmpipemain::derive_for_command(const std::string& prefix) {
  slope_pending_ = slope_touched_;
  flow_pending_ = flow_touched_;
  if (slope_touched_ || flow_touched_) derive();
  if (!flow_touched_ || derive_failure_.empty()) return true;
  msg(prefix + derive_failure_, ui::Buttons::OK, ui::Icon::Exclamation);
  return false;
}

void frmpipemain::write_ruled_inputs() {
  if (!flow_touched_ || !derive_failure_.empty()) return;
  // The fields take the texts their leave rules give, which the values were derived from:
  // a Tc of 3 pasted is saved as 5.000, as if it had been typed and left.
  const RuledInputs ruled = ruled_;
  Batch batch(*this);
  auto write = [this](const char* field, const std::string& text) {
    if (!text.empty() && c(field).text() != text) c(field).set_text(text);
  };
  write("structure_Tc", ruled.structure_tc);
  write("lateral_discharge", ruled.lateral_discharge);
  write("structure_discharge", ruled.structure_discharge);
  if (intensity_typed_) write("pipe_I", ruled.intensity);
}

void frmpipemain::record_read() {
  slope_touched_ = false;
  flow_touched_ = false;
  slope_pending_ = false;
  flow_pending_ = false;
  ruled_ = {};
  derive_pending_ = false;
  derive_failure_.clear();
  slope_refused = false;
  storm_lookups_.clear();
  applied_mode_ = c("dischargeval").text();
  for (int n = 1; n <= 4; ++n)
    row_loaded_for_[static_cast<size_t>(n - 1)] = c("prenode" + std::to_string(n)).text();
  seen_inputs_.clear();
  for (const char* name : kSlopeInputs) seen_inputs_[name] = c(name).text();
  for (const char* name : kFlowInputs) seen_inputs_[name] = c(name).text();
  seen_inputs_["pipe_I"] = c("pipe_I").text();
  intensity_typed_ = stored_intensity_typed();
}

// ---- the intensity commands ----

void frmpipemain::program_intensity_again() {
  // The program's intensity replaces one the engineer typed; the coefficients are looked up
  // afresh (their failure told once), and what cannot be derived is named.
  intensity_typed_ = false;
  const StormLookup& lookup = storm_lookup(c("pipe_storm_freq").text(), true);
  const std::string told = lookup.error;
  touch_group(false);
  derive();
  if (!derive_failure_.empty() && derive_failure_ != told) msg(derive_failure_);
}

void frmpipemain::cmd_accIntensity_Click() { program_intensity_again(); }

void frmpipemain::pipe_storm_freq_Click() {
  storm_freq_applied = c("pipe_storm_freq").text();
  program_intensity_again();
}

void frmpipemain::pipe_storm_freq_GotFocus() { storm_freq_applied = c("pipe_storm_freq").text(); }

void frmpipemain::pipe_storm_freq_LostFocus() {
  Control& storm = c("pipe_storm_freq");
  const std::string typed = storm.text();
  if (typed == storm_freq_applied) return;
  for (const std::string& item : storm.items())
    if (item == typed) {
      pipe_storm_freq_Click();
      return;
    }
  msg("Invalid Storm Frequency! Please choose a value from the list");
  storm.set_text(storm_freq_applied);
  c("pipetab").set_tab(1);
  set_focus(storm);
}

}  // namespace gw::design
