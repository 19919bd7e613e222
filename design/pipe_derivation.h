// Every value the pipe design window derives from its inputs: slope, accumulation, Cf, intensities,
// discharge.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "design/pipe_slope.h"
#include "design/rational_method.h"

namespace gw::design {

// One upstream-pipe row as the window holds it: the upstream pipe's number and the three
// values copied from it when the row was entered, plus that pipe's stored design discharge
// (empty when it has none or is not saved). `entered` is false while the number shown is
// not the one the values were copied for (a number pasted or dropped into the row, not yet
// left): the row's values then belong to another pipe.
struct UpstreamRowInput {
  std::string pipe;
  std::string ca;
  std::string tc;
  std::string flow_time;
  std::string discharge;
  bool entered = true;
};

// The inputs of the window as their field texts (the derivation reads them as numbers and
// names the field whose text is none).
struct PipeInputs {
  bool legacy = false;  // three upstream rows instead of four
  bool metric = false;
  double divisor = 1;                   // the rational divisor of the unit system
  std::string number_format = "0.000";  // the pattern of the shown values

  // Slope.
  std::string length;
  std::string elein;
  std::string eleout;

  // Flow: the discharge mode ("CRM" computed, anything else entered) and its inputs.
  std::string mode;
  std::string structure_discharge;
  std::string lateral_discharge;
  std::string structure_tc;
  std::string structure_ca;
  std::string storm_frequency;
  std::array<UpstreamRowInput, 4> rows;
  // The intensity the engineer typed, while it is theirs; nullopt: the program computes it.
  std::optional<std::string> typed_intensity;
  // The rainfall coefficients of the storm, or why there are none.
  std::optional<rational::IdfCoefficients> coefficients;
  std::string coefficients_error;
  // The Tc calculator's stored switches (PTcoptionstr).
  std::string tc_options;
};

// The texts of the input fields that take part in the discharge, as their leave rules make
// them (the structure's Tc with its minimum, the lateral and entered discharges, a typed
// intensity, each with the number format): the derivation computes with these, and SOLVE
// writes them into their fields, so that a text pasted or dropped counts as a typed one.
// Empty: the field does not take part in the mode, or its text cannot be ruled (named in
// `failure`).
struct RuledInputs {
  std::string structure_tc;
  std::string lateral_discharge;
  std::string structure_discharge;
  std::string intensity;
};

// Everything derived. Texts are written into the fields as they stand; an empty text is a
// value that cannot be derived from the inputs now.
struct PipeDerived {
  SlopeResult slope;

  std::string accumulated_tc;
  std::string accumulated_ca;
  // Computed mode only (nullopt in the entered mode: the field is left as the mode set it).
  std::optional<std::string> cf;
  std::optional<std::string> intensity;  // pipe_I, when the program's
  // The work values: intensities at the structure's Tc and at each row's arrival, and the
  // rows' stored discharges (computed mode only; empty when they cannot be computed).
  std::string structure_intensity;
  std::array<std::string, 4> upstream_intensity;
  std::array<std::string, 4> upstream_q;
  bool work_values = false;  // whether the four lines above were derived (computed mode)

  std::string discharge;     // pipe_discharge
  bool tc_computed = false;  // Check_ComputeTc
  RuledInputs ruled;

  // The first value that cannot be derived, in words naming the field; empty when none.
  std::string failure;
};

// Takes the window's inputs. Gives every derived value:
// - the slope of compute_pipe_slope (its input error gives the empty text);
// - the accumulated Tc (the latest of the structure's Tc and the rows' arrivals, with the
//   number format) and C*A (general text), in either mode;
// - in the computed mode, Cf of the storm, the intensity at the accumulated Tc (unless the
//   engineer typed one), the intensities at the structure's Tc and each row's arrival (time
//   rounded to 0.01 min), and the design discharge of the rational method;
// - in the entered mode, the entered discharge alone: the mode hides the lateral discharge;
// - whether Tc calculator inputs are stored (switches stored and not all off).
// Each input field counts as its leave rule makes it (RuledInputs): a structure Tc empty, a
// lone point or below 5 min counts 5.0 min, a lateral discharge 0.1234567 counts 0.123 with
// "0.000"; an empty C*A or row value counts 0.
// A text that is not a number, a storm without a factor, missing coefficients or a time that
// is not positive empties what depends on it and is named in `failure`, in either mode.
PipeDerived derive_pipe_values(const PipeInputs& in);

// The leave rules of the flow fields, as texts. Each throws gw::Error naming the field when
// the text is not a number (a number beyond the double range included).
// The structure's Tc: empty or a lone decimal point gives "5.0", a Tc below 5 min too; then
// the pattern ("3" gives "5.000", "12.5" gives "12.500" with "0.000").
std::string structure_tc_rule(const std::string& text, const std::string& pattern);
// A discharge field (`field`: its name as a message gives it): empty gives "0.0"; then the
// pattern ("0.1234567" gives "0.123").
std::string discharge_rule(const std::string& text, const std::string& pattern, const std::string& field);

// Takes an upstream pipe's number and its stored ACCUMULATED_CA, ACCUMULATED_TC, FLOW_TIME
// and PIPE_DISCHARGE. Gives one sentence naming the pipe and each value that is neither empty
// nor a number; empty when all read.
std::string upstream_record_problem(const std::string& pipe, const std::string& ca, const std::string& tc,
                                    const std::string& flow_time, const std::string& discharge);

// Takes the Tc calculator's stored switches. Gives whether its inputs are stored: the list is
// not empty and not every switch is off.
bool tc_calculator_inputs_stored(const std::string& tc_options);

}  // namespace gw::design
