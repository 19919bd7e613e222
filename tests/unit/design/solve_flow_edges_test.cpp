// Flow-type boundaries, barrels, shape dispatch and the near-capacity cases of the polynomial shapes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "hydraulics/routine_frame.h"
#include "tests/unit/design/solve_cases.h"

namespace gw::hyd {
namespace {

using namespace testing;

struct ShapeCase {
  const char* name;
  SolveInput in;       // any discharge; the capacity does not depend on it
  double full_height;  // D or H in ft or m
};

const ShapeCase kShapes[] = {
    {"circular_18in", circular(18, 1), 1.5},
    {"circular_72in", circular(72, 1, 0.002), 6.0},
    {"circular_1200mm", metric(circular(1200, 1, 0.004), 50), 1.2},
    {"box_48x36", spanned("Box", 48, 36, 1, 0.005, 0.013), 3.0},
    {"box_2400x1500mm", metric(spanned("Box", 2400, 1500, 1, 0.003, 0.013), 50), 1.5},
    {"elliptical_38x24", spanned("Elliptical", 38, 24, 1, 0.01, 0.013), 2.0},
    {"elliptical_1730x1095mm", metric(spanned("Elliptical", 1730, 1095, 1, 0.01, 0.013), 50), 1.095},
    {"arch_43x27", spanned("Arch-S-Cor", 43, 27, 1, 0.01, 0.024), 2.25},
    {"arch_3251x2108mm", metric(spanned("Arch-M-Cor", 3251, 2108, 1, 0.01, 0.027), 50), 2.108},
};

double capacity_of(const SolveInput& in) {
  HydraulicsState state;
  const SolveOutcome out = solve(in, state);
  EXPECT_TRUE(out.ok) << out.failure;
  return out.find(field::capacity)->value;
}

class AtCapacity : public ::testing::TestWithParam<ShapeCase> {};

// A barrel discharge equal to the capacity flows partially, below the full height, and its
// friction slope equals the pipe slope; one a hair above it flows under pressure, full.
TEST_P(AtCapacity, IsPartialFlowWithFrictionSlopeEqualToPipeSlope) {
  SolveInput in = GetParam().in;
  in.pipe_discharge = capacity_of(in);
  HydraulicsState state;
  const SolveOutcome out = solve(in, state);
  ASSERT_TRUE(out.ok) << out.failure;
  EXPECT_EQ(out.text(field::flow_type), text::partial_flow);
  const double depth = out.find(field::pipe_flowdepth)->value;
  EXPECT_GT(depth, 0.7 * GetParam().full_height);
  EXPECT_LT(depth, 0.9 * GetParam().full_height);
  EXPECT_NEAR(out.find(field::friction_slope)->value, in.pipe_slope, 1e-12 * in.pipe_slope);
}

TEST_P(AtCapacity, JustAboveIsPressureFlowAtFullHeight) {
  SolveInput in = GetParam().in;
  const double capacity = capacity_of(in);
  in.pipe_discharge = std::nextafter(capacity, std::numeric_limits<double>::infinity());
  HydraulicsState state;
  const SolveOutcome out = solve(in, state);
  ASSERT_TRUE(out.ok) << out.failure;
  EXPECT_EQ(out.text(field::flow_type), text::pressure_flow);
  EXPECT_EQ(out.find(field::pipe_flowdepth)->value, GetParam().full_height);
  EXPECT_DOUBLE_EQ(out.find(field::pipe_velocity)->value,
                   in.pipe_discharge / out.find(field::pipe_areaflow)->value);
  EXPECT_NEAR(out.find(field::friction_slope)->value, in.pipe_slope, 1e-12 * in.pipe_slope);
}

INSTANTIATE_TEST_SUITE_P(Hydraulics, AtCapacity, ::testing::ValuesIn(kShapes),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(CircularPressureFlow, ShowsTheFullCircle) {
  HydraulicsState state;
  const SolveOutcome out = solve(circular(18, 12), state);
  ASSERT_TRUE(out.ok);
  const double d = 1.5;
  EXPECT_DOUBLE_EQ(out.find(field::pipe_areaflow)->value, kPi * d * d / 4);
  EXPECT_DOUBLE_EQ(out.find(field::hyd_radius)->value, d / 4);
  EXPECT_DOUBLE_EQ(out.find(field::pipe_WP)->value, kPi * d);
}

TEST(BoxPartialFlow, UsesManningVelocityAndOpenChannelPerimeter) {
  HydraulicsState state;
  const SolveOutcome out = solve(spanned("Box", 48, 36, 40, 0.005, 0.013), state);
  ASSERT_TRUE(out.ok);
  const double y = out.find(field::pipe_flowdepth)->value;
  EXPECT_DOUBLE_EQ(out.find(field::pipe_WP)->value, 2 * y + 4);
  const double continuity = 40 / out.find(field::pipe_areaflow)->value;
  EXPECT_NE(out.find(field::pipe_velocity)->value, continuity);
  EXPECT_NEAR(out.find(field::pipe_velocity)->value, continuity, 0.01 * continuity);
}

// Near the capacity the polynomial shapes find a depth whose Manning discharge exceeds the
// capacity; the flow type still follows the discharge itself.
struct NearCapacityCase {
  const char* name;
  SolveInput in;
  const char* depth;
};

const NearCapacityCase kNearCapacity[] = {
    {"arch_Q30_2", spanned("Arch-S-Cor", 43, 27, 30.2, 0.01, 0.024), "1.730"},
    {"elliptical_Q41_0", spanned("Elliptical", 38, 24, 41.0, 0.01, 0.013), "1.640"},
    {"elliptical_Q41_02", spanned("Elliptical", 38, 24, 41.02, 0.01, 0.013), "1.650"},
};

class NearCapacity : public ::testing::TestWithParam<NearCapacityCase> {};

TEST_P(NearCapacity, IsPartialFlowAtTheSteppedDepth) {
  HydraulicsState state;
  const SolveOutcome out = solve(GetParam().in, state);
  ASSERT_TRUE(out.ok);
  EXPECT_EQ(out.text(field::flow_type), text::partial_flow);
  EXPECT_EQ(out.text(field::pipe_flowdepth), GetParam().depth);
}

INSTANTIATE_TEST_SUITE_P(Hydraulics, NearCapacity, ::testing::ValuesIn(kNearCapacity),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

// Every result is per barrel: N barrels carrying N times the discharge show exactly what one
// barrel carrying it shows.
TEST(Barrels, ShareTheDischarge) {
  const SolveInput singles[] = {
      circular(18, 10),
      metric(circular(600, 0.3, 0.005), 50),
      spanned("Box", 48, 36, 40, 0.005, 0.013),
      spanned("Elliptical", 38, 24, 20, 0.01, 0.013),
      spanned("Arch-Conc", 43.75, 26.62, 20, 0.01, 0.013),
  };
  for (const SolveInput& one : singles) {
    HydraulicsState state;
    const SolveOutcome single = solve(one, state);
    ASSERT_TRUE(single.ok) << one.pipe_shape;
    for (int barrels : {2, 3, 4}) {
      SolveInput many = one;
      many.numofpipes = barrels;
      many.pipe_discharge = one.pipe_discharge * barrels;
      const SolveOutcome out = solve(many, state);
      EXPECT_EQ(texts_of(out), texts_of(single)) << one.pipe_shape << " x" << barrels;
    }
  }
}

TEST(Barrels, FlowTypeComparesThePerBarrelDischarge) {
  HydraulicsState state;
  SolveInput in = circular(18, 20);  // 20 cfs in one 18 in barrel: above its 10.504 cfs
  EXPECT_EQ(solve(in, state).text(field::flow_type), text::pressure_flow);
  in.numofpipes = 2;
  EXPECT_EQ(solve(in, state).text(field::flow_type), text::partial_flow);
}

// The shape text picks the routine by exact comparison; what is not circular, elliptical or
// box (in those spellings) is solved as a pipe arch.
TEST(Dispatch, SelectsTheRoutineByExactShapeText) {
  struct Case {
    const char* shape;
    SolveResult (*routine)(const SolveInput&, HydraulicsState&);
  };
  const Case cases[] = {
      {"Circular", circular_pipe_results}, {"Elliptical", elliptical_pipe_results},
      {"Box", box_pipe_results},           {"Rectangulr", box_pipe_results},
      {"box", arch_pipe_results},          {"BOX", arch_pipe_results},
      {"circular", arch_pipe_results},     {"Arch-Conc", arch_pipe_results},
      {"Arch-L-Cor", arch_pipe_results},   {"", arch_pipe_results},
  };
  for (const Case& c : cases) {
    SolveInput in = spanned(c.shape, 43, 27, 20, 0.01, 0.024);
    in.pipe_dia = 18;
    HydraulicsState s1;
    HydraulicsState s2;
    const SolveOutcome via_dispatch = shown(in, solve_pipe_hydraulics(in, s1));
    const SolveOutcome direct = shown(in, c.routine(in, s2));
    ASSERT_TRUE(direct.ok) << c.shape;
    EXPECT_EQ(fields_of(via_dispatch), fields_of(direct)) << c.shape;
    EXPECT_EQ(texts_of(via_dispatch), texts_of(direct)) << c.shape;
  }
}

TEST(UnitSystem, OnlyTheExactTextEnglishGivesEnglishUnits) {
  SolveInput in = circular(18, 10);
  HydraulicsState state;
  in.units = units_of("english");
  const SolveOutcome lower = solve(in, state);
  EXPECT_EQ(lower.number_format, "#0.0000");
  // 18 read as millimetres: a tiny pipe under pressure.
  EXPECT_EQ(lower.text(field::pipe_flowdepth), "0.018");
}

}  // namespace
}  // namespace gw::hyd

namespace gw::hyd {
namespace {

// Depths are never reported above the rise, also for rises below the searches' step (0.0001 ft
// or m for circular and box barrels, 0.01 for the polynomial shapes) and for a rise the 0.01
// steps do not divide, with a discharge close to the capacity.
TEST(DepthSearch, NeverReportsADepthAboveTheRise) {
  using namespace testing;
  struct Case {
    const char* name;
    SolveInput in;
    double rise;  // ft or m
  } cases[] = {
      {"circular 0.001 in", circular(0.001, 1e-9), 0.001 / 12},
      {"box 0.001 in", spanned("Box", 12, 0.001, 1e-9, 0.01, 0.013), 0.001 / 12},
      {"box 1 in", spanned("Box", 12, 1, 0.5, 0.01, 0.013), 1.0 / 12},
      {"elliptical 0.1 in", spanned("Elliptical", 0.2, 0.1, 1e-9, 0.01, 0.013), 0.1 / 12},
      {"arch 0.1 in", spanned("Arch-Conc", 0.2, 0.1, 1e-9, 0.01, 0.013), 0.1 / 12},
      {"elliptical 12.06 in", spanned("Elliptical", 19, 12.06, 0, 0.01, 0.013), 12.06 / 12},
      {"arch 5 mm", metric(spanned("Arch-S-Cor", 8, 5, 1e-12, 0.01, 0.024), 50), 0.005},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.in.pipe_discharge == 0) {
      c.in.pipe_discharge = 1;
      c.in.pipe_discharge = 0.999 * capacity_of(c.in);
    }
    HydraulicsState state;
    const SolveOutcome out = solve(c.in, state);
    if (!out.ok) continue;  // refused with its message: no depth shown at all
    EXPECT_LE(out.find(field::pipe_flowdepth)->value, c.rise);
    EXPECT_LE(out.find(field::critical_depth)->value, c.rise);
  }
}

}  // namespace
}  // namespace gw::hyd
