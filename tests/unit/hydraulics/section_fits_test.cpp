// Tests of the fitted sections: the pipe arch's full section and the partial-section polynomials.
#include "hydraulics/section_fits.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/error/error.h"

namespace gw::hyd {
namespace {

TEST(SectionFits, PolynomialsSumTheirTerms) {
  struct Case {
    const char* what;
    const Quartic& fit;
    double at_empty, at_full;
  } cases[] = {
      {"arch area", kArchFit.area, 0.014, 0.9971},
      {"arch radius", kArchFit.radius, -0.0336, 1.0455},
      {"elliptical area", kEllipticalFit.area, -0.006, 1.0061},
      {"elliptical radius", kEllipticalFit.radius, -0.0096, 1.047},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(c.fit(0), c.at_empty, 1e-15) << c.what;
    EXPECT_NEAR(c.fit(1), c.at_full, 1e-12) << c.what;
  }
  // Half full, each term counts with its own power.
  EXPECT_NEAR(kArchFit.area(0.5), 1.0587 / 16 - 3.634 / 8 + 3.3671 / 4 + 0.1913 / 2 + 0.014, 1e-15);
}

TEST(SectionFits, ArchFullSectionFromSpanTimesRise) {
  // A 23 by 14 in arch: S R = 2.236 ft².
  const double sr = 23.0 / 12 * 14.0 / 12;
  const ArchFullSection full = arch_full_section(sr);
  EXPECT_DOUBLE_EQ(full.area, 0.781 * std::pow(sr, 1.003));
  EXPECT_DOUBLE_EQ(full.radius, 0.241 * std::pow(sr, 0.4965));
  EXPECT_EQ(arch_full_section(0).area, 0);
  EXPECT_THROW(arch_full_section(-1), Error);
}

}  // namespace
}  // namespace gw::hyd
