// Tests of the set-up lines (copy, sql, readonly) and the database and file checks.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/db/connection.h"
#include "test_forms.h"

namespace gw::runner::testing {
namespace {

class Setup : public ::testing::Test {
 protected:
  void SetUp() override {
    db::create_database(h.paths.tmp + "/src.db");
    db::Connection c;
    c.open(h.paths.tmp + "/src.db");
    c.execute_script(
        "CREATE TABLE T (NAME TEXT, N INTEGER, X REAL);"
        "INSERT INTO T VALUES ('a', 1, 2.5);");
  }
  Harness h;
};

TEST_F(Setup, CopiesFilesRunsStatementsAndChecksTheDatabase) {
  auto f = h.run(R"T(
expect file "$TMP/sub/dir/p.db" missing
copy "$TMP/src.db" "$TMP/sub/dir/p.db"
expect file "$TMP/sub/dir/p.db" exists
sql "$TMP/sub/dir/p.db" "INSERT INTO T (NAME, N) VALUES (?, ?)" "b'; DROP TABLE T; --" null
expect sql "$TMP/sub/dir/p.db" "SELECT COUNT(*) FROM T" "2"
expect sql "$TMP/sub/dir/p.db" "SELECT NAME, N, X FROM T WHERE N IS NULL" "b'; DROP TABLE T; --" "" ""
expect sql "$TMP/sub/dir/p.db" "SELECT NAME, N, X FROM T WHERE N = 1" "a" "1" "2.5"
expect sql "$TMP/sub/dir/p.db" "SELECT * FROM T" rows 2
expect sql "$TMP/sub/dir/p.db" "SELECT * FROM T WHERE 0" rows 0
expect sql "$TMP/src.db" "SELECT NAME FROM T" rows 1
)T");
  ASSERT_FALSE(f) << f->text();
}

TEST_F(Setup, AReadOnlyDatabaseRefusesWritesEvenToASuperuser) {
  auto f = h.run(R"T(
readonly "$TMP/src.db"
expect sql "$TMP/src.db" "SELECT NAME FROM T" "a"
sql "$TMP/src.db" "DELETE FROM T"
)T");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->line, 4);
  EXPECT_NE(f->actual.find("the statement fails: "), std::string::npos) << f->actual;
  EXPECT_NE(f->actual.find("readonly"), std::string::npos) << f->actual;
  db::Connection c;
  c.open(h.paths.tmp + "/src.db");
  EXPECT_TRUE(c.read_only());
}

TEST_F(Setup, FailuresNameTheLineAndTheCause) {
  const struct {
    const char* line;
    const char* actual;
  } cases[] = {
      {"expect sql \"$TMP/src.db\" \"SELECT NAME FROM T WHERE 0\" \"a\"", "the query gives no row"},
      {"expect sql \"$TMP/src.db\" \"SELECT NAME, N FROM T\" \"a\"", "the first row reads \"a\" \"1\""},
      {"expect sql \"$TMP/src.db\" \"SELECT * FROM T\" rows 3", "the query gives 1 rows"},
      {"expect sql \"$TMP/src.db\" \"SELECT NAME FROM T\"",
       "malformed line: missing the values of the first row, or rows N"},
      {"expect file \"$TMP/src.db\" missing", "\"$TMP/src.db\" exists"},
      {"copy \"$TMP/none.db\" \"$TMP/x.db\"", "\"$TMP/none.db\" is not a file"},
      {"copy \"$TMP/src.db\" \"/tmp/outside.db\"", "\"/tmp/outside.db\" is not inside $TMP"},
      {"copy \"$TMP/src.db\" \"$TMP/../escape.db\"", "\"$TMP/../escape.db\" is not inside $TMP"},
      {"sql \"$FIXTURES/x.db\" \"DELETE FROM T\"", "\"$FIXTURES/x.db\" is not inside $TMP"},
      {"readonly \"$TMP/none.db\"", "\"$TMP/none.db\" is not a file"},
      {"clock 90000", "malformed line: the start lies in [0, 86400) and the step in (0, 86400)"},
      {"clock ten", "malformed line: the start time must be a number, not ten"},
  };
  for (const auto& c : cases) {
    auto f = h.run(c.line);
    ASSERT_TRUE(f) << c.line;
    EXPECT_EQ(f->line, 1) << c.line;
    // The failure quotes the paths as the line has them, folders filled in.
    std::string want = c.actual;
    for (const std::string var : {"$TMP", "$FIXTURES"}) {
      const std::string& dir = var == "$TMP" ? h.paths.tmp : h.paths.fixtures;
      for (size_t at = want.find(var + "/"); at != std::string::npos; at = want.find(var + "/"))
        want.replace(at, var.size(), dir);
    }
    EXPECT_EQ(f->actual, want) << c.line;
  }
  auto f = h.run("sql \"$TMP/src.db\" \"DELETE FROM NOPE\"");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->actual.rfind("the statement fails: ", 0), 0u) << f->actual;
}

}  // namespace
}  // namespace gw::runner::testing
