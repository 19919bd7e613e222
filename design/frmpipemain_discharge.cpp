// Pipe design window: rainfall intensity at a time of concentration and the pipe's design discharge.
#include <array>
#include <cmath>
#include <optional>

#include "design/frmpipemain.h"
#include "design/rational_method.h"
#include "platform/text/error.h"
#include "platform/text/format.h"
#include "platform/text/parse.h"
#include "shell/rainfall_coefficients.h"

namespace gw::design {

namespace {

// Pattern of the arrival times passed to the intensity.
constexpr const char* kArrivalPattern = "0.00";

// The largest storm frequency the program takes (a 16-bit whole number).
constexpr double kMaxFrequency = 32767;

// The coefficients as the last lookup left them.
rational::IdfCoefficients loaded_coefficients(const shell::SharedState& v) {
  rational::IdfCoefficients c;
  c.legacy = v.project.legacy_project;
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

// The intensity at tc with the loaded coefficients, as text in number_format. An empty tc
// becomes "5.0" first. Fails with a message naming the time, never with the bare failure of
// the arithmetic.
std::string intensity_text(const shell::SharedState& v, std::string& tc) {
  if (tc.empty()) tc = "5.0";
  std::optional<double> t = text::try_number(tc);
  if (!t) throw gw::Error("The time of concentration \"" + tc + "\" is not a number.");
  if (*t < 0) throw gw::Error("Time of concentration must be greater than zero.");
  rational::IdfCoefficients c;
  try {
    c = loaded_coefficients(v);
  } catch (const std::exception&) {
    throw gw::Error("The rainfall coefficients are not numbers.");
  }
  try {
    double i = rational::rainfall_intensity(c, *t, v.units().metric());
    return text::format(i, v.handover.number_format);
  } catch (const std::exception&) {
    throw gw::Error("The rainfall intensity cannot be computed at a time of concentration of " + tc +
                    " min.");
  }
}

db::Recordset& open_pipe_list(const std::shared_ptr<db::Recordset>& list) {
  if (!list || !list->is_open()) throw gw::Error("The list of saved pipes is not open.");
  return *list;
}

}  // namespace

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

bool frmpipemain::storm_frequency(int& years) {
  const std::string t = c("pipe_storm_freq").text();
  std::optional<double> f = text::try_number(t);
  if (!f || *f != std::trunc(*f) || std::fabs(*f) > kMaxFrequency) {
    msg("The storm frequency \"" + t + "\" is not a whole number of years.");
    return false;
  }
  years = static_cast<int>(*f);
  return true;
}

bool frmpipemain::load_storm_coefficients() {
  int years = 0;
  if (!storm_frequency(years)) return false;
  // A failed lookup has shown why and left no coefficients to compute with.
  return shell::get_rainfall_coefficients(prog, years);
}

bool frmpipemain::show_pipe_intensity(std::string& tc) {
  try {
    c("pipe_I").set_text(intensity_text(vars(), tc));
    return true;
  } catch (const std::exception& e) {
    msg(e.what());
    return false;
  }
}

void frmpipemain::get_upstream_discharges() {
  shell::SharedState& v = vars();
  const std::array<std::string*, 4> q = {&v.discharge.upstream_q1, &v.discharge.upstream_q2,
                                         &v.discharge.upstream_q3, &v.discharge.upstream_q4};
  for (std::string* s : q) *s = "0.0";
  text::to_number(c("pipe_cf").text());  // Cf must read as a number
  db::Recordset& list = open_pipe_list(prepipeRS);
  const int slots = v.project.legacy_project ? 3 : 4;
  for (int n = 1; n <= slots; ++n) {
    const std::string number = c("prenode" + std::to_string(n)).text();
    if (number.empty()) continue;
    // A number that names no saved pipe was refused when its row was left (and Save
    // refuses it); here it counts 0, without telling it again at every recompute.
    list.move_first();
    if (!list.find("PIPE_NUMBER", number)) continue;
    std::string d = list.field("PIPE_DISCHARGE");
    *q[static_cast<size_t>(n - 1)] = d.empty() ? "0.0" : d;
  }
  list.move_first();
}

bool frmpipemain::discharge_times_ok() {
  // Every time the intensity and the time ratios divide by must be a positive number.
  auto positive = [this](const char* name, const char* what) {
    std::optional<double> t = text::try_number(c(name).text());
    if (t && *t > 0) return true;
    msg(what);
    return false;
  };
  return positive("structure_Tc", "Time of concentration must be greater than zero.") &&
         positive("accumulated_Tc", "Accumulated Tc must be greater than zero.");
}

void frmpipemain::set_entered_discharge() {
  Control& entered = c("structure_discharge");
  const std::optional<double> lateral = text::try_number(c("lateral_discharge").text());
  if (!lateral || *lateral == 0) {
    c("pipe_discharge").set_text(entered.text());
    return;
  }
  const std::optional<double> q = text::try_number(entered.text());
  c("pipe_discharge")
      .set_text(q ? text::format(*q + *lateral, vars().handover.number_format) : entered.text());
}

void frmpipemain::compute_pipe_discharge() {
  // An entered discharge is the design discharge: nothing of the rational method applies.
  if (c("dischargeval").text() == "INP") {
    set_entered_discharge();
    return;
  }
  shell::SharedState& v = vars();
  for (const char* name : {"accumulated_ca", "pipe_I", "lateral_discharge"})
    if (c(name).text().empty()) c(name).set_text("0.00");
  if (c("pipe_cf").text().empty()) c("pipe_cf").set_text("1.00");

  // Every input read as a number, a text that is none named by its field.
  rational::DischargeInputs in;
  try {
    auto number = [this](const std::string& name, const std::string& field) {
      std::optional<double> x = text::try_number(c(name).text());
      if (!x) throw gw::Error(field + " \"" + c(name).text() + "\" is not a number.");
      return *x;
    };
    in.cf = number("pipe_cf", "The frequency factor");
    in.accumulated_ca = number("accumulated_ca", "The accumulated C * A");
    in.pipe_intensity = number("pipe_I", "The intensity");
    in.lateral_discharge = number("lateral_discharge", "The lateral discharge");
    in.structure_ca = number("structure_ca", "The structure's C * A");
    const int slots = v.project.legacy_project ? 3 : 4;
    for (int n = 1; n <= slots; ++n) {
      const std::string k = std::to_string(n);
      rational::UpstreamSlot& s = in.upstream[static_cast<size_t>(n - 1)];
      s.ca = number("preca" + k, "The C*A of previous pipe " + k);
      s.tc = number("preTc" + k, "The Tc of previous pipe " + k);
      s.flow_time = number("preflowtime" + k, "The flow time of previous pipe " + k);
    }
  } catch (const std::exception& e) {
    msg(e.what());
    return;
  }
  if (!discharge_times_ok()) return;
  in.structure_tc = text::to_number(c("structure_Tc").text());
  in.accumulated_tc = text::to_number(c("accumulated_Tc").text());
  in.divisor = v.units().rational_divisor;

  // The intensities of this pipe, for its storm, at its structure's Tc and at each upstream
  // pipe's arrival: computed here, never taken over from an earlier computation.
  if (!load_storm_coefficients()) return;
  const std::array<std::string*, 4> i = {&v.discharge.upstream_intensity1, &v.discharge.upstream_intensity2,
                                         &v.discharge.upstream_intensity3, &v.discharge.upstream_intensity4};
  try {
    std::string tc = c("structure_Tc").text();
    v.discharge.structure_intensity = intensity_text(v, tc);
    in.structure_intensity = text::to_number(v.discharge.structure_intensity);
    // All four slots, as "Compute Intensity" always did: an unused one arrives at 0.00 min.
    for (int n = 1; n <= 4; ++n) {
      rational::UpstreamSlot& s = in.upstream[static_cast<size_t>(n - 1)];
      std::string arrival = text::format(rational::arrival_time(s.tc, s.flow_time), kArrivalPattern);
      *i[static_cast<size_t>(n - 1)] = intensity_text(v, arrival);
      s.intensity = text::to_number(*i[static_cast<size_t>(n - 1)]);
    }
    get_upstream_discharges();
    const int slots = v.project.legacy_project ? 3 : 4;
    const std::array<const std::string*, 4> q = {&v.discharge.upstream_q1, &v.discharge.upstream_q2,
                                                 &v.discharge.upstream_q3, &v.discharge.upstream_q4};
    for (int n = 1; n <= slots; ++n) {
      const std::string& d = *q[static_cast<size_t>(n - 1)];
      std::optional<double> x = text::try_number(d);
      if (!x)
        throw gw::Error("The design discharge \"" + d + "\" of previous pipe " + std::to_string(n) +
                        " is not a number.");
      in.upstream[static_cast<size_t>(n - 1)].discharge = *x;
    }
  } catch (const std::exception& e) {
    msg(e.what());
    return;
  }
  try {
    c("pipe_discharge").set_text(text::format(rational::design_discharge(in), v.handover.number_format));
  } catch (const std::exception&) {
    msg("The design discharge is too large to compute. Check the C * A, the intensity and the previous "
        "pipes.");
  }
}

bool frmpipemain::recompute_pipe_intensity() {
  // pipe_I at the governing Tc of this pipe's storm, then the discharge with every
  // intensity of that storm.
  if (!discharge_times_ok()) return false;
  if (!load_storm_coefficients()) return false;
  std::string governing = c("accumulated_Tc").text();
  if (!show_pipe_intensity(governing)) return false;
  compute_pipe_discharge();
  return true;
}

void frmpipemain::cmd_accIntensity_Click() { recompute_pipe_intensity(); }

void frmpipemain::pipe_storm_freq_Click() {
  if (std::optional<std::string> cf = rational::frequency_factor_text(c("pipe_storm_freq").text()))
    c("pipe_cf").set_text(*cf);
  storm_freq_applied = c("pipe_storm_freq").text();
  // Every intensity the discharge uses follows the new storm, not only pipe_I: a discharge
  // mixing the intensities of two storms would be neither storm's.
  recompute_pipe_intensity();
}

void frmpipemain::pipe_storm_freq_Change() {
  // The factor follows the storm however it changes, before anything is computed with it.
  if (bound_ && binding_.refilling()) return;
  if (std::optional<std::string> cf = rational::frequency_factor_text(c("pipe_storm_freq").text()))
    c("pipe_cf").set_text(*cf);
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
