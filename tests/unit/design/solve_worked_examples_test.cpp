// Whole solves of every shape in both unit systems, checked field by field in the order written.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/unit/design/solve_cases.h"

namespace gw::hyd {
namespace {

using namespace testing;

struct WorkedCase {
  const char* name;
  SolveInput in;
  // capacity, flow_type, depth, area, velocity, radius, WP, Froude, summary, energy, time,
  // critical depth, friction slope
  std::array<const char*, 13> texts;
};

const WorkedCase kWorked[] = {
    {"circular_18in_Q10",
     circular(18, 10),
     {"10.504", "PARTIAL FLOW", "1.169", "1.478", "6.766", "0.455", "3.246", "1.103", "SUPERCRITICAL FLOW",
      "1.880", "14.780", "1.219", "0.0091"}},
    {"circular_18in_Q12",
     circular(18, 12),
     {"10.504", "PRESSURE FLOW", "1.500", "1.767", "6.791", "0.375", "4.712", "0.977", "SUBCRITICAL FLOW",
      "2.216", "14.726", "1.314", "0.0131"}},
    {"box_48x36_Q40",
     spanned("Box", 48, 36, 40, 0.005, 0.013),
     {"87.521", "PARTIAL FLOW", "1.406", "5.624", "7.113", "0.826", "6.812", "1.057", "SUPERCRITICAL FLOW",
      "2.192", "14.058", "1.459", "0.0010"}},
    {"box_48x36_Q200",
     spanned("Box", 48, 36, 200, 0.005, 0.013),
     {"87.521", "PRESSURE FLOW", "3.000", "12.000", "16.667", "0.857", "14.000", "1.696",
      "SUPERCRITICAL FLOW", "7.313", "6.000", "2.997", "0.0261"}},
    {"elliptical_38x24_Q20",
     spanned("Elliptical", 38, 24, 20, 0.01, 0.013),
     {"41.026", "PARTIAL FLOW", "0.990", "2.455", "8.190", "0.607", "4.048", "1.452", "SUPERCRITICAL FLOW",
      "2.033", "12.209", "1.230", "0.0024"}},
    {"arch_43x27_Q20",
     spanned("Arch-S-Cor", 43, 27, 20, 0.01, 0.024),
     {"30.318", "PARTIAL FLOW", "1.240", "4.001", "5.055", "0.738", "5.424", "0.801", "SUBCRITICAL FLOW",
      "1.637", "19.782", "1.080", "0.0044"}},
    {"arch_43x27_Q60",
     spanned("Arch-S-Cor", 43, 27, 60, 0.01, 0.024),
     {"30.318", "PRESSURE FLOW", "2.250", "6.336", "9.469", "0.679", "9.327", "1.113", "SUPERCRITICAL FLOW",
      "3.644", "10.561", "2.250", "0.0392"}},
    // Metric sizes: metres, cms, g = 9.8 (circular, box) or 9.81 (elliptical, arch); every
    // number still shows three decimals, the friction slope four.
    {"circular_600mm_metric",
     metric(circular(600, 0.3, 0.005), 50),
     {"0.434", "PARTIAL FLOW", "0.366", "0.181", "1.661", "0.168", "1.076", "0.877", "SUBCRITICAL FLOW",
      "0.507", "30.108", "0.357", "0.0024"}},
    {"circular_450mm_metric_pressure",
     metric(circular(450, 0.5), 50),
     {"0.285", "PRESSURE FLOW", "0.450", "0.159", "3.144", "0.113", "1.414", "1.497", "SUPERCRITICAL FLOW",
      "0.954", "15.904", "0.436", "0.0308"}},
    {"box_1200x900_metric",
     metric(spanned("Box", 1200, 900, 1.5, 0.004, 0.013), 60),
     {"2.125", "PARTIAL FLOW", "0.580", "0.696", "2.155", "0.295", "2.359", "0.904", "SUBCRITICAL FLOW",
      "0.817", "27.840", "0.542", "0.0020"}},
    {"elliptical_1150x730_metric",
     metric(spanned("Elliptical", 1150, 730, 0.8, 0.006, 0.013), 40),
     {"1.446", "PARTIAL FLOW", "0.390", "0.359", "2.251", "0.232", "1.546", "1.151", "SUPERCRITICAL FLOW",
      "0.648", "17.773", "0.430", "0.0018"}},
    {"arch_1448x965_metric",
     metric(spanned("Arch-S-Cor", 1448, 965, 1.2, 0.01, 0.024), 80),
     {"1.969", "PARTIAL FLOW", "0.510", "0.657", "1.871", "0.301", "2.184", "0.837", "SUBCRITICAL FLOW",
      "0.689", "42.748", "0.460", "0.0037"}},
};

class WorkedExample : public ::testing::TestWithParam<WorkedCase> {};

TEST_P(WorkedExample, WritesEveryResultInOrderAndReportsSuccess) {
  const WorkedCase& c = GetParam();
  HydraulicsState state;
  const SolveOutcome out = solve(c.in, state);

  ASSERT_TRUE(out.ok) << out.failure;
  ASSERT_EQ(out.messages.size(), 1u);
  EXPECT_EQ(out.messages[0].text, text::solved);
  EXPECT_EQ(out.messages[0].icon, MessageIcon::none);
  EXPECT_EQ(out.messages[0].title, "");
  EXPECT_EQ(out.number_format, c.in.units.english() ? "#0.000" : "#0.0000");

  // Expected (field, text) pairs in the routine's order of writing.
  const auto order = order_for(c.in.pipe_shape);
  std::vector<std::string> expected_fields(order.begin(), order.end());
  std::vector<std::string> expected_texts;
  for (std::string_view f : order) {
    const auto at = std::find(kCircularOrder.begin(), kCircularOrder.end(), f);
    expected_texts.emplace_back(c.texts[static_cast<std::size_t>(at - kCircularOrder.begin())]);
  }
  EXPECT_EQ(fields_of(out), expected_fields);
  EXPECT_EQ(texts_of(out), expected_texts);
}

INSTANTIATE_TEST_SUITE_P(Hydraulics, WorkedExample, ::testing::ValuesIn(kWorked),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

}  // namespace
}  // namespace gw::hyd
