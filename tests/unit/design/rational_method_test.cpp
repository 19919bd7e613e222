// Tests of the rational method: intensity, frequency factor, accumulation, time ratios and design discharge.
#include "design/rational_method.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/error/error.h"
#include "platform/text/format.h"
#include "platform/units/units.h"

namespace gw::design::rational {
namespace {

std::string error_of(auto&& f) {
  try {
    f();
  } catch (const gw::Error& e) {
    return e.what();
  }
  return "no error";
}

TEST(RainfallIntensity, BothFormsInBothUnits) {
  const IdfCoefficients legacy{true, 120, 15, 0, 0};
  const IdfCoefficients station{false, 0, 49.9, 8.0, 0.752};
  const struct {
    IdfCoefficients c;
    double tc;
    bool metric;
    const char* want;  // "0.0000"
  } cases[] = {
      {legacy, 5.0, false, "6.0000"},                                      // 120 / 20
      {legacy, 5.0, true, "152.4000"},                                     // in/hr to mm/hr
      {legacy, 25.0, false, "3.0000"},  {station, 10.0, false, "5.6772"},  // 49.9 / 18^0.752
      {station, 7.0, true, "165.3917"},                                    // 49.9 / 15^0.752 * 25.4
  };
  for (const auto& c : cases)
    EXPECT_EQ(text::format(rainfall_intensity(c.c, c.tc, c.metric), "0.0000"), c.want) << c.tc;
}

TEST(RainfallIntensity, ImpossibleTimesRaiseInsteadOfGivingInfOrNan) {
  EXPECT_EQ(error_of([] { rainfall_intensity({true, 120, -5, 0, 0}, 5, false); }), "Division by zero");
  EXPECT_EQ(error_of([] {
              rainfall_intensity({false, 0, 49.9, -8, 0.75}, 5, false);
            }),
            "Invalid procedure call or argument");
  EXPECT_EQ(error_of([] { rainfall_intensity({false, 0, 49.9, -5, 0.75}, 5, false); }), "Division by zero");
}

TEST(FrequencyFactor, ExactTextsOnly) {
  const struct {
    const char* freq;
    const char* cf;  // nullptr: none
  } cases[] = {{"2", "1.0"},    {"5", "1.0"},   {"10", "1.0"},    {"25", "1.1"},    {"50", "1.2"},
               {"100", "1.25"}, {"1", nullptr}, {"025", nullptr}, {"25 ", nullptr}, {"", nullptr}};
  for (const auto& c : cases) {
    auto cf = frequency_factor_text(c.freq);
    if (c.cf) {
      ASSERT_TRUE(cf) << c.freq;
      EXPECT_EQ(*cf, c.cf);
    } else {
      EXPECT_FALSE(cf) << c.freq;
    }
  }
}

TEST(Accumulation, GoverningTcIsTheLatestArrivalOrTheStructuresTc) {
  const struct {
    double structure_tc;
    std::array<double, 4> arrivals;
    double want;
  } cases[] = {
      {10.0, {arrival_time(11.0, 90), 0, 0, 0}, 12.5},  // 11 min + 90 s
      {12.5, {arrival_time(11.0, 90), 0, 0, 0}, 12.5},  // equal: the structure's
      {13.0, {12.5, 0, 0, 0}, 13.0},
      {5.0, {6.0, 7.5, 9.25, 8.0}, 9.25},
      {5.0, {6.0, 7.5, 8.0, 10.0}, 10.0},
      {5.0, {7.0, 7.0, 7.0, 7.0}, 7.0},
      {5.0, {0, 0, 0, 0}, 5.0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(accumulated_tc(c.structure_tc, c.arrivals), c.want);
}

TEST(Accumulation, CaSumsTheStructureAndItsSlots) {
  EXPECT_EQ(text::format(accumulated_ca(1.2, {0.5, 0.25, 0, 0}, false), "0.000000"), "1.950000");
  EXPECT_DOUBLE_EQ(accumulated_ca(1.0, {0.5, 0.25, 0.125, 2.0}, false), 3.875);
  // A legacy project has three slots: the fourth does not count.
  EXPECT_DOUBLE_EQ(accumulated_ca(1.0, {0.5, 0.25, 0.125, 2.0}, true), 1.875);
}

TEST(TimeRatios, RoundToThreeDecimalsWithTiesToEven) {
  const struct {
    double value;
    double want;
  } structure[] = {
      {structure_time_ratio(5, 11, 1.0), 0.455},      // 0.454545...
      {structure_time_ratio(13.73, 20, 1.0), 0.686},  // 0.6865: a tie, to the even digit
      {structure_time_ratio(13.75, 20, 1.0), 0.688},  // 0.6875: a tie, to the even digit
      {structure_time_ratio(10, 10, 1.25), 1.25},
      {arrival_time_ratio(10, 8.88, 1.0, 8), 1.268},  // 10.148 / 8 = 1.2685: a tie
      {arrival_time_ratio(10, 9, 1.0, 8), 1.269},     // 10.15 / 8 = 1.26875
      {arrival_time_ratio(11, 90, 1.1, 12.5), 1.1},
      {arrival_time_ratio(0, 0, 1.0, 12.5), 0.0},  // an empty slot
  };
  for (const auto& c : structure) EXPECT_DOUBLE_EQ(c.value, c.want);
  EXPECT_EQ(error_of([] { structure_time_ratio(5, 0, 1.0); }), "Division by zero");
  EXPECT_EQ(error_of([] { arrival_time_ratio(5, 0, 1.0, 0); }), "Division by zero");
}

// A pipe with its structure only, in English units.
DischargeInputs lone_pipe(double ca, double tc, double intensity) {
  DischargeInputs in;
  in.accumulated_ca = ca;
  in.structure_ca = ca;
  in.pipe_intensity = intensity;
  in.structure_intensity = intensity;
  in.structure_tc = tc;
  in.accumulated_tc = tc;
  return in;
}

TEST(DesignDischarge, TheLargestOfOwnFlowBranchesAndPeaks) {
  // A structure alone: Q = CA I Cf / k + Q_lat.
  DischargeInputs lone = lone_pipe(2.0, 10, 4.0);
  DischargeInputs lone_metric = lone_pipe(2.0, 10, 100.0);
  lone_metric.divisor = units_of(UnitSystem::metric).rational_divisor;
  DischargeInputs lateral = lone_pipe(2.0, 10, 4.0);
  lateral.lateral_discharge = 0.5;
  lateral.cf = 1.25;

  // An upstream pipe whose discharge exceeds the whole accumulated flow: at least
  // Q_lat + Q_3 = 21; its arrival adds the structure's area, 1 * 3 * 1.
  DischargeInputs big_branch = lone_pipe(1.0, 5, 6.0);
  big_branch.accumulated_ca = 2.0;
  big_branch.pipe_intensity = 3.0;
  big_branch.accumulated_tc = 12.0;
  big_branch.lateral_discharge = 1.0;
  big_branch.upstream[2] = {1.0, 12.0, 0, 20.0, 3.0};

  // The peak at an upstream pipe's arrival governs: Q_1 + (CA_s) i_1 r_1 = 16 + 4.5.
  DischargeInputs arrival = lone_pipe(1.0, 5, 6.0);
  arrival.accumulated_ca = 4.0;
  arrival.pipe_intensity = 4.5;
  arrival.accumulated_tc = 11.0;
  arrival.upstream[0] = {3.0, 10.0, 60, 16.0, 4.5};

  // The peak at the structure's time governs: 2 * 8 + 1 * 8 * round3(5 / 20) = 18.
  DischargeInputs structure = lone_pipe(2.0, 5, 8.0);
  structure.accumulated_ca = 3.0;
  structure.pipe_intensity = 3.0;
  structure.accumulated_tc = 20.0;
  structure.upstream[1] = {1.0, 20.0, 0, 2.5, 3.0};

  const struct {
    const char* name;
    DischargeInputs in;
    const char* want;  // "0.0000"
  } cases[] = {
      {"lone", lone, "8.0000"},
      {"metric", lone_metric, "0.5556"},
      {"lateral and Cf", lateral, "10.5000"},
      {"large upstream discharge", big_branch, "24.0000"},
      {"arrival peak", arrival, "20.5000"},
      {"structure peak", structure, "18.0000"},
  };
  for (const auto& c : cases) EXPECT_EQ(text::format(design_discharge(c.in), "0.0000"), c.want) << c.name;
}

TEST(DesignDischarge, AGoverningTcOfZeroIsReported) {
  DischargeInputs in = lone_pipe(2.0, 5, 4.0);
  in.accumulated_tc = 0;
  EXPECT_EQ(error_of([&] { design_discharge(in); }), "Division by zero");
}

}  // namespace
}  // namespace gw::design::rational
