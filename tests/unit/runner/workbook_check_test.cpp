// The transcript's check of a saved workbook's cell: `expect cell "path" SHEET ROW COL "text"`.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/workbook/workbook.h"
#include "test_forms.h"

namespace gw::runner::testing {
namespace {

// A saved report: the LD229 form with a few cells filled, in the scenario's $TMP.
void save_report(const Harness& h) {
  wb::Workbook book = wb::Workbook::open(std::string(GW_PROGRAM_DIR) + "/LD229.xlr");
  book.set_value(1, 13, "Route 29");
  book.set_value(12, 1, "007");
  book.set_number(12, 28, 1.5);
  book.save(h.paths.tmp + "/net.xls");
}

TEST(WorkbookCheck, ReadsTheCellsOfASavedWorkbook) {
  Harness h;
  save_report(h);
  auto f = h.run(R"T(
expect cell "$TMP/net.xls" 1 1 13 "Route 29"
expect cell "$TMP/net.xls" 1 12 1 "7"
expect cell "$TMP/net.xls" 1 12 28 "1.5"
expect cell "$TMP/net.xls" 1 1 11 "Project:"
expect cell "$TMP/net.xls" 1 40 40 ""
)T");
  ASSERT_FALSE(f) << f->text();
}

TEST(WorkbookCheck, FailsWithWhatTheCellHolds) {
  const struct {
    const char* check;
    const char* actual;
  } cases[] = {
      {R"(expect cell "$TMP/net.xls" 1 12 1 "007")", R"(cell (12, 1) of sheet 1 reads "7")"},
      {R"(expect cell "$TMP/net.xls" 2 1 1 "")", R"("$TMP/net.xls" has 1 worksheets)"},
      {R"(expect cell "$TMP/none.xls" 1 1 1 "")",
       R"(the workbook cannot be read: '$TMP/none.xls' could not be found.)"},
      {R"(expect cell "$TMP/net.xls" 1 0 1 "")", "the workbook cannot be read: "},
      {R"(expect cell "$TMP/net.xls" 1 1 "")", "malformed line: "},
  };
  for (const auto& c : cases) {
    Harness h;
    save_report(h);
    auto f = h.run(std::string(c.check) + "\n");
    ASSERT_TRUE(f) << c.check;
    std::string actual = c.actual;
    for (size_t at; (at = actual.find("$TMP")) != std::string::npos;) actual.replace(at, 4, h.paths.tmp);
    EXPECT_EQ(f->actual.substr(0, actual.size()), actual) << c.check;
  }
}

}  // namespace
}  // namespace gw::runner::testing
