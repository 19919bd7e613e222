// Values that carry over from one solve to the next through the hydraulics state; the flow state.
#include <gtest/gtest.h>

#include <cmath>

#include "hydraulics/solve.h"
#include "tests/unit/hydraulics/pipe_inputs.h"

namespace gw::hyd {
namespace {

using namespace testing;

// A diameter so small that its area underflows to 0: the circular routine computes no velocity
// and works on with the velocity an earlier solve left, until the friction slope divides by
// the zero area.
const SolveInput kVanishingPipe = circular(1e-170, 10);

TEST(HydraulicsState, ZeroAreaPipeGoesOnWithTheEarlierVelocity) {
  HydraulicsState state;
  const SolveResult earlier = solve_pipe(circular(18, 10), state);
  ASSERT_TRUE(earlier.ok());

  const SolveResult out = solve_pipe(kVanishingPipe, state);
  EXPECT_EQ(out.failure, SolveFailure::invalid_data);
  const PipeResults& r = out.values;
  EXPECT_FALSE(r.velocity);
  ASSERT_TRUE(r.flow_area && r.flow_time && r.froude_number && r.critical_depth);
  EXPECT_EQ(*r.flow_area, 0.0);
  // T = L / V with the 18 in pipe's velocity.
  EXPECT_EQ(*r.flow_time, *earlier.values.flow_time);
  EXPECT_EQ(flow_state(*r.froude_number), FlowState::supercritical);
  EXPECT_NEAR(*r.critical_depth, 0.0, 1e-9);
  EXPECT_FALSE(r.friction_slope);
  EXPECT_EQ(state.flow_velocity, *earlier.values.velocity);
}

TEST(HydraulicsState, ZeroAreaPipeInAFreshStateFailsAtTheFlowTime) {
  HydraulicsState state;
  const SolveResult out = solve_pipe(kVanishingPipe, state);
  EXPECT_EQ(out.failure, SolveFailure::invalid_data);
  ASSERT_TRUE(out.values.froude_number);
  EXPECT_EQ(*out.values.froude_number, 0.0);
  EXPECT_EQ(flow_state(*out.values.froude_number), FlowState::subcritical);
  EXPECT_FALSE(out.values.flow_time);
  EXPECT_EQ(out.cause, "Division by zero");
}

// The flow summary's state is critical only for a Froude number of exactly 1.
TEST(FlowSummary, IsCriticalOnlyForAFroudeNumberOfExactlyOne) {
  EXPECT_EQ(flow_state(1.0), FlowState::critical);
  EXPECT_EQ(flow_state(std::nextafter(1.0, 0.0)), FlowState::subcritical);
  EXPECT_EQ(flow_state(std::nextafter(1.0, 2.0)), FlowState::supercritical);
  EXPECT_EQ(flow_state(0.999999), FlowState::subcritical);
  EXPECT_EQ(flow_state(1.000001), FlowState::supercritical);
}

}  // namespace
}  // namespace gw::hyd
