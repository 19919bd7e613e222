// Tests of the fitted sections: the pipe arch's full section and the partial-section polynomials.
#include "hydraulics/section_fits.h"

#include <gtest/gtest.h>

#include "platform/error/error.h"

namespace gw::hyd {
namespace {

// The fractions of the full section at a quarter, half and eight tenths of the rise, worked
// by hand from the coefficients (to six decimals).
TEST(SectionFits, PartialSectionsGiveTheWorkedFractions) {
  struct Case {
    const char* what;
    const Quartic& fit;
    double quarter, half, eight_tenths;
  } cases[] = {
      {"arch area", kArchFit.area, 0.219623, 0.563344, 0.895020},
      {"arch radius", kArchFit.radius, 0.573252, 1.019619, 1.232382},
      {"elliptical area", kEllipticalFit.area, 0.194806, 0.500050, 0.857110},
      {"elliptical radius", kEllipticalFit.radius, 0.586795, 0.996225, 1.220162},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(c.fit(0.25), c.quarter, 5e-7) << c.what;
    EXPECT_NEAR(c.fit(0.5), c.half, 5e-7) << c.what;
    EXPECT_NEAR(c.fit(0.8), c.eight_tenths, 5e-7) << c.what;
  }
  // Empty, a fit gives its constant term; full, the sum of its coefficients.
  EXPECT_NEAR(kArchFit.area(0), 0.014, 1e-15);
  EXPECT_NEAR(kArchFit.area(1), 0.9971, 1e-12);
  EXPECT_NEAR(kEllipticalFit.radius(1), 1.047, 1e-12);
}

TEST(SectionFits, ArchFullSectionGivesTheWorkedAreaAndRadius) {
  struct Case {
    const char* what;
    double span_times_rise;
    double area, radius;
  } cases[] = {
      // A 23 by 14 in arch: S R = 2.236111 ft².
      {"23 x 14 in", 23.0 / 12 * 14.0 / 12, 1.750624, 0.359369},
      // A 1.2 by 0.8 m arch: S R = 0.96 m².
      {"1.2 x 0.8 m", 1.2 * 0.8, 0.749668, 0.236165},
      {"unit", 1, 0.781, 0.241},
  };
  for (const Case& c : cases) {
    const ArchFullSection full = arch_full_section(c.span_times_rise);
    EXPECT_NEAR(full.area, c.area, 5e-7) << c.what;
    EXPECT_NEAR(full.radius, c.radius, 5e-7) << c.what;
  }
  // The 23 by 14 in arch half full: 1.750624 ft² x 0.563344 = 0.986203 ft².
  EXPECT_NEAR(arch_full_section(23.0 / 12 * 14.0 / 12).area * kArchFit.area(0.5), 0.986203, 5e-6);
  EXPECT_EQ(arch_full_section(0).area, 0);
  EXPECT_THROW(arch_full_section(-1), Error);
}

}  // namespace
}  // namespace gw::hyd
