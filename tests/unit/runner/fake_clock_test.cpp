// Tests of the scripted host's stepping time of day.
#include "runner/fake_clock.h"

#include <gtest/gtest.h>

namespace gw::runner {
namespace {

TEST(FakeClock, EveryReadMovesOnByTheStepAndWrapsAtMidnight) {
  FakeClock c;
  EXPECT_EQ(c.now(), 36000.0);
  EXPECT_EQ(c.read(), 36000.0);
  EXPECT_EQ(c.read(), 36000.25);
  EXPECT_EQ(c.now(), 36000.5);
  EXPECT_EQ(c.now(), 36000.5);  // looking does not move it

  ASSERT_TRUE(c.set(86399.5, 0.25));
  EXPECT_EQ(c.read(), 86399.5);
  EXPECT_EQ(c.read(), 86399.75);
  EXPECT_EQ(c.read(), 0.0);
  EXPECT_EQ(c.read(), 0.25);

  ASSERT_TRUE(c.set(86000, 1000));
  EXPECT_EQ(c.read(), 86000.0);
  EXPECT_EQ(c.now(), 600.0);
}

TEST(FakeClock, RefusesTimesOutsideTheDayAndSteps) {
  FakeClock c;
  for (auto [start, step] :
       {std::pair{-1.0, 0.25}, {86400.0, 0.25}, {0.0, 0.0}, {0.0, -1.0}, {0.0, 86400.0}}) {
    EXPECT_FALSE(c.set(start, step)) << start << " " << step;
  }
  EXPECT_EQ(c.now(), FakeClock::kDefaultStart);
  EXPECT_EQ(c.step(), FakeClock::kDefaultStep);
}

}  // namespace
}  // namespace gw::runner
