// Tests of the pipe design window driven directly: adding and saving a pipe, the unique pipe
// number, the pipe searches, and the upstream numbers remembered for the checks.
#include "design/frmpipemain.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "design/windows.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/ui/host.h"
#include "shell/program.h"
#include "shell/tarnelhydro_libraries.h"
#include "tests/support/fixture_project.h"
#include "tests/support/host_access.h"
#include "tests/support/recording_host.h"

using gw::testing::host_key;

namespace gw::design {
namespace {

class PipeWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.now = 36000;
    prog_ = std::make_unique<shell::Program>(host_, GW_PROGRAM_DIR);
    register_design_windows(*prog_);
  }
  void TearDown() override { prog_.reset(); }

  // Opens a copy of a fixture project as the program's project.
  void open_project(const std::string& fixture, bool legacy, const std::string& id) {
    testing::open_fixture_project(*prog_, scratch_, fixture, id, legacy);
  }

  frmpipemain& window() { return prog_->form<frmpipemain>(); }

  // Loads the window as the pipe table does, in a mode on a pipe.
  frmpipemain& open_window(const std::string& mode, const std::string& id) {
    prog_->form<frmpipemain>().open_on(mode, id);
    window().load();
    return window();
  }

  // The first row of a query on the project file, fields joined by "|"; "" when none.
  std::string row(const std::string& sql, const std::vector<db::Value>& params = {}) {
    db::Connection c;
    c.open(prog_->vars.project.project_db_path);
    db::Recordset rs;
    rs.open(c, sql, params);
    if (rs.record_count() == 0) return "";
    std::string out;
    for (int i = 0; i < rs.field_count(); ++i) out += (i ? "|" : "") + rs.field(i);
    return out;
  }

  // Fills in what a solvable circular pipe needs and solves it.
  void enter_and_solve(frmpipemain& w, const std::string& number) {
    w.host_control(host_key, "pipe_number").set_text(number);
    // The slope follows its inputs: 101 - 100 over 100 is 0.01.
    w.host_control(host_key, "pipe_length").set_text("100");
    w.host_control(host_key, "pipe_elein").set_text("101");
    w.host_control(host_key, "pipe_eleout").set_text("100");
    // A new pipe enters its discharge, which becomes the pipe's discharge.
    w.host_control(host_key, "structure_discharge").set_text("10");
    w.host_control(host_key, "cmdpipesolve").click();
  }

  testing::ScratchFolder scratch_;
  testing::RecordingHost host_;
  std::unique_ptr<shell::Program> prog_;
};

TEST_F(PipeWindow, AddedPipeIsSavedWithItsDefaultsAndResults) {
  open_project("release2_1.gwp", false, "0064-029-F21");
  frmpipemain& w = open_window("add", "");
  EXPECT_FALSE(w.solved());
  enter_and_solve(w, "C'1");
  EXPECT_TRUE(w.solved());
  w.host_control(host_key, "mnuSavepipe").click();
  EXPECT_EQ(host_.texts(),
            (std::vector<std::string>{"Solved! Please check and Save your results", "Record Saved"}));
  EXPECT_EQ(row("SELECT PROJECT_ID, PIPE_SHAPE, PIPE_DIA, PIPE_MAT, PIPE_MANN, NUMOFPIPES, NODEIN_SHAPING, "
                "STRUCTURE_TC, PIPE_CF, DISCHARGEVAL, PRECA4, PIPE_STORM_FREQ, CAPACITY, FLOW_TYPE, "
                "FRICTION_SLOPE, LATERAL_DISCHARGE, PRENODE1 FROM PIPE WHERE PIPE_NUMBER = ?",
                {"C'1"}),
            "0064-029-F21|Circular|18|Concrete|0.013|1|NO|5.0|0.0|INP|0.0|2|10.504|PARTIAL FLOW|0.0091||");
  EXPECT_EQ(w.host_control(host_key, "screenmode").text(), "VIEW");
  EXPECT_EQ(w.host_control(host_key, "lblStatus").caption(), "C'1");
  EXPECT_EQ(w.mode(), frmpipemain::Mode::view);
  // The pipe table's list and the upstream lists know the new pipe at once.
  EXPECT_EQ(w.host_control(host_key, "prenode1").items().back(), "C'1");
}

TEST_F(PipeWindow, SaveOfANewPipeRefusesANumberThatExists) {
  open_project("release2_1.gwp", false, "0064-029-F21");
  frmpipemain& w = open_window("add", "");
  // Numbers compare without regard to case, as the table's key does.
  enter_and_solve(w, "10");
  w.host_control(host_key, "mnuSavepipe").click();
  enter_and_solve(w, "x7");
  // Someone else stores the number while this pipe is being entered.
  {
    db::Connection other;
    other.open(prog_->vars.project.project_db_path);
    other.execute("INSERT INTO PIPE (PIPE_NUMBER) VALUES (?)", {"X7"});
  }
  w.host_control(host_key, "mnuSavepipe").click();
  EXPECT_EQ(host_.texts(), (std::vector<std::string>{
                               "Solved! Please check and Save your results",
                               "10 already exists in the database! Please enter a valid unique Pipe Number",
                               "Solved! Please check and Save your results",
                               "x7 already exists in the database! Please enter a valid unique Pipe Number",
                           }));
  EXPECT_EQ(host_.messages[1].icon, ui::Icon::Exclamation);
  EXPECT_EQ(w.host_control(host_key, "screenmode").text(), "ADD");
  EXPECT_EQ(w.mode(), frmpipemain::Mode::add);
  EXPECT_EQ(row("SELECT COUNT(*) FROM PIPE"), "4");
}

TEST_F(PipeWindow, SaveIsRefusedWhenTheNumberCannotBeChecked) {
  open_project("release2_1.gwp", false, "0064-029-F21");
  frmpipemain& w = open_window("add", "");
  enter_and_solve(w, "N1");
  prog_->vars.connections.project_connection->execute("ALTER TABLE PIPE RENAME TO PIPE_OLD");
  host_.messages.clear();
  w.host_control(host_key, "mnuSavepipe").click();
  ASSERT_EQ(host_.messages.size(), 1u);  // the search's own report, and no "Record Saved"
  EXPECT_NE(host_.messages[0].text.find("PIPE"), std::string::npos);
  EXPECT_EQ(w.host_control(host_key, "screenmode").text(), "ADD");
}

TEST_F(PipeWindow, SaveIntoAProjectReplacedSinceItWasOpenedIsRefusedNamingTheCause) {
  open_project("release2_1.gwp", false, "0064-029-F21");
  frmpipemain& w = open_window("add", "");
  enter_and_solve(w, "N1");
  // Another instance of the program creates a new project over this one's file.
  {
    testing::RecordingHost other_host;
    shell::Program other(other_host, GW_PROGRAM_DIR);
    shell::copy_template(other, prog_->vars.project.project_db_path);
  }
  host_.messages.clear();
  w.host_control(host_key, "mnuSavepipe").click();
  EXPECT_EQ(host_.texts(), (std::vector<std::string>{"Pipe N1 could not be saved in \"" +
                                                     prog_->vars.project.project_db_path +
                                                     "\": the file has been replaced or removed since it was opened."}));
  EXPECT_EQ(w.host_control(host_key, "screenmode").text(), "ADD");
  EXPECT_EQ(row("SELECT COUNT(*) FROM PIPE"), "0");
}

// Another instance of the program in the middle of its own save holds the project's write
// lock: the save names the file and that it is in use, and the pipe stays unsaved.
TEST_F(PipeWindow, SaveWhileAnotherInstanceHoldsTheProjectNamesTheLock) {
  open_project("release2_1.gwp", false, "0064-029-F21");
  frmpipemain& w = open_window("add", "");
  enter_and_solve(w, "N1");
  db::Connection other;
  other.open(prog_->vars.project.project_db_path);
  other.execute("BEGIN IMMEDIATE");
  other.execute("UPDATE PROJECT SET LOCATION = 'elsewhere'");
  // The wait for the lock, shortened for the test.
  prog_->vars.connections.project_connection->execute("PRAGMA busy_timeout = 50");
  host_.messages.clear();
  w.host_control(host_key, "mnuSavepipe").click();
  EXPECT_EQ(host_.texts(), (std::vector<std::string>{"Pipe N1 could not be saved in \"" +
                                                     prog_->vars.project.project_db_path +
                                                     "\": the file is in use by another program."}));
  EXPECT_EQ(host_.messages[0].icon, ui::Icon::Exclamation);
  EXPECT_EQ(w.host_control(host_key, "screenmode").text(), "ADD");
  other.execute("ROLLBACK");
  EXPECT_EQ(row("SELECT COUNT(*) FROM PIPE WHERE PIPE_NUMBER = 'N1'"), "0");
}

TEST_F(PipeWindow, SearchPipesAnswersEachRelation) {
  open_project("release2_1.gwp", false, "0064-029-F21");
  {
    db::Connection c;
    c.open(prog_->vars.project.project_db_path);
    c.execute("INSERT INTO PIPE (PIPE_NUMBER, NODEIN_NO, PRENODE4) VALUES ('X', ?, ?)", {"N\"1", "Q'4"});
  }
  frmpipemain& w = window();
  struct Case {
    const char* text;
    const char* list;
    bool found;
    const char* pipe;  // the pipe found, also shown in found_pipe_number
  };
  const Case cases[] = {
      {"1", "PRENODE1", true, "10"},   // pipe 10 names 1 in PRENODE1
      {"2", "PRENODE3", true, "10"},   // every upstream list name searches all four slots
      {"Q'4", "PRENODE2", true, "X"},  // PRENODE4 of a current project, a quote in the value
      {"10", "PRENODE1", false, ""},    {"10", "PIPE_NUMBER", true, ""},   // existence only: no pipe named
      {"zz", "PIPE_NUMBER", false, ""}, {"n\"1", "NODEIN_NO", true, "X"},  // without regard to case
      {"103", "NODEIN_NO", true, "10"}, {"1", "NODEOUT_NO", false, ""},    // not a relation the search knows
  };
  for (const Case& k : cases) {
    prog_->vars.handover.found_pipe_number = "stale";
    const frmpipemain::PipeSearch s = w.search_pipes(k.text, k.list);
    EXPECT_EQ(s.found, k.found) << k.text << " " << k.list;
    EXPECT_EQ(s.pipe, k.pipe) << k.text << " " << k.list;
    EXPECT_EQ(prog_->vars.handover.found_pipe_number, k.pipe) << k.text << " " << k.list;
    EXPECT_FALSE(s.failed);
  }
  // Searching touches no control: the window stays unloaded.
  EXPECT_FALSE(w.is_loaded());
  EXPECT_TRUE(host_.messages.empty());

  // A search that cannot run says why and answers false, marked as failed.
  prog_->vars.connections.project_connection->close();
  const frmpipemain::PipeSearch failed = w.search_pipes("1", "PRENODE1");
  EXPECT_FALSE(failed.found);
  EXPECT_TRUE(failed.failed);
  EXPECT_EQ(host_.messages.size(), 1u);
}

TEST_F(PipeWindow, LegacySearchLeavesTheFourthSlotOut) {
  open_project("legacy_GWL.gwp", true, "LEG-0001");
  frmpipemain& w = window();
  const frmpipemain::PipeSearch s = w.search_pipes("L1", "PRENODE4");
  EXPECT_TRUE(s.found);
  EXPECT_EQ(s.pipe, "L2");
  EXPECT_FALSE(s.failed);
}

TEST_F(PipeWindow, RememberedUpstreamNumbersBelongToTheEditedPipeOnly) {
  open_project("release2_1.gwp", false, "0064-029-F21");
  // Pipe X names pipe 1 as an upstream pipe too, as pipe 10 does.
  {
    db::Connection c;
    c.open(prog_->vars.project.project_db_path);
    c.execute("INSERT INTO PIPE (PIPE_NUMBER, PRENODE2) VALUES ('X', '1')");
  }
  const std::string used = "This Pipe has already been used as a Previous Pipe for Pipe  - ";
  auto leave_row_with = [](frmpipemain& w, const std::string& number) {
    w.host_control(host_key, "prenode1").set_text(number);
    w.host_control(host_key, "prenode1").on_lost_focus();
  };
  auto refusals = [&] {
    int n = 0;
    for (const std::string& t : host_.texts()) n += t.rfind(used, 0) == 0;
    return n;
  };

  // Pipe 10's own link to pipe 1, kept in its row, is not searched for in other pipes.
  frmpipemain& w = open_window("edit", "10");
  leave_row_with(w, "1");
  EXPECT_EQ(refusals(), 0);
  EXPECT_EQ(w.host_control(host_key, "prenode1").text(), "1");

  // Pipe 2 has no upstream pipes: pipe 10's remembered numbers are not taken for its own.
  w.unload();  // answered Yes: leaves without saving
  open_window("edit", "2");
  leave_row_with(w, "1");
  EXPECT_EQ(refusals(), 1);
  EXPECT_EQ(w.host_control(host_key, "prenode1").text(), "");
  w.unload();

  // Nor does a new pipe entered after pipe 10 was edited and saved take them.
  open_window("edit", "10");
  w.host_control(host_key, "cmdpipesolve").click();
  w.host_control(host_key, "mnuSavepipe").click();
  ASSERT_EQ(w.mode(), frmpipemain::Mode::view);
  w.host_control(host_key, "mnuAddpipe").click();
  EXPECT_EQ(w.host_control(host_key, "screenmode").text(), "ADD");
  leave_row_with(w, "1");
  EXPECT_EQ(refusals(), 2);
  EXPECT_EQ(w.host_control(host_key, "prenode1").text(), "");
}

TEST_F(PipeWindow, LeavingAnEditWritesNothingAndLeavingAnAddDropsTheRecord) {
  open_project("release2_1.gwp", false, "0064-029-F21");
  frmpipemain& w = open_window("edit", "1");
  w.host_control(host_key, "pipe_mann").set_text("0.020");
  EXPECT_TRUE(w.unload());
  EXPECT_EQ(row("SELECT PIPE_MANN FROM PIPE WHERE PIPE_NUMBER = '1'"), "0.013");

  open_window("add", "");
  w.host_control(host_key, "pipe_number").set_text("NEW");
  host_.answers = {ui::Answer::No};
  EXPECT_FALSE(w.unload());
  EXPECT_EQ(w.host_control(host_key, "pipe_number").text(), "NEW");
  EXPECT_TRUE(w.unload());
  EXPECT_EQ(row("SELECT COUNT(*) FROM PIPE"), "3");
  // The new record was dropped, not left pending: the next use of the window writes nothing.
  open_window("edit", "1");
  EXPECT_TRUE(w.unload());
  EXPECT_EQ(row("SELECT COUNT(*) FROM PIPE"), "3");
}

}  // namespace
}  // namespace gw::design
