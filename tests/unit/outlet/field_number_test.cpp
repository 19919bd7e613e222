// Tests of the numbers behind field texts: patterns that keep a number's own decimals, values kept
// behind a rounded text, and the plasticity index brought into its range.
#include "outlet/field_number.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "outlet/scour_hole.h"
#include "platform/ui/form.h"
#include "tests/support/host_access.h"
#include "tests/support/recording_host.h"

using gw::testing::host_key;

namespace gw::outlet {
namespace {

TEST(FormatKeepingDecimals, PadsToThePatternAndKeepsEveryDecimalOfTheText) {
  struct Case {
    const char* text;
    const char* pattern;
    const char* shown;
  } cases[] = {
      {"1.5", "0.000", "1.500"},     // the pattern's decimals at least
      {"1.25", "0.0", "1.25"},       // not rounded to the pattern
      {"2.250", "0.0", "2.250"},     // trailing zeros of the text kept
      {"3", "0.0", "3.0"},           // a whole number gets the pattern's decimal
      {"0.0153", "0.00", "0.0153"},  // a small discharge keeps its digits
      {"0.015", "0.0000", "0.0150"},
      {".5", "0.000", "0.500"},
      {" 7.25 ", "0.0", "7.25"},  // blanks around a number
      {"1.5E-3", "0.00", "0.0015"},
      {"12E2", "0.0", "1200.0"},
      {"0.81255", "#0.000", "0.81255"},
      {"", "0.000", ""},        // no number: unchanged
      {"abc", "0.000", "abc"},  // likewise
      {".", "0.0", "."},
  };
  for (const Case& c : cases) EXPECT_EQ(format_keeping_decimals(c.text, c.pattern), c.shown) << c.text;
}

class Fields : public ui::Form {
 public:
  explicit Fields(ui::Forms& f) : Form(f, "frmFields") {}

 protected:
  void build() override { add(ui::Kind::TextBox, "q"); }
};

TEST(ShownNumber, TheKeptValueCountsOnlyWhileTheFieldShowsItsText) {
  testing::RecordingHost host;
  ui::Forms forms{host};
  Fields form{forms};
  ui::Control& q = form.host_control(host_key, "q");
  ShownNumber n;
  EXPECT_EQ(n.value(q), std::nullopt);  // an empty field stands for no number

  n.show(q, 0.0153456, "0.0000");
  EXPECT_EQ(q.text(), "0.0153");
  EXPECT_EQ(n.value(q), 0.0153456);  // whole, not as rounded

  q.set_text("0.0160");  // typed or stored: the text's own number
  EXPECT_EQ(n.value(q), 0.016);
  q.set_text("0.0153");  // the same text again is the kept value's
  EXPECT_EQ(n.value(q), 0.0153456);

  n.forget();
  EXPECT_EQ(n.value(q), 0.0153);
  q.set_text("x");
  EXPECT_EQ(n.value(q), std::nullopt);
}

TEST(PlasticityIndexInRange, TakesTheFieldIntoFiveToSixteenButNeverANonNumber) {
  // A text that is no finite number is left to be refused (Save names the field), never taken
  // as an end of the range: a lone point, a word, a number beyond the largest double.
  const std::string beyond_double(310, '9');
  struct Case {
    std::string text;
    std::optional<std::string> taken;
  } cases[] = {
      {"3", "5.0"},         {"4.99", "5.0"},     {"5", std::nullopt},   {"7.25", std::nullopt},
      {"16", std::nullopt}, {"16.5", "16.0"},    {"20", "16.0"},        {"1e308", "16.0"},
      {"", "5.0"},          {".", std::nullopt}, {"abc", std::nullopt}, {beyond_double, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(plasticity_index_in_range(c.text), c.taken) << c.text;
}

}  // namespace
}  // namespace gw::outlet
