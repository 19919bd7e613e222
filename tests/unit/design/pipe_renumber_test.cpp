// Tests of renumbering a pipe: key, upstream references, legacy tables, all-or-nothing.
#include "design/pipe_renumber.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/db/recordset.h"
#include "tests/support/scratch_folder.h"

namespace gw::design {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCurrentSchema =
    "CREATE TABLE PIPE (PIPE_NUMBER TEXT COLLATE NOCASE, NODEIN_NO TEXT COLLATE NOCASE,"
    " PRENODE1 TEXT COLLATE NOCASE, PRENODE2 TEXT COLLATE NOCASE, PRENODE3 TEXT COLLATE NOCASE,"
    " PRENODE4 TEXT COLLATE NOCASE);"
    "CREATE UNIQUE INDEX PIPE_NUMBER_KEY ON PIPE (PIPE_NUMBER);";
constexpr const char* kLegacySchema =
    "CREATE TABLE PIPE (PIPE_NUMBER TEXT COLLATE NOCASE, NODEIN_NO TEXT COLLATE NOCASE,"
    " PRENODE1 TEXT COLLATE NOCASE, PRENODE2 TEXT COLLATE NOCASE, PRENODE3 TEXT COLLATE NOCASE);";

class PipeRenumber : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = scratch_.path("renumber.db");
    db::create_database(path_.string());
    conn_.open(path_.string());
  }
  void TearDown() override { conn_.close(); }

  // Every row as "PIPE_NUMBER NODEIN_NO PRENODE1 .. PRENODEn", in insertion order.
  std::vector<std::string> rows(int slots) {
    db::Recordset rs;
    std::string sql = "SELECT PIPE_NUMBER, NODEIN_NO";
    for (int i = 1; i <= slots; ++i) sql += ", PRENODE" + std::to_string(i);
    rs.open(conn_, sql + " FROM PIPE ORDER BY rowid");
    std::vector<std::string> out;
    for (; !rs.eof(); rs.move_next()) {
      std::string line;
      for (int i = 0; i < rs.field_count(); ++i) line += (i ? "|" : "") + rs.field(i);
      out.push_back(line);
    }
    return out;
  }

  gw::testing::ScratchFolder scratch_;
  fs::path path_;
  db::Connection conn_;
};

TEST_F(PipeRenumber, RewritesTheKeyAndEveryUpstreamSlotButNotTheNodes) {
  conn_.execute_script(kCurrentSchema);
  conn_.execute_script(
      "INSERT INTO PIPE VALUES ('A', 'A', '', '', '', '');"
      "INSERT INTO PIPE VALUES ('W', 'n1', 'A', '', '', '');"
      "INSERT INTO PIPE VALUES ('X', 'n2', 'Q', 'a', '', '');"  // matched without regard to case
      "INSERT INTO PIPE VALUES ('Y', 'n3', '', '', 'A', '');"
      "INSERT INTO PIPE VALUES ('Z', 'n4', '', '', '', 'A');"
      "INSERT INTO PIPE VALUES ('Q', 'A', '', '', '', '');");
  renumber_pipe(conn_, "A", "O'Hara \"7\"", false);
  EXPECT_EQ(rows(4), (std::vector<std::string>{
                         "O'Hara \"7\"|A||||",
                         "W|n1|O'Hara \"7\"|||",
                         "X|n2|Q|O'Hara \"7\"||",
                         "Y|n3|||O'Hara \"7\"|",
                         "Z|n4||||O'Hara \"7\"",
                         "Q|A||||",
                     }));
}

TEST_F(PipeRenumber, LegacyTableHasNoFourthSlot) {
  conn_.execute_script(kLegacySchema);
  conn_.execute_script(
      "INSERT INTO PIPE VALUES ('L1', 'L-1', '', '', '');"
      "INSERT INTO PIPE VALUES ('L2', 'L-2', '', '', 'L1');");
  renumber_pipe(conn_, "L1", "L9", true);
  EXPECT_EQ(rows(3), (std::vector<std::string>{"L9|L-1|||", "L2|L-2|||L9"}));
  // The statement of the fourth slot would fail on this table, and takes the others with it.
  EXPECT_THROW(renumber_pipe(conn_, "L9", "L1", false), std::exception);
  EXPECT_EQ(rows(3), (std::vector<std::string>{"L9|L-1|||", "L2|L-2|||L9"}));
}

TEST_F(PipeRenumber, AFailingStatementLeavesTheTableAsItWas) {
  conn_.execute_script(kCurrentSchema);
  conn_.execute_script(
      "INSERT INTO PIPE VALUES ('A', 'n0', '', '', '', '');"
      "INSERT INTO PIPE VALUES ('B', 'n1', 'A', '', 'A', '');"
      "INSERT INTO PIPE VALUES ('C', 'n2', '', '', '', '');"
      "CREATE TRIGGER no_slot3 BEFORE UPDATE OF PRENODE3 ON PIPE BEGIN SELECT RAISE(ABORT, 'slot 3 is "
      "locked'); END;");
  const std::vector<std::string> before = rows(4);
  try {
    renumber_pipe(conn_, "A", "D", false);
    FAIL() << "the third upstream statement should have failed";
  } catch (const std::exception& e) {
    EXPECT_NE(std::string(e.what()).find("slot 3 is locked"), std::string::npos) << e.what();
  }
  EXPECT_EQ(rows(4), before);
  EXPECT_FALSE(conn_.in_transaction());
}

TEST_F(PipeRenumber, ANumberThatExistsIsRefusedByTheTable) {
  conn_.execute_script(kCurrentSchema);
  conn_.execute_script(
      "INSERT INTO PIPE VALUES ('A', 'n0', '', '', '', '');"
      "INSERT INTO PIPE VALUES ('B', 'n1', 'A', '', '', '');");
  const std::vector<std::string> before = rows(4);
  EXPECT_THROW(renumber_pipe(conn_, "A", "b", false), std::exception);
  EXPECT_EQ(rows(4), before);
}

}  // namespace
}  // namespace gw::design
