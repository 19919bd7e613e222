// Tests of checked arithmetic: results, and the descriptions of the failures.
#include "platform/math/checked.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "platform/error/error.h"

namespace {

using namespace gw::math;

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct CheckedCase {
  const char* name;
  std::function<double()> op;
  double expected;      // when failure is empty
  const char* failure;  // the expected description, or ""
};

TEST(Checked, GivesFiniteResultsOrTheRunTimeDescription) {
  const CheckedCase cases[] = {
      {"1 / 4", [] { return checked_div(1, 4); }, 0.25, ""},
      {"1 / 0", [] { return checked_div(1, 0); }, 0, "Division by zero"},
      {"-1 / -0", [] { return checked_div(-1, -0.0); }, 0, "Division by zero"},
      {"0 / 0", [] { return checked_div(0, 0); }, 0, "Overflow"},
      {"1e308 / 1e-10", [] { return checked_div(1e308, 1e-10); }, 0, "Overflow"},
      {"4 ^ 0.5", [] { return checked_pow(4, 0.5); }, 2, ""},
      {"-2 ^ 3", [] { return checked_pow(-2, 3); }, -8, ""},
      {"-2 ^ -2", [] { return checked_pow(-2, -2); }, 0.25, ""},
      {"0 ^ 0", [] { return checked_pow(0, 0); }, 1, ""},
      {"-8 ^ (1/3)", [] { return checked_pow(-8, 1.0 / 3); }, 0, "Invalid procedure call or argument"},
      {"0 ^ -1", [] { return checked_pow(0, -1); }, 0, "Division by zero"},
      {"10 ^ 400", [] { return checked_pow(10, 400); }, 0, "Overflow"},
      {"sqrt 9", [] { return checked_sqrt(9); }, 3, ""},
      {"sqrt -1", [] { return checked_sqrt(-1); }, 0, "Invalid procedure call or argument"},
      {"log e", [] { return checked_log(std::exp(1.0)); }, 1, ""},
      {"log 0", [] { return checked_log(0); }, 0, "Invalid procedure call or argument"},
      {"log -1", [] { return checked_log(-1); }, 0, "Invalid procedure call or argument"},
      {"checked 1.5", [] { return checked(1.5); }, 1.5, ""},
      {"checked inf", [] { return checked(inf); }, 0, "Overflow"},
      {"checked nan", [] { return checked(nan, "No results"); }, 0, "No results"},
  };
  for (const auto& c : cases) {
    try {
      const double r = c.op();
      EXPECT_STREQ(c.failure, "") << c.name << " gave " << r;
      EXPECT_DOUBLE_EQ(r, c.expected) << c.name;
    } catch (const gw::Error& e) {
      EXPECT_STREQ(e.what(), c.failure) << c.name;
    }
  }
}

TEST(Checked, ToSingleRoundsToNearestAndRefusesValuesOutOfRange) {
  EXPECT_EQ(to_single(0.1), 0.1f);
  EXPECT_EQ(to_single(1.486), 1.486f);
  EXPECT_EQ(to_single(-3e38), -3e38f);
  for (double v : {1e39, -3.5e38, inf, nan}) {
    try {
      to_single(v);
      ADD_FAILURE() << "no failure for " << v;
    } catch (const gw::Error& e) {
      EXPECT_STREQ(e.what(), "Overflow");
    }
  }
}

}  // namespace
