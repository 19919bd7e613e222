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
  c.legacy = v.legacy_project;
  if (c.legacy) {
    c.a = text::to_number(v.idf_a);
    c.b = text::to_number(v.idf_b);
  } else {
    c.b = text::to_number(v.idf_b);
    c.d = text::to_number(v.idf_d);
    c.e = v.idf_e;
  }
  return c;
}

// The intensity at tc with the loaded coefficients, as text in number_format. An empty tc
// becomes "5.0" first.
std::string intensity_text(const shell::SharedState& v, std::string& tc) {
  if (tc.empty()) tc = "5.0";
  double i = rational::rainfall_intensity(loaded_coefficients(v), text::to_number(tc), v.unit_system == "METRIC");
  return text::format(i, v.number_format);
}

// An intensity work value as a number: one never set counts as 0.
double work_value(const std::string& s) { return s.empty() ? 0.0 : text::to_number(s); }

db::Recordset& open_pipe_list(const std::shared_ptr<db::Recordset>& list) {
  if (!list || !list->is_open()) throw gw::Error("The list of saved pipes is not open.");
  return *list;
}

}  // namespace

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

bool frmpipemain::show_pipe_intensity(std::string& tc) {
  try {
    c("pipe_I").set_text(intensity_text(vars(), tc));
    return true;
  } catch (const std::exception& e) {
    msg(e.what());
    return false;
  }
}

bool frmpipemain::compute_intensity(std::string& tc) {
  int years = 0;
  if (!storm_frequency(years)) return false;
  // A failed lookup has shown why and left no coefficients to compute with.
  if (!shell::get_rainfall_coefficients(prog, years)) return false;
  try {
    vars().computed_intensity = intensity_text(vars(), tc);
    return true;
  } catch (const std::exception& e) {
    msg(e.what());
    return false;
  }
}

void frmpipemain::get_upstream_discharges() {
  shell::SharedState& v = vars();
  const std::array<std::string*, 4> q = {&v.upstream_q1, &v.upstream_q2, &v.upstream_q3, &v.upstream_q4};
  for (std::string* s : q) *s = "0.0";
  db::Recordset* list = nullptr;
  try {
    v.pipe_cf_value = text::to_number(c("pipe_cf").text());
    list = &open_pipe_list(prepipeRS);
  } catch (const std::exception& e) {
    msg(e.what());
    return;
  }
  const int slots = v.legacy_project ? 3 : 4;
  for (int n = 1; n <= slots; ++n) {
    const std::string number = c("prenode" + std::to_string(n)).text();
    if (number.empty()) continue;
    // A number missing from the list is reported and counts 0; the other slots are still
    // read, so that their discharges are not lost.
    try {
      list->move_first();
      if (!list->find("PIPE_NUMBER", number)) throw gw::Error("There is no saved pipe numbered " + number + ".");
      std::string d = list->field("PIPE_DISCHARGE");
      *q[static_cast<size_t>(n - 1)] = d.empty() ? "0.0" : d;
    } catch (const std::exception& e) {
      msg(e.what());
    }
  }
}

void frmpipemain::compute_pipe_discharge() {
  if (discharge_blocked_) {
    discharge_blocked_ = false;
    return;
  }
  shell::SharedState& v = vars();
  try {
    for (const char* name : {"accumulated_ca", "pipe_I", "lateral_discharge"})
      if (c(name).text().empty()) c(name).set_text("0.00");
    if (c("pipe_cf").text().empty()) c("pipe_cf").set_text("1.00");
    auto number = [this](const std::string& name) { return text::to_number(c(name).text()); };

    rational::DischargeInputs in;
    in.divisor = rational::rational_divisor(v.unit_system == "METRIC");
    in.cf = number("pipe_cf");
    v.pipe_cf_value = in.cf;
    in.accumulated_ca = number("accumulated_ca");
    in.pipe_intensity = number("pipe_I");
    in.lateral_discharge = number("lateral_discharge");

    get_upstream_discharges();
    in.structure_ca = number("structure_ca");
    in.structure_intensity = work_value(v.structure_intensity);
    in.structure_tc = number("structure_Tc");
    in.accumulated_tc = number("accumulated_Tc");
    const std::array<const std::string*, 4> q = {&v.upstream_q1, &v.upstream_q2, &v.upstream_q3, &v.upstream_q4};
    const std::array<const std::string*, 4> i = {&v.upstream_intensity1, &v.upstream_intensity2,
                                                 &v.upstream_intensity3, &v.upstream_intensity4};
    // A legacy project has three upstream slots; its fourth adds nothing.
    const int slots = v.legacy_project ? 3 : 4;
    for (int n = 1; n <= slots; ++n) {
      const std::string k = std::to_string(n);
      rational::UpstreamSlot& s = in.upstream[static_cast<size_t>(n - 1)];
      s.discharge = text::to_number(*q[static_cast<size_t>(n - 1)]);
      s.ca = number("preca" + k);
      s.tc = number("preTc" + k);
      s.flow_time = number("preflowtime" + k);
      s.intensity = work_value(*i[static_cast<size_t>(n - 1)]);
    }
    c("pipe_discharge").set_text(text::format(rational::design_discharge(in), v.number_format));
  } catch (const std::exception& e) {
    msg(e.what());
  }
}

void frmpipemain::cmd_accIntensity_Click() {
  shell::SharedState& v = vars();
  // compute_intensity reads the storm frequency and looks the coefficients up itself.
  std::string tc = c("structure_Tc").text();
  if (!compute_intensity(tc)) return;
  v.structure_intensity = v.computed_intensity;
  discharge_blocked_ = false;

  // The intensity at each upstream pipe's arrival, for all four slots.
  const std::array<std::string*, 4> i = {&v.upstream_intensity1, &v.upstream_intensity2, &v.upstream_intensity3,
                                         &v.upstream_intensity4};
  for (int n = 1; n <= 4; ++n) {
    const std::string k = std::to_string(n);
    std::string arrival;
    try {
      double t = rational::arrival_time(text::to_number(c("preTc" + k).text()),
                                        text::to_number(c("preflowtime" + k).text()));
      arrival = text::format(t, kArrivalPattern);
    } catch (const std::exception& e) {
      msg(e.what());
      return;
    }
    if (!compute_intensity(arrival)) return;
    *i[static_cast<size_t>(n - 1)] = v.computed_intensity;
  }

  std::string governing = c("accumulated_Tc").text();
  if (!show_pipe_intensity(governing)) return;
  compute_pipe_discharge();
}

void frmpipemain::pipe_storm_freq_Click() {
  if (std::optional<std::string> cf = rational::frequency_factor_text(c("pipe_storm_freq").text()))
    c("pipe_cf").set_text(*cf);
  // Every intensity the discharge uses follows the new storm, not only pipe_I: a discharge
  // mixing the intensities of two storms would be neither storm's.
  cmd_accIntensity_Click();
}

}  // namespace gw::design
