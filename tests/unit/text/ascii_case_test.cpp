// Case-blind comparison: ASCII letters only, whatever the locale.
#include <gtest/gtest.h>

#include "platform/text/ascii_case.h"

namespace {

TEST(AsciiCase, ComparesAndSearchesWithoutLetterCase) {
  struct Case {
    const char* hay;
    const char* needle;
    bool equal;
    bool contains;
  };
  const Case cases[] = {
      {"PIPE_NUMBER", "pipe_number", true, true},
      {"/home/a/Old GwL Files/r.gwp", "gwl", false, true},
      {"route.gwp", "gwl", false, false},
      {"gw", "gwl", false, false},
      {"", "", true, true},
      {"\xC3\x89", "\xC3\xA9", false, false},  // accented letters are not folded
  };
  for (const Case& c : cases) {
    EXPECT_EQ(gw::text::iequals(c.hay, c.needle), c.equal) << c.hay << " / " << c.needle;
    EXPECT_EQ(gw::text::icontains(c.hay, c.needle), c.contains) << c.hay << " / " << c.needle;
  }
}

}  // namespace
