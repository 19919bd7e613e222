// A file chosen as a project: its kind from its tables, and the declarations and values that
// keep it from being opened; the texts a project detail may hold.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "shell/project_file.h"
#include "shell/project_text.h"
#include "shell/shared_state.h"
#include "tests/support/scratch_folder.h"

namespace {

using gw::shell::ProjectKind;

// A copy of the template (or a fixture) with `change` run on it; its path.
std::string project_file(const gw::testing::ScratchFolder& scratch, const std::string& from,
                         const std::function<void(gw::db::Connection&)>& change) {
  static int n = 0;
  const std::string path = scratch.copy(from, "p" + std::to_string(++n) + ".gwp");
  gw::db::Connection conn;
  conn.open(path);
  if (change) change(conn);
  return path;
}

// Declares PIPE anew with the template's declaration edited by `edit`.
std::function<void(gw::db::Connection&)> redeclare_pipe(std::function<std::string(std::string)> edit) {
  return [edit](gw::db::Connection& conn) {
    const std::string sql = conn.query_value("SELECT sql FROM sqlite_master WHERE name = 'PIPE'").text();
    conn.execute("DROP TABLE PIPE");
    conn.execute(edit(sql));
  };
}

// `sql` with `from` replaced by `to` (once; the test fails when `from` is absent).
std::string replaced(std::string sql, const std::string& from, const std::string& to) {
  const size_t at = sql.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) sql.replace(at, from.size(), to);
  return sql;
}

const std::string kTemplate = std::string(GW_PROGRAM_DIR) + "/Rillbase21.rdb";
const std::string kFixtures = GW_FIXTURES_BUILD_DIR;

TEST(ProjectFile, TheKindComesFromTheTablesColumns) {
  gw::testing::ScratchFolder scratch;
  const struct {
    const char* name;
    std::string from;
    std::function<void(gw::db::Connection&)> change;
    ProjectKind kind;
  } cases[] = {
      {"template", kTemplate, nullptr, ProjectKind::current},
      {"release 2.1", kFixtures + "/release2_1.gwp", nullptr, ProjectKind::current},
      {"older", kFixtures + "/older.gwp", nullptr, ProjectKind::older},
      {"legacy", kFixtures + "/legacy_GWL.gwp", nullptr, ProjectKind::legacy},
      // Upgraded, an older file has the station; a legacy one keeps its pipe layout.
      {"older upgraded", kFixtures + "/older.gwp", gw::shell::add_release_columns, ProjectKind::current},
      {"legacy upgraded", kFixtures + "/legacy_GWL.gwp", gw::shell::add_release_columns, ProjectKind::legacy},
  };
  for (const auto& c : cases) {
    const gw::shell::ProjectFileCheck check =
        gw::shell::check_project_file(project_file(scratch, c.from, c.change));
    EXPECT_EQ(check.problem, "") << c.name;
    EXPECT_EQ(check.kind, c.kind) << c.name;
  }
}

TEST(ProjectFile, ReleaseColumnsAreAddedOnceAndOnlyWhereMissing) {
  gw::testing::ScratchFolder scratch;
  gw::db::Connection conn;
  conn.open(project_file(scratch, kFixtures + "/legacy_GWL.gwp", nullptr));
  EXPECT_TRUE(gw::shell::lacks_release_columns(conn));
  gw::shell::add_release_columns(conn);
  EXPECT_FALSE(gw::shell::lacks_release_columns(conn));
  gw::shell::add_release_columns(conn);  // nothing left to add
  EXPECT_EQ(conn.columns_of("PROJECT").size(), 14u);
  EXPECT_EQ(conn.query_value("SELECT PROJECT_ID FROM PROJECT").text(), "LEG-0001");
}

TEST(ProjectFile, DeclarationsTheProgramsTablesDoNotHaveAreRefused) {
  gw::testing::ScratchFolder scratch;
  const struct {
    const char* name;
    std::function<void(gw::db::Connection&)> change;
    std::string problem;  // empty: the file opens
  } cases[] = {
      {"conflict clause", redeclare_pipe([](std::string s) {
         return replaced(s, "NODEIN_NO           TEXT COLLATE NOCASE",
                         "NODEIN_NO TEXT COLLATE NOCASE UNIQUE ON CONFLICT REPLACE");
       }),
       "its PIPE table declares a clause of its own (NODEIN_NO TEXT COLLATE NOCASE UNIQUE ON CONFLICT "
       "REPLACE)"},
      {"primary key", redeclare_pipe([](std::string s) {
         return replaced(s, "PIPE_NUMBER         TEXT COLLATE NOCASE", "PIPE_NUMBER TEXT PRIMARY KEY");
       }),
       "its PIPE table declares a clause of its own (PIPE_NUMBER TEXT PRIMARY KEY)"},
      {"table constraint", redeclare_pipe([](std::string s) {
         return replaced(s, "PIPE_STORM_FREQ     TEXT COLLATE NOCASE\n)",
                         "PIPE_STORM_FREQ TEXT, UNIQUE (NODEOUT_NO) ON CONFLICT IGNORE)");
       }),
       "its PIPE table declares a clause of its own (UNIQUE (NODEOUT_NO) ON CONFLICT IGNORE)"},
      {"generated column", redeclare_pipe([](std::string s) {
         return replaced(s, "PIPE_STORM_FREQ     TEXT COLLATE NOCASE\n)",
                         "PIPE_STORM_FREQ TEXT, SHOWN TEXT AS (PIPE_NUMBER))");
       }),
       "its PIPE table declares a clause of its own (SHOWN TEXT AS (PIPE_NUMBER))"},
      {"without row ids", redeclare_pipe([](std::string s) {
         s = replaced(s, "PIPE_STORM_FREQ     TEXT COLLATE NOCASE\n)",
                      "PIPE_STORM_FREQ TEXT, PRIMARY KEY (PIPE_NUMBER))");
         return s + " WITHOUT ROWID";
       }),
       "its PIPE table declares a clause of its own (PRIMARY KEY (PIPE_NUMBER))"},
      {"table option", redeclare_pipe([](std::string s) { return s + " STRICT"; }),
       "its PIPE table declares a clause of its own (STRICT)"},
      {"foreign key",
       [](gw::db::Connection& conn) {
         conn.execute(
             "ALTER TABLE ENERGY ADD COLUMN PIPE TEXT REFERENCES PIPE (PIPE_NUMBER) ON DELETE CASCADE");
       },
       "its ENERGY table declares a clause of its own (PIPE TEXT REFERENCES PIPE (PIPE_NUMBER) ON DELETE "
       "CASCADE)"},
      // What the program's own tables declare, in any spelling, is no clause of its own.
      {"plain spellings", redeclare_pipe([](std::string s) {
         s = replaced(s, "PIPE_NUMBER         TEXT COLLATE NOCASE",
                      "[PIPE_NUMBER] VARCHAR(50) /* key */ collate nocase");
         return replaced(s, "PIPE_STORM_FREQ     TEXT COLLATE NOCASE",
                         "\"PIPE_STORM_FREQ\" TEXT DEFAULT '2' -- years\n, NOTE TEXT DEFAULT -1");
       }),
       ""},
      {"unique pipe number", [](gw::db::Connection&) {}, ""},
      {"second unique index",
       [](gw::db::Connection& conn) { conn.execute("CREATE UNIQUE INDEX ONE_OUTLET ON PIPE (NODEOUT_NO)"); },
       "it carries a unique index of its own (ONE_OUTLET)"},
      {"project layout",
       [](gw::db::Connection& conn) { conn.execute("ALTER TABLE PROJECT DROP COLUMN COUNTY"); },
       "its PROJECT table is of another layout (it has no column COUNTY)"},
      {"no pipe table", [](gw::db::Connection& conn) { conn.execute("DROP TABLE PIPE"); },
       "it has no table PIPE"},
      {"legacy mode columns missing",
       [](gw::db::Connection& conn) {
         for (const char* c : {"DISCHARGEVAL", "PRENODE4", "PRECA4", "PRETC4", "PREFLOWTIME4"})
           conn.execute(std::string("ALTER TABLE PIPE DROP COLUMN ") + c);
       },
       "its PIPE table is of another layout (it has no column STRUCTURE_INPUT)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(gw::shell::check_project_file(project_file(scratch, kTemplate, c.change)).problem, c.problem)
        << c.name;
}

TEST(ProjectFile, ControlCharactersInTheRecordAreNamedBytesThatAreNoTextRefused) {
  gw::testing::ScratchFolder scratch;
  const std::string odd = project_file(scratch, kFixtures + "/release2_1.gwp", [](gw::db::Connection& conn) {
    conn.execute("UPDATE PROJECT SET PROJECT_NAME = ?, DESIGNER = ?, DESCRIPTION = ?",
                 {"Route\v340", "J.\x1b O'Neil", "Line one\r\nLine two\tend"});
  });
  const gw::shell::ProjectFileCheck check = gw::shell::check_project_file(odd);
  EXPECT_EQ(check.problem, "");
  EXPECT_EQ(check.odd_columns, (std::vector<std::string>{"PROJECT_NAME", "DESIGNER"}));

  const std::string bytes =
      project_file(scratch, kFixtures + "/release2_1.gwp", [](gw::db::Connection& conn) {
        conn.execute("UPDATE PROJECT SET LOCATION = ?", {std::string("Stuarts \xC3\x28 Draft")});
      });
  EXPECT_EQ(gw::shell::check_project_file(bytes).problem,
            "its PROJECT record holds a value that cannot be shown (LOCATION)");
}

TEST(ProjectText, ControlCharactersAreTakenOutLineBreaksKeptWhereTheFieldHasLines) {
  const struct {
    std::string in;
    bool multi_line;
    std::string out;
  } cases[] = {
      {"Route 340", false, "Route 340"},
      {"Route\v340", false, "Route340"},
      {"a\x1b\x7f\x01z", false, "az"},
      {"tab\there", false, "tabhere"},
      {"one\r\ntwo", false, "onetwo"},
      {"one\r\ntwo\tthree", true, "one\r\ntwo\tthree"},
      {"one\vtwo\f", true, "onetwo"},
      {"caf\xC3\xA9 \xE2\x80\x94 ok", false, "caf\xC3\xA9 \xE2\x80\x94 ok"},  // é and an em dash stay
      {"c1\xC2\x85here", false, "c1here"},                                    // U+0085, a C1 control
      {"bad\xC3(byte\xFF", false, "bad(byte"},                                // bytes that are no UTF-8
      {"overlong\xC0\xAF", false, "overlong"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(gw::shell::without_control_characters(c.in, c.multi_line), c.out) << c.in;

  EXPECT_TRUE(gw::shell::has_control_characters("a\x1b"));
  EXPECT_FALSE(gw::shell::has_control_characters("line\r\nbreak\ttab"));
  EXPECT_TRUE(gw::shell::valid_text("caf\xC3\xA9"));
  EXPECT_FALSE(gw::shell::valid_text("caf\xC3"));
  EXPECT_FALSE(gw::shell::valid_text("\xED\xA0\x80"));  // a surrogate
}

}  // namespace
