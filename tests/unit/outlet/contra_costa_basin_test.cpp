// Tests of the Contra Costa basin design: proportions, exit depth search, Froude limit and ratio range.
#include "outlet/contra_costa_basin.h"

#include <gtest/gtest.h>

#include <string>

#include "outlet/design_refusal.h"
#include "outlet/outlet_equivalent_depth.h"
#include "platform/error/error.h"
#include "platform/text/format.h"

namespace gw::outlet {
namespace {

std::string shown(double v) { return text::format(v, "0.00"); }

// English circular outlet of Q 20 cfs at V 10 ft/s into a 2 ft culvert, ratio 3.5.
ContraCostaInput english_case() {
  const OutletDepth d = equivalent_depth(false, 20, 10, 0, 32.2);
  ContraCostaInput in;
  in.dE = d.dE;
  in.froude = d.froude;
  in.width = 2.0;
  in.discharge = 20;
  in.ratio = 3.5;
  in.gravity = 32.2;
  return in;
}

TEST(ContraCostaBasin, WorkedExample) {
  const ContraCostaInput in = english_case();
  EXPECT_EQ(shown(in.dE), "1.00");
  EXPECT_EQ(shown(in.froude), "1.76");
  const ContraCostaBasin b = design_contra_costa_basin(in);
  struct Row {
    const char* name;
    double value;
    const char* text;
  } rows[] = {
      {"Wb", b.basin_width, "4.00"},
      {"h2", b.h2, "1.10"},
      {"h1", b.h1, "0.55"},
      {"L2", b.L2, "3.86"},
      {"L1", b.L1, "1.93"},
      {"L3", b.L3, "6.18"},
      {"LB", b.LB, "10.04"},
      {"Y2", b.Y2, "2.25"},
      {"h3", b.h3, "0.23"},
      {"yc", b.exit_depth, "0.87"},
      {"Vc", b.exit_velocity, "4.72"},
  };
  for (const Row& r : rows) EXPECT_EQ(shown(r.value), r.text) << r.name;
}

TEST(ContraCostaBasin, ExitDepthEndsOneStepAboveTheFirstSufficientDepth) {
  // Critical discharge of the 4 ft trapezoid: 19.15 cfs at 0.83 ft, 19.89 at 0.85, 20.27 at 0.86. A discharge
  // met exactly at a grid depth still reports the step after it.
  struct Case {
    double discharge;
    const char* yc;
  } cases[] = {{19.0, "0.84"}, {20.0, "0.87"}, {20.27, "0.87"}, {20.3, "0.88"}, {0.001, "0.02"}};
  for (const Case& c : cases) {
    ContraCostaInput in = english_case();
    in.discharge = c.discharge;
    const ContraCostaBasin b = design_contra_costa_basin(in);
    EXPECT_EQ(shown(b.exit_depth), c.yc) << c.discharge;
    EXPECT_DOUBLE_EQ(b.exit_velocity, c.discharge / (b.exit_depth * (b.basin_width + b.exit_depth)))
        << c.discharge;
  }
}

TEST(ContraCostaBasin, FroudeLimitOnUnroundedValue) {
  struct Case {
    double froude;
    bool refused;
  } cases[] = {{1.76, false}, {3.0, false}, {3.004, true}, {3.5, true}};
  for (const Case& c : cases) {
    ContraCostaInput in = english_case();
    in.froude = c.froude;
    if (c.refused) {
      try {
        design_contra_costa_basin(in);
        ADD_FAILURE() << "not refused: " << c.froude;
      } catch (const DesignRefused& e) {
        EXPECT_STREQ(e.what(), "Contra Costa Basin is suitable for Froude No. < 3.0) ");
      }
    } else {
      EXPECT_NO_THROW(design_contra_costa_basin(in)) << c.froude;
    }
  }
}

TEST(ContraCostaBasin, RatioRange) {
  struct Case {
    double ratio;
    bool ok;
  } cases[] = {{2.4, false},    {2.5, true},  {3.5, true}, {7.0, true},
               {7.0001, false}, {7.5, false}, {0, false}};
  for (const Case& c : cases) EXPECT_EQ(contra_costa_ratio_in_range(c.ratio), c.ok) << c.ratio;
  // The design itself takes an out-of-range ratio as it is.
  ContraCostaInput in = english_case();
  in.ratio = 9;
  EXPECT_EQ(shown(design_contra_costa_basin(in).L2), shown(9 * design_contra_costa_basin(in).h2));
}

TEST(ContraCostaBasin, InputsOutsideLimitsFail) {
  struct Case {
    const char* what;
    void (*spoil)(ContraCostaInput&);
  } cases[] = {
      {"zero width", [](ContraCostaInput& i) { i.width = 0; }},
      {"negative width", [](ContraCostaInput& i) { i.width = -2; }},
      {"zero discharge", [](ContraCostaInput& i) { i.discharge = 0; }},
      {"negative discharge", [](ContraCostaInput& i) { i.discharge = -20; }},
      {"zero ratio", [](ContraCostaInput& i) { i.ratio = 0; }},
      {"zero depth", [](ContraCostaInput& i) { i.dE = 0; }},
      {"discharge beyond the search", [](ContraCostaInput& i) { i.discharge = 1e300; }},
  };
  for (const Case& c : cases) {
    ContraCostaInput in = english_case();
    c.spoil(in);
    try {
      design_contra_costa_basin(in);
      ADD_FAILURE() << "no failure: " << c.what;
    } catch (const DesignRefused&) {
      ADD_FAILURE() << "refused: " << c.what;
    } catch (const Error& e) {
      EXPECT_STRNE(e.what(), "") << c.what;
    }
  }
}

}  // namespace
}  // namespace gw::outlet
