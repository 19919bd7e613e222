// Cell references, typed entries, day numbers and the escaping of cell texts.
#include <gtest/gtest.h>

#include "platform/error/error.h"
#include "platform/workbook/cell_ref.h"
#include "platform/workbook/cell_text.h"
#include "platform/workbook/day_number.h"
#include "platform/workbook/typed_entry.h"

namespace gw::wb {
namespace {

TEST(CellRef, NamesAndParsesCells) {
  struct Case {
    int row, col;
    const char* name;
  } cases[] = {{1, 1, "A1"},
               {12, 26, "Z12"},
               {3, 27, "AA3"},
               {11, 30, "AD11"},
               {1, 702, "ZZ1"},
               {1, 703, "AAA1"},
               {kMaxRow, kMaxCol, "XFD1048576"}};
  for (const Case& c : cases) {
    EXPECT_EQ(cell_name(c.row, c.col), c.name);
    auto p = parse_cell(c.name);
    ASSERT_TRUE(p) << c.name;
    EXPECT_EQ(p->row, c.row);
    EXPECT_EQ(p->col, c.col);
  }
  EXPECT_EQ(parse_cell("$b$7")->col, 2);
  for (const char* bad : {"", "A", "7", "A0", "XFE1", "A1048577", "A1B", "1A"})
    EXPECT_FALSE(parse_cell(bad)) << bad;
}

TEST(CellRef, MovesRelativeReferencesOnly) {
  struct Case {
    const char* formula;
    int rows, cols;
    const char* moved;
  } cases[] = {
      {"A1+B1", 1, 0, "A2+B2"},
      {"$A$1+A$1+$A1", 2, 1, "$A$1+B$1+$A3"},
      {"SUM(C3:C10)*2", 1, 1, "SUM(D4:D11)*2"},
      {"LOG10(A1)", 1, 0, "LOG10(A2)"},          // a function name is no reference
      {"\"A1\"&A1", 1, 0, "\"A1\"&A2"},          // nor is a text
      {"'Sheet A1'!A1", 1, 0, "'Sheet A1'!A2"},  // nor a quoted sheet name
      {"Sheet1!B2", 0, 1, "Sheet1!C2"},
      {"1.5E3*A1", 1, 0, "1.5E3*A2"},
      {"A1", -1, 0, "#REF!"},
  };
  for (const Case& c : cases) EXPECT_EQ(move_formula(c.formula, c.rows, c.cols), c.moved) << c.formula;
}

TEST(TypedEntry, NumbersAsASpreadsheetTakesThem) {
  struct Case {
    const char* text;
    std::optional<double> number;
  } cases[] = {
      {"12", 12},
      {"-3.5", -3.5},
      {" 2.25 ", 2.25},
      {"007", 7},
      {"1e3", 1000},
      {".5", 0.5},
      {"1,234", 1234},
      {"1,234,567.5", 1234567.5},
      {"", std::nullopt},
      {"24 X 30", std::nullopt},
      {"O.K.", std::nullopt},
      {"1,23", std::nullopt},
      {"12,", std::nullopt},
      {",123", std::nullopt},
      {"1.2.3", std::nullopt},
      {"1e999", std::nullopt},
      {"Pressure Flow", std::nullopt},
      {"10'8", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(typed_number(c.text), c.number) << '"' << c.text << '"';
}

TEST(DayNumber, CountsAsSpreadsheetsDo) {
  struct Case {
    int y, m, d;
    bool date1904;
    int n;
  } cases[] = {
      {1900, 1, 1, false, 1},     {1900, 2, 28, false, 59},    {1900, 3, 1, false, 61},  // the phantom 29 Feb
      {2000, 1, 1, false, 36526}, {2024, 2, 29, false, 45351}, {9999, 12, 31, false, 2958465},
      {1904, 1, 1, true, 0},      {2000, 1, 1, true, 35064},
  };
  for (const Case& c : cases)
    EXPECT_EQ(day_number(c.y, c.m, c.d, c.date1904), c.n) << c.y << "-" << c.m << "-" << c.d;
  for (auto bad : {std::array{1899, 12, 31}, std::array{2023, 2, 29}, std::array{2024, 13, 1},
                   std::array{2024, 4, 31}, std::array{10000, 1, 1}})
    EXPECT_THROW(day_number(bad[0], bad[1], bad[2]), gw::Error);
  EXPECT_THROW(day_number(1903, 12, 31, true), gw::Error);
}

TEST(CellText, EscapesWhatXmlCannotCarry) {
  EXPECT_EQ(encode_cell_text("plain \"text\" & <more>\ttab\nline"), "plain \"text\" & <more>\ttab\nline");
  EXPECT_EQ(encode_cell_text(std::string("a\x01") + "b"), "a_x0001_b");
  EXPECT_EQ(encode_cell_text("_x0041_"), "_x005F_x0041_");              // kept literally on the way back
  EXPECT_EQ(encode_cell_text("caf\xC3\xA9"), "caf\xC3\xA9");            // valid UTF-8 passes
  EXPECT_EQ(encode_cell_text("bad\xFF"), "bad\xEF\xBF\xBD");            // an invalid byte is replaced
  EXPECT_EQ(encode_cell_text("\xC0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD");  // an overlong form too
  for (std::string s : {std::string("a\x01z"), std::string("_x0041_ and _x"), std::string("x_y_")})
    EXPECT_EQ(decode_cell_text(encode_cell_text(s)), s);
  EXPECT_EQ(decode_cell_text("A_x000D_B"), "A\rB");
}

}  // namespace
}  // namespace gw::wb
