// A report save and a project Create killed (SIGKILL) at every one of their steps on the disk:
// afterwards the chosen file is the earlier one, byte for byte, or the finished new one, whole.
// Created over a project with a hot journal, the earlier project keeps its journal (but when
// killed at the rename itself, right after the journal was removed) and the new one has none.
// The steps are counted by the file layer's step hook, which kills the process at the chosen
// step before that step is made.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "platform/db/companions.h"
#include "platform/files/file_replacement.h"
#include "reports/report_workbook.h"
#include "shell/tarnelhydro_libraries.h"
#include "shell/window_names.h"
#include "tests/support/interrupted_save.h"
#include "tests/support/killed_child.h"
#include "tests/support/recording_host.h"
#include "tests/support/scratch_folder.h"

namespace gw::reports {
namespace {

namespace fs = std::filesystem;

// Temporary files a killed replacement left beside `path`, counted.
int count_leftovers(const std::string& path) {
  const fs::path p(path);
  int n = 0;
  for (const auto& e : fs::directory_iterator(p.parent_path()))
    n += e.path().filename().string().rfind("." + p.filename().string() + ".gw-", 0) == 0;
  return n;
}

struct Outcome {
  int kill_positions = 0;  // steps the write was killed at
  int old_files = 0;       // killed runs that left the earlier file
  int new_files = 0;       // killed runs that left the new one
};

// Runs `write` in a child process once per step, killed at that step, until a run completes;
// before each run `reset` puts the earlier file back; after each, `judge` tells the file left at
// the chosen name: 'o' the earlier one, 'n' the new one, anything else neither.
Outcome kill_at_every_step(const std::function<void()>& reset, const std::function<void()>& write,
                           const std::function<char()>& judge) {
  Outcome outcome;
  for (long k = 1; k <= 200; ++k) {
    reset();
    const int status = gw::testing::status_of_child([&] {
      long steps = 0;
      files::set_step_hook([&steps, k](files::Step, const std::string&) {
        if (++steps == k) kill(getpid(), SIGKILL);
        return 0;
      });
      write();
    });
    if (WIFEXITED(status)) {
      EXPECT_EQ(WEXITSTATUS(status), 0) << "the write failed at its own step " << k;
      EXPECT_EQ(judge(), 'n') << "the completed write left something else";
      break;
    }
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << k;
    ++outcome.kill_positions;
    const char left = judge();
    if (left == 'o')
      ++outcome.old_files;
    else if (left == 'n')
      ++outcome.new_files;
    else
      ADD_FAILURE() << "killed at step " << k << ": neither the earlier file nor the new one";
  }
  return outcome;
}

// A window that only shows a mouse pointer.
class PointerWindow : public ui::Form {
 public:
  PointerWindow(ui::Forms& f, std::string name) : Form(f, std::move(name)) {}

 protected:
  void build() override {}
};

class KilledWrites : public ::testing::Test {
 protected:
  KilledWrites() : prog(host, GW_PROGRAM_DIR) {
    prog.forms.register_form(window::frmpipeflex, [](ui::Forms& f) {
      return std::make_unique<PointerWindow>(f, window::frmpipeflex);
    });
  }
  ~KilledWrites() override { files::set_step_hook({}); }

  gw::testing::ScratchFolder scratch;
  gw::testing::RecordingHost host;
  shell::Program prog;
};

TEST_F(KilledWrites, AReportSaveLeavesTheEarlierReportOrTheNewOne) {
  const std::string path = scratch.path("Route 7 #2.xlsx");
  // The earlier report at the chosen name.
  host.files = {path};
  {
    ReportSession earlier(prog, kFormLD229);
    ASSERT_TRUE(earlier.choose_file());
    earlier.open();
    earlier.set_text(1, 13, "earlier");
    earlier.finish();
  }
  const std::string earlier_bytes = gw::testing::file_bytes(path);

  // The new report, filled in this process: large enough (random numbers compress poorly)
  // that its save takes several writes. Each child only saves it.
  host.files = {path};
  ReportSession report(prog, kFormLD229);
  ASSERT_TRUE(report.choose_file());
  report.open();
  report.set_text(1, 13, "new");
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> value(0, 1000);
  constexpr int kRows = 12000;
  for (int row = 12; row < 12 + kRows; ++row)
    for (int col = 1; col <= 10; ++col) report.set_number(row, col, value(random));
  const double last = report.number(12 + kRows - 1, 10).value_or(-1);

  // The killed saves' temporaries are left where they are: each next save clears the one
  // before it away, so that never more than one lies beside the report.
  int leftovers = 0, most_at_once = 0;
  const Outcome o = kill_at_every_step(
      [&] { gw::testing::write_bytes(path, earlier_bytes); },
      [&] { report.finish(); },
      [&] {
        const int now = count_leftovers(path);
        leftovers += now;
        most_at_once = std::max(most_at_once, now);
        const std::string bytes = gw::testing::file_bytes(path);
        if (bytes == earlier_bytes) return 'o';
        try {
          wb::Workbook book = wb::Workbook::open(path);
          return book.text(1, 13) == "new" && book.number(12 + kRows - 1, 10) == last ? 'n' : '?';
        } catch (const std::exception&) {
          return '?';
        }
      });
  // The temporary file made, its writes, sync, close, rename and the folder's sync.
  EXPECT_GE(o.kill_positions, 7);
  EXPECT_EQ(o.old_files + o.new_files, o.kill_positions);
  EXPECT_EQ(o.new_files, 1);             // killed only after the rename: at the folder's sync
  EXPECT_GT(leftovers, 0);               // a kill leaves its temporary file, beside the report
  EXPECT_EQ(most_at_once, 1);            // which the next save removes
  EXPECT_EQ(gw::testing::remove_hidden_copies(path), 0);  // the completed save leaves none, the last kill's neither
}

TEST_F(KilledWrites, ACreateLeavesTheEarlierFileOrTheTemplate) {
  const std::string path = scratch.path("road.gwp");
  const std::string earlier_bytes = "an earlier project the user chose to overwrite";
  const std::string template_bytes = gw::testing::file_bytes(prog.program_file(shell::kTemplateDb));
  ASSERT_FALSE(template_bytes.empty());
  const Outcome o = kill_at_every_step(
      [&] {
        gw::testing::remove_hidden_copies(path);
        gw::testing::write_bytes(path, earlier_bytes);
      },
      [&] { shell::copy_template(prog, path); },
      [&] {
        const std::string bytes = gw::testing::file_bytes(path);
        return bytes == earlier_bytes ? 'o' : bytes == template_bytes ? 'n' : '?';
      });
  EXPECT_GE(o.kill_positions, 6);
  EXPECT_EQ(o.old_files + o.new_files, o.kill_positions);
}

TEST_F(KilledWrites, ACreateOverAProjectWithAHotJournalLeavesItWithItsJournalOrTheTemplateAlone) {
  // The earlier project: a save into it was cut short, its journal lies beside it.
  const std::string path = scratch.path("road.gwp");
  fs::copy_file(std::string(GW_FIXTURES_BUILD_DIR) + "/release2_1.gwp", path);
  gw::testing::leave_interrupted_save(path, gw::testing::change_pipes);
  const std::string earlier_bytes = gw::testing::file_bytes(path), journal_bytes = gw::testing::file_bytes(path + "-journal");
  const std::string template_bytes = gw::testing::file_bytes(prog.program_file(shell::kTemplateDb));
  auto companions_left = [&] {
    int n = 0;
    for (const std::string& c : db::companion_paths(path)) n += fs::exists(c) ? 1 : 0;
    return n;
  };
  int journal_gone = 0;  // kills that left the earlier file without its journal
  const Outcome o = kill_at_every_step(
      [&] {
        gw::testing::remove_hidden_copies(path);
        gw::testing::write_bytes(path, earlier_bytes);
        gw::testing::write_bytes(path + "-journal", journal_bytes);
        gw::testing::write_bytes(path + "-wal", "");
      },
      [&] { shell::copy_template(prog, path); },
      [&] {
        const std::string bytes = gw::testing::file_bytes(path);
        if (bytes == template_bytes) return companions_left() == 0 ? 'n' : '?';
        if (bytes != earlier_bytes) return '?';
        if (fs::exists(path + "-journal")) return gw::testing::file_bytes(path + "-journal") == journal_bytes ? 'o' : '?';
        ++journal_gone;
        return 'o';
      });
  EXPECT_GE(o.kill_positions, 6);
  EXPECT_EQ(o.old_files + o.new_files, o.kill_positions);
  // Only a kill between the removal of the companions and the rename, at the rename itself,
  // finds the file the engineer chose to overwrite without its journal.
  EXPECT_EQ(journal_gone, 1);
}

}  // namespace
}  // namespace gw::reports
