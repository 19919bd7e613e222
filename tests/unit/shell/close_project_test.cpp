// Closing a project leaves it closed, with none of its values, even when a connection never
// opened or fails to close.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "shell/program.h"
#include "shell/tarnelhydro_libraries.h"
#include "tests/support/recording_host.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(CloseProject, AMissingRainfallDatabaseDoesNotKeepTheProjectOpen) {
  // A program folder without the reference databases: the rainfall database fails to open.
  gw::testing::ScratchFolder dir;
  const fs::path file = dir.copy(std::string(GW_FIXTURES_BUILD_DIR) + "/release2_1.gwp", "p.gwp");

  gw::testing::RecordingHost host;
  gw::shell::Program prog(host, dir.root().string());
  gw::shell::register_shell_windows(prog);
  prog.vars.project.project_db_path = file.string();
  gw::shell::open_project_database(prog);  // the USDA database is missing: reported
  gw::shell::load_project_record(prog);
  gw::shell::open_noaa_rainfall_db(prog);  // reported too
  ASSERT_EQ(host.messages.size(), 2u);
  EXPECT_EQ(prog.vars.project.current_project_name, "Route 340 Storm Sewer");
  ASSERT_TRUE(prog.vars.connections.project_connection &&
              prog.vars.connections.project_connection->is_open());
  prog.vars.project.project_update_mode = true;
  const auto project_connection = prog.vars.connections.project_connection;

  gw::shell::close_project(prog);

  EXPECT_EQ(host.messages.size(), 2u);  // nothing failed to close: no "database close error"
  EXPECT_FALSE(project_connection->is_open());
  EXPECT_EQ(prog.vars.connections.project_connection, nullptr);
  EXPECT_EQ(prog.vars.project.current_project_name, "");
  EXPECT_EQ(prog.vars.project.current_project_id, "");
  EXPECT_FALSE(prog.vars.project.project_update_mode);
  // Nothing of the closed project is left for the next one.
  EXPECT_EQ(prog.vars.project.project_county, "");
  EXPECT_EQ(prog.vars.project.project_noaa_station, "");
  EXPECT_EQ(prog.vars.project.project_db_path, "");
  EXPECT_EQ(prog.vars.unit_system(), "");
}

}  // namespace
