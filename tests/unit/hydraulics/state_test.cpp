// Values that carry over from one solve to the next through the hydraulics state.
#include <gtest/gtest.h>

#include "tests/unit/hydraulics/solve_cases.h"

namespace gw::hyd {
namespace {

using namespace testing;

// A diameter so small that its area underflows to 0: the circular routine computes no velocity
// and works on with the velocity an earlier solve left, until the friction slope divides by
// the zero area.
const SolveInput kVanishingPipe = circular(1e-170, 10);

TEST(HydraulicsState, ZeroAreaPipeGoesOnWithTheEarlierVelocity) {
  HydraulicsState state;
  const SolveOutcome earlier = solve(circular(18, 10), state);
  ASSERT_TRUE(earlier.ok);

  const SolveOutcome out = solve(kVanishingPipe, state);
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.find(field::pipe_velocity), nullptr);
  EXPECT_EQ(out.text(field::pipe_areaflow), "0.000");
  // T = L / V with the 18 in pipe's velocity.
  EXPECT_EQ(out.text(field::flow_time), earlier.text(field::flow_time));
  EXPECT_EQ(out.text(field::pipe_summary), text::supercritical_flow);
  EXPECT_EQ(out.text(field::critical_depth), "0.000");
  EXPECT_EQ(out.find(field::friction_slope), nullptr);
  EXPECT_EQ(state.flow_velocity, earlier.find(field::pipe_velocity)->value);
}

TEST(HydraulicsState, ZeroAreaPipeInAFreshStateFailsAtTheFlowTime) {
  HydraulicsState state;
  const SolveOutcome out = solve(kVanishingPipe, state);
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.text(field::FROUDE_NO), "0.000");
  EXPECT_EQ(out.text(field::pipe_summary), text::subcritical_flow);
  EXPECT_EQ(out.find(field::flow_time), nullptr);
  EXPECT_EQ(out.failure, "Division by zero");
}

}  // namespace
}  // namespace gw::hyd
