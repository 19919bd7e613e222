// Tests of the recordset's editing side: add, field changes, update, cancel, batch, delete,
// requery, the change events, and what happens when a write cannot be made.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/error/error.h"
#include "scratch.h"

namespace gw::db {
namespace {

using testing::error_of;
using testing::Scratch;

const char* reason_name(ChangeReason r) {
  switch (r) {
    case ChangeReason::add_new:
      return "add_new";
    case ChangeReason::first_change:
      return "first_change";
    case ChangeReason::update:
      return "update";
    case ChangeReason::delete_record:
      return "delete";
    case ChangeReason::undo_update:
      return "undo_update";
    case ChangeReason::undo_add_new:
      return "undo_add_new";
  }
  return "?";
}

class RecordsetEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    path = s.make("p.gwp", testing::pipe_script);
    c.open(path);
  }
  // What the table holds now, read afresh: "number:shape" in key order.
  std::vector<std::string> stored() {
    Connection other;
    other.open(path);
    Recordset r;
    r.open(other, "SELECT PIPE_NUMBER, PIPE_SHAPE FROM PIPE ORDER BY PIPE_NUMBER");
    std::vector<std::string> rows;
    for (; !r.eof(); r.move_next()) rows.push_back(r.field(0) + ":" + r.field(1));
    return rows;
  }
  Scratch s;
  std::string path;
  Connection c;
  Recordset rs;
};

TEST_F(RecordsetEdit, WhichQueriesMayBeEdited) {
  struct Case {
    const char* sql;
    bool updatable;
  };
  const Case cases[] = {
      {"SELECT * FROM PIPE ORDER BY PIPE_NUMBER", true},
      {"SELECT * FROM PIPE WHERE PIPE_NUMBER = '1'", true},
      {"select PIPE_NUMBER, PIPE_DIA,PRENODE1 from PIPE Order by PIPE_NUMBER", true},
      {"SELECT PIPE_NUMBER AS [PIPE_ID] FROM PIPE", true},
      {"SELECT p.* FROM PIPE p WHERE p.PIPE_NUMBER <> ''", true},
      {"SELECT * FROM ENERGY ", true},
      {"SELECT DISTINCT PIPE_SHAPE FROM PIPE", false},
      {"SELECT PIPE_SHAPE, count(*) FROM PIPE GROUP BY PIPE_SHAPE", false},
      {"SELECT MAX(CDBL(STRUCTURE_INPUT)) AS M FROM PIPE", false},
      {"SELECT PIPE_NUMBER || 'x' FROM PIPE", false},
      {"SELECT PIPE.* FROM PIPE, ENERGY", false},
      {"SELECT * FROM (SELECT * FROM PIPE)", false},
      {"SELECT PIPE_NUMBER FROM PIPE UNION SELECT ENODEOUT_NO FROM ENERGY", false},
      {"SELECT 1", false},
  };
  for (const Case& k : cases) {
    rs.open(c, k.sql);
    EXPECT_EQ(rs.updatable(), k.updatable) << k.sql;
  }
  rs.open(c, "SELECT DISTINCT PIPE_SHAPE FROM PIPE");
  EXPECT_EQ(error_of([&] { rs.set_field(0, "Arch-Conc"); }), "The records of this query cannot be changed.");
  EXPECT_EQ(error_of([&] { rs.add_new(); }), "The records of this query cannot be changed.");
  EXPECT_EQ(error_of([&] { rs.delete_current(); }), "The records of this query cannot be changed.");
}

TEST_F(RecordsetEdit, EditsStayPendingUntilUpdate) {
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  rs.set_field("PIPE_SHAPE", "O'Neil");
  EXPECT_EQ(rs.edit_mode(), EditMode::in_progress);
  EXPECT_EQ(rs.field("PIPE_SHAPE"), "O'Neil");
  rs.move_next();  // moving keeps the edit pending without writing it
  EXPECT_EQ(rs.edit_mode(), EditMode::none);
  EXPECT_TRUE(rs.has_pending_changes());
  EXPECT_EQ(stored()[0], "1:Circular");
  rs.move_first();
  EXPECT_EQ(rs.field("PIPE_SHAPE"), "O'Neil");
  rs.update();
  EXPECT_EQ(rs.edit_mode(), EditMode::none);
  EXPECT_FALSE(rs.has_pending_changes());
  EXPECT_EQ(stored()[0], "1:O'Neil");
}

TEST_F(RecordsetEdit, AliasedFieldsWriteTheirColumn) {
  rs.open(c, "SELECT PIPE_NUMBER AS [PIPE_ID], PIPE_SHAPE AS [SHAPE] FROM PIPE WHERE PIPE_NUMBER = ?",
          {"10"});
  rs.set_field("SHAPE", "Elliptical");
  rs.update();
  EXPECT_EQ(stored()[1], "10:Elliptical");
}

TEST_F(RecordsetEdit, AddNewWritesANewRecordAndReadsItBack) {
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  rs.add_new();
  EXPECT_EQ(rs.edit_mode(), EditMode::add);
  EXPECT_EQ(rs.record_count(), 4);
  EXPECT_EQ(rs.absolute_position(), 4);
  EXPECT_EQ(rs.field("PIPE_NUMBER"), "");
  rs.set_field("PIPE_NUMBER", "3");
  rs.set_field("PIPE_SHAPE", "Arch-S-Cor");
  rs.set_field("STRUCTURE_INPUT", "1");  // a text into an integer column is stored as its number
  rs.update();
  EXPECT_EQ(rs.edit_mode(), EditMode::none);
  EXPECT_EQ(rs.value("STRUCTURE_INPUT"), Value(1));
  EXPECT_EQ(stored(), (std::vector<std::string>{"1:Circular", "10:Box", "2:Box", "3:Arch-S-Cor"}));
  // The written record stays editable by its row.
  rs.set_field("PIPE_SHAPE", "Arch-M-Cor");
  rs.update();
  EXPECT_EQ(stored()[3], "3:Arch-M-Cor");
}

TEST_F(RecordsetEdit, TemplateDefaultsShowAfterTheFirstWrite) {
  Connection t;
  t.open(s.copy(std::string(GW_PROGRAM_DIR) + "/Rillbase21.rdb", "new.gwp"));
  rs.open(t, "SELECT * from PROJECT Order by PROJECT_ID");
  EXPECT_EQ(rs.record_count(), 0);
  rs.add_new();
  rs.set_field("PROJECT_ID", "0001");
  rs.set_field("MAJOR_RELEASE", "2.1");
  rs.update_batch();
  EXPECT_EQ(rs.field("PRODUCT_NAME"), "GULLYWORKS");
  EXPECT_EQ(rs.value("NOAA_STATION"), Value());
}

TEST_F(RecordsetEdit, CancelUpdateDropsTheCurrentRecordsChange) {
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  rs.move_next();  // "10"
  rs.set_field("PIPE_SHAPE", "Elliptical");
  rs.cancel_update();
  EXPECT_EQ(rs.field("PIPE_SHAPE"), "Box");
  EXPECT_EQ(rs.edit_mode(), EditMode::none);
  // A new record is discarded and the record current before it comes back.
  rs.add_new();
  rs.set_field("PIPE_NUMBER", "4");
  rs.cancel_update();
  EXPECT_EQ(rs.record_count(), 3);
  EXPECT_EQ(rs.field("PIPE_NUMBER"), "10");
  EXPECT_FALSE(rs.has_pending_changes());
  rs.update_batch();
  EXPECT_EQ(stored(), (std::vector<std::string>{"1:Circular", "10:Box", "2:Box"}));
  // Without a pending change there is nothing to cancel.
  rs.cancel_update();
  EXPECT_EQ(rs.field("PIPE_NUMBER"), "10");
}

TEST_F(RecordsetEdit, UpdateBatchWritesEveryPendingRecordOrNone) {
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  rs.set_field("PIPE_SHAPE", "Elliptical");  // "1"
  rs.add_new();
  rs.set_field("PIPE_NUMBER", "5");
  rs.add_new();
  rs.set_field("PIPE_NUMBER", "10");  // the key exists: this write fails
  EXPECT_EQ(error_of([&] { rs.update_batch(); }), "UNIQUE constraint failed: PIPE.PIPE_NUMBER");
  EXPECT_EQ(stored(), (std::vector<std::string>{"1:Circular", "10:Box", "2:Box"}));
  EXPECT_TRUE(rs.has_pending_changes());
  EXPECT_EQ(rs.record_count(), 5);
  rs.set_field("PIPE_NUMBER", "6");
  rs.update_batch();
  EXPECT_FALSE(rs.has_pending_changes());
  EXPECT_EQ(stored(), (std::vector<std::string>{"1:Elliptical", "10:Box", "2:Box", "5:", "6:"}));
}

TEST_F(RecordsetEdit, DeleteRemovesTheRecordAndTheNextOneBecomesCurrent) {
  std::vector<std::string> moves;
  rs.move_complete = [&] { moves.push_back(rs.eof() ? "EOF" : rs.field("PIPE_NUMBER")); };
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  rs.move_next();  // "10"
  rs.delete_current();
  EXPECT_EQ(rs.record_count(), 2);
  EXPECT_EQ(rs.field("PIPE_NUMBER"), "2");
  EXPECT_EQ(rs.absolute_position(), 2);
  EXPECT_EQ(stored(), (std::vector<std::string>{"1:Circular", "2:Box"}));
  rs.delete_current();  // the last record: EOF follows
  EXPECT_TRUE(rs.eof());
  EXPECT_FALSE(rs.bof());
  EXPECT_EQ(error_of([&] { rs.delete_current(); }), "There is no current record.");
  rs.move_previous();
  rs.delete_current();  // the only record left
  EXPECT_TRUE(rs.bof());
  EXPECT_TRUE(rs.eof());
  EXPECT_TRUE(stored().empty());
  EXPECT_EQ(moves, (std::vector<std::string>{"1", "10", "2", "EOF", "1", "EOF"}));
}

TEST_F(RecordsetEdit, DeletingANewRecordNeverWritesIt) {
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  rs.add_new();
  rs.set_field("PIPE_NUMBER", "7");
  rs.delete_current();
  rs.update_batch();
  EXPECT_EQ(rs.record_count(), 3);
  EXPECT_EQ(stored().size(), 3u);
}

TEST_F(RecordsetEdit, RequeryShowsTheTableAndDropsPendingEdits) {
  rs.open(c, "SELECT * FROM PIPE WHERE PIPE_SHAPE = ? ORDER BY PIPE_NUMBER", {"box"});
  EXPECT_EQ(rs.record_count(), 2);
  rs.set_field("PIPE_SHAPE", "Elliptical");
  c.execute("UPDATE PIPE SET PIPE_SHAPE = 'Box' WHERE PIPE_NUMBER = '1'");
  rs.move_last();
  rs.requery();  // the same query and values again
  EXPECT_EQ(rs.record_count(), 3);
  EXPECT_EQ(rs.absolute_position(), 1);
  EXPECT_FALSE(rs.has_pending_changes());
  EXPECT_EQ(rs.field("PIPE_SHAPE"), "Box");
}

TEST_F(RecordsetEdit, WritesFailWhenTheRecordChangedMeanwhile) {
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  Connection other;
  other.open(path);
  other.execute("UPDATE PIPE SET PIPE_SHAPE = 'Elliptical' WHERE PIPE_NUMBER = '1'");
  // A change of another field writes only that field and keeps the other writer's change.
  rs.set_field("PIPE_DIA", "18");
  rs.update();
  EXPECT_EQ(rs.field("PIPE_SHAPE"), "Elliptical");  // read back after the write
  // A change of the same field would overwrite it unseen: refused, the edit stays pending.
  other.execute("UPDATE PIPE SET PIPE_SHAPE = 'Arch-Conc' WHERE PIPE_NUMBER = '1'");
  rs.set_field("PIPE_SHAPE", "Box");
  const char* conflict = "The record could not be written: it was changed or deleted since it was read.";
  EXPECT_EQ(error_of([&] { rs.update(); }), conflict);
  EXPECT_EQ(rs.edit_mode(), EditMode::in_progress);
  EXPECT_EQ(stored()[0], "1:Arch-Conc");
  // A record deleted by another writer can be neither written nor deleted.
  rs.move_next();
  other.execute("DELETE FROM PIPE WHERE PIPE_NUMBER = '10'");
  rs.set_field("PIPE_SHAPE", "Circular");
  EXPECT_EQ(error_of([&] { rs.update(); }), conflict);
  rs.cancel_update();
  EXPECT_EQ(error_of([&] { rs.delete_current(); }), conflict);
}

TEST_F(RecordsetEdit, ReadOnlyFileKeepsTheEditPending) {
  c.close();
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  c.open(path);
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  rs.set_field("PIPE_SHAPE", "Box");
  EXPECT_EQ(error_of([&] { rs.update(); }), "attempt to write a readonly database");
  EXPECT_EQ(rs.edit_mode(), EditMode::in_progress);
  EXPECT_EQ(error_of([&] { rs.update_batch(); }), "attempt to write a readonly database");
  EXPECT_EQ(rs.field("PIPE_SHAPE"), "Box");
  EXPECT_NE(error_of([&] { rs.delete_current(); }), "(no error)");
  EXPECT_EQ(rs.record_count(), 3);
}

TEST_F(RecordsetEdit, WillChangeRecordAnnouncesEachKindOfChange) {
  std::vector<std::string> log;
  rs.will_change_record = [&](ChangeReason r, bool&) { log.push_back(reason_name(r)); };
  rs.move_complete = [&] { log.push_back("moved"); };
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  struct Step {
    const char* what;
    std::function<void(Recordset&)> act;
    std::vector<std::string> events;
  };
  const Step steps[] = {
      {"same text", [](Recordset& r) { r.set_field("PIPE_SHAPE", "Circular"); }, {}},
      {"empty text over NULL", [](Recordset& r) { r.set_field("PRENODE1", ""); }, {}},
      {"first change", [](Recordset& r) { r.set_field("PIPE_SHAPE", "Box"); }, {"first_change"}},
      {"second change", [](Recordset& r) { r.set_field("PIPE_DIA", "18"); }, {}},
      {"update", [](Recordset& r) { r.update(); }, {"update"}},
      {"update, nothing pending", [](Recordset& r) { r.update(); }, {}},
      {"first change after the write", [](Recordset& r) { r.set_field("PIPE_DIA", "21"); }, {"first_change"}},
      {"cancel", [](Recordset& r) { r.cancel_update(); }, {"undo_update"}},
      {"NULL over a text", [](Recordset& r) { r.set_field("PIPE_DIA", nullptr); }, {"first_change"}},
      {"cancel again", [](Recordset& r) { r.cancel_update(); }, {"undo_update"}},
      {"add", [](Recordset& r) { r.add_new(); }, {"add_new", "moved"}},
      {"field of the new record", [](Recordset& r) { r.set_field("PIPE_NUMBER", "8"); }, {}},
      {"cancel the new record", [](Recordset& r) { r.cancel_update(); }, {"undo_add_new", "moved"}},
      {"delete", [](Recordset& r) { r.delete_current(); }, {"delete", "moved"}},
  };
  log.clear();
  for (const Step& step : steps) {
    step.act(rs);
    EXPECT_EQ(log, step.events) << step.what;
    log.clear();
  }
}

TEST_F(RecordsetEdit, AHandlerMayCancelTheChange) {
  ChangeReason refused = ChangeReason::first_change;
  rs.will_change_record = [&](ChangeReason r, bool& cancel) { cancel = (r == refused); };
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  EXPECT_EQ(error_of([&] { rs.set_field("PIPE_SHAPE", "Box"); }), "The change was cancelled.");
  EXPECT_EQ(rs.field("PIPE_SHAPE"), "Circular");
  EXPECT_EQ(rs.edit_mode(), EditMode::none);
  refused = ChangeReason::add_new;
  EXPECT_EQ(error_of([&] { rs.add_new(); }), "The change was cancelled.");
  EXPECT_EQ(rs.record_count(), 3);
  refused = ChangeReason::delete_record;
  EXPECT_EQ(error_of([&] { rs.delete_current(); }), "The change was cancelled.");
  refused = ChangeReason::update;
  rs.set_field("PIPE_SHAPE", "Box");
  EXPECT_EQ(error_of([&] { rs.update(); }), "The change was cancelled.");
  EXPECT_EQ(stored()[0], "1:Circular");
}

TEST_F(RecordsetEdit, ObserversHearOfEveryChangeOfWhatTheRecordShows) {
  int shown = 0;
  rs.subscribe([&] { ++shown; });
  rs.open(c, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
  EXPECT_EQ(shown, 1);
  rs.set_field("PIPE_SHAPE", "Box");  // the writer knows already
  EXPECT_EQ(shown, 1);
  rs.cancel_update();
  rs.add_new();
  rs.update();
  rs.delete_current();
  rs.requery();
  rs.close();
  EXPECT_EQ(shown, 7);
}

TEST_F(RecordsetEdit, NoCurrentRecordNoEdit) {
  rs.open(c, "SELECT * FROM PIPE WHERE PIPE_NUMBER = 'none'");
  EXPECT_EQ(error_of([&] { rs.set_field("PIPE_SHAPE", "Box"); }), "There is no current record.");
  EXPECT_EQ(error_of([&] { rs.update(); }), "There is no current record.");
  EXPECT_EQ(error_of([&] { rs.delete_current(); }), "There is no current record.");
  EXPECT_EQ(rs.edit_mode(), EditMode::none);
  rs.cancel_update();  // nothing to cancel
  rs.add_new();
  rs.set_field("PIPE_NUMBER", "none");
  rs.update();
  EXPECT_EQ(rs.record_count(), 1);
}

}  // namespace
}  // namespace gw::db
