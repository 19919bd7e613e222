// Grade line of one row of form LD347: every column, the shapes and units, the laterals, the
// boundaries of the comparisons, and what is left unwritten when a value cannot be read.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "hydraulics/solve.h"
#include "reports/grade_line.h"

namespace gw::reports {
namespace {

// Pipe "10" of the fixture project: 18 in concrete from manhole 103 down to the outfall.
GradeLinePipe base_pipe() {
  GradeLinePipe p;
  p.number = "10";
  p.dia = "18";
  p.shape = "Circular";
  p.manning_n = "0.013";
  p.length = "150.000";
  p.ele_out = "1496.250";
  p.ele_in = "1498.500";
  p.flow_depth = "0.600";
  p.discharge = "4.231";
  p.barrels = "1";
  p.storm_freq = " 10 ";
  p.nodein_type = "Man Hole";
  p.nodein_shaping = "YES";
  p.structure_ca = "0.000";
  p.intensity = "6.044";
  p.velocity = "6.222";
  p.nodein_station = "11+20";
  p.nodein_top = "1504.200";
  return p;
}

const std::vector<GradeLineLateral> kBaseLaterals = {{"1", "4.517", "2.448", "0.000"},
                                                     {"2", "4.290", "1.836", "0.000"}};

// An expected cell: a number (to a relative 1e-12), a text, or nothing written.
struct Want {
  int col;
  enum { number, text, label, unwritten } kind;
  double v = 0;
  std::string t;
};
Want N(int col, double v) { return {col, Want::number, v, {}}; }
Want T(int col, std::string t) { return {col, Want::text, 0, std::move(t)}; }
Want L(int col, std::string t) { return {col, Want::label, 0, std::move(t)}; }
Want X(int col) { return {col, Want::unwritten, 0, {}}; }

struct RowCase {
  const char* name;
  std::function<void(GradeLinePipe&)> change;
  std::vector<GradeLineLateral> laterals;
  SheetValue downstream;
  const char* units;
  std::vector<Want> want;
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }

const SheetValue kTailwater = SheetValue::of_text("1497.00");

// Values of the base row (tailwater 1497.00 below the 0.8-height level 1497.45).
constexpr double kSlope = 0.001622365293776636;      // (0.013 4.231 / (1.486 pi 1.5^2 / 4 (1.5 / 4)^(2/3)))^2
constexpr double kExit = 0.15028448757763976;        // 0.25 6.222^2 / 64.4
constexpr double kLateralHead = 0.3168212577639752;  // 4.517^2 / 64.4
constexpr double kLosses = 0.26117192779503107;      // exit + 0.35 lateral head

const RowCase kRows[] = {
    {"english_circular_every_column",
     nullptr,
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {L(1, "103"), L(2, "11+20"), T(3, "1496.250"), N(4, 1.5), N(5, 1497.45), T(6, "18"), N(7, 4.231),
      T(8, "150.000"), N(9, kSlope), N(10, 0.2433547940664954), T(11, "6.222"), N(12, kExit), N(13, 4.517),
      N(14, kLateralHead), N(15, 0.1108874402173913), N(16, 0), N(17, 0), N(18, 0), N(19, kLosses), N(20, 0),
      N(21, kLosses), T(22, "YES"), N(23, 0.13058596389751553), N(24, 0.37394075796401094),
      // 1497.45 + 0.385 is below the inlet invert plus the flow depth, 1498.5 + 0.6.
      N(25, 1499.1), T(26, "1504.200"), T(27, "O.K.")}},
    {"tailwater_above_both_levels_governs",
     nullptr,
     kBaseLaterals,
     SheetValue::of_number(1499.0),
     "ENGLISH",
     {N(5, 1499.0), N(25, 1499.3739407579642)}},
    {"downstream_grade_line_read_from_text",
     nullptr,
     kBaseLaterals,
     SheetValue::of_text(" 1,499.0"),
     "ENGLISH",
     {N(5, 1499.0)}},
    {"flow_surface_above_the_08_level_governs",
     [](GradeLinePipe& p) { p.flow_depth = "1.3"; },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {N(4, 1.5), N(5, 1497.55), N(25, 1499.8)}},
    {"circular_24_in_is_2_ft",
     [](GradeLinePipe& p) { p.dia = "24"; },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {N(4, 2.0), T(6, "24"), N(5, 1497.85)}},
    {"elliptical",
     [](GradeLinePipe& p) {
       p.shape = "Elliptical";
       p.span = "38";
       p.rise = "24";
     },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {T(6, "38 X 24"), N(4, 2.0), N(5, 1497.85), N(9, 0.0001063575044055675)}},
    {"box",
     [](GradeLinePipe& p) {
       p.shape = "Box";
       p.span = "48";
       p.rise = "36";
       p.dia = "";
     },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     // A = 4 x 3 = 12 sq ft, R = 12 / (2 (4 + 3)) = 0.857143 ft,
     // Sf = (0.013 x 4.231 / (1.486 x 12 x 0.857143^(2/3)))^2.
     {T(6, "48 X 36"), N(4, 3.0), N(5, 1498.65), N(9, 1.1685169877889346e-05)}},
    {"rectangulr_is_a_box",
     [](GradeLinePipe& p) {
       p.shape = "Rectangulr";
       p.span = "48";
       p.rise = "36";
     },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {T(6, "48 X 36"), N(9, 1.1685169877889346e-05)}},
    {"arch",
     [](GradeLinePipe& p) {
       p.shape = "Arch-S-Cor";
       p.span = "43";
       p.rise = "27";
     },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {N(4, 2.25), N(9, 5.714116780368446e-05)}},
    // Metric: sizes in mm, g = 9.8, Manning's constant 1.
    {"metric_box",
     [](GradeLinePipe& p) {
       p.shape = "Box";
       p.span = "2400";
       p.rise = "1500";
       p.discharge = "5.0";
       p.ele_out = "100.000";
       p.flow_depth = "0.5";
       p.ele_in = "100.5";
     },
     {},
     SheetValue::of_text("99.0"),
     "METRIC",
     // A = 2.4 x 1.5 = 3.6 sq m, R = 3.6 / (2 (2.4 + 1.5)) = 0.461538 m,
     // Sf = (0.013 x 5 / (1 x 3.6 x 0.461538^(2/3)))^2.
     {N(4, 1.5), N(5, 101.2), N(9, 0.0009139964613561976), N(13, 0), N(14, 0),
      N(12, 0.25 * 6.222 * 6.222 / 19.6)}},
    {"metric_circular",
     [](GradeLinePipe& p) {
       p.dia = "1200";
       p.discharge = "2.0";
       p.velocity = "3";
       p.ele_out = "100.000";
     },
     {},
     SheetValue::of_text("99.0"),
     "METRIC",
     {N(4, 1.2), N(5, 100.96), N(9, 0.0026315620174198985), N(12, 0.11479591836734693)}},
    // Two barrels: the discharge per barrel.
    {"discharge_per_barrel",
     [](GradeLinePipe& p) {
       p.discharge = "5";
       p.barrels = "2";
     },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {N(7, 2.5)}},
};

// Laterals against a pipe of 5 cfs, whose tenth (0.5) and fifth (1.0) are exact.
void five_cfs(GradeLinePipe& p) { p.discharge = "5"; }

const RowCase kLaterals[] = {
    {"lateral_of_exactly_a_tenth_takes_no_bend_loss",
     five_cfs,
     {{"L", "5.0", "0.5", "45"}},
     kTailwater,
     "ENGLISH",
     {N(13, 5.0), N(16, 0), N(17, 0), N(18, 0)}},
    {"lateral_above_a_tenth_takes_the_quadratic",
     five_cfs,
     {{"L", "5.0", "0.51", "45"}},
     kTailwater,
     "ENGLISH",
     {N(16, 45), N(17, 0.4578), N(18, 25 / 64.4 * 0.4578)}},
    {"deflection_90_is_07",
     five_cfs,
     {{"L", "5.0", "2.0", "90"}},
     kTailwater,
     "ENGLISH",
     {N(16, 90), N(17, 0.7), N(18, 0.27173913043478254)}},
    {"deflection_89_9_is_quadratic",
     five_cfs,
     {{"L", "5.0", "2.0", "89.9"}},
     kTailwater,
     "ENGLISH",
     {N(16, 89.9), N(17, 0.6646094), N(18, 0.25800054347826085)}},
    // The lateral with the largest Q V gives the velocity; the first of equal products wins.
    {"first_of_equal_q_v_wins",
     five_cfs,
     {{"A", "4", "3", "0"}, {"B", "6", "2", "0"}},
     kTailwater,
     "ENGLISH",
     {N(13, 4.0), N(14, 16 / 64.4)}},
    {"largest_q_v_wins",
     five_cfs,
     {{"A", "4", "3", "0"}, {"B", "6", "2.5", "0"}},
     kTailwater,
     "ENGLISH",
     {N(13, 6.0)}},
    // The largest bend loss gives angle and K, whichever lateral has the largest Q V.
    {"largest_bend_loss_wins",
     five_cfs,
     {{"A", "4", "2", "30"}, {"B", "4", "2", "45"}, {"C", "2", "9", "90"}},
     kTailwater,
     "ENGLISH",
     {N(13, 2.0), N(16, 45), N(17, 0.4578), N(18, 0.11373913043478259),
      N(19, kExit + 0.35 * 4 / 64.4 + 0.11373913043478259)}},
    {"empty_velocity_and_deflection_count_as_0",
     five_cfs,
     {{"A", "", "3.0", ""}},
     kTailwater,
     "ENGLISH",
     {N(13, 0), N(14, 0), N(15, 0), N(16, 0), N(17, 0), N(18, 0), N(19, kExit)}},
    {"inflow_of_exactly_a_fifth_raises_the_losses",
     [](GradeLinePipe& p) {
       five_cfs(p);
       p.nodein_type = "Inlet";
       p.structure_ca = "0.5";
       p.intensity = "2";
     },
     {},
     kTailwater,
     "ENGLISH",
     {N(20, 1.0), N(21, 1.3 * kExit), N(23, 0.65 * kExit)}},
    {"inflow_below_a_fifth_keeps_the_losses",
     [](GradeLinePipe& p) {
       five_cfs(p);
       p.nodein_type = "Inlet";
       p.structure_ca = "0.4";
       p.intensity = "2";
     },
     {},
     kTailwater,
     "ENGLISH",
     {N(20, 0.8), N(21, kExit)}},
    {"inlet_with_empty_ca_has_no_inflow",
     [](GradeLinePipe& p) {
       p.nodein_type = "Inlet";
       p.structure_ca = "";
     },
     {},
     kTailwater,
     "ENGLISH",
     {N(20, 0), N(21, kExit)}},
    // Metric: hectares times mm/hr over 360 give cms; 0.5 ha at 72 mm/hr is 0.1 cms, below a
    // fifth of 1 cms.
    {"metric_inflow_in_cms",
     [](GradeLinePipe& p) {
       p.discharge = "1";
       p.nodein_type = "Inlet";
       p.structure_ca = "0.5";
       p.intensity = "72";
     },
     {},
     SheetValue::of_text("99.0"),
     "METRIC",
     {N(20, 0.1), N(21, 0.25 * 6.222 * 6.222 / 19.6)}},
    {"manhole_inflow_is_0",
     [](GradeLinePipe& p) { p.structure_ca = "3"; },
     {},
     kTailwater,
     "ENGLISH",
     {N(20, 0)}},
    {"shaping_in_lower_case_does_not_halve",
     [](GradeLinePipe& p) { p.nodein_shaping = "yes"; },
     {},
     kTailwater,
     "ENGLISH",
     {T(22, "yes"), N(23, kExit)}},
};

// The check against the top of the structure, at a grade line of exactly 1499.0.
void floor_1499(GradeLinePipe& p) {
  p.ele_in = "1498.5";
  p.flow_depth = "0.5";
}

const RowCase kChecks[] = {
    {"top_equal_to_grade_line_is_ok",
     [](GradeLinePipe& p) {
       floor_1499(p);
       p.nodein_top = "1499.000";
     },
     {},
     kTailwater,
     "ENGLISH",
     {N(25, 1499.0), T(27, "O.K.")}},
    {"top_below_grade_line_is_adjust",
     [](GradeLinePipe& p) {
       floor_1499(p);
       p.nodein_top = "1498.99";
     },
     {},
     kTailwater,
     "ENGLISH",
     {T(27, "ADJUST")}},
    {"empty_top_is_not_checked",
     [](GradeLinePipe& p) { p.nodein_top = ""; },
     {},
     kTailwater,
     "ENGLISH",
     {T(26, ""), X(27)}},
};

// Values that cannot be read: the cell is not written, and nothing is computed from it.
const RowCase kUnreadable[] = {
    {"no_barrels",
     [](GradeLinePipe& p) { p.barrels = "0"; },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {X(7), N(4, 1.5), X(9), X(10), N(13, 4.517), N(15, 0.1108874402173913), X(16), X(17), X(18), X(19),
      X(21), X(23), X(24), X(25), X(27), N(5, 1497.45), T(26, "1504.200")}},
    {"empty_manning_n",
     [](GradeLinePipe& p) { p.manning_n = ""; },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {X(9), X(10), N(23, 0.13058596389751553), X(24), X(25), X(27)}},
    {"empty_flow_depth",
     [](GradeLinePipe& p) { p.flow_depth = ""; },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {N(4, 1.5), X(5), N(9, kSlope), X(25), X(27)}},
    // Without a rise (or diameter) there is no height: column 4 stays blank with the rest.
    {"box_without_rise",
     [](GradeLinePipe& p) {
       p.shape = "Box";
       p.span = "48";
       p.rise = "";
     },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {T(6, "48 X "), X(4), X(5), X(9), X(25)}},
    {"circular_without_diameter",
     [](GradeLinePipe& p) { p.dia = ""; },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {T(6, ""), X(4), X(5), X(9), X(10)}},
    // An empty velocity leaves the exit loss, and so the losses, without a value.
    {"empty_velocity",
     [](GradeLinePipe& p) { p.velocity = ""; },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {T(11, ""), X(12), N(15, 0.1108874402173913), X(19), X(21), X(25)}},
    {"downstream_grade_line_not_a_number",
     nullptr,
     kBaseLaterals,
     SheetValue::of_text("abc"),
     "ENGLISH",
     {X(5), N(24, 0.37394075796401094), X(25), X(27)}},
    {"downstream_grade_line_unwritten", nullptr, kBaseLaterals, SheetValue{}, "ENGLISH", {X(5), X(25)}},
    {"lateral_without_discharge",
     nullptr,
     {{"1", "4.517", "", "0"}},
     kTailwater,
     "ENGLISH",
     {X(13), X(14), X(15), X(16), X(17), X(18), X(19), X(21), X(25), N(12, kExit)}},
    {"lateral_deflection_not_a_number",
     nullptr,
     {{"1", "4.517", "2.448", "right"}},
     kTailwater,
     "ENGLISH",
     {N(13, 4.517), X(16), X(17), X(18), X(19)}},
    // An empty length gives no friction loss, and so no grade line: a loss of 0 would
    // understate it.
    {"empty_length_leaves_the_friction_loss_blank",
     [](GradeLinePipe& p) { p.length = "  "; },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {T(8, ""), X(10), X(24), X(25), X(27)}},
    {"length_not_a_number",
     [](GradeLinePipe& p) { p.length = "150 ft"; },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {T(8, "150 ft"), X(10), X(24), X(25)}},
    {"inlet_invert_not_a_number",
     [](GradeLinePipe& p) { p.ele_in = "?"; },
     kBaseLaterals,
     kTailwater,
     "ENGLISH",
     {N(24, 0.37394075796401094), X(25), X(27)}},
};

class Row : public ::testing::TestWithParam<RowCase> {};

TEST_P(Row, GivesTheCells) {
  const RowCase& c = GetParam();
  GradeLinePipe pipe = base_pipe();
  if (c.change) c.change(pipe);
  const GradeLineRow row = grade_line_row("103", pipe, c.laterals, c.downstream, units_of(c.units));
  for (const Want& w : c.want) {
    const SheetValue& got = row[w.col];
    switch (w.kind) {
      case Want::number:
        ASSERT_EQ(got.kind, SheetValue::Kind::number) << "column " << w.col;
        EXPECT_NEAR(got.number, w.v, 1e-12 * std::max(1.0, std::abs(w.v))) << "column " << w.col;
        break;
      case Want::text:
        ASSERT_EQ(got.kind, SheetValue::Kind::text) << "column " << w.col;
        EXPECT_EQ(got.text, w.t) << "column " << w.col;
        break;
      case Want::label:
        ASSERT_EQ(got.kind, SheetValue::Kind::label) << "column " << w.col;
        EXPECT_EQ(got.text, w.t) << "column " << w.col;
        break;
      case Want::unwritten:
        EXPECT_FALSE(got.written()) << "column " << w.col;
        break;
    }
  }
  EXPECT_EQ(row.storm_frequency, "10");
}

auto case_name = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Columns, Row, ::testing::ValuesIn(kRows), case_name);
INSTANTIATE_TEST_SUITE_P(Laterals, Row, ::testing::ValuesIn(kLaterals), case_name);
INSTANTIATE_TEST_SUITE_P(Checks, Row, ::testing::ValuesIn(kChecks), case_name);
INSTANTIATE_TEST_SUITE_P(Unreadable, Row, ::testing::ValuesIn(kUnreadable), case_name);

// Column 9 is the friction slope SOLVE gives the same pipe, shape by shape, in both unit
// systems: the same full section, the box wetted all round.
TEST(GradeLineFriction, IsTheSolveFrictionSlope) {
  struct Case {
    const char* shape;
    double dia, span, rise;  // in or mm
    const char* units;
    double q;
  } cases[] = {
      {"Circular", 18, 0, 0, "ENGLISH", 4.231}, {"Circular", 1200, 0, 0, "METRIC", 2.0},
      {"Elliptical", 0, 38, 24, "ENGLISH", 12}, {"Elliptical", 0, 1200, 760, "METRIC", 0.9},
      {"Arch-S-Cor", 0, 43, 27, "ENGLISH", 5},  {"Arch-Conc", 0, 1100, 700, "METRIC", 0.4},
      {"Box", 0, 48, 36, "ENGLISH", 30},        {"Box", 0, 2400, 1500, "METRIC", 5.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.shape) + " " + c.units);
    hyd::SolveInput in;
    in.pipe_discharge = c.q;
    in.numofpipes = 1;
    in.pipe_slope = 0.01;
    in.pipe_mann = 0.013;
    in.pipe_length = 100;
    in.pipe_dia = c.dia;
    in.span = c.span;
    in.rise = c.rise;
    in.pipe_shape = c.shape;
    in.units = units_of(c.units);
    hyd::HydraulicsState state;
    ASSERT_TRUE(hyd::solve_pipe(in, state).ok());

    GradeLinePipe p = base_pipe();
    p.shape = c.shape;
    p.dia = std::to_string(c.dia);
    p.span = std::to_string(c.span);
    p.rise = std::to_string(c.rise);
    p.discharge = std::to_string(c.q);
    const GradeLineRow row = grade_line_row("103", p, {}, kTailwater, units_of(c.units));
    ASSERT_EQ(row[9].kind, SheetValue::Kind::number);
    const double want = state.friction_slope_val;
    EXPECT_NEAR(row[9].number, want, 1e-12 * want);
  }
}

TEST(GradeLineUnits, EnglishExactlyElseMetric) {
  const Units e = units_of("ENGLISH");
  EXPECT_EQ(e.gravity_circular_box, 32.2);
  EXPECT_EQ(e.size_divisor, 12);
  EXPECT_EQ(e.manning_k, 1.486);
  EXPECT_EQ(e.rational_divisor, 1);
  for (const char* other : {"METRIC", "english", ""}) {
    const Units m = units_of(other);
    EXPECT_EQ(m.gravity_circular_box, 9.8) << other;
    EXPECT_EQ(m.size_divisor, 1000) << other;
    EXPECT_EQ(m.manning_k, 1.0) << other;
    EXPECT_EQ(m.rational_divisor, 360) << other;
  }
}

}  // namespace
}  // namespace gw::reports
