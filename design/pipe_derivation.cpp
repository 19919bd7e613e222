// Every value the pipe design window derives from its inputs: slope, accumulation, Cf, intensities,
// discharge.
#include "design/pipe_derivation.h"

#include <cmath>
#include <vector>

#include "platform/error/error.h"
#include "platform/text/format.h"
#include "platform/text/general.h"
#include "platform/text/parse.h"

namespace gw::design {

namespace {

// Pattern of the arrival times the row intensities are computed at.
constexpr const char* kArrivalPattern = "0.00";

// The structure's Tc when its field is empty (minutes).
constexpr double kDefaultTc = 5.0;

// A field read as a number: an empty text gives `empty`, any other text that is none fails
// naming the field.
double read(const std::string& text, double empty, const std::string& field) {
  if (text.empty()) return empty;
  std::optional<double> x = text::try_number(text);
  if (!x) throw gw::Error(field + " \"" + text + "\" is not a number.");
  return *x;
}

// The intensity at t minutes as the window shows it, and the number that text reads.
std::string intensity_at(const rational::IdfCoefficients& c, double t, bool metric,
                         const std::string& pattern) {
  try {
    return text::format(rational::rainfall_intensity(c, t, metric), pattern);
  } catch (const std::exception&) {
    throw gw::Error("The rainfall intensity cannot be computed at a time of concentration of " +
                    text::general(t) + " min.");
  }
}

// The structure's Tc below which the minimum is taken (minutes).
constexpr double kMinimumTc = 5.0;

// A field's text read as a number, failing with the field's name.
double number_of_field(const std::string& text, const std::string& field) {
  std::optional<double> x = text::try_number(text);
  if (!x) throw gw::Error(field + " \"" + text + "\" is not a number.");
  return *x;
}

}  // namespace

std::string structure_tc_rule(const std::string& text, const std::string& pattern) {
  if (text.empty() || text == ".") return text::format(kDefaultTc, pattern);
  const double t = number_of_field(text, "The time of concentration");
  return text::format(t < kMinimumTc ? kMinimumTc : t, pattern);
}

std::string discharge_rule(const std::string& text, const std::string& pattern, const std::string& field) {
  if (text.empty()) return text::format(0.0, pattern);
  return text::format(number_of_field(text, field), pattern);
}

bool tc_calculator_inputs_stored(const std::string& tc_options) {
  return !tc_options.empty() && tc_options != "0,0,0,0,0";
}

std::string upstream_record_problem(const std::string& pipe, const std::string& ca, const std::string& tc,
                                    const std::string& flow_time, const std::string& discharge) {
  std::vector<std::string> bad;
  auto check = [&bad](const std::string& text, const char* what) {
    if (!text.empty() && !text::is_numeric(text)) bad.push_back(std::string(what) + " \"" + text + "\"");
  };
  check(ca, "accumulated C * A");
  check(tc, "accumulated Tc");
  check(flow_time, "flow time");
  check(discharge, "design discharge");
  if (bad.empty()) return {};
  std::string list;
  for (size_t i = 0; i < bad.size(); ++i)
    list += (i == 0 ? "the " : i + 1 == bad.size() ? " and the " : ", the ") + bad[i];
  list[0] = 'T';
  return list + " of pipe " + pipe + (bad.size() == 1 ? " is not a number." : " are not numbers.") +
         " The pipe is linked, but its flow cannot be added until that pipe is solved and saved again.";
}

PipeDerived derive_pipe_values(const PipeInputs& in) {
  PipeDerived out;
  out.slope = compute_pipe_slope(in.length, in.elein, in.eleout);
  if (out.slope.status == SlopeStatus::input_error) out.slope.text.clear();
  out.tc_computed = tc_calculator_inputs_stored(in.tc_options);

  const bool computed = in.mode == "CRM";
  const int slots = in.legacy ? 3 : 4;
  std::string failure;

  // Accumulation: needs no rainfall, and is derived in either mode.
  double structure_tc = 0;
  double structure_ca = 0;
  double accumulated_tc = 0;
  std::array<rational::UpstreamSlot, 4> rows{};
  bool accumulated = false;
  try {
    out.ruled.structure_tc = structure_tc_rule(in.structure_tc, in.number_format);
    structure_tc = text::to_number(out.ruled.structure_tc);
    structure_ca = read(in.structure_ca, 0, "The structure's C * A");
    std::array<double, 4> arrival{};
    std::array<double, 4> ca{};
    for (int n = 0; n < slots; ++n) {
      const UpstreamRowInput& r = in.rows[static_cast<size_t>(n)];
      const std::string k = std::to_string(n + 1);
      if (!r.entered)
        throw gw::Error(r.pipe.empty()
                            ? "Previous pipe " + k +
                                  " has been emptied, but its values are still there: leave its row "
                                  "to clear them."
                            : "Previous pipe " + k + " names pipe " + r.pipe +
                                  ", whose values have not been loaded: leave its row to load them.");
      rational::UpstreamSlot& s = rows[static_cast<size_t>(n)];
      s.ca = read(r.ca, 0, "The C*A of previous pipe " + k);
      s.tc = read(r.tc, 0, "The Tc of previous pipe " + k);
      s.flow_time = read(r.flow_time, 0, "The flow time of previous pipe " + k);
      arrival[static_cast<size_t>(n)] = rational::arrival_time(s.tc, s.flow_time);
      ca[static_cast<size_t>(n)] = s.ca;
    }
    try {
      accumulated_tc = rational::accumulated_tc(structure_tc, arrival);
      out.accumulated_tc = text::format(accumulated_tc, in.number_format);
      out.accumulated_ca = text::general(rational::accumulated_ca(structure_ca, ca, in.legacy));
    } catch (const std::exception&) {
      throw gw::Error(
          "The accumulated Tc and C * A are too large to compute. Check the structure and the previous "
          "pipes.");
    }
    accumulated = true;
  } catch (const std::exception& e) {
    failure = e.what();
  }

  if (!computed) {
    // Only what the mode shows counts: the entered discharge as its leave rule makes it.
    out.ruled.structure_tc.clear();
    try {
      out.ruled.structure_discharge = discharge_rule(in.structure_discharge, in.number_format, "The entered discharge");
      out.discharge = out.ruled.structure_discharge;
    } catch (const std::exception& e) {
      failure = e.what();
    }
    out.failure = failure;
    return out;
  }

  // The computed mode: every value of the storm, or none of them.
  out.work_values = true;
  out.cf = std::string();
  out.intensity = in.typed_intensity ? *in.typed_intensity : std::string();
  for (std::string& q : out.upstream_q) q = "0.0";
  if (!accumulated) {
    out.failure = failure;
    return out;
  }
  try {
    rational::DischargeInputs d;
    out.ruled.lateral_discharge = discharge_rule(in.lateral_discharge, in.number_format, "The lateral discharge");
    d.lateral_discharge = text::to_number(out.ruled.lateral_discharge);

    const std::optional<std::string> cf = rational::frequency_factor_text(in.storm_frequency);
    if (!cf) {
      const std::optional<double> f = text::try_number(in.storm_frequency);
      if (!f || *f != std::trunc(*f))
        throw gw::Error("The storm frequency \"" + in.storm_frequency + "\" is not a whole number of years.");
      throw gw::Error(
          "The storm frequency \"" + in.storm_frequency +
          "\" has no frequency factor: the storm frequencies are 2, 5, 10, 25, 50 and 100 years.");
    }
    out.cf = *cf;
    d.cf = text::to_number(*cf);

    // Every row's stored discharge, named when it is no number.
    for (int n = 0; n < slots; ++n) {
      const UpstreamRowInput& r = in.rows[static_cast<size_t>(n)];
      if (r.pipe.empty() || r.discharge.empty()) continue;
      out.upstream_q[static_cast<size_t>(n)] = r.discharge;
      std::optional<double> q = text::try_number(r.discharge);
      if (!q)
        throw gw::Error("The design discharge \"" + r.discharge + "\" of previous pipe " +
                        std::to_string(n + 1) + " is not a number.");
      rows[static_cast<size_t>(n)].discharge = *q;
    }

    if (in.typed_intensity) {
      const std::string& typed = *in.typed_intensity;
      out.ruled.intensity =
          typed.empty() ? typed : text::format(number_of_field(typed, "The intensity"), in.number_format);
      d.pipe_intensity = read(out.ruled.intensity, 0, "The intensity");
    }
    if (structure_tc <= 0) throw gw::Error("Time of concentration must be greater than zero.");
    if (text::to_number(out.accumulated_tc) <= 0)
      throw gw::Error("Accumulated Tc must be greater than zero.");
    if (!in.coefficients) throw gw::Error(in.coefficients_error);
    const rational::IdfCoefficients& c = *in.coefficients;

    // The intensities this pipe's discharge is computed with, for its storm, read back from
    // their shown texts as the engineer sees them.
    if (!in.typed_intensity) {
      out.intensity = intensity_at(c, text::to_number(out.accumulated_tc), in.metric, in.number_format);
      d.pipe_intensity = text::to_number(*out.intensity);
    }
    out.structure_intensity = intensity_at(c, structure_tc, in.metric, in.number_format);
    d.structure_intensity = text::to_number(out.structure_intensity);
    // All four slots: an unused one arrives at 0.00 min.
    for (int n = 0; n < 4; ++n) {
      rational::UpstreamSlot& s = rows[static_cast<size_t>(n)];
      const double arrival =
          text::to_number(text::format(rational::arrival_time(s.tc, s.flow_time), kArrivalPattern));
      out.upstream_intensity[static_cast<size_t>(n)] = intensity_at(c, arrival, in.metric, in.number_format);
      s.intensity = text::to_number(out.upstream_intensity[static_cast<size_t>(n)]);
    }

    d.accumulated_ca = text::to_number(out.accumulated_ca);
    d.structure_ca = structure_ca;
    d.structure_tc = structure_tc;
    d.accumulated_tc = text::to_number(out.accumulated_tc);
    d.divisor = in.divisor;
    d.upstream = rows;
    try {
      out.discharge = text::format(rational::design_discharge(d), in.number_format);
    } catch (const std::exception&) {
      throw gw::Error(
          "The design discharge is too large to compute. Check the C * A, the intensity and the previous "
          "pipes.");
    }
  } catch (const std::exception& e) {
    out.failure = e.what();
    out.discharge.clear();
  }
  return out;
}

}  // namespace gw::design
