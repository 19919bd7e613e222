// Tests of explicit rounding to a count of decimals with ties to the even digit.
#include "platform/text/round.h"

#include <gtest/gtest.h>

#include "platform/error/error.h"

namespace {

using gw::text::round_half_even;

TEST(RoundHalfEven, RoundsTheDecimalReadingWithTiesToEven) {
  const struct {
    double value;
    int decimals;
    double expected;
  } cases[] = {
      {2.5, 0, 2},          {3.5, 0, 4},         {-2.5, 0, -2},    {0.5, 0, 0},
      {1.5, 0, 2},          {-0.4, 0, 0},        {2.6, 0, 3},      {0.125, 2, 0.12},
      {0.135, 2, 0.14},     {2.675, 2, 2.68},    {1.005, 2, 1.0},  {1.015, 2, 1.02},
      {12.3449, 3, 12.345}, {123.456, 1, 123.5}, {99.995, 2, 100}, {-0.125, 2, -0.12},
      {0.1 + 0.2, 2, 0.3},  {1e20, 2, 1e20},     {7, 3, 7},        {1.0 / 3, 4, 0.3333},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(round_half_even(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
  }
}

TEST(RoundHalfEven, RefusesNegativeDecimals) {
  try {
    round_half_even(1.5, -1);
    ADD_FAILURE() << "no failure";
  } catch (const gw::Error& e) {
    EXPECT_STREQ(e.what(), "Invalid procedure call or argument");
  }
}

}  // namespace
