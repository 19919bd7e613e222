// Tests of the VDOT Drainage Manual lining table and apron size.
#include "outlet/vdot_apron.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/text/format.h"

namespace gw::outlet {
namespace {

TEST(VdotApron, LiningTableBounds) {
  struct Case {
    double vft;
    const char* text;
    double thickness;
    bool sized;
  } cases[] = {
      {0.0, "Lining Not Required\u201d", 0, false},
      {2.0, "Lining Not Required\u201d", 0, false},
      {3.0099, "Lining Not Required\u201d", 0, false},
      {3.01, " Class A1 ", 1.5, true},
      {8.0099, " Class A1 ", 1.5, true},
      {8.01, " Class I ", 2.0, true},
      {14.01, " Class II ", 3.0, true},
      {19.0099, " Class II ", 3.0, true},
      {19.01, "Special Design Reqd.", 0, false},
      {25.0, "Special Design Reqd.", 0, false},
  };
  for (const Case& k : cases) {
    const VdotLining row = vdot_lining(k.vft);
    EXPECT_EQ(std::string(row.text), k.text) << k.vft;
    EXPECT_EQ(row.sized, k.sized) << k.vft;
    if (k.sized) {
      EXPECT_DOUBLE_EQ(row.thickness_ft, k.thickness) << k.vft;
    }
  }
  EXPECT_TRUE(vdot_lining(2.0).not_required);
  EXPECT_FALSE(vdot_lining(25.0).not_required);
  // The closing mark is the right double quotation mark, with no opening mark.
  EXPECT_EQ(std::string(vdot_lining(1.0).text), "Lining Not Required\xE2\x80\x9D");
}

TEST(VdotApron, LengthAndWidth) {
  struct Case {
    double area_sqft, do_, w0;
    const char* length;
    const char* width;
  } cases[] = {
      // Circular 24 in, one barrel: 6.00 is not below 2 x 2 + 2.
      {3.14, 2.0, 2.0, "6.00", "6.00"},
      // Box 24 in rise, 10 ft span: k = 5, the width is raised to 2 x 2 + 10.
      {20.0, 2.0, 10.0, "10.00", "14.00"},
      // An area of exactly 7.0 sq ft takes k = 5.
      {7.0, 1.0, 0.0, "5.00", "5.00"},
      {6.999, 1.0, 0.0, "3.00", "3.00"},
      // Metric 1200 mm: 12.2 sq ft, k = 5, 6.00 m long and wide.
      {12.17, 1.2, 1.2, "6.00", "6.00"},
      // The width test uses the length as shown: 3 x 1.3333 shows 4.00, which is not below 4.0.
      {1.0, 1.3333, 1.3334, "4.00", "4.00"},
  };
  for (const Case& k : cases) {
    const VdotApron a = vdot_apron_size(k.area_sqft, k.do_, k.w0);
    EXPECT_EQ(text::format(a.length, "0.00"), k.length) << k.area_sqft;
    EXPECT_EQ(text::format(a.width, "0.00"), k.width) << k.area_sqft;
  }
}

}  // namespace
}  // namespace gw::outlet
