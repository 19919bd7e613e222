// Tests of the recordset's reading side: position, moves, Find, fields and NULLs.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/db/text_table.h"
#include "platform/error/error.h"
#include "scratch.h"

namespace gw::db {
namespace {

using testing::error_of;
using testing::Scratch;

class RecordsetRead : public ::testing::Test {
 protected:
  void SetUp() override { c.open(s.make("p.gwp", testing::pipe_script)); }
  Scratch s;
  Connection c;
  Recordset rs;
};

// Where the recordset stands: "BOF", "EOF" or the current pipe number with its position.
std::string where(const Recordset& rs) {
  if (rs.bof()) return rs.eof() ? "BOF+EOF" : "BOF";
  if (rs.eof()) return "EOF";
  return rs.field("PIPE_NUMBER") + "@" + std::to_string(rs.absolute_position());
}

TEST_F(RecordsetRead, MovesThroughTheRecordsInQueryOrder) {
  struct Step {
    const char* what;
    std::function<void(Recordset&)> act;
    const char* expected;
  };
  const Step steps[] = {
      {"open", [](Recordset&) {}, "1@1"},
      {"next", [](Recordset& r) { r.move_next(); }, "10@2"},
      {"next", [](Recordset& r) { r.move_next(); }, "2@3"},
      {"next", [](Recordset& r) { r.move_next(); }, "EOF"},
      {"previous", [](Recordset& r) { r.move_previous(); }, "2@3"},
      {"first", [](Recordset& r) { r.move_first(); }, "1@1"},
      {"previous", [](Recordset& r) { r.move_previous(); }, "BOF"},
      {"move 2 from BOF", [](Recordset& r) { r.move(2); }, "10@2"},
      {"move 5", [](Recordset& r) { r.move(5); }, "EOF"},
      {"move -1 from EOF", [](Recordset& r) { r.move(-1); }, "2@3"},
      {"move -5", [](Recordset& r) { r.move(-5); }, "BOF"},
      {"last", [](Recordset& r) { r.move_last(); }, "2@3"},
      {"move 0", [](Recordset& r) { r.move(0); }, "2@3"},
      {"position 2", [](Recordset& r) { r.set_absolute_position(2); }, "10@2"},
      {"move far back", [](Recordset& r) { r.move(std::numeric_limits<long>::min()); }, "BOF"},
      {"move far on", [](Recordset& r) { r.move(std::numeric_limits<long>::max()); }, "EOF"},
  };
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  EXPECT_EQ(rs.record_count(), 3);
  for (const Step& step : steps) {
    step.act(rs);
    EXPECT_EQ(where(rs), step.expected) << step.what;
  }
}

TEST_F(RecordsetRead, MovesPastTheEndsFail) {
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  rs.move_last();
  rs.move_next();
  EXPECT_EQ(error_of([&] { rs.move_next(); }), "The position is already after the last record.");
  EXPECT_EQ(error_of([&] { rs.field("PIPE_NUMBER"); }), "There is no current record.");
  EXPECT_EQ(error_of([&] { rs.move(0); }), "There is no current record.");
  rs.move_first();
  rs.move_previous();
  EXPECT_EQ(error_of([&] { rs.move_previous(); }), "The position is already before the first record.");
  EXPECT_EQ(error_of([&] { rs.set_absolute_position(4); }), "There is no record at position 4.");
  EXPECT_EQ(error_of([&] { rs.set_absolute_position(0); }), "There is no record at position 0.");
  EXPECT_EQ(where(rs), "BOF");
}

TEST_F(RecordsetRead, EmptyResultIsAtBothEnds) {
  rs.open(c, "SELECT * FROM PIPE WHERE PIPE_NUMBER = ?", {"99"});
  EXPECT_TRUE(rs.bof());
  EXPECT_TRUE(rs.eof());
  EXPECT_EQ(rs.record_count(), 0);
  EXPECT_EQ(rs.absolute_position(), 0);
  rs.move_first();
  rs.move_last();
  EXPECT_EQ(where(rs), "BOF+EOF");
  EXPECT_EQ(rs.field_count(), 5);  // the fields are known without records
}

TEST_F(RecordsetRead, FieldsByNameAndIndexWithNullAsEmptyText) {
  rs.open(c, "SELECT * FROM PIPE WHERE PIPE_NUMBER = ?", {"1"});
  EXPECT_EQ(rs.field_count(), 5);
  EXPECT_EQ(rs.field_name(1), "PIPE_SHAPE");
  EXPECT_EQ(rs.field("pipe_shape"), "Circular");  // names without regard to case
  EXPECT_EQ(rs.field(1), "Circular");
  EXPECT_EQ(rs.field_index("Pipe_Dia"), 2);
  EXPECT_EQ(rs.field("PRENODE1"), "");
  EXPECT_TRUE(rs.is_null("PRENODE1"));
  EXPECT_TRUE(rs.value("PRENODE1").is_null());
  EXPECT_EQ(rs.field("STRUCTURE_INPUT"), "1");  // an integer column reads as its digits
  EXPECT_EQ(rs.value("STRUCTURE_INPUT"), Value(1));
}

TEST_F(RecordsetRead, MissingFieldsFailWithTheirName) {
  rs.open(c, "SELECT * FROM PIPE");
  EXPECT_FALSE(rs.has_field("NOAA_STATION"));
  EXPECT_EQ(rs.field_index("NOAA_STATION"), -1);
  EXPECT_EQ(error_of([&] { rs.field("NOAA_STATION"); }), "The field 'NOAA_STATION' is not in the recordset.");
  EXPECT_EQ(error_of([&] { rs.field(5); }), "There is no field number 5 in the recordset.");
  EXPECT_EQ(error_of([&] { rs.field_name(-1); }), "There is no field number -1 in the recordset.");
}

TEST_F(RecordsetRead, RenamedColumnsKeepTheirNewNames) {
  rs.open(c, "SELECT PIPE_NUMBER AS [PIPE_ID], PIPE_DIA AS [DIA] FROM PIPE ORDER BY PIPE_NUMBER");
  EXPECT_EQ(rs.field_name(0), "PIPE_ID");
  EXPECT_EQ(rs.field("DIA"), "15");
  EXPECT_FALSE(rs.has_field("PIPE_NUMBER"));
}

TEST_F(RecordsetRead, FindSearchesFromTheCurrentRecordForward) {
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");  // 1 Circular, 10 Box, 2 Box
  struct Step {
    const char* field;
    const char* text;
    bool found;
    const char* expected;
  };
  const Step steps[] = {
      {"PIPE_SHAPE", "box", true, "10@2"},                                      // without regard to case
      {"PIPE_SHAPE", "BOX", true, "10@2"},                                      // the current record counts
      {"PIPE_NUMBER", "2", true, "2@3"},   {"PIPE_NUMBER", "1", false, "EOF"},  // behind the current record
      {"PIPE_NUMBER", "1", false, "EOF"},                                       // from EOF nothing is found
  };
  for (const Step& step : steps) {
    EXPECT_EQ(rs.find(step.field, step.text), step.found) << step.text;
    EXPECT_EQ(where(rs), step.expected) << step.text;
  }
  rs.move_first();
  rs.move_previous();
  EXPECT_TRUE(rs.find("PIPE_NUMBER", "1"));  // from BOF the search starts at the first record
  EXPECT_EQ(where(rs), "1@1");
  EXPECT_TRUE(rs.find("PRENODE1", ""));  // a NULL reads as the empty text
  EXPECT_EQ(where(rs), "1@1");
  EXPECT_EQ(error_of([&] { rs.find("NOSUCH", "x"); }), "The field 'NOSUCH' is not in the recordset.");
}

TEST_F(RecordsetRead, MoveCompleteFollowsEveryMoveAndObserversComeFirst) {
  std::vector<std::string> log;
  rs.move_complete = [&] {
    log.push_back("move " + (rs.bof() || rs.eof() ? std::string("-") : rs.field(0)));
  };
  const int id = rs.subscribe([&] { log.push_back("shown"); });
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  rs.move_next();
  rs.move_last();
  rs.find("PIPE_NUMBER", "10");  // behind the current record: ends at EOF
  rs.move_previous();
  rs.unsubscribe(id);
  rs.set_absolute_position(1);
  EXPECT_EQ(log, (std::vector<std::string>{"shown", "move 1", "shown", "move 10", "shown", "move 2", "shown",
                                           "move -", "shown", "move 2", "move 1"}));
}

TEST_F(RecordsetRead, SnapshotOutlivesItsConnection) {
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  c.execute("DELETE FROM PIPE");
  EXPECT_EQ(rs.record_count(), 3);  // a snapshot: later changes do not show until requery
  c.close();
  rs.move_last();
  EXPECT_EQ(rs.field("PIPE_NUMBER"), "2");
  EXPECT_EQ(error_of([&] { rs.requery(); }), "The connection is not open.");
  EXPECT_EQ(rs.record_count(), 3);
}

TEST_F(RecordsetRead, ClosedRecordsetRefusesUse) {
  EXPECT_FALSE(rs.is_open());
  EXPECT_EQ(error_of([&] { rs.bof(); }), "The recordset is not open.");
  rs.open(c, "SELECT * FROM PIPE");
  rs.close();
  EXPECT_FALSE(rs.is_open());
  EXPECT_EQ(error_of([&] { rs.record_count(); }), "The recordset is not open.");
  EXPECT_EQ(error_of([&] { rs.open(c, "SELECT * FROM NOSUCHTABLE"); }), "no such table: NOSUCHTABLE");
  EXPECT_FALSE(rs.is_open());
  Connection closed;
  EXPECT_EQ(error_of([&] { rs.open(closed, "SELECT 1"); }), "The connection is not open.");
}

}  // namespace
// Records read once as texts hold what a recordset's fields give, kinds and NULLs included,
// with each record's row id for a query over one table and none for any other.
TEST_F(RecordsetRead, TextTableHoldsWhatTheFieldsGive) {
  c.execute("INSERT INTO PIPE VALUES ('3', 'Box', '2.5', x'4142', 7.25)");
  const std::string sql =
      "SELECT PIPE_NUMBER AS [PIPE_ID], PIPE_DIA, PRENODE1, STRUCTURE_INPUT FROM PIPE ORDER BY PIPE_NUMBER";
  const TextTable table = read_text_table(c, sql);
  rs.open(c, sql);
  ASSERT_EQ(table.names, (std::vector<std::string>{"PIPE_ID", "PIPE_DIA", "PRENODE1", "STRUCTURE_INPUT"}));
  ASSERT_EQ(table.rows.size(), 4u);
  for (const auto& row : table.rows) {
    for (int i = 0; i < rs.field_count(); ++i) EXPECT_EQ(row[static_cast<std::size_t>(i)], rs.field(i)) << i;
    rs.move_next();
  }
  EXPECT_EQ(table.rows[0][2], "");      // NULL
  EXPECT_EQ(table.rows[3][3], "7.25");  // a real
  EXPECT_EQ(table.rows[2][3], "0");     // an integer
  EXPECT_EQ(table.rows[3][2], "AB");    // a blob, as its bytes
  ASSERT_EQ(table.rowids.size(), 4u);
  EXPECT_EQ(c.query_value("SELECT PIPE_NUMBER FROM PIPE WHERE _rowid_ = ?", {table.rowids[1]}).text(), "10");

  EXPECT_TRUE(read_text_table(c, "SELECT DISTINCT PIPE_SHAPE FROM PIPE").rowids.empty());
  EXPECT_NE(error_of([&] { read_text_table(c, "SELECT NO_SUCH FROM PIPE"); }), "");

  // The readers that keep less give the same texts: one column, or each record in turn.
  std::vector<std::string> firsts;
  for (const auto& row : table.rows) firsts.push_back(row[0]);
  EXPECT_EQ(read_text_column(c, sql), firsts);
  std::vector<std::vector<std::string>> rows;
  read_text_rows(c, sql, [&rows](std::vector<std::string>& fields) { rows.push_back(fields); });
  EXPECT_EQ(rows, table.rows);
  EXPECT_NE(error_of([&] { read_text_column(c, "SELECT NO_SUCH FROM PIPE"); }), "");
  EXPECT_NE(error_of([&] { read_text_rows(c, "SELECT NO_SUCH FROM PIPE", [](auto&) {}); }), "");
  Connection closed;
  EXPECT_EQ(error_of([&] { read_text_column(closed, "SELECT 1"); }), "The connection is not open.");
}

}  // namespace gw::db
