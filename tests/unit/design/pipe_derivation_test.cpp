// Tests of the pipe design window's derivation: every derived value from the inputs, by table of cases.
#include "design/pipe_derivation.h"

#include <gtest/gtest.h>

#include <string>

namespace gw::design {
namespace {

// Station coefficients of the tests (i = B / (Tc + D)^E): a 10-year and a 2-year storm.
const rational::IdfCoefficients kTenYear{false, 0, 67.9, 9.2, 0.776};
const rational::IdfCoefficients kTwoYear{false, 0, 49.9, 8.0, 0.752};

// A computed pipe at a structure with C*A `ca` and Tc `tc`, 10-year storm, no rows.
PipeInputs computed_pipe(const std::string& ca, const std::string& tc) {
  PipeInputs in;
  in.mode = "CRM";
  in.structure_ca = ca;
  in.structure_tc = tc;
  in.lateral_discharge = "0.0";
  in.storm_frequency = "10";
  in.coefficients = kTenYear;
  for (UpstreamRowInput& r : in.rows) r = {"", "0.0", "0.0", "0.0", ""};
  return in;
}

TEST(PipeDerivation, ComputedPipeFollowsItsInputs) {
  struct Case {
    const char* what;
    PipeInputs in;
    const char* acc_tc;
    const char* acc_ca;
    const char* cf;
    const char* intensity;
    const char* discharge;
  };
  PipeInputs tc15 = computed_pipe("1.095", "15");
  PipeInputs typed = computed_pipe("1.095", "5.0");
  typed.typed_intensity = "12";
  PipeInputs storm25 = computed_pipe("1.0", "10.0");
  storm25.storm_frequency = "25";
  storm25.coefficients = rational::IdfCoefficients{false, 0, 76.9, 9.8, 0.788};
  // Upstream pipe: C*A 0.5, Tc 11.0, 90 s, discharge 4.0; it arrives at 12.5 min.
  storm25.rows[0] = {"7", "0.5", "11.0", "90", "4.0"};
  PipeInputs lateral = computed_pipe("1.095", "5.0");
  lateral.lateral_discharge = "1";
  PipeInputs blank_tc = computed_pipe("1.095", "");
  PipeInputs legacy = computed_pipe("1", "5.0");
  legacy.legacy = true;
  legacy.coefficients = rational::IdfCoefficients{true, 120, 15, 0, 0};
  legacy.rows[3] = {"9", "5.0", "60.0", "0", "100"};  // a fourth row counts nowhere
  PipeInputs metric = computed_pipe("0.5", "5.0");
  metric.metric = true;
  metric.divisor = 360;
  metric.number_format = "0.0000";
  metric.storm_frequency = "2";
  metric.coefficients = kTwoYear;
  const Case cases[] = {
      // 67.9 / 14.2^0.776 = 8.664; 1.095 x 8.664 = 9.487.
      {"10-year at 5 min", computed_pipe("1.095", "5.0"), "5.000", "1.095", "1.0", "8.664", "9.487"},
      // At 15 min: 67.9 / 24.2^0.776 = 5.728; 1.095 x 5.728 = 6.272.
      {"Tc 15", tc15, "15.000", "1.095", "1.0", "5.728", "6.272"},
      // The engineer's 12 is kept: 1.095 x 12 = 13.140.
      {"typed intensity", typed, "5.000", "1.095", "1.0", "12", "13.140"},
      // Governing Tc 12.5; 76.9 / 22.3^0.788 = 6.660; own flow 1.5 x 6.660 x 1.1 = 10.989;
      // the peak at the row's arrival, 4.0 + 1.0 x 6.660 x round3(12.5 x 1.1 / 12.5) = 11.326,
      // beats the structure's 1.0 x 7.314 x 1.1 + 0.5 x 7.314 x 0.88 = 11.264.
      {"upstream row", storm25, "12.500", "1.5", "1.1", "6.660", "11.326"},
      {"lateral", lateral, "5.000", "1.095", "1.0", "8.664", "10.487"},
      {"empty structure Tc counts 5", blank_tc, "5.000", "1.095", "1.0", "8.664", "9.487"},
      // 120 / (5 + 15) = 6.000.
      {"legacy", legacy, "5.000", "1", "1.0", "6.000", "6.000"},
      // 49.9 / 13^0.752 x 25.4 = 184.1827 mm/hr; 0.5 x 184.1827 / 360 = 0.2558 cms.
      {"metric", metric, "5.0000", "0.5", "1.0", "184.1827", "0.2558"},
  };
  for (const Case& c : cases) {
    const PipeDerived d = derive_pipe_values(c.in);
    EXPECT_EQ(d.failure, "") << c.what;
    EXPECT_EQ(d.accumulated_tc, c.acc_tc) << c.what;
    EXPECT_EQ(d.accumulated_ca, c.acc_ca) << c.what;
    EXPECT_EQ(d.cf.value_or("-"), c.cf) << c.what;
    EXPECT_EQ(d.intensity.value_or("-"), c.intensity) << c.what;
    EXPECT_EQ(d.discharge, c.discharge) << c.what;
  }
}

TEST(PipeDerivation, WhatCannotBeDerivedIsEmptiedAndNamed) {
  struct Case {
    const char* what;
    PipeInputs in;
    const char* acc_tc;
    const char* cf;
    std::string failure;
  };
  PipeInputs no_coefficients = computed_pipe("1.095", "5.0");
  no_coefficients.coefficients.reset();
  no_coefficients.coefficients_error = "The 10-year coefficients are missing.";
  PipeInputs storm7 = computed_pipe("1.095", "5.0");
  storm7.storm_frequency = "7";
  PipeInputs bad_row = computed_pipe("1.095", "5.0");
  bad_row.rows[1] = {"7", "n/a", "5.0", "30", "2.0"};
  PipeInputs bad_discharge = computed_pipe("1.095", "5.0");
  bad_discharge.rows[0] = {"7", "0.5", "5.0", "30", "x"};
  PipeInputs not_entered = computed_pipe("1.095", "5.0");
  not_entered.rows[0] = {"7", "0.5", "5.0", "30", "2.0", false};  // values of another pipe
  PipeInputs huge_tc = computed_pipe("1.095", "1" + std::string(309, '0'));
  PipeInputs bad_lateral = computed_pipe("1.095", "5.0");
  bad_lateral.lateral_discharge = "x";
  PipeInputs bad_ca = computed_pipe("n/a", "5.0");
  const Case cases[] = {
      // The accumulation needs no rainfall; Cf is the storm's; nothing of the rainfall is kept.
      {"lookup failed", no_coefficients, "5.000", "1.0", "The 10-year coefficients are missing."},
      {"storm without factor", storm7, "5.000", "",
       "The storm frequency \"7\" has no frequency factor: the storm frequencies are 2, 5, 10, 25, 50 and "
       "100 years."},
      {"row C*A no number", bad_row, "", "", "The C*A of previous pipe 2 \"n/a\" is not a number."},
      {"row discharge no number", bad_discharge, "5.500", "1.0",
       "The design discharge \"x\" of previous pipe 1 is not a number."},
      {"row not entered", not_entered, "", "",
       "Previous pipe 1 names pipe 7, whose values have not been loaded: leave its row to load them."},
      // Beyond the double range: no minimum, no default, a failure naming the field.
      {"structure Tc too large", huge_tc, "", "",
       "The time of concentration \"1" + std::string(309, '0') + "\" is not a number."},
      {"lateral no number", bad_lateral, "5.000", "", "The lateral discharge \"x\" is not a number."},
      {"structure C*A no number", bad_ca, "", "", "The structure's C * A \"n/a\" is not a number."},
  };
  for (const Case& c : cases) {
    const PipeDerived d = derive_pipe_values(c.in);
    EXPECT_EQ(d.failure, c.failure) << c.what;
    EXPECT_EQ(d.accumulated_tc, c.acc_tc) << c.what;
    EXPECT_EQ(d.cf.value_or("-"), c.cf) << c.what;
    EXPECT_EQ(d.intensity.value_or("-"), "") << c.what;
    EXPECT_EQ(d.discharge, "") << c.what;
    EXPECT_EQ(d.structure_intensity, "") << c.what;
  }
}

TEST(PipeDerivation, EnteredDischargeAndSlope) {
  PipeInputs in;
  in.mode = "INP";
  in.structure_discharge = "12.5";
  in.lateral_discharge = "0.0";
  in.length = "200";
  in.elein = "100.5";
  in.eleout = "99.5";
  PipeDerived d = derive_pipe_values(in);
  EXPECT_EQ(d.discharge, "12.500");  // as leaving the field writes it
  EXPECT_EQ(d.failure, "");
  EXPECT_FALSE(d.cf.has_value());
  EXPECT_FALSE(d.intensity.has_value());
  EXPECT_EQ(d.accumulated_tc, "5.000");
  EXPECT_EQ(d.slope.text, "0.00500");
  // The mode hides the lateral discharge: a stored one adds nothing, and one that is no
  // number stops nothing.
  for (const char* lateral : {"0.5", "x"}) {
    in.lateral_discharge = lateral;
    EXPECT_EQ(derive_pipe_values(in).discharge, "12.500") << lateral;
    EXPECT_EQ(derive_pipe_values(in).failure, "") << lateral;
  }
  // What cannot be read is named, as in the computed mode; empty counts 0.
  in.structure_discharge = "abc";
  d = derive_pipe_values(in);
  EXPECT_EQ(d.discharge, "");
  EXPECT_EQ(d.failure, "The entered discharge \"abc\" is not a number.");
  in.structure_discharge = "";
  EXPECT_EQ(derive_pipe_values(in).discharge, "0.000");

  const struct {
    const char *length, *in, *out, *slope;
    SlopeStatus status;
  } slopes[] = {
      {"200", "100.5", "99.5", "0.00500", SlopeStatus::computed},
      {"", "100.5", "99.5", "0.0", SlopeStatus::blank},
      {"100", "1400", "1496.25", "0.0", SlopeStatus::wrong_order},
      {"0", "100.5", "99.5", "", SlopeStatus::input_error},  // no slope kept from before
      {"100", "-", "99.5", "", SlopeStatus::input_error},
  };
  for (const auto& s : slopes) {
    in.length = s.length;
    in.elein = s.in;
    in.eleout = s.out;
    d = derive_pipe_values(in);
    EXPECT_EQ(d.slope.text, s.slope) << s.length << " " << s.in << " " << s.out;
    EXPECT_EQ(d.slope.status, s.status) << s.length << " " << s.in << " " << s.out;
  }
}

// A pasted or dropped text counts as the same text typed and left: the Tc minimum and the
// formatting of the leave rules are part of the derivation.
TEST(PipeDerivation, FieldRulesCountWhateverRouteTheTextCameBy) {
  struct Case {
    const char* what;
    const char* tc;
    const char* lateral;
    const char* typed_intensity;  // nullptr: the program's
    const char* ruled_tc;
    const char* ruled_lateral;
    const char* acc_tc;
    const char* discharge;
  };
  const Case cases[] = {
      // Tc 3 takes the minimum: i10(5) = 8.664 and 1.095 x 8.664 = 9.487 (not 10.673 at 3 min).
      {"Tc below the minimum", "3", "0.0", nullptr, "5.000", "0.000", "5.000", "9.487"},
      {"lone point", ".", "0.0", nullptr, "5.000", "0.000", "5.000", "9.487"},
      {"5 itself", "5", "", nullptr, "5.000", "0.000", "5.000", "9.487"},
      // The lateral counts as shown with three decimals: 9.487 + 0.123 = 9.610.
      {"lateral of seven decimals", "5.0", "0.1234567", nullptr, "5.000", "0.123", "5.000", "9.610"},
      // A typed intensity with four decimals counts as shown: 1.095 x 12.000 = 13.140.
      {"typed intensity", "5.0", "0.0", "12.0004", "5.000", "0.000", "5.000", "13.140"},
  };
  for (const Case& c : cases) {
    PipeInputs in = computed_pipe("1.095", c.tc);
    in.lateral_discharge = c.lateral;
    if (c.typed_intensity) in.typed_intensity = c.typed_intensity;
    const PipeDerived d = derive_pipe_values(in);
    EXPECT_EQ(d.failure, "") << c.what;
    EXPECT_EQ(d.ruled.structure_tc, c.ruled_tc) << c.what;
    EXPECT_EQ(d.ruled.lateral_discharge, c.ruled_lateral) << c.what;
    EXPECT_EQ(d.accumulated_tc, c.acc_tc) << c.what;
    EXPECT_EQ(d.discharge, c.discharge) << c.what;
    if (c.typed_intensity) {
      EXPECT_EQ(d.ruled.intensity, "12.000") << c.what;
    }
  }
  EXPECT_EQ(structure_tc_rule("12.5", "0.0000"), "12.5000");
  EXPECT_EQ(discharge_rule("", "0.000", "The lateral discharge"), "0.000");
  EXPECT_THROW(discharge_rule(".", "0.000", "The lateral discharge"), std::exception);
}

TEST(PipeDerivation, TcCalculatorInputsAndUpstreamRecords) {
  EXPECT_FALSE(tc_calculator_inputs_stored(""));
  EXPECT_FALSE(tc_calculator_inputs_stored("0,0,0,0,0"));
  EXPECT_TRUE(tc_calculator_inputs_stored("0,1,0,0,0"));

  EXPECT_EQ(upstream_record_problem("7", "0.5", "5.0", "", "2.0"), "");
  EXPECT_EQ(
      upstream_record_problem("7", "n/a", "5.0", "30", "2.0"),
      "The accumulated C * A \"n/a\" of pipe 7 is not a number. The pipe is linked, but its flow cannot be "
      "added until that pipe is solved and saved again.");
  EXPECT_EQ(
      upstream_record_problem("P-2", "n/a", "x", "30", "?"),
      "The accumulated C * A \"n/a\", the accumulated Tc \"x\" and the design discharge \"?\" of pipe P-2 "
      "are not numbers. The pipe is linked, but its flow cannot be added until that pipe is solved and "
      "saved again.");
}

}  // namespace
}  // namespace gw::design
