// Tests of the USDA rock outlet protection apron.
#include "outlet/usda_rock_outlet.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/error/error.h"
#include "platform/text/format.h"

namespace gw::outlet {
namespace {

UsdaCoefficients sample() {
  UsdaCoefficients k;
  k.a1 = 0.001, k.b1 = 0.02, k.c1 = 0.3, k.d1 = 1.5, k.e1 = 1.0;
  k.a2 = 0.0001, k.b2 = 0.01, k.c2 = 0.2, k.d2 = 5.0, k.e2 = 2.0;
  return k;
}

TEST(UsdaRockOutlet, ApronByTailwaterCase) {
  const double ft = 1.0;
  struct Case {
    double q_cfs, tw, do_, w0, from_feet;
    bool set1;
    const char* length;  // "0.0"
    const char* width;   // "0.0"
    const char* d50;     // "0.000"
    const char* thickness;
  } cases[] = {
      // Set 1: D50 1.1, La 5.49 raised to 6 Do = 12, W = 12 / 2.5 + 2.
      {20, 1.2, 2.0, 2.0, ft, true, "12.0", "6.8", "1.100", "2.2"},
      // Tailwater exactly half the outlet size takes set 1.
      {20, 1.0, 2.0, 2.0, ft, true, "12.0", "6.8", "1.100", "2.2"},
      // Set 2: D50 0.44 raised to 0.5, La 16.98 (above 4 Do = 8), W = La + W0.
      {20, 0.8, 2.0, 2.0, ft, false, "17.0", "19.0", "0.500", "1.0"},
      // Set 1 with a long regression length: no minimum.
      {400, 5.0, 1.0, 1.0, ft, true, "10.0", "5.0", "168.300", "336.6"},
  };
  for (const Case& k : cases) {
    const UsdaApron a = design_usda_apron(sample(), k.q_cfs, k.tw, k.do_, k.w0, k.from_feet);
    EXPECT_EQ(a.set1, k.set1) << k.tw;
    EXPECT_EQ(text::format(a.length, "0.0"), k.length) << k.tw;
    EXPECT_EQ(text::format(a.width, "0.0"), k.width) << k.tw;
    EXPECT_EQ(text::format(a.d50, "0.000"), k.d50) << k.tw;
    EXPECT_EQ(text::format(a.thickness, "0.0"), k.thickness) << k.tw;
  }
}

TEST(UsdaRockOutlet, MetricMinimumStone) {
  // 1 cms enters as 35.31 cfs; zero coefficients leave the minimum stone of 0.5 ft = 0.152 m.
  const double f = 0.3048;
  const UsdaApron a = design_usda_apron(UsdaCoefficients{}, std::pow(3.2808, 3), 0.2, 0.6, 0.6, f);
  EXPECT_FALSE(a.set1);
  EXPECT_EQ(text::format(a.d50, "0.000"), "0.152");
  EXPECT_EQ(text::format(a.thickness, "0.0"), "0.3");
  EXPECT_DOUBLE_EQ(a.length, 4 * 0.6);
  EXPECT_DOUBLE_EQ(a.width, 4 * 0.6 + 0.6);
}

TEST(UsdaRockOutlet, NoDischargeIsRefused) {
  for (double q : {0.0, -1.0, std::nan("")})
    EXPECT_THROW(design_usda_apron(sample(), q, 1, 1, 1, 1), Error) << q;
}

}  // namespace
}  // namespace gw::outlet
