// Tests of fixed number patterns and of formatting field texts.
#include "platform/text/format.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/error/error.h"
#include "platform/text/general.h"

namespace {

using gw::text::format;
using gw::text::format_text;

struct FormatCase {
  double value;
  const char* pattern;
  const char* expected;
};

TEST(Format, WritesFixedPatternsRoundingHalvesAwayFromZeroOnTheDecimalText) {
  const FormatCase cases[] = {
      // The binary doubles lie just below these halves; the 15-digit reading makes them ties.
      {1.0005, "0.000", "1.001"},
      {2.675, "0.00", "2.68"},
      {0.12345, "#0.0000", "0.1235"},
      {1.00049999999999, "0.000", "1.000"},
      {0.1 + 0.2, "0.0000", "0.3000"},
      // Halves go away from zero, on both sides of it.
      {2.5, "0", "3"},
      {0.5, "0", "1"},
      {-2.5, "0", "-3"},
      {0.00005, "0.0000", "0.0001"},
      {0.000049, "0.0000", "0.0000"},
      {9.9995, "0.000", "10.000"},
      // At least one digit before the point, exactly as many decimals as zeros.
      {0.5, "0.0", "0.5"},
      {7, "0.0", "7.0"},
      {12.3456, "#0.000", "12.346"},
      {1.23456, "0.00000", "1.23456"},
      {0, "0.000", "0.000"},
      {0.1, "0", "0"},
      // Negative values; a negative value rounding to zero keeps its sign.
      {-1.25, "0.000", "-1.250"},
      {-0.001, "0.00", "-0.00"},
      {-0.0, "0.00", "0.00"},
      // Large values: all integer digits, from the 15-digit reading.
      {1e20, "0.00", "100000000000000000000.00"},
      {123456789012345678.0, "0", "123456789012346000"},
      // Optional digits and grouping.
      {0.5, "#.00", ".50"},
      {1.5, "0.0#", "1.5"},
      {1.256, "0.0#", "1.26"},
      {1234567.891, "#,##0.00", "1,234,567.89"},
      {-999.999, "#,##0.00", "-1,000.00"},
      // The empty pattern writes the general text.
      {0.1 + 0.2, "", "0.3"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(format(c.value, c.pattern), c.expected) << c.value << " with " << c.pattern;
  }
}

TEST(Format, OfAValueEqualsFormatOfItsGeneralText) {
  // A result is often written as its general text first and then reformatted in its field;
  // both routes must give the same text.
  const double values[] = {2.675,  1.0005,      -0.0005,      1.0 / 3,  2.0 / 3,
                           1.5e-7, 123456.7895, -98765.43215, 1e16 + 2, 0.045};
  for (double v : values) {
    for (const char* pattern : {"0", "0.0", "0.00", "0.000", "#0.0000", "0.00000"}) {
      EXPECT_EQ(format(v, pattern), format_text(gw::text::general(v), pattern)) << v << " with " << pattern;
    }
  }
}

TEST(Format, RefusesNonFiniteValuesAndUnknownPatterns) {
  const double bad[] = {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                        std::numeric_limits<double>::quiet_NaN()};
  for (double v : bad) {
    try {
      format(v, "0.000");
      ADD_FAILURE() << "no failure for " << v;
    } catch (const gw::Error& e) {
      EXPECT_STREQ(e.what(), "Overflow");
    }
  }
  for (const char* pattern : {"0.0%", "0.00E+00", "0,", "0.00;(0.00)", "$0.00"}) {
    EXPECT_THROW(format(1.0, pattern), gw::Error) << pattern;
  }
}

struct TextCase {
  const char* text;
  const char* pattern;
  const char* expected;
};

TEST(FormatText, FormatsNumbersAndPassesOtherTextsThrough) {
  const TextCase cases[] = {
      {"2.5", "0.000", "2.500"},
      {" 3 ", "0.0", "3.0"},
      {"12.", "0.0", "12.0"},
      {"-0.0005", "0.000", "-0.001"},
      {"1E-05", "0.0000", "0.0000"},
      {"0.0", "0.000", "0.000"},
      // Not numbers: unchanged, blanks included.
      {"", "0.000", ""},
      {"abc", "0.000", "abc"},
      {" x ", "0.000", " x "},
      {"1,000", "0.00", "1,000"},
      {"1.2.3", "0.0", "1.2.3"},
      {"1e400", "0.0", "1e400"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(format_text(c.text, c.pattern), c.expected) << '"' << c.text << "\" with " << c.pattern;
  }
}

}  // namespace
