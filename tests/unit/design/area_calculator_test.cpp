// Tests of the drainage-area arithmetic: C ranges and bounds, row products, totals, and the
// stored lists of either row count.
#include "design/area_calculator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/frmarea.h"
#include "design/frmareaV2.h"
#include "platform/error/error.h"
#include "platform/text/general.h"

namespace gw::design::area {
namespace {

using Texts = std::vector<std::string>;

TEST(AreaCalculator, EveryRowRangeReadsAndHoldsItsDefault) {
  for (const auto* rows : {&frmareaV2::land_use_rows(), &frmarea::land_use_rows()}) {
    for (const LandUseRow& r : *rows) {
      const CRange range = parse_c_range(r.c_range);
      EXPECT_LT(range.low, range.high) << r.label;
      // The default C is the low bound and passes the bound check unchanged.
      EXPECT_EQ(bounded_c_text(r.default_c, range), r.default_c) << r.label;
      EXPECT_DOUBLE_EQ(range.low, std::stod(r.default_c)) << r.label;
    }
  }
  EXPECT_EQ(frmareaV2::land_use_rows().size(), 15u);
  EXPECT_EQ(frmarea::land_use_rows().size(), 24u);
}

TEST(AreaCalculator, RangeSplitsAtTheFirstDash) {
  const CRange r = parse_c_range("0.80 - 0.90");
  EXPECT_DOUBLE_EQ(r.low, 0.8);
  EXPECT_DOUBLE_EQ(r.high, 0.9);
  EXPECT_THROW(parse_c_range("0.80"), gw::Error);
}

TEST(AreaCalculator, CIsHeldWithinItsRange) {
  const CRange r{0.8, 0.9};
  struct Case {
    const char* typed;
    const char* kept;
  } cases[] = {
      {"0.5", "0.8"}, {"1.5", "0.9"},     {"", "0.8"},    {".", "0.8"},
      {"0.8", "0.8"}, {"0.853", "0.853"}, {"0.9", "0.9"}, {"0.90", "0.90"},
  };
  for (const Case& c : cases) EXPECT_EQ(bounded_c_text(c.typed, r), c.kept) << c.typed;
}

TEST(AreaCalculator, RowProductNeedsTwoNumbers) {
  EXPECT_EQ(text::general(*row_product("2.500", "0.80")), "2");
  EXPECT_EQ(text::general(*row_product("0.750", "0.90")), "0.675");
  EXPECT_FALSE(row_product("", "0.80"));
  EXPECT_FALSE(row_product("2.500", "."));
  EXPECT_FALSE(row_product("1.000,2.000", "0.80"));
}

TEST(AreaCalculator, TotalsFollowTheAreaAndCTexts) {
  struct Case {
    const char* what;
    Texts areas;
    Texts cs;
    const char* area;
    const char* ca;
  } cases[] = {
      {"nothing entered", Texts(15), Texts(15, "0.80"), "0", "0"},
      {"two rows", {"2.500", "", "0.750"}, {"0.80", "0.65", "0.90"}, "3.25", "2.675"},
      {"blanks trimmed", {"  2.5 ", " "}, {"0.8", "0.65"}, "2.5", "2"},
      {"C before its rounding", {"1.000"}, {"0.853"}, "1", "0.853"},
      {"area not a number adds nothing", {"1.000,2.000", "1.000"}, {"0.5", "0.5"}, "1", "0.5"},
      {"C not a number: area only", {"2.000"}, {"."}, "2", "0"},
  };
  for (const Case& c : cases) {
    const Totals t = area_totals(c.areas, c.cs);
    EXPECT_EQ(text::general(t.area), c.area) << c.what;
    EXPECT_EQ(text::general(t.ca), c.ca) << c.what;
  }
  EXPECT_THROW(area_totals({"1e308", "1e308"}, {"0.5", "0.5"}), gw::Error);
}

// What the totals cannot read is found before they are summed, so that no total leaves a
// field out.
TEST(AreaCalculator, FieldsThatAreNoFiniteNumberAreFound) {
  const std::string huge = "1" + std::string(309, '0');  // beyond the double range
  struct Case {
    const char* what;
    Texts areas;
    Texts cs;
    int row;  // -1: every field reads
    bool area;
  } cases[] = {
      {"all read", {"2.500", "", " ", "."}, {"0.80", "", ".", "x"}, -1, true},
      {"area beyond the range", {"2.500", huge}, {"0.80", "0.65"}, 1, true},
      {"area beyond the range as a power of ten", {"1e400"}, {"0.65"}, 0, true},
      {"rest of a longer stored list", {"1.000,2.000"}, {"0.5,0.6"}, -1, true},
      {"C lone point beside an area", {"1.0"}, {"."}, 0, false},
      {"C beyond the range beside an area", {"", "1.0"}, {"0.80", huge}, 1, false},
      {"C empty beside an area", {"1.0"}, {""}, 0, false},
  };
  for (const Case& c : cases) {
    const auto bad = first_unreadable_field(c.areas, c.cs);
    if (c.row < 0) {
      EXPECT_FALSE(bad) << c.what;
      continue;
    }
    ASSERT_TRUE(bad) << c.what;
    EXPECT_EQ(bad->row, static_cast<std::size_t>(c.row)) << c.what;
    EXPECT_EQ(bad->area, c.area) << c.what;
  }
}

TEST(AreaCalculator, StoredListsSplitIntoAtMostTheRows) {
  struct Case {
    const char* stored;
    std::size_t rows;
    Texts parts;
  } cases[] = {
      {"2.500,,0.750", 3, {"2.500", "", "0.750"}},
      {",,", 3, {"", "", ""}},
      {"", 3, {}},
      {"1,2", 3, {"1", "2"}},                 // short: the last row keeps what it shows
      {"1,2,3,4,5", 3, {"1", "2", "3,4,5"}},  // long: the last row takes the rest
  };
  for (const Case& c : cases) EXPECT_EQ(split_rows(c.stored, c.rows), c.parts) << c.stored;

  // A list of the other row count comes back whole when joined again.
  const std::string legacy = join_rows(Texts(24, "1.000"));
  EXPECT_EQ(join_rows(split_rows(legacy, 15)), legacy);
  EXPECT_EQ(join_rows(Texts(15)), std::string(14, ','));
}

}  // namespace
}  // namespace gw::design::area
