// Create and Open against the files beside a project: a replaced project's journal and log go
// with it, a hot journal is named and asked about before it is rolled back, a journal that
// cannot be the file's own and WAL mode are refused by name, and a project another instance
// holds is not replaced under it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/ui/host.h"
#include "shell/frmProjectNOAA.h"
#include "shell/frmsoftwaremain.h"
#include "shell/program.h"
#include "shell/tarnelhydro_libraries.h"
#include "tests/support/host_access.h"
#include "tests/support/interrupted_save.h"
#include "tests/support/recording_host.h"
#include "tests/support/scratch_folder.h"

using gw::testing::host_key;

namespace gw::shell {
namespace {

namespace fs = std::filesystem;
using gw::testing::file_bytes;
using gw::testing::write_bytes;
using ui::Answer;

// One running instance of the program, with the shell's windows.
struct Instance {
  Instance() : prog(host, GW_PROGRAM_DIR) { register_shell_windows(prog); }
  ~Instance() { close_project(prog); }
  frmsoftwaremain& main() { return prog.form<frmsoftwaremain>(); }
  bool project_open() {
    return prog.vars.connections.project_connection && prog.vars.connections.project_connection->is_open();
  }

  gw::testing::RecordingHost host;
  Program prog;
};

std::string query(const std::string& path, const std::string& sql) {
  db::Connection c;
  c.open(path, db::Connection::Access::read_only);
  return c.query_value(sql).text();
}

// The pipes of a project, read without its index: what a full scan finds.
std::string pipes(const std::string& path) {
  return query(path,
               "SELECT count(*) || ':' || ifnull(group_concat(PIPE_NUMBER || '=' || ifnull(PIPE_LENGTH, ''), ' '), '') "
               "FROM (SELECT * FROM PIPE NOT INDEXED ORDER BY rowid)");
}

class ProjectJournal : public ::testing::Test {
 protected:
  // A copy of the fixture project whose last save was cut short: the file and its hot journal.
  std::string interrupted_project(const std::string& name = "p.gwp") {
    const std::string p = scratch.copy(std::string(GW_FIXTURES_BUILD_DIR) + "/release2_1.gwp", name);
    before_save = pipes(p);
    gw::testing::leave_interrupted_save(p, gw::testing::change_pipes);
    return p;
  }
  std::vector<std::string> companions_of(const std::string& p) {
    std::vector<std::string> out;
    for (const char* s : {"-journal", "-wal", "-shm"})
      if (fs::exists(p + s)) out.push_back(p + s);
    return out;
  }

  gw::testing::ScratchFolder scratch;
  std::string before_save;
};

TEST_F(ProjectJournal, CreateOverAProjectWithAHotJournalGivesTheTemplateAlone) {
  const std::string p = interrupted_project();
  write_bytes(p + "-wal", std::string(100, 'w'));  // and a log of its own
  write_bytes(p + "-shm", std::string(100, 's'));
  Instance b;
  b.host.files = {p};
  b.main().mnucreateProj_Click();
  EXPECT_EQ(b.host.texts(), (std::vector<std::string>{"File Already Exists!   Overwrite?",
                                                      "New Project Database has been created.  Please Add Project Details"}));
  EXPECT_TRUE(companions_of(p).empty());
  EXPECT_TRUE(file_bytes(p) == file_bytes(b.prog.program_file(kTemplateDb))) << "the bytes of " << p;
  EXPECT_EQ(query(p, "PRAGMA integrity_check"), "ok");
  EXPECT_EQ(pipes(p), "0:");
  EXPECT_EQ(query(p, "SELECT count(*) FROM PROJECT"), "0");
  // The details window adds the new project's record.
  EXPECT_TRUE(b.prog.form<frmProjectNOAA>().host_control(host_key, "project_id").enabled());
  EXPECT_TRUE(b.main().host_control(host_key, "mnucloseProj").enabled());
}

TEST_F(ProjectJournal, CreateRefusesWhatItCannotRemoveBesideTheReplacedFile) {
  const std::string p = interrupted_project();
  const std::string earlier = file_bytes(p), journal = file_bytes(p + "-journal");
  fs::create_directory(p + "-wal");
  Instance b;
  b.host.files = {p};
  b.main().mnucreateProj_Click();
  ASSERT_EQ(b.host.texts().size(), 2u);
  EXPECT_EQ(b.host.texts()[1], "The project database \"" + p +
                                   "\" could not be created: the files of the database engine beside it could not "
                                   "be removed: \"" + p + "-wal\" (it is a folder).");
  EXPECT_TRUE(file_bytes(p) == earlier) << "the bytes of " << p;
  EXPECT_TRUE(file_bytes(p + "-journal") == journal) << "the bytes of " << p + "-journal";
  EXPECT_FALSE(b.project_open());
  EXPECT_TRUE(b.main().host_control(host_key, "mnucreateProj").enabled());
}

TEST_F(ProjectJournal, OpenOfAProjectWithAHotJournalAsksAndNoTouchesNothing) {
  const std::string p = interrupted_project();
  const std::string earlier = file_bytes(p), journal = file_bytes(p + "-journal");
  Instance a;
  a.host.files = {p};
  a.host.answers = {Answer::No};
  a.main().mnuopenProj_Click();
  ASSERT_EQ(a.host.messages.size(), 1u);
  EXPECT_EQ(a.host.messages[0].text, "The last save of \"" + p + "\" was interrupted. Its journal \"" + p +
                                         "-journal\" holds the project as it was before that save. Roll the project "
                                         "back to it and open it?");
  EXPECT_EQ(a.host.messages[0].buttons, ui::Buttons::YesNo);
  EXPECT_TRUE(file_bytes(p) == earlier) << "the bytes of " << p;
  EXPECT_TRUE(file_bytes(p + "-journal") == journal) << "the bytes of " << p + "-journal";
  EXPECT_FALSE(a.project_open());
  EXPECT_TRUE(a.main().host_control(host_key, "mnuopenProj").enabled());
  EXPECT_EQ(a.prog.vars.project.project_db_path, "");
}

TEST_F(ProjectJournal, OpenOfAProjectWithAHotJournalAnsweredYesRollsItBackAndOpens) {
  const std::string p = interrupted_project();
  Instance a;
  a.host.files = {p};
  a.host.answers = {Answer::Yes};
  a.main().mnuopenProj_Click();
  ASSERT_EQ(a.host.texts().size(), 2u);
  EXPECT_EQ(a.host.texts()[1], "Project Name: Route 340 Storm Sewer");
  EXPECT_TRUE(a.project_open());
  EXPECT_TRUE(companions_of(p).empty());
  EXPECT_EQ(pipes(p), before_save);
  EXPECT_EQ(query(p, "PRAGMA integrity_check"), "ok");
}

TEST_F(ProjectJournal, OpenRefusesByNameWhatItCannotRollBackOrUse) {
  struct Case {
    const char* name;
    // Spoils the interrupted project p; gives the message Open shows.
    std::function<std::string(const std::string& p)> spoil;
    bool asked;  // whether the engineer is asked first (and answers Yes)
  };
  const std::vector<Case> cases = {
      {"a journal of another page size",
       [](const std::string& p) {
         std::string j = file_bytes(p + "-journal");
         j[24] = 0, j[25] = 0, j[26] = 4, j[27] = 0;  // the header's page size: 1024
         write_bytes(p + "-journal", j);
         return "The file '" + p + "' cannot be opened as a project: the journal \"" + p +
                "-journal\" beside it cannot be the file's own (its pages are 1024 bytes long, the file's 4096); the "
                "file and the journal are left as they are.";
       },
       false},
      {"a rollback whose result fails the integrity check",
       [](const std::string& p) {
         // A recorded page (not the first) spoilt where the journal's checksum does not look.
         std::string j = file_bytes(p + "-journal");
         std::size_t at = 512;
         while (j[at] == 0 && j[at + 1] == 0 && j[at + 2] == 0 && j[at + 3] == 1) at += 4 + 4096 + 4;
         j[at + 4] = '\x7f';
         write_bytes(p + "-journal", j);
         return std::string("The journal \"") + p + "-journal\" could not be rolled back into \"" + p +
                "\": the result fails the integrity check";
       },
       true},
      {"a project in WAL mode",
       [](const std::string& p) {
         fs::remove(p + "-journal");
         {
           db::Connection c;
           c.open(p);
           c.execute("PRAGMA journal_mode = WAL");
         }
         return "The file '" + p +
                "' cannot be opened as a project: it is in WAL mode (write-ahead logging), which project files do not "
                "use.";
       },
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gw::testing::ScratchFolder folder;
    const std::string p = folder.copy(std::string(GW_FIXTURES_BUILD_DIR) + "/release2_1.gwp", "p.gwp");
    gw::testing::leave_interrupted_save(p, gw::testing::change_pipes);
    const std::string expected = c.spoil(p);
    const std::string earlier = file_bytes(p), journal = file_bytes(p + "-journal");
    Instance a;
    a.host.files = {p};
    a.main().mnuopenProj_Click();
    ASSERT_EQ(a.host.texts().size(), c.asked ? 2u : 1u);
    const std::string shown = a.host.texts().back();
    EXPECT_EQ(shown.substr(0, expected.size()), expected);
    EXPECT_TRUE(file_bytes(p) == earlier) << "the bytes of " << p;
    EXPECT_TRUE(file_bytes(p + "-journal") == journal) << "the bytes of " << p + "-journal";
    EXPECT_FALSE(a.project_open());
  }
}

TEST_F(ProjectJournal, AProjectOpenInAnotherInstanceIsNotReplacedUnderIt) {
  const std::string p = scratch.copy(std::string(GW_FIXTURES_BUILD_DIR) + "/release2_1.gwp", "p.gwp");
  Instance a, b;
  a.host.files = {p};
  a.main().mnuopenProj_Click();
  ASSERT_TRUE(a.project_open());
  const std::string earlier = file_bytes(p);

  // While A writes into the project, B's Create over it is refused.
  {
    db::Connection& conn = *a.prog.vars.connections.project_connection;
    db::Transaction save(conn);
    conn.execute("UPDATE PIPE SET PIPE_LENGTH = '1.000' WHERE PIPE_NUMBER = '1'");
    b.host.files = {p};
    b.main().mnucreateProj_Click();
    EXPECT_EQ(b.host.texts(), (std::vector<std::string>{
                                  "File Already Exists!   Overwrite?",
                                  "The project database \"" + p +
                                      "\" could not be created: the file is in use by another program.",
                              }));
    EXPECT_FALSE(b.project_open());
  }
  EXPECT_TRUE(file_bytes(p) == earlier) << "the bytes of " << p;

  // Idle, A holds nothing: B replaces the file, and A's next save into it is refused.
  b.host.messages.clear();
  b.host.files = {p};
  b.main().mnucreateProj_Click();
  ASSERT_TRUE(b.project_open());
  EXPECT_TRUE(file_bytes(p) == file_bytes(b.prog.program_file(kTemplateDb))) << "the bytes of " << p;
  a.host.messages.clear();
  a.main().mnuupdateProj_Click();
  frmProjectNOAA& details = a.prog.form<frmProjectNOAA>();
  details.host_control(host_key, "designer").set_text("A. Other");
  details.mnuprojsave_Click();
  ASSERT_EQ(a.host.texts().size(), 1u);
  EXPECT_NE(a.host.texts()[0], "Project Details are Saved!");
  EXPECT_EQ(query(p, "SELECT count(*) FROM PROJECT"), "0");
}

}  // namespace
}  // namespace gw::shell
