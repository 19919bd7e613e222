// Files replaced whole: the new content appears only when complete; a failure at any step
// leaves the old file and no temporary file, and names the file and the cause.
#include "platform/files/file_replacement.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/error/error.h"
#include "tests/support/scratch_folder.h"

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

}  // namespace
}  // namespace gw::files
