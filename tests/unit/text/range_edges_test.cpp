// The number layer at the ends of the double range: every finite value written by the general
// conversion, a pattern or rounding reads back as a finite number of the same sign and size,
// and the smallest values are read as themselves.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/text/format.h"
#include "platform/text/general.h"
#include "platform/text/parse.h"
#include "platform/text/round.h"

namespace {

using namespace gw::text;

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kMin = std::numeric_limits<double>::denorm_min();

// Within a relative 1e-14 (15 significant digits) of the value, and never zero for a non-zero value.
void expect_close(double got, double want, const std::string& what) {
  EXPECT_TRUE(std::isfinite(got)) << what;
  if (want != 0) {
    EXPECT_NE(got, 0.0) << what;
  }
  EXPECT_LE(std::fabs(got - want), std::fabs(want) * 1e-14) << what << ": " << got;
}

TEST(RangeEdges, WrittenValuesReadBackAsTheyWere) {
  const double values[] = {kMax,
                           -kMax,
                           std::nextafter(kMax, 0.0),
                           1.7976931348623155e308,
                           1.79769313486231e308,
                           std::numeric_limits<double>::min(),
                           kMin,
                           -kMin,
                           1e-310};
  for (double v : values) {
    const std::string g = general(v);
    expect_close(to_number(g), v, "general " + g);
    const std::string f = format(v, "0.000");
    if (std::fabs(v) >= 1) expect_close(to_number(f), v, "format " + f.substr(0, 20));
    for (int decimals : {0, 2, 5}) {
      if (std::fabs(v) >= 1)
        expect_close(round_half_even(v, decimals), v, "round " + std::to_string(decimals) + " " + g);
    }
    expect_close(round_half_even(v, 340), v, "round 340 " + g);
  }
  EXPECT_EQ(general(kMax), "1.79769313486231E+308");
  EXPECT_EQ(general(-kMax), "-1.79769313486231E+308");
}

TEST(RangeEdges, TheSmallestValuesAreReadAsThemselves) {
  EXPECT_EQ(to_number("4.9e-324"), kMin);
  EXPECT_EQ(to_number("-4.9E-324"), -kMin);
  EXPECT_EQ(val("4.9e-324"), kMin);
  EXPECT_EQ(to_number(general(kMin)), kMin);
  EXPECT_EQ(general(kMin), "4.94065645841247E-324");
  // Below half the smallest value a number reads as zero; beyond the largest it overflows.
  EXPECT_EQ(to_number("1e-400"), 0.0);
  EXPECT_THROW(to_number("1.8e308"), std::exception);
}

}  // namespace
