// Tests of the upstream links: which pipe names a number, as the table's columns compare it.
#include "design/upstream_links.h"

#include <gtest/gtest.h>

namespace gw::design {
namespace {

TEST(UpstreamLinks, FindsTheNamingPipeAsTheTableComparesNumbers) {
  UpstreamLinks links;
  links.add("10", {"1", "2", "", ""});
  links.add("P-7", {"a3", "", "", "1"});  // names 1 as well (against the network rule)
  links.add("11", {"", "", "", ""});
  links.finish();
  const struct {
    const char* number;
    const char* exclude;
    const char* pipe;  // nullptr: none
  } cases[] = {
      {"1", "", "10"},      // the first pipe added that names it
      {"1", "10", "P-7"},   // the pipe's own record aside, another still names it
      {"2", "10", nullptr},
      {"A3", "", "P-7"},    // letter case aside
      {"a3", "p-7", nullptr},
      {"01", "", nullptr},  // text, not a number: "01" is another pipe
      {"1.0", "", nullptr},
      {"", "", nullptr},    // an empty column names nobody
  };
  for (const auto& c : cases) {
    const auto found = links.naming_pipe(c.number, c.exclude);
    if (c.pipe)
      EXPECT_EQ(found.value_or("-"), c.pipe) << c.number << " / " << c.exclude;
    else
      EXPECT_FALSE(found) << c.number << " / " << c.exclude;
  }
  links.clear();
  EXPECT_FALSE(links.naming_pipe("1", ""));
}

}  // namespace
}  // namespace gw::design
