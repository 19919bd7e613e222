// Tests of one pipe's row of form LD229, written into the program's own template.
#include "reports/ld229_row.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/error/error.h"

namespace gw::reports {
namespace {

constexpr int kRow = 12;

// A solved circular pipe of 24 in, every column filled.
Ld229Pipe circular_pipe() {
  Ld229Pipe p;
  p.pipe_number = "7";
  p.nodein_no = "101";
  p.nodein_station = "10+00";
  p.nodeout_no = "102";
  p.nodeout_station = "11+20";
  p.structure_area = "5";
  p.structure_ca = "2.5";
  p.accumulated_ca = "2.500";
  p.accumulated_tc = "5.444";
  p.pipe_i = "6.120";
  p.lateral_discharge = "0.0";
  p.pipe_discharge = "15.300";
  p.pipe_elein = "1500.000";
  p.pipe_eleout = "1498.800";
  p.pipe_length = "120.000";
  p.pipe_slope = "0.010";
  p.pipe_shape = "Circular";
  p.pipe_dia = "24";
  p.numofpipes = "1";
  p.capacity = "22.600";
  p.friction_slope = "0.004";
  p.pipe_flowdepth = "1.500";
  p.pipe_areaflow = "2.500";
  p.hyd_radius = "0.550";
  p.pipe_velocity = "6.100";
  p.energy = "2.080";
  p.flow_time = "90";
  return p;
}

Ld229Pipe box_pipe() {
  Ld229Pipe p = circular_pipe();
  p.pipe_shape = "Box";
  p.pipe_dia = "";
  p.span = "48";
  p.rise = "30";
  return p;
}

class Ld229RowTest : public ::testing::Test {
 protected:
  wb::Workbook sheet = wb::Workbook::open(std::string(GW_PROGRAM_DIR) + "/LD229.xlr");

  void write(const Ld229Pipe& p, const std::string& pattern = "0.000", double divisor = 12) {
    write_ld229_row(sheet, kRow, p, pattern, divisor);
  }
  std::string cell(int col) const { return sheet.text(kRow, col); }
};

TEST_F(Ld229RowTest, PlainColumnsGoToTheirCellsAndNullsLeaveThemBlank) {
  Ld229Pipe p = circular_pipe();
  p.nodein_station = "";
  p.energy = "";
  write(p);
  const std::vector<std::pair<int, std::string>> expected = {
      {1, "7"},    {2, "101"},    {3, ""},      {4, "102"},       {5, "11+20"}, {6, "5"},     {8, "2.5"},
      {9, "2.5"},  {10, "5.444"}, {11, "6.12"}, {12, "0"},        {13, "15.3"}, {14, "1500"}, {15, "1498.8"},
      {16, "120"}, {17, "0.01"},  {18, "24"},   {19, "Circular"}, {20, "1"},    {21, "22.6"}, {22, "0.004"},
      {23, "1.5"}, {24, "2.5"},   {25, "0.55"}, {26, "6.1"},      {27, ""},
  };
  for (const auto& [col, text] : expected) EXPECT_EQ(cell(col), text) << "column " << col;
}

TEST_F(Ld229RowTest, IdentifiersStayTextAsTyped) {
  Ld229Pipe p = circular_pipe();
  p.pipe_number = "001";
  p.nodein_no = "1E2";
  p.nodein_station = "=A1";
  p.nodeout_no = "3-4";
  p.nodeout_station = "0010";
  write(p);
  const std::vector<std::pair<int, std::string>> expected = {
      {1, "001"}, {2, "1E2"}, {3, "=A1"}, {4, "3-4"}, {5, "0010"}};
  for (const auto& [col, text] : expected) {
    EXPECT_EQ(cell(col), text) << "column " << col;
    EXPECT_FALSE(sheet.number(kRow, col).has_value()) << "column " << col;
  }
  // The quantities beside them are numbers.
  EXPECT_EQ(sheet.number(kRow, 6), 5);
  EXPECT_EQ(sheet.number(kRow, 16), 120);
}

TEST_F(Ld229RowTest, RunoffCoefficientIsCaOverAreaInTheNumberPattern) {
  struct Case {
    const char* area;
    const char* ca;
    const char* pattern;
    std::optional<double> expected;  // none: column 7 left as it was
  };
  const Case cases[] = {
      {"5", "2.5", "0.000", 0.5},           {"3", "1", "0.000", 0.333},         {"3", "1", "#0.0000", 0.3333},
      {"", "", "0.000", std::nullopt},    // no C*A: not written, even with no area
      {"5", "0", "0.000", std::nullopt},  // C*A of 0: not written
      {"", "0.000", "0.000", std::nullopt}, {"5", "-1", "0.000", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.ca) + " / " + c.area + " with " + c.pattern);
    sheet.set_value(kRow, 7, "template");
    Ld229Pipe p = circular_pipe();
    p.structure_area = c.area;
    p.structure_ca = c.ca;
    write(p, c.pattern);
    if (c.expected) {
      ASSERT_TRUE(sheet.number(kRow, 7).has_value());
      EXPECT_DOUBLE_EQ(*sheet.number(kRow, 7), *c.expected);
    } else {
      EXPECT_EQ(cell(7), "template");
    }
  }
}

TEST_F(Ld229RowTest, FlowTimeInRoundedMinutesAndTimeAtTheLowerEnd) {
  struct Case {
    const char* flow_time;
    const char* tc;
    const char* pattern;
    double minutes;
    double lower_end;
  };
  const Case cases[] = {
      {"90", "5.444", "0.000", 1.5, 6.944},
      {"100", "5", "0.000", 1.667, 6.667},  // the rounded minutes carry into column 29
      {"100", "5", "0.0000", 1.6667, 6.6667},
      {"26.6", "", "#0.000", 0.443, 0.443},  // no Tc counts as 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.flow_time) + " s, Tc " + c.tc + ", " + c.pattern);
    Ld229Pipe p = circular_pipe();
    p.flow_time = c.flow_time;
    p.accumulated_tc = c.tc;
    write(p, c.pattern);
    ASSERT_TRUE(sheet.number(kRow, 28).has_value());
    EXPECT_DOUBLE_EQ(*sheet.number(kRow, 28), c.minutes);
    ASSERT_TRUE(sheet.number(kRow, 29).has_value());
    EXPECT_NEAR(*sheet.number(kRow, 29), c.lower_end, 1e-12);
  }
}

TEST_F(Ld229RowTest, PressureFlowWhenTheDepthReachesTheHeight) {
  struct Case {
    Ld229Pipe pipe;
    const char* depth;
    double divisor;
    const char* expected;
  };
  Ld229Pipe metric = circular_pipe();
  metric.pipe_dia = "600";
  Ld229Pipe lower_case = box_pipe();
  lower_case.pipe_shape = "circular";  // not "Circular": span and rise count
  lower_case.pipe_dia = "12";
  const Case cases[] = {
      {circular_pipe(), "2.0", 12, "Pressure Flow"},  // 24 in = 2 ft, equal is not below
      {circular_pipe(), "1.99", 12, ""},
      {circular_pipe(), "2.5", 12, "Pressure Flow"},
      {circular_pipe(), "", 12, ""},  // no depth counts as 0
      {metric, "0.6", 1000, "Pressure Flow"},
      {metric, "0.599", 1000, ""},
      {box_pipe(), "2.5", 12, "Pressure Flow"},  // the rise, 30 in
      {box_pipe(), "2.49", 12, ""},
      {lower_case, "2.49", 12, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pipe.pipe_shape + " depth " + c.depth);
    Ld229Pipe p = c.pipe;
    p.pipe_flowdepth = c.depth;
    write(p, "0.000", c.divisor);
    EXPECT_EQ(cell(30), c.expected);
  }
}

TEST_F(Ld229RowTest, SizeTextOfEachShape) {
  Ld229Pipe box = box_pipe();
  write(box);
  EXPECT_EQ(cell(18), "48 X 30");
  EXPECT_EQ(cell(19), "Box");

  Ld229Pipe arch = box_pipe();
  arch.pipe_shape = "Rectangulr";
  arch.span = "";  // an empty span is not a null one
  arch.rise = "30";
  write(arch);
  EXPECT_EQ(cell(18), " X 30");
  EXPECT_EQ(cell(19), "Rectangulr");

  Ld229Pipe circular = circular_pipe();
  circular.span = "99";
  circular.span_null = true;
  EXPECT_EQ(ld229_size_text(circular), "24");
  EXPECT_EQ(ld229_height_text(circular), "24");
  EXPECT_EQ(ld229_height_text(box_pipe()), "30");
}

TEST_F(Ld229RowTest, ValuesTheRowCannotTakeNameTheirColumn) {
  struct Case {
    const char* what;
    void (*change)(Ld229Pipe&);
    int column;        // the column named in the failure
    int last_written;  // a column written before the failure
  };
  const Case cases[] = {
      {"C*A without area", [](Ld229Pipe& p) { p.structure_area = ""; }, 7, 8},
      {"C*A over a zero area", [](Ld229Pipe& p) { p.structure_area = "0"; }, 7, 8},
      {"area not a number", [](Ld229Pipe& p) { p.structure_area = "five"; }, 7, 8},
      {"C*A not a number", [](Ld229Pipe& p) { p.structure_ca = "n/a"; }, 7, 8},
      {"no flow time", [](Ld229Pipe& p) { p.flow_time = ""; }, 28, 27},
      {"length with a thousands separator", [](Ld229Pipe& p) { p.pipe_length = "1,000"; }, 16, 5},
      {"capacity not a number", [](Ld229Pipe& p) { p.capacity = "NaN"; }, 21, 5},
      {"energy in hexadecimal", [](Ld229Pipe& p) { p.energy = "0x10"; }, 27, 5},
      {"area not a number without C*A",
       [](Ld229Pipe& p) {
         p.structure_ca = "";
         p.structure_area = "-Infinity";
       },
       6, 5},
      {"flow time not a number", [](Ld229Pipe& p) { p.flow_time = "1:30"; }, 28, 27},
      {"Tc not a number", [](Ld229Pipe& p) { p.accumulated_tc = "soon"; }, 29, 28},
      {"no diameter", [](Ld229Pipe& p) { p.pipe_dia = ""; }, 30, 29},
      {"flow depth not a number", [](Ld229Pipe& p) { p.pipe_flowdepth = "full"; }, 30, 29},
      {"box without rise",
       [](Ld229Pipe& p) {
         p.pipe_shape = "Box";
         p.rise = "";
         p.span = "48";
       },
       30, 29},
      {"box with a null span",
       [](Ld229Pipe& p) {
         p.pipe_shape = "Box";
         p.span_null = true;
         p.rise = "30";
       },
       18, 17},
      {"arch with a null rise",
       [](Ld229Pipe& p) {
         p.pipe_shape = "Arch-Conc";
         p.span = "48";
         p.rise_null = true;
       },
       18, 17},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    wb::Workbook fresh = wb::Workbook::open(std::string(GW_PROGRAM_DIR) + "/LD229.xlr");
    Ld229Pipe p = circular_pipe();
    c.change(p);
    try {
      write_ld229_row(fresh, kRow, p, "0.000", 12);
      ADD_FAILURE() << "no failure";
    } catch (const Ld229RowError& e) {
      EXPECT_EQ(e.column(), c.column);
      const std::string text = e.what();
      EXPECT_EQ(text.rfind("column " + std::to_string(c.column) + ": ", 0), 0u) << text;
      // A reason of its own, not a bare runtime description.
      EXPECT_GT(text.size(), 20u) << text;
    }
    EXPECT_EQ(fresh.text(kRow, 1), "7");
    EXPECT_NE(fresh.text(kRow, c.last_written), "");
    EXPECT_EQ(fresh.text(kRow, 30), "");
  }
}

// Rows past 32,767 (where a 16-bit row counter ended the form) hold their pipes like the first,
// up to the row of the 100,000th pipe, and keep them through saving and opening the file.
TEST(Ld229Rows, RowsGoOnPastTheSixteenBitLimit) {
  const std::string path = ::testing::TempDir() + "ld229_rows.xlsx";
  {
    wb::Workbook book = wb::Workbook::open(std::string(GW_PROGRAM_DIR) + "/LD229.xlr");
    for (int row : {32767, 32768, kLd229FirstRow + 99999}) {
      Ld229Pipe p = circular_pipe();
      p.pipe_number = "P" + std::to_string(row);
      write_ld229_row(book, row, p, "0.000", 12);
    }
    book.save(path);
  }
  const wb::Workbook book = wb::Workbook::open(path);
  for (int row : {32767, 32768, kLd229FirstRow + 99999}) {
    SCOPED_TRACE(row);
    EXPECT_EQ(book.text(row, 1), "P" + std::to_string(row));
    EXPECT_EQ(book.text(row, 7), "0.5");
    EXPECT_EQ(book.text(row, 29), "6.944");
  }
  EXPECT_EQ(book.text(32769, 1), "");
  std::remove(path.c_str());
}

}  // namespace
}  // namespace gw::reports
