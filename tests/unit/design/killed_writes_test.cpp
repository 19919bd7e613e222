// A save of a pipe record, a renumbering and the rollback of an interrupted save's journal
// killed (SIGKILL) at every one of their writes: the project file is afterwards a sound
// database holding either the old or the new table, never a mixture (a journal left by the
// killed rollback rolls back to the same table). The writes are counted by a hook over the database engine's file layer
// that kills the process at the chosen write, before that write reaches the file.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "design/pipe_renumber.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/db/companions.h"
#include "platform/db/journal_rollback.h"
#include "platform/db/write_hook.h"
#include "shell/frmsoftwaremain.h"
#include "shell/program.h"
#include "tests/support/interrupted_save.h"
#include "tests/support/killed_child.h"
#include "tests/support/recording_host.h"
#include "tests/support/scratch_folder.h"

namespace gw::design {
namespace {

namespace fs = std::filesystem;

// ---- the write hook ---------------------------------------------------------------------

// Makes the database engine kill this (child) process at its kill_at-th write operation
// (writes, truncations, deletions counted from 1), before that write reaches the file.
void install_hook(long kill_at) {
  db::set_write_hook([writes = 0L, kill_at](db::FileWrite, const char*) mutable {
    if (++writes == kill_at) kill(getpid(), SIGKILL);
    return false;
  });
}

// ---- the test ------------------------------------------------------------------------------

// The whole PIPE table, every column of every row in row order.
std::vector<std::string> pipe_table(const std::string& path) {
  db::Connection conn;
  conn.open(path);
  db::Recordset rs;
  rs.open(conn, "SELECT * FROM PIPE ORDER BY rowid");
  std::vector<std::string> rows;
  for (; !rs.eof(); rs.move_next()) {
    std::string row;
    for (int i = 0; i < rs.field_count(); ++i) row += rs.field(i) + "|";
    rows.push_back(row);
  }
  return rows;
}

std::string integrity(const std::string& path) {
  db::Connection conn;
  conn.open(path);  // rolls a hot journal back, as the program's next open does when asked to
  db::Recordset rs;
  rs.open(conn, "PRAGMA integrity_check");
  return rs.eof() ? "" : rs.field(0);
}

struct Outcome {
  int kill_positions = 0;  // write operations the change was killed at
  int old_tables = 0;      // killed runs that left the old table
  int new_tables = 0;      // killed runs that left the new table
};

// Runs `change` on a fresh copy of the project once per write position, each time in a child
// process killed at that write, until a run completes; checks every file left behind.
Outcome kill_at_every_write(const std::string& folder, const std::function<void(db::Connection&)>& change) {
  const std::string original = std::string(GW_FIXTURES_BUILD_DIR) + "/release2_1.gwp";
  const std::string path = folder + "/killed.gwp";
  fs::copy_file(original, path, fs::copy_options::overwrite_existing);
  const std::vector<std::string> old_table = pipe_table(path);
  {
    db::Connection conn;
    conn.open(path);
    change(conn);
  }
  const std::vector<std::string> new_table = pipe_table(path);
  EXPECT_NE(old_table, new_table);

  Outcome outcome;
  for (long n = 1; n <= 1000; ++n) {
    fs::copy_file(original, path, fs::copy_options::overwrite_existing);
    fs::remove(path + "-journal");
    const int status = gw::testing::status_of_child([&] {
      install_hook(n);
      db::Connection conn;
      conn.open(path);
      change(conn);
    });
    if (WIFEXITED(status)) {
      EXPECT_EQ(WEXITSTATUS(status), 0) << "the change failed at its own write " << n;
      EXPECT_EQ(pipe_table(path), new_table);
      break;
    }
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << n;
    ++outcome.kill_positions;
    EXPECT_EQ(integrity(path), "ok") << "killed at write " << n;
    const std::vector<std::string> left = pipe_table(path);
    if (left == old_table)
      ++outcome.old_tables;
    else if (left == new_table)
      ++outcome.new_tables;
    else
      ADD_FAILURE() << "killed at write " << n << ": neither the old nor the new table";
  }
  return outcome;
}

class KilledWrites : public ::testing::Test {
 protected:
  gw::testing::ScratchFolder scratch_;
  const std::string folder_ = scratch_.root().string();
};

TEST_F(KilledWrites, APipeSaveLeavesTheOldOrTheNewRecord) {
  // What the pipe design window's Save writes: the edited fields of the bound record.
  const Outcome o = kill_at_every_write(folder_, [](db::Connection& conn) {
    db::Recordset rs;
    rs.open(conn, "SELECT * FROM PIPE WHERE PIPE_NUMBER = ?", {"10"});
    rs.set_field("PIPE_LENGTH", "175.500");
    rs.set_field("PIPE_SLOPE", "0.01282");
    rs.set_field("CAPACITY", "11.904");
    rs.set_field("PIPE_SUMMARY", "SUBCRITICAL FLOW");
    rs.update_batch();
  });
  EXPECT_GT(o.kill_positions, 2);
  EXPECT_EQ(o.old_tables + o.new_tables, o.kill_positions);
  std::printf("pipe save: killed at %d write positions, %d left the old record, %d the new\n",
              o.kill_positions, o.old_tables, o.new_tables);
}

TEST_F(KilledWrites, ARenumberingLeavesTheOldOrTheNewNumbers) {
  // Pipe 1 is pipe 10's upstream pipe: the key and the reference change together.
  const Outcome o =
      kill_at_every_write(folder_, [](db::Connection& conn) { renumber_pipe(conn, "1", "1A", false); });
  EXPECT_GT(o.kill_positions, 2);
  EXPECT_EQ(o.old_tables + o.new_tables, o.kill_positions);
  std::printf("renumbering: killed at %d write positions, %d left the old numbers, %d the new\n",
              o.kill_positions, o.old_tables, o.new_tables);
}

TEST_F(KilledWrites, OpenOfAnInterruptedSaveAnsweredNoWritesNothingAndYesRollsBackWhateverKillsIt) {
  const std::string path = folder_ + "/killed.gwp";
  fs::copy_file(std::string(GW_FIXTURES_BUILD_DIR) + "/release2_1.gwp", path);
  const std::vector<std::string> before_save = pipe_table(path);
  gw::testing::leave_interrupted_save(path, gw::testing::change_pipes);
  const std::string file = gw::testing::file_bytes(path), journal = gw::testing::file_bytes(path + "-journal");

  // Answered No: the engine writes nothing at all, and nothing opens.
  {
    long writes = 0;
    db::set_write_hook([&writes](db::FileWrite, const char*) {
      ++writes;
      return false;
    });
    gw::testing::RecordingHost host;
    shell::Program prog(host, GW_PROGRAM_DIR);
    shell::register_shell_windows(prog);
    host.files = {path};
    host.answers = {ui::Answer::No};
    prog.form<shell::frmsoftwaremain>().mnuopenProj_Click();
    db::set_write_hook({});
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(gw::testing::file_bytes(path) == file && gw::testing::file_bytes(path + "-journal") == journal);
    EXPECT_FALSE(prog.vars.connections.project_connection);
  }

  // Answered Yes: the rollback killed at each of its writes.
  int kills = 0, journals_left = 0, copies_left = 0;
  for (long n = 1; n <= 200; ++n) {
    copies_left += gw::testing::remove_hidden_copies(path);
    gw::testing::write_bytes(path, file);
    gw::testing::write_bytes(path + "-journal", journal);
    const int status = gw::testing::status_of_child([&] {
      install_hook(n);
      db::roll_back_journal(path);
    });
    if (WIFEXITED(status)) {
      EXPECT_EQ(WEXITSTATUS(status), 0) << "the rollback failed at its own write " << n;
      EXPECT_FALSE(fs::exists(path + "-journal"));
      EXPECT_EQ(pipe_table(path), before_save);
      EXPECT_EQ(gw::testing::remove_hidden_copies(path), 0);  // the completed rollback leaves no copy
      break;
    }
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << n;
    ++kills;
    // What the kill left: the journal still hot, which the next Open rolls back, or the file
    // rolled back already.
    const db::Companions left = db::look_beside(path);
    if (left.state == db::Companions::State::hot_journal) {
      ++journals_left;
      db::roll_back_journal(path);
    } else {
      EXPECT_EQ(left.state, db::Companions::State::clear) << "killed at write " << n;
    }
    EXPECT_EQ(integrity(path), "ok") << "killed at write " << n;
    EXPECT_EQ(pipe_table(path), before_save) << "killed at write " << n;
  }
  EXPECT_GT(kills, 2);
  EXPECT_GT(journals_left, 0);
  EXPECT_GT(copies_left, 0);  // a kill leaves the copies aside, hidden beside the project
  std::printf("rollback: killed at %d write positions, %d left the journal to roll back again\n", kills,
              journals_left);
}

}  // namespace
}  // namespace gw::design
