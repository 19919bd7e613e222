// Tests of the pipe results workbook's cell map.
#include "reports/pipe_results_cells.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

namespace gw::reports {
namespace {

bool has_cell(const std::vector<PipeResultCell>& cells, int row, int col) {
  for (const PipeResultCell& c : cells)
    if (c.row == row && c.col == col) return true;
  return false;
}

TEST(PipeResultCells, EveryColumnHasACellOfItsOwn) {
  for (bool legacy : {false, true}) {
    SCOPED_TRACE(legacy ? "legacy" : "current");
    std::set<std::pair<int, int>> addresses;
    std::set<std::string> columns;
    for (const PipeResultCell& c : pipe_result_cells(legacy)) {
      EXPECT_TRUE(addresses.insert({c.row, c.col}).second) << c.row << "," << c.col;
      EXPECT_TRUE(columns.insert(c.column).second) << c.column;
      // Clear of the header cells (rows 1 to 8).
      EXPECT_GE(c.row, 11) << c.column;
    }
  }
}

TEST(PipeResultCells, OnlyTheFourthPreviousPipeDependsOnTheProjectKind) {
  const auto& current = pipe_result_cells(false);
  const auto& legacy = pipe_result_cells(true);
  ASSERT_EQ(current.size(), 55u);
  ASSERT_EQ(legacy.size(), 51u);
  for (int col = 2; col <= 5; ++col) {
    EXPECT_TRUE(has_cell(current, 32, col));
    EXPECT_FALSE(has_cell(legacy, 32, col));
  }
  // The design discharge shares row 32 and is always written.
  EXPECT_TRUE(has_cell(current, 32, 8));
  EXPECT_TRUE(has_cell(legacy, 32, 8));
  // The fourth previous pipe comes between the third and the lateral discharge.
  EXPECT_STREQ(current[37].column, "PREFLOWTIME3");
  EXPECT_STREQ(current[38].column, "PRENODE4");
  EXPECT_STREQ(current[42].column, "LATERAL_DISCHARGE");
  EXPECT_STREQ(legacy[38].column, "LATERAL_DISCHARGE");
  EXPECT_STREQ(current.front().column, "PIPE_NUMBER");
  EXPECT_STREQ(current.back().column, "FLOW_TYPE");
}

}  // namespace
}  // namespace gw::reports
