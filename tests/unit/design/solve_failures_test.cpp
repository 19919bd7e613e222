// Refused inputs and failing solves: their messages, and the fields written before the failure.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "tests/unit/design/solve_cases.h"

namespace gw::hyd {
namespace {

using namespace testing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct FailureCase {
  const char* name;
  SolveInput in;
  Message message;
  std::vector<std::string> written;  // the fields written before the failure, in order
  bool shape_routine_ran;            // number_format set
};

const Message kDischarge{std::string(text::check_discharge), MessageIcon::exclamation, "Errur"};
const Message kSlope{std::string(text::check_slope), MessageIcon::exclamation, "Errur"};
const Message kInvalidInput{std::string(text::invalid_input), MessageIcon::exclamation, ""};
const Message kInvalidData{std::string(text::invalid_data), MessageIcon::exclamation, ""};

SolveInput with(SolveInput in, const std::function<void(SolveInput&)>& change) {
  change(in);
  return in;
}

const SolveInput kCircle = circular(18, 10);
const SolveInput kBox = spanned("Box", 48, 36, 40, 0.005, 0.013);
const SolveInput kEllipse = spanned("Elliptical", 38, 24, 20, 0.01, 0.013);
const SolveInput kArch = spanned("Arch-S-Cor", 43, 27, 20, 0.01, 0.024);

const std::vector<std::string> kNothing;

const FailureCase kFailures[] = {
    // The command's own checks, before any routine.
    {"discharge_zero", with(kCircle, [](auto& in) { in.pipe_discharge = 0; }), kDischarge, kNothing, false},
    {"discharge_negative", with(kBox, [](auto& in) { in.pipe_discharge = -1; }), kDischarge, kNothing, false},
    {"discharge_not_a_number", with(kCircle, [](auto& in) { in.pipe_discharge = kNaN; }), kInvalidInput,
     kNothing, false},
    {"discharge_overflowing", with(kCircle, [](auto& in) { in.pipe_discharge = kInf; }), kInvalidInput,
     kNothing, false},
    {"slope_zero", with(kCircle, [](auto& in) { in.pipe_slope = 0; }), kSlope, kNothing, false},
    {"slope_negative", with(kArch, [](auto& in) { in.pipe_slope = -0.01; }), kSlope, kNothing, false},
    {"slope_not_a_number", with(kCircle, [](auto& in) { in.pipe_slope = kNaN; }), kInvalidInput, kNothing,
     false},
    {"discharge_checked_before_slope",
     with(kCircle,
          [](auto& in) {
            in.pipe_discharge = 0;
            in.pipe_slope = kNaN;
          }),
     kDischarge, kNothing, false},
    // The routines' checks of what they read: nothing is written.
    {"no_barrels", with(kCircle, [](auto& in) { in.numofpipes = 0; }), kInvalidData, kNothing, true},
    {"negative_barrels", with(kBox, [](auto& in) { in.numofpipes = -2; }), kInvalidData, kNothing, true},
    {"barrels_not_a_number", with(kEllipse, [](auto& in) { in.numofpipes = kNaN; }), kInvalidData, kNothing,
     true},
    {"manning_n_zero", with(kArch, [](auto& in) { in.pipe_mann = 0; }), kInvalidData, kNothing, true},
    {"manning_n_negative", with(kCircle, [](auto& in) { in.pipe_mann = -0.013; }), kInvalidData, kNothing,
     true},
    {"manning_n_not_a_number", with(kBox, [](auto& in) { in.pipe_mann = kNaN; }), kInvalidData, kNothing,
     true},
    {"length_not_a_number", with(kCircle, [](auto& in) { in.pipe_length = kNaN; }), kInvalidData, kNothing,
     true},
    {"diameter_zero", with(kCircle, [](auto& in) { in.pipe_dia = 0; }), kInvalidData, kNothing, true},
    {"diameter_not_a_number", with(kCircle, [](auto& in) { in.pipe_dia = kNaN; }), kInvalidData, kNothing,
     true},
    {"box_span_zero", with(kBox, [](auto& in) { in.span = 0; }), kInvalidData, kNothing, true},
    {"box_rise_infinite", with(kBox, [](auto& in) { in.rise = kInf; }), kInvalidData, kNothing, true},
    {"elliptical_rise_zero", with(kEllipse, [](auto& in) { in.rise = 0; }), kInvalidData, kNothing, true},
    {"elliptical_span_negative", with(kEllipse, [](auto& in) { in.span = -38; }), kInvalidData, kNothing,
     true},
    {"arch_rise_not_a_number", with(kArch, [](auto& in) { in.rise = kNaN; }), kInvalidData, kNothing, true},
    // Sizes whose depth searches would run past their step limit.
    {"diameter_beyond_the_search", with(kCircle, [](auto& in) { in.pipe_dia = 12.0e3 * 1.01; }), kInvalidData,
     kNothing, true},
    {"box_rise_beyond_the_search", with(kBox, [](auto& in) { in.rise = 12.0e3 * 1.01; }), kInvalidData,
     kNothing, true},
    {"arch_rise_beyond_the_search", with(kArch, [](auto& in) { in.rise = 12.0e5 * 1.01; }), kInvalidData,
     kNothing, true},
    // An overflow part-way: the energy of a velocity near 1e198 ft/s. The fields written
    // before it keep their texts; the rest stay empty.
    {"circular_energy_overflow",
     with(kCircle, [](auto& in) { in.pipe_discharge = 1e200; }),
     kInvalidData,
     {"capacity", "flow_type", "pipe_flowdepth", "pipe_areaflow", "pipe_velocity", "hyd_radius", "pipe_WP",
      "FROUDE_NO", "pipe_summary"},
     true},
    {"box_energy_overflow",
     with(kBox, [](auto& in) { in.pipe_discharge = 1e200; }),
     kInvalidData,
     {"flow_type", "capacity", "pipe_flowdepth", "pipe_areaflow", "pipe_velocity", "hyd_radius", "pipe_WP",
      "FROUDE_NO", "pipe_summary"},
     true},
    {"arch_energy_overflow",
     with(kArch, [](auto& in) { in.pipe_discharge = 1e200; }),
     kInvalidData,
     {"flow_type", "capacity", "pipe_flowdepth", "pipe_areaflow", "pipe_velocity", "hyd_radius", "pipe_WP",
      "FROUDE_NO", "pipe_summary"},
     true},
};

class Failure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(Failure, ShowsOneMessageAndReportsNoSuccess) {
  const FailureCase& c = GetParam();
  HydraulicsState state;
  const SolveOutcome out = solve(c.in, state);
  EXPECT_FALSE(out.ok);
  ASSERT_EQ(out.messages.size(), 1u) << "no second message, no \"Solved!\"";
  EXPECT_EQ(out.messages[0].text, c.message.text);
  EXPECT_EQ(out.messages[0].icon, c.message.icon);
  EXPECT_EQ(out.messages[0].title, c.message.title);
  EXPECT_EQ(fields_of(out), c.written);
  if (c.shape_routine_ran) {
    EXPECT_EQ(out.number_format, "#0.000");
  } else {
    EXPECT_FALSE(out.number_format.has_value());
  }
  EXPECT_FALSE(out.failure.empty());
}

INSTANTIATE_TEST_SUITE_P(Hydraulics, Failure, ::testing::ValuesIn(kFailures),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(Failure, LargestAllowedSizesStillSolve) {
  HydraulicsState state;
  SolveInput in = circular(12.0e3, 1e5);  // 1000 ft, the largest diameter searched
  EXPECT_TRUE(solve(in, state).ok);
  in = spanned("Elliptical", 1000, 12.0e5, 20, 0.01, 0.013);  // a rise of 100000 ft
  EXPECT_TRUE(solve(in, state).ok);
}

TEST(Failure, OverflowWrittenTextsAreTheSolvedValues) {
  HydraulicsState state;
  const SolveOutcome out = solve(with(kCircle, [](auto& in) { in.pipe_discharge = 1e200; }), state);
  EXPECT_EQ(out.text(field::flow_type), text::pressure_flow);
  EXPECT_EQ(out.text(field::pipe_flowdepth), "1.500");
  EXPECT_EQ(out.text(field::pipe_summary), text::supercritical_flow);
  EXPECT_EQ(out.failure, "Overflow");
}

}  // namespace
}  // namespace gw::hyd
