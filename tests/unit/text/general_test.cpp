// Tests of the general number-to-text conversion of doubles and singles.
#include "platform/text/general.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/error/error.h"

namespace {

using gw::text::general;
using gw::text::general_single;

TEST(General, WritesTheShortestTextOfAtMost15SignificantDigits) {
  const struct {
    double value;
    const char* expected;
  } cases[] = {
      {0.1 + 0.2, "0.3"},
      {0.8 * 2.5, "2"},
      {10, "10"},
      {-2.5, "-2.5"},
      {100.5, "100.5"},
      {0.001, "0.001"},
      {0.0001, "0.0001"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {-1.0 / 3, "-0.333333333333333"},
      {0, "0"},
      {-0.0, "0"},
      // Up to 15 integer digits in plain form, then mantissa and exponent.
      {123456789012345.0, "123456789012345"},
      {1e14, "100000000000000"},
      {1e15, "1E+15"},
      {999999999999999.9, "1E+15"},
      {1234567890123456.0, "1.23456789012346E+15"},
      {-1.25e20, "-1.25E+20"},
      {1e100, "1E+100"},
      {1.7976931348623157e308, "1.79769313486231E+308"},  // cut toward zero: it reads back
      // Down to four leading zeros in plain form.
      {0.00001, "1E-05"},
      {1.5e-5, "1.5E-05"},
      {-0.000012345, "-1.2345E-05"},
      {1e-300, "1E-300"},
      {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
  };
  for (const auto& c : cases) EXPECT_EQ(general(c.value), c.expected) << c.expected;
}

TEST(General, SingleUsesSevenSignificantDigits) {
  const struct {
    float value;
    const char* expected;
  } cases[] = {
      {0.1f, "0.1"},       {1.486f, "1.486"},       {1.0f / 3, "0.3333333"}, {-2.5f, "-2.5"},
      {0.0f, "0"},         {1234567.0f, "1234567"}, {1e7f, "1E+07"},         {16777217.0f, "1.677722E+07"},
      {0.0001f, "0.0001"}, {0.00001f, "1E-05"},
  };
  for (const auto& c : cases) EXPECT_EQ(general_single(c.value), c.expected) << c.expected;
}

TEST(General, RefusesNonFiniteValues) {
  EXPECT_THROW(general(std::numeric_limits<double>::infinity()), gw::Error);
  EXPECT_THROW(general(std::numeric_limits<double>::quiet_NaN()), gw::Error);
  EXPECT_THROW(general_single(std::numeric_limits<float>::infinity()), gw::Error);
}

}  // namespace
