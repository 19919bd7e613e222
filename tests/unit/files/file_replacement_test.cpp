// Files replaced whole: the new content appears only when complete; a failure at any step
// leaves the old file and no temporary file, and names the file and the cause.
#include "platform/files/file_replacement.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/error/error.h"
#include "tests/support/scratch_folder.h"
#include "tests/unit/files/synced_files.h"

namespace gw::files {
namespace {

namespace fs = std::filesystem;

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int entries(const fs::path& folder) {
  return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

std::set<std::string> names_in(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

// A replacement of `path` killed while it wrote: its temporary stays behind.
void killed_write(const std::string& path) {
  const pid_t child = fork();
  if (child == 0) {
    FileReplacement r(path);
    r.write("half");
    kill(getpid(), SIGKILL);
  }
  int status = 0;
  waitpid(child, &status, 0);
}

class Replacement : public ::testing::Test {
 protected:
  ~Replacement() override { set_step_hook({}); }
  gw::testing::ScratchFolder dir;
};

TEST_F(Replacement, TheNewContentAppearsWholeOnlyOnCommit) {
  const std::string path = dir.path("a.bin");
  std::ofstream(path) << "old";
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // More than one gathered piece, and a patch that straddles what is written and what is not.
  const std::string big((1 << 20) + 100, 'x');
  {
    FileReplacement r(path);
    r.write(big);
    EXPECT_EQ(read_all(path), "old");
    r.write_at((1 << 20) - 2, "ABCD");
    r.write_at(0, "S");
    r.write("end");
    EXPECT_EQ(r.size(), big.size() + 3);
    r.commit();
  }
  std::string want = big + "end";
  want.replace((1 << 20) - 2, 4, "ABCD");
  want[0] = 'S';
  EXPECT_EQ(read_all(path), want);
  EXPECT_EQ(entries(dir.root()), 1);
  // The permissions of the file it replaced.
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// The new file is on the disk before its name replaces the old one: when the rename comes, the
// file renamed has been synced at its whole length, after its last write.
TEST_F(Replacement, TheNewFileIsSyncedWholeBeforeItsRename) {
  const std::string path = dir.path("a.bin");
  std::ofstream(path) << "old";
  const std::string content((1 << 20) + 100, 'x');  // more than one gathered piece
  std::vector<Step> steps;
  std::vector<testing::Synced> synced_before_rename;
  set_step_hook([&](Step s, const std::string&) {
    steps.push_back(s);
    if (s == Step::rename) synced_before_rename = testing::syncs();
    return 0;
  });
  testing::forget_syncs();
  FileReplacement r(path);
  r.write(content);
  r.commit();
  ASSERT_EQ(read_all(path), content);
  EXPECT_TRUE(testing::synced_at(synced_before_rename, path, content.size()))
      << synced_before_rename.size() << " syncs before the rename, none of the new file whole";
  EXPECT_EQ(steps, (std::vector<Step>{Step::create, Step::write, Step::write, Step::sync, Step::close,
                                      Step::rename, Step::sync_folder}));
}

TEST_F(Replacement, AReplacementNotCommittedLeavesNothing) {
  const std::string path = dir.path("a.bin");
  std::ofstream(path) << "old";
  {
    FileReplacement r(path);
    r.write("new");
  }
  EXPECT_EQ(read_all(path), "old");
  EXPECT_EQ(entries(dir.root()), 1);
}

// Each step failing with what the system could say there: the old file stays, no temporary
// file is left, and the error names the file and the cause.
TEST_F(Replacement, AFailureAtAnyStepKeepsTheOldFileAndNamesTheCause) {
  struct Case {
    Step step;
    int error;
    FileCause cause;
    const char* text;
  } cases[] = {
      {Step::create, EACCES, FileCause::folder_not_writable, ": the folder is not writable."},
      {Step::create, ENOSPC, FileCause::disk_full, ": the disk is full."},
      {Step::write, ENOSPC, FileCause::disk_full, ": the disk is full."},
      {Step::write, EDQUOT, FileCause::disk_full, ": the disk is full."},
      {Step::sync, EIO, FileCause::other, " (Input/output error)."},
      {Step::close, ENOSPC, FileCause::disk_full, ": the disk is full."},
      {Step::rename, EBUSY, FileCause::file_in_use, ": the file is in use by another program."},
      {Step::rename, EROFS, FileCause::disk_read_only, ": the disk is read-only."},
  };
  const std::string path = dir.path("report.xlsx");
  std::ofstream(path) << "old";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    set_step_hook([&](Step s, const std::string& target) {
      EXPECT_EQ(target, path);
      return s == c.step ? c.error : 0;
    });
    try {
      FileReplacement r(path);
      r.write("new");
      r.commit();
      ADD_FAILURE() << "committed";
    } catch (const gw::FileError& e) {
      EXPECT_EQ(e.cause, c.cause);
      EXPECT_EQ(e.path, path);
      EXPECT_EQ(std::string(e.what()), "\"" + path + "\" could not be written" + c.text);
    }
    EXPECT_EQ(read_all(path), "old");
    EXPECT_EQ(entries(dir.root()), 1);
  }
  // After the rename the new file is in place: a failing folder sync is no failure.
  set_step_hook([](Step s, const std::string&) { return s == Step::sync_folder ? EIO : 0; });
  FileReplacement r(path);
  r.write("new");
  r.commit();
  EXPECT_EQ(read_all(path), "new");
}

TEST_F(Replacement, ACopyReplacesTheFileWhole) {
  const std::string from = dir.path("template.rdb"), to = dir.path("project.gwp");
  std::ofstream(from) << "template";
  std::ofstream(to) << "an older project";
  replace_with_copy(from, to);
  EXPECT_EQ(read_all(to), "template");
  try {
    replace_with_copy(dir.path("missing.rdb"), to);
    ADD_FAILURE();
  } catch (const gw::Error& e) {
    EXPECT_EQ(std::string(e.what()), "File not found");
  }
  EXPECT_EQ(read_all(to), "template");
}

// A killed write leaves its temporary; the next replacement of the same file removes it, and
// only it: a live replacement's temporary (locked), another file's, and names that merely look
// alike stay.
TEST_F(Replacement, TheNextReplacementRemovesTheTemporariesKilledWritesLeft) {
  const std::string path = dir.path("a.xlsx");
  std::ofstream(path) << "old";
  killed_write(path);
  std::ofstream(dir.path(".a.xlsx.gw-Zq9x0P")) << "left by an earlier killed write";
  killed_write(dir.path("b.xlsx"));
  ASSERT_EQ(entries(dir.root()), 4);
  const std::set<std::string> look_alikes = {".a.xlsx.gw-12345", "a.xlsx.gw-123456", ".a.xlsx.gw-1234567",
                                             ".a.xlsx.gw-12_456"};
  for (const std::string& look_alike : look_alikes) std::ofstream(dir.path(look_alike)) << "x";
  const std::set<std::string> before = names_in(dir.root());
  // The next replacement clears the two killed temporaries of a.xlsx away...
  FileReplacement live(path);
  live.write("live");
  std::set<std::string> with_live = names_in(dir.root());
  EXPECT_EQ(with_live.size(), before.size() - 1);
  std::string live_temp;
  for (const std::string& name : with_live)
    if (!before.count(name)) live_temp = name;
  EXPECT_EQ(live_temp.rfind(".a.xlsx.gw-", 0), 0u);
  std::set<std::string> expected = before;
  for (const std::string& name : before)
    if (name.rfind(".a.xlsx.gw-", 0) == 0 && !look_alikes.count(name)) expected.erase(name);
  expected.insert(live_temp);
  EXPECT_EQ(with_live, expected);
  // ...and one made while that one is still being written leaves it alone.
  {
    FileReplacement r(path);
    r.write("new");
    r.commit();
  }
  EXPECT_EQ(read_all(path), "new");
  EXPECT_EQ(names_in(dir.root()), with_live);
  // The live replacement still completes.
  live.commit();
  EXPECT_EQ(read_all(path), "live");
}

// Names up to the file system's limit are replaced whole, the longest too (the temporary then
// carries as much of the name as fits, never cut inside a character), and a killed write of
// one is cleared away by the next; a longer name is refused as too long, before anything is
// written.
TEST_F(Replacement, NamesUpToTheLimitWorkALongerOneIsNamedTooLong) {
  const std::size_t limit = longest_name(dir.root().string());
  const std::string accented = "\xc3\xa9";  // two bytes, one character
  for (const std::string& name :
       {std::string(limit - 11, 'r'), std::string(limit - 10, 'r'), std::string(limit, 'r'),
        std::string(limit - 12, 'r') + accented + std::string(10, 'r')}) {
    SCOPED_TRACE(name.size());
    const std::string path = dir.path(name);
    std::ofstream(path) << "old";
    killed_write(path);
    EXPECT_EQ(entries(dir.root()), 2);
    for (const std::string& entry : names_in(dir.root())) {
      EXPECT_LE(entry.size(), limit);
      if (entry != name) {
        EXPECT_NE(entry.find("r.gw-"), std::string::npos);  // cut before the accent
      }
    }
    FileReplacement r(path);
    r.write("new");
    r.commit();
    EXPECT_EQ(read_all(path), "new");
    EXPECT_EQ(names_in(dir.root()), std::set<std::string>{name});
    fs::remove(path);
  }
  const std::string too_long = dir.path(std::string(limit + 1, 'r'));
  try {
    FileReplacement r(too_long);
    ADD_FAILURE() << "made";
  } catch (const gw::FileError& e) {
    EXPECT_EQ(e.cause, FileCause::name_too_long);
    EXPECT_EQ(std::string(e.what()), "\"" + too_long + "\" could not be written: the file name is too long.");
  }
  EXPECT_EQ(entries(dir.root()), 0);
}

// A target that is a symbolic link: the file it leads to is replaced whole (through a relative
// link, a chain of links, one to a file not made yet), the links stay links; a failed write
// leaves the file and the links as they were.
TEST_F(Replacement, ALinkStaysAndTheFileItLeadsToIsReplaced) {
  fs::create_directory(dir.root() / "real");
  fs::create_directory(dir.root() / "links");
  const std::string file = dir.path("real/report.xlsx");
  std::ofstream(file) << "old";
  const std::string link = dir.path("links/report.xlsx"), chain = dir.path("links/chain.xlsx");
  fs::create_symlink("../real/report.xlsx", link);
  fs::create_symlink("report.xlsx", chain);
  EXPECT_EQ(replaced_file(chain), file);

  set_step_hook([](Step s, const std::string&) { return s == Step::rename ? EBUSY : 0; });
  EXPECT_THROW(
      {
        FileReplacement r(link);
        r.write("new");
        r.commit();
      },
      gw::FileError);
  set_step_hook({});
  EXPECT_EQ(read_all(file), "old");
  EXPECT_EQ(entries(dir.root() / "real"), 1);

  for (const std::string& name : {link, chain}) {
    FileReplacement r(name);
    r.write("new " + name);
    r.commit();
    EXPECT_EQ(read_all(file), "new " + name);
  }
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fs::is_symlink(chain));
  EXPECT_EQ(entries(dir.root() / "real"), 1);
  EXPECT_EQ(entries(dir.root() / "links"), 2);

  const std::string dangling = dir.path("links/later.xlsx");
  fs::create_symlink("../real/later.xlsx", dangling);
  replace_with_copy(file, dangling);
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(read_all(dir.path("real/later.xlsx")), "new " + chain);
}

}  // namespace
}  // namespace gw::files
