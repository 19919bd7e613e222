// Tests of the database connection: opening, bound statements, safety settings, transactions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/error/error.h"
#include "scratch.h"

namespace gw::db {
namespace {

using testing::error_of;
using testing::Scratch;

// The single value of a one-row, one-column query.
Value scalar(Connection& c, const std::string& sql, const std::vector<Value>& params = {}) {
  Recordset rs;
  rs.open(c, sql, params);
  return rs.value(0);
}

TEST(Connection, MissingFileFailsNamingThePathAndCreatesNothing) {
  Scratch s;
  const std::string missing = s.path("nothere.gwp");
  Connection c;
  EXPECT_EQ(error_of([&] { c.open(missing); }), "Could not find file '" + missing + "'.");
  EXPECT_FALSE(c.is_open());
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(Connection, FilesThatAreNoDatabaseFailAtOpen) {
  Scratch s;
  { std::ofstream(s.path("notes.gwp")) << "this is a text file, long enough to have a header of sorts\n"; }
  Connection c;
  EXPECT_EQ(error_of([&] { c.open(s.path("notes.gwp")); }), "file is not a database");
  EXPECT_FALSE(c.is_open());
  EXPECT_NE(error_of([&] { c.open(s.path("")); }), "(no error)");  // the folder itself
}

TEST(Connection, OpenCloseAndPath) {
  Scratch s;
  const std::string p = s.make("p.gwp", testing::pipe_script);
  Connection c;
  c.open(p);
  EXPECT_TRUE(c.is_open());
  EXPECT_EQ(c.path(), p);
  EXPECT_FALSE(c.read_only());
  c.close();
  EXPECT_FALSE(c.is_open());
  EXPECT_EQ(c.path(), "");
  EXPECT_EQ(error_of([&] { c.execute("DELETE FROM PIPE"); }), "The connection is not open.");
  c.close();  // closing twice is harmless
}

TEST(Connection, ValuesAreBoundNeverPastedIntoTheText) {
  Scratch s;
  Connection c;
  c.open(s.make("p.gwp", testing::pipe_script));
  // Quotes and SQL inside a value are stored as they are.
  const std::vector<std::string> texts = {"O'Neil", "1'; DROP TABLE PIPE; --", "\"quoted\"", "  blanks  ",
                                          ""};
  for (const std::string& t : texts) {
    EXPECT_EQ(c.execute("UPDATE PIPE SET PIPE_SHAPE = ? WHERE PIPE_NUMBER = ?", {t, "1"}), 1);
    EXPECT_EQ(scalar(c, "SELECT PIPE_SHAPE FROM PIPE WHERE PIPE_NUMBER = ?", {"1"}), Value(t)) << t;
  }
  EXPECT_EQ(scalar(c, "SELECT count(*) FROM PIPE").integer(), 3);
  // NULL, integers and reals go in with their kind.
  c.execute("UPDATE PIPE SET PIPE_DIA = ?, STRUCTURE_INPUT = ? WHERE PIPE_NUMBER = ?", {nullptr, 7, "1"});
  EXPECT_TRUE(scalar(c, "SELECT PIPE_DIA FROM PIPE WHERE PIPE_NUMBER = '1'").is_null());
  EXPECT_EQ(scalar(c, "SELECT STRUCTURE_INPUT FROM PIPE WHERE PIPE_NUMBER = '1'"), Value(7));
  EXPECT_EQ(scalar(c, "SELECT ? * 2", {2.25}), Value(4.5));
}

TEST(Connection, StatementMistakesFailWithoutDoingAnything) {
  Scratch s;
  Connection c;
  c.open(s.make("p.gwp", testing::pipe_script));
  struct Case {
    const char* sql;
    std::vector<Value> params;
    const char* message;
  };
  const Case cases[] = {
      {"DELETE FROM PIPE; DROP TABLE PIPE", {}, "Only one SQL statement may be run at a time."},
      {"DELETE FROM PIPE WHERE PIPE_NUMBER = ?", {}, "The statement takes 1 values but 0 were given."},
      {"DELETE FROM PIPE WHERE PIPE_NUMBER = ?",
       {"1", "2"},
       "The statement takes 1 values but 2 were given."},
      {"DELETE FROM NOSUCHTABLE", {}, "no such table: NOSUCHTABLE"},
      // Double quotes name columns; they never make a text.
      {"DELETE FROM PIPE WHERE PIPE_NUMBER = \"1\"", {}, "no such column: 1"},
      {"   ", {}, "The SQL text holds no statement."},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(error_of([&] { c.execute(k.sql, k.params); }), k.message) << k.sql;
  }
  EXPECT_EQ(scalar(c, "SELECT count(*) FROM PIPE").integer(), 3);
  // A trailing semicolon is fine.
  EXPECT_EQ(c.execute("DELETE FROM PIPE WHERE PIPE_NUMBER = ?;  ", {"2"}), 1);
}

TEST(Connection, DefensiveSettingsHold) {
  Scratch s;
  Connection c;
  c.open(s.make("p.gwp", testing::pipe_script));
  EXPECT_NE(error_of([&] { c.execute("UPDATE sqlite_master SET sql = 'x' WHERE name = 'PIPE'"); }),
            "(no error)");
  c.execute("PRAGMA writable_schema = ON");
  EXPECT_NE(error_of([&] { c.execute("UPDATE sqlite_master SET sql = 'x' WHERE name = 'PIPE'"); }),
            "(no error)");
  EXPECT_NE(error_of([&] { scalar(c, "SELECT load_extension('libm.so.6')"); }), "(no error)");
  EXPECT_EQ(scalar(c, "SELECT count(*) FROM PIPE").integer(), 3);
}

TEST(Connection, ReadOnlyFileReportsWriteFailure) {
  Scratch s;
  const std::string p = s.make("p.gwp", testing::pipe_script);
  std::filesystem::permissions(p, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                      std::filesystem::perms::others_read);
  Connection c;
  c.open(p);
  EXPECT_TRUE(c.read_only());
  EXPECT_EQ(scalar(c, "SELECT count(*) FROM PIPE").integer(), 3);
  EXPECT_EQ(error_of([&] { c.execute("DELETE FROM PIPE"); }), "attempt to write a readonly database");
  EXPECT_EQ(scalar(c, "SELECT count(*) FROM PIPE").integer(), 3);
}

// A journal that cannot be made beside the database fails the write with the system's cause:
// here its name, the database's with "-journal" added, is longer than the file system takes.
TEST(Connection, AJournalThatCannotBeMadeNamesTheCause) {
  Scratch s;
  const std::string p = s.path(std::string(250, 'p'));
  std::filesystem::rename(s.make("p.gwp", testing::pipe_script), p);
  Connection c;
  c.open(p);
  try {
    c.execute("DELETE FROM PIPE");
    ADD_FAILURE() << "written";
  } catch (const gw::FileError& e) {
    EXPECT_EQ(e.cause, FileCause::name_too_long);
    EXPECT_EQ(e.path, std::filesystem::absolute(p).string());
  }
  EXPECT_EQ(scalar(c, "SELECT count(*) FROM PIPE").integer(), 3);
}

TEST(Connection, ReadOnlyAccessWritesNothingNotEvenTheRollbackOfAJournal) {
  namespace fs = std::filesystem;
  Scratch s;
  const std::string p = s.make("inlets.ckb", testing::pipe_script);
  {
    // Another program's write cut short: its database and its journal, as they were when it
    // stopped with many pages written.
    Connection writer;
    writer.open(p);
    writer.execute("PRAGMA cache_size = 1");
    writer.begin();
    for (int i = 0; i < 200; ++i)
      writer.execute("INSERT INTO PIPE (PIPE_NUMBER) VALUES (?)",
                     {std::string(400, 'x') + std::to_string(i)});
    ASSERT_TRUE(fs::exists(p + "-journal"));
    fs::copy_file(p, s.path("cut.ckb"));
    fs::copy_file(p + "-journal", s.path("cut.ckb-journal"));
    writer.rollback();
  }
  const std::string cut = s.path("cut.ckb");
  const auto size = fs::file_size(cut);

  Connection c;
  EXPECT_NE(error_of([&] {
              c.open(cut, Connection::Access::read_only);
              scalar(c, "SELECT count(*) FROM PIPE");
            }),
            "(no error)");
  EXPECT_TRUE(fs::exists(cut + "-journal"));
  EXPECT_EQ(fs::file_size(cut), size);
  c.close();

  // Opened for writing, the same file is recovered from its journal.
  c.open(cut);
  EXPECT_FALSE(c.read_only());
  EXPECT_EQ(scalar(c, "SELECT count(*) FROM PIPE").integer(), 3);
  EXPECT_FALSE(fs::exists(cut + "-journal"));
}

TEST(Connection, ColumnsOfTablesAndCaseInsensitiveNames) {
  Scratch s;
  Connection c;
  c.open(s.make("p.gwp", testing::pipe_script));
  EXPECT_EQ(c.columns_of("PIPE"), (std::vector<std::string>{"PIPE_NUMBER", "PIPE_SHAPE", "PIPE_DIA",
                                                            "PRENODE1", "STRUCTURE_INPUT"}));
  EXPECT_EQ(c.columns_of("pipe").size(), 5u);
  EXPECT_TRUE(c.columns_of("NOSUCHTABLE").empty());
  EXPECT_TRUE(c.has_column("PIPE", "prenode1"));
  EXPECT_FALSE(c.has_column("PIPE", "NOAA_STATION"));
  EXPECT_FALSE(c.has_column("NOSUCHTABLE", "PIPE_NUMBER"));
  // A column added the way the upgrade does it.
  c.execute("ALTER TABLE PIPE ADD NOAA_STATION TEXT(50)");
  EXPECT_TRUE(c.has_column("PIPE", "NOAA_STATION"));
  EXPECT_NE(error_of([&] { c.execute("ALTER TABLE PIPE ADD NOAA_STATION TEXT(50)"); }), "(no error)");
}

TEST(Connection, TextColumnsCompareAndSortWithoutRegardToCase) {
  Scratch s;
  Connection c;
  c.open(s.make("p.gwp", testing::pipe_script));
  c.execute("INSERT INTO PIPE (PIPE_NUMBER) VALUES ('A1')");
  c.execute("INSERT INTO PIPE (PIPE_NUMBER) VALUES ('a2')");
  c.execute("INSERT INTO PIPE (PIPE_NUMBER) VALUES ('A3')");
  EXPECT_EQ(scalar(c, "SELECT PIPE_NUMBER FROM PIPE WHERE PIPE_NUMBER = ?", {"a1"}), Value("A1"));
  Recordset rs;
  rs.open(c, "SELECT PIPE_NUMBER FROM PIPE ORDER BY PIPE_NUMBER");
  std::vector<std::string> order;
  for (; !rs.eof(); rs.move_next()) order.push_back(rs.field(0));
  EXPECT_EQ(order, (std::vector<std::string>{"1", "10", "2", "A1", "a2", "A3"}));
  // The key is unique whatever the case.
  EXPECT_NE(error_of([&] { c.execute("INSERT INTO PIPE (PIPE_NUMBER) VALUES ('a3')"); }), "(no error)");
}

TEST(Connection, CdblConvertsNumberTexts) {
  Scratch s;
  Connection c;
  c.open(s.make("p.gwp", testing::pipe_script));
  struct Case {
    Value in;
    std::optional<double> out;  // no value: NULL
    const char* error;          // nullptr: no failure
  };
  const Case cases[] = {
      {"12.5", 12.5, nullptr},  {" 3 ", 3.0, nullptr},       {"-0.25", -0.25, nullptr},
      {"1E2", 100.0, nullptr},  {Value(4), 4.0, nullptr},    {Value(), std::nullopt, nullptr},
      {"", 0, "Type mismatch"}, {"abc", 0, "Type mismatch"}, {"1,000", 0, "Type mismatch"},
  };
  for (const Case& k : cases) {
    if (k.error != nullptr) {
      EXPECT_EQ(error_of([&] { scalar(c, "SELECT CDBL(?)", {k.in}); }), k.error) << k.in.text();
    } else if (!k.out) {
      EXPECT_TRUE(scalar(c, "SELECT CDBL(?)", {k.in}).is_null());
    } else {
      EXPECT_EQ(scalar(c, "SELECT CDBL(?)", {k.in}), Value(*k.out)) << k.in.text();
    }
  }
  c.execute("UPDATE PIPE SET PIPE_DIA = ?", {"9.5"});
  c.execute("UPDATE PIPE SET PIPE_DIA = ? WHERE PIPE_NUMBER = '10'", {"10.25"});
  EXPECT_EQ(scalar(c, "SELECT MAX(CDBL(PIPE_DIA)) AS PIPE_DIA FROM PIPE").real(), 10.25);
}

TEST(Connection, TransactionsCommitOrRollBack) {
  Scratch s;
  Connection c;
  c.open(s.make("p.gwp", testing::pipe_script));
  {
    Transaction t(c);
    EXPECT_TRUE(c.in_transaction());
    c.execute("DELETE FROM PIPE");
  }  // no commit: undone
  EXPECT_FALSE(c.in_transaction());
  EXPECT_EQ(scalar(c, "SELECT count(*) FROM PIPE").integer(), 3);
  {
    Transaction t(c);
    c.execute("DELETE FROM PIPE WHERE PIPE_NUMBER = '1'");
    t.commit();
  }
  EXPECT_EQ(scalar(c, "SELECT count(*) FROM PIPE").integer(), 2);
  c.begin();
  c.execute("DELETE FROM PIPE");
  c.rollback();
  EXPECT_EQ(scalar(c, "SELECT count(*) FROM PIPE").integer(), 2);
}

TEST(Connection, CreateDatabaseRefusesAnExistingFile) {
  Scratch s;
  const std::string p = s.path("new.db");
  create_database(p);
  Connection c;
  c.open(p);
  EXPECT_TRUE(c.columns_of("PIPE").empty());
  EXPECT_EQ(error_of([&] { create_database(p); }), "The file '" + p + "' exists already.");
}

TEST(Value, TextsOfEachKind) {
  EXPECT_EQ(Value().text(), "");
  EXPECT_TRUE(Value(static_cast<const char*>(nullptr)).is_null());
  EXPECT_EQ(Value(42).text(), "42");
  EXPECT_EQ(Value(5.0).text(), "5.0");
  EXPECT_EQ(Value(0.013).text(), "0.013");
  EXPECT_EQ(Value("O'Neil").text(), "O'Neil");
  EXPECT_NE(Value("1"), Value(1));
}

}  // namespace
}  // namespace gw::db
