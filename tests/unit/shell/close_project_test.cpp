// Closing a project leaves it closed even when a connection never opened or fails to close.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "shell/program.h"
#include "shell/tarnelhydro_libraries.h"
#include "tests/support/recording_host.h"

namespace {

namespace fs = std::filesystem;

TEST(CloseProject, AMissingRainfallDatabaseDoesNotKeepTheProjectOpen) {
  // A program folder without the reference databases: the rainfall database fails to open.
  const fs::path dir = fs::temp_directory_path() / ("gw-close-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path file = dir / "p.gwp";
  fs::copy_file(std::string(GW_FIXTURES_BUILD_DIR) + "/release2_1.gwp", file);

  gw::testing::RecordingHost host;
  gw::shell::Program prog(host, dir.string());
  gw::shell::register_shell_windows(prog);
  prog.vars.project.project_db_path = file.string();
  gw::shell::open_project_database(prog);  // the USDA database is missing: reported
  gw::shell::load_project_record(prog);
  gw::shell::open_noaa_rainfall_db(prog);  // reported too
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(prog.vars.project.current_project_name, "Route 340 Storm Sewer");
  ASSERT_TRUE(prog.vars.connections.project_connection && prog.vars.connections.project_connection->is_open());
  prog.vars.project.project_update_mode = true;

  gw::shell::close_project(prog);

  EXPECT_EQ(host.messages.size(), 2u);  // nothing failed to close: no "database close error"
  EXPECT_FALSE(prog.vars.connections.project_connection->is_open());
  EXPECT_EQ(prog.vars.project.current_project_name, "");
  EXPECT_EQ(prog.vars.project.current_project_id, "");
  EXPECT_FALSE(prog.vars.project.project_update_mode);
  // Project values other than these are kept.
  EXPECT_EQ(prog.vars.project.project_county, "Augusta");
  fs::remove_all(dir);
}

}  // namespace
