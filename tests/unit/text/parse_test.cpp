// Tests of reading numbers from texts: strict conversion, the numeric test and the prefix read.
#include "platform/text/parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/error/error.h"

namespace {

using gw::text::beyond_double_range;
using gw::text::is_numeric;
using gw::text::to_number;
using gw::text::try_number;
using gw::text::val;

// Runs f and gives the description of its gw::Error, or "" when it does not fail.
template <typename F>
std::string failure_of(F f) {
  try {
    f();
  } catch (const gw::Error& e) {
    return e.what();
  }
  return "";
}

TEST(ToNumber, ReadsSignedDecimalsWithExponentAndSurroundingBlanks) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"12", 12},       {" 12.5 ", 12.5}, {"-3", -3},
      {"+4", 4},        {".5", 0.5},      {"5.", 5},
      {"007", 7},       {"1e3", 1000},    {"1.5E-2", 0.015},
      {"-2.5e+1", -25}, {"\t7\t", 7},     {"0.1", 0.1},
      {"-0", 0},        {"1e-400", 0},    {"123456789012345678", 123456789012345678.0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(to_number(c.text), c.expected) << '"' << c.text << '"';
    EXPECT_TRUE(is_numeric(c.text)) << '"' << c.text << '"';
    ASSERT_TRUE(try_number(c.text).has_value()) << '"' << c.text << '"';
    EXPECT_EQ(*try_number(c.text), c.expected);
  }
  EXPECT_FALSE(std::signbit(to_number("-0")));
}

TEST(ToNumber, RefusesEverythingElseWithTypeMismatch) {
  // "1,000" is refused: the reading does not depend on a locale's thousands separator.
  const char* cases[] = {"",    " ",   "abc", "12abc", "1,000", "1.2.3", "- 5",  "1 000",
                         "1e",  "1e+", "e5",  ".",     "-",     "+-1",   "0x10", "&H10",
                         "inf", "nan", "1d2", "$5",    "(5)",   "5-",    "1e5.5"};
  for (const char* text : cases) {
    EXPECT_EQ(failure_of([&] { to_number(text); }), "Type mismatch") << '"' << text << '"';
    EXPECT_FALSE(is_numeric(text)) << '"' << text << '"';
    EXPECT_FALSE(try_number(text).has_value()) << '"' << text << '"';
  }
}

TEST(ToNumber, NumbersBeyondTheDoubleRangeOverflow) {
  const std::string huge = "1" + std::string(400, '0');
  for (const std::string& text :
       {std::string("1e400"), std::string("-1e309"), huge, std::string("0.001e312")}) {
    EXPECT_EQ(failure_of([&] { to_number(text); }), "Overflow") << text;
    EXPECT_FALSE(is_numeric(text)) << text;
    EXPECT_TRUE(beyond_double_range(text)) << text;
  }
  // Only an overflow is beyond the range: no text, a lone point, an underflow, the largest double.
  for (const char* text : {"", ".", "1,000", "2e-400", "1.7976931348623157e308", "300"})
    EXPECT_FALSE(beyond_double_range(text)) << '"' << text << '"';
}

TEST(Val, ReadsTheLongestNumberAtTheStartIgnoringBlanks) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"12abc", 12}, {"abc", 0},     {"", 0},        {" 1 2 3", 123}, {"-  3.5x", -3.5}, {"\t4\n2", 42},
      {"+7", 7},     {"1.5e2", 150}, {"1E-2", 0.01}, {"1e", 1},       {"1e+x", 1},       {"1.2.3", 1.2},
      {".5", 0.5},   {"1,000", 1},   {"-", 0},       {".", 0},        {"2e-400", 0},     {"-0", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(val(c.text), c.expected) << '"' << c.text << '"';
  EXPECT_EQ(failure_of([] { val("1e400"); }), "Overflow");
}

}  // namespace
