// The program writes only its project: the reference and inlet databases are opened for
// reading only.
#include <gtest/gtest.h>

#include <string>

#include "shell/program.h"
#include "shell/tarnelhydro_libraries.h"
#include "tests/support/recording_host.h"
#include "tests/support/scratch_folder.h"

namespace {

TEST(Connections, OnlyTheProjectIsOpenedForWriting) {
  gw::testing::ScratchFolder scratch;
  gw::testing::RecordingHost host;
  gw::shell::Program prog(host, GW_PROGRAM_DIR);
  gw::shell::SharedState& v = prog.vars;
  v.project.project_db_path = scratch.copy(std::string(GW_FIXTURES_BUILD_DIR) + "/release2_1.gwp", "p.gwp");
  v.project.inlet_db_path = scratch.copy(std::string(GW_FIXTURES_BUILD_DIR) + "/inlets.ckb", "inlets.ckb");

  gw::shell::open_project_database(prog);
  gw::shell::open_inlet_database(prog);
  ASSERT_TRUE(host.messages.empty());
  EXPECT_FALSE(v.connections.project_connection->read_only());
  EXPECT_TRUE(v.connections.usda_connection->read_only());
  EXPECT_TRUE(v.connections.inlet_connection->read_only());
  for (auto open_rainfall : {gw::shell::open_noaa_rainfall_db, gw::shell::open_county_rainfall_db}) {
    open_rainfall(prog);
    ASSERT_TRUE(host.messages.empty());
    EXPECT_TRUE(v.connections.rainfall_connection->read_only()) << v.connections.rainfall_db_path;
  }
  gw::shell::close_project(prog);
}

}  // namespace
