// Tests of the outlet's equivalent depth and Froude number.
#include "outlet/outlet_equivalent_depth.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/error/error.h"
#include "platform/text/format.h"

namespace gw::outlet {
namespace {

TEST(EquivalentDepth, BoxTestIsExact) {
  struct Case {
    const char* shape;
    bool box;
  } cases[] = {
      {"Box", true},   {"Rectangulr", true}, {"box", false},      {"BOX", false}, {"Rectangular", false},
      {"Box ", false}, {" Box", false},      {"Circular", false}, {"", false},    {"Elliptical", false}};
  for (const Case& k : cases) EXPECT_EQ(is_box_culvert(k.shape), k.box) << '"' << k.shape << '"';
}

TEST(EquivalentDepth, DepthAndFroudeByCase) {
  struct Case {
    bool box;
    double q, v, dn, g;
    const char* de;
    const char* fr;
  } cases[] = {
      // Circular, 20 cfs at 10 ft/s: half the flow area is 1 sq ft.
      {false, 20, 10, 0.7, 32.2, "1.00", "1.76"},
      // A box takes the outlet flow depth itself; the discharge plays no part.
      {true, 20, 10, 0.7, 32.2, "0.70", "2.11"},
      {true, 0, 10, 0.7, 32.2, "0.70", "2.11"},
      // Metric gravity.
      {false, 2, 4, 0, 9.8146, "0.50", "1.81"},
      // Riprap basin example: 60 cfs at 15 ft/s.
      {false, 60, 15, 0, 32.2, "1.41", "2.22"},
      // USBR example: 100 cfs at 20 ft/s.
      {false, 100, 20, 0, 32.2, "1.58", "2.80"},
  };
  for (const Case& k : cases) {
    const OutletDepth d = equivalent_depth(k.box, k.q, k.v, k.dn, k.g);
    EXPECT_EQ(text::format(d.dE, "0.00"), k.de) << k.q << " " << k.v;
    EXPECT_EQ(text::format(d.froude, "0.00"), k.fr) << k.q << " " << k.v;
    EXPECT_DOUBLE_EQ(d.froude, k.v / std::sqrt(k.g * d.dE));
  }
}

TEST(EquivalentDepth, InputsThatGiveNoDepthAreRefused) {
  struct Case {
    bool box;
    double q, v, dn, g;
  } cases[] = {
      {false, 20, 0, 1, 32.2},   // zero velocity: no flow area
      {false, 20, -5, 1, 32.2},  // negative velocity: root of a negative area
      {false, 0, 10, 1, 32.2},   // zero discharge: zero depth
      {true, 20, 10, 0, 32.2},   // box with no flow depth
      {true, 20, 10, -1, 32.2},
      {false, 20, 10, 1, 0},  // gravity not yet set
      {false, std::nan(""), 10, 1, 32.2},
  };
  for (const Case& k : cases)
    EXPECT_THROW(equivalent_depth(k.box, k.q, k.v, k.dn, k.g), Error) << k.box << " " << k.q << " " << k.v;
}

}  // namespace
}  // namespace gw::outlet
