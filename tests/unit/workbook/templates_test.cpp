// The report templates of the program folder: each opens on its form, and every cell the
// reports write is empty in the template with a label beside it.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/workbook/workbook.h"

namespace gw::wb {
namespace {

struct Template {
  const char* file;
  const char* sheet;
  std::vector<std::pair<int, int>> written;  // (row, column) cells the report writes
  int first_row = 0, last_col = 0;           // rows from first_row on: columns 1..last_col
};

std::vector<std::pair<int, int>> cells(std::initializer_list<std::pair<int, int>> l) { return l; }

const Template kTemplates[] = {
    {"LD347.xlr", "LD347", cells({{1, 9}, {1, 26}, {4, 4}, {11, 1}, {11, 25}}), 12, 27},
    {"LD229.xlr", "LD229", cells({{4, 3}, {1, 13}, {1, 25}, {2, 13}, {3, 13}, {5, 25}}), 12, 30},
    {"STORMDRAINRESULTS.xlr", "Pipe Results",
     cells({{1, 9},  {2, 9},  {3, 9},  {6, 3},  {7, 3},  {8, 3},  {7, 8},  {11, 3}, {12, 3}, {13, 3}, {14, 3},
            {15, 3}, {12, 6}, {13, 6}, {14, 6}, {15, 6}, {12, 9}, {13, 9}, {14, 9}, {20, 4}, {20, 5}, {20, 6},
            {20, 7}, {20, 8}, {20, 9}, {21, 4}, {21, 5}, {21, 6}, {21, 7}, {21, 8}, {25, 9}, {26, 3}, {26, 6},
            {29, 2}, {29, 3}, {29, 4}, {29, 5}, {30, 2}, {30, 3}, {30, 4}, {30, 5}, {31, 2}, {31, 3}, {31, 4},
            {31, 5}, {32, 2}, {32, 3}, {32, 4}, {32, 5}, {30, 8}, {31, 8}, {32, 8}, {36, 3}, {36, 6}, {36, 9},
            {37, 3}, {37, 6}, {37, 9}, {38, 3}, {38, 6}, {39, 3}, {39, 6}})},
    {"OUTLETPROTECTION.xlr", "Outlet Protection",
     [] {
       std::vector<std::pair<int, int>> v = {{1, 3},  {1, 10}, {2, 3},  {3, 10}, {5, 5},  {5, 9},
                                             {6, 5},  {6, 9},  {7, 5},  {8, 5},  {8, 9},  {9, 5},
                                             {9, 9},  {10, 5}, {10, 9}, {11, 7}, {12, 9}, {13, 5},
                                             {13, 9}, {14, 5}, {14, 9}, {15, 5}, {15, 9}, {17, 5}};
       for (int r : {17, 18, 19, 21, 22, 23, 24, 25}) v.push_back({r, 9});
       for (int r = 36; r <= 44; ++r) v.push_back({r, 9});
       for (int r = 55; r <= 61; ++r) v.push_back({r, 9});
       for (int r = 63; r <= 77; ++r) v.push_back({r, 9});
       for (int r = 81; r <= 84; ++r) v.push_back({r, 9});
       for (int r = 86; r <= 94; ++r) v.push_back({r, 9});
       return v;
     }()},
};

TEST(Templates, EveryWrittenCellIsEmptyAndLabelled) {
  for (const Template& t : kTemplates) {
    SCOPED_TRACE(t.file);
    std::string path = std::string(GW_PROGRAM_DIR) + "/" + t.file;
    ASSERT_TRUE(std::filesystem::exists(path));
    Workbook wb = Workbook::open(path);
    ASSERT_EQ(wb.sheet_count(), 1);
    EXPECT_EQ(wb.active_sheet(), 1);
    EXPECT_EQ(wb.sheet_name(1), t.sheet);
    for (auto [row, col] : t.written) {
      EXPECT_EQ(wb.text(row, col), "") << "(" << row << ", " << col << ")";
      bool labelled = false;  // a label to its left in the same row, or a heading above
      for (int c = col - 1; c >= 1 && !labelled; --c) labelled = !wb.text(row, c).empty();
      for (int r = row - 1; r >= 1 && !labelled && r >= row - 10; --r) labelled = !wb.text(r, col).empty();
      EXPECT_TRUE(labelled) << "(" << row << ", " << col << ") has no label";
    }
    // The table of rows: a heading over every column, nothing in the rows themselves.
    for (int col = 1; col <= t.last_col; ++col) {
      bool headed = false;
      for (int r = t.first_row - 1; r >= t.first_row - 4 && !headed; --r) headed = !wb.text(r, col).empty();
      EXPECT_TRUE(headed) << "column " << col << " has no heading";
      for (int r = t.first_row; r < t.first_row + 50; ++r) EXPECT_EQ(wb.text(r, col), "");
    }
  }
}

}  // namespace
}  // namespace gw::wb
