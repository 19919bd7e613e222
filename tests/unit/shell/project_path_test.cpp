// Project names and paths at the lengths where the database's working file beside the project
// stops fitting: the last one that fits is a project the engine saves into, the next one is
// refused, saying why.
#include "shell/project_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/db/connection.h"
#include "tests/support/scratch_folder.h"

namespace gw::shell {
namespace {

namespace fs = std::filesystem;

// Whether the engine makes a database at `path` and saves a record into it.
bool engine_saves_at(const std::string& path) {
  try {
    db::create_database(path);
    db::Connection conn;
    conn.open(path);
    conn.execute("CREATE TABLE PIPE (PIPE_NUMBER TEXT)");
    db::Transaction tx(conn);
    conn.execute("INSERT INTO PIPE VALUES ('1')");
    tx.commit();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// A path of exactly `length` bytes in `root`, through folders of 100 bytes.
std::string path_of_length(const fs::path& root, std::size_t length) {
  fs::path folder = root;
  while (length - folder.string().size() > 150) folder /= std::string(100, 'f');
  fs::create_directories(folder);
  return (folder / std::string(length - folder.string().size() - 1, 'p')).string();
}

TEST(ProjectPath, TheLongestNameAndPathThatFitAreSavedIntoLongerOnesAreRefused) {
  gw::testing::ScratchFolder dir;
  const std::size_t name_limit = 255 - 8, path_limit = db::longest_path() - 8;

  const std::string longest_name = dir.path(std::string(name_limit, 'n'));
  EXPECT_EQ(project_name_problem(longest_name), std::nullopt);
  EXPECT_TRUE(engine_saves_at(longest_name));
  const std::string over = dir.path(std::string(name_limit + 1, 'n'));
  EXPECT_EQ(project_name_problem(over).value_or(""),
            "its name has 248 bytes, and the working file the database keeps beside it, named with \"-journal\" "
            "added, would be longer than the 255 bytes the file system takes: a project's name may have at "
            "most 247 bytes");

  const std::string longest_path = path_of_length(dir.root(), path_limit);
  EXPECT_EQ(project_name_problem(longest_path), std::nullopt);
  EXPECT_TRUE(engine_saves_at(longest_path));
  const std::string over_path = path_of_length(dir.root() / "x", path_limit + 1);
  ASSERT_EQ(over_path.size(), path_limit + 1);
  EXPECT_NE(project_name_problem(over_path).value_or("").find("its full path has " + std::to_string(path_limit + 1) +
                                                             " bytes"),
            std::string::npos);
  EXPECT_FALSE(engine_saves_at(over_path));

  // A short link to a file whose own name is too long: the working file goes beside that file.
  fs::create_symlink(over, dir.path("short.gwp"));
  EXPECT_NE(project_name_problem(dir.path("short.gwp")), std::nullopt);
}

}  // namespace
}  // namespace gw::shell
