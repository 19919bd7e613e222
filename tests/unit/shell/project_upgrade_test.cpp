// The upgrade's failure report: a system-modal exclamation box, and nothing else changes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/ui/host.h"
#include "shell/desktop.h"
#include "shell/frmProjectUpdate.h"
#include "shell/program.h"
#include "shell/tarnelhydro_libraries.h"
#include "tests/support/recording_host.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

using RecordingHost = gw::testing::RecordingHost;

TEST(ProjectUpgrade, AFailingStampIsReportedSystemModalAndChangesNothing) {
  gw::testing::ScratchFolder scratch;
  const fs::path file = scratch.copy(std::string(GW_FIXTURES_BUILD_DIR) + "/older.gwp", "locked.gwp");
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);

  RecordingHost host;
  gw::shell::Program prog(host, GW_PROGRAM_DIR);
  gw::shell::register_shell_windows(prog);
  prog.vars.project.project_db_path = file.string();
  gw::shell::open_project_database(prog);
  gw::shell::load_project_record(prog);
  ASSERT_TRUE(host.messages.empty());

  auto& update = prog.form<gw::shell::frmProjectUpdate>();
  update.show_modal();
  update.btnUpdate_Click();

  ASSERT_EQ(host.messages.size(), 1u);  // no success message follows the failure
  const gw::ui::Message& m = host.messages[0];
  EXPECT_EQ(m.text, "The project update could not be saved in \"" + gw::shell::full_path(file.string()) +
                        "\": the file is read-only.");
  EXPECT_EQ(m.icon, gw::ui::Icon::Exclamation);
  EXPECT_TRUE(m.system_modal);
  EXPECT_FALSE(update.is_loaded());
  EXPECT_EQ(prog.vars.project.project_major_release, "");
  EXPECT_EQ(prog.vars.project.product_name, "");
  EXPECT_EQ(prog.vars.connections.rainfall_db_path, prog.program_file("VARMSTORM.rdb"));
  ASSERT_TRUE(prog.vars.connections.rainfall_connection &&
              prog.vars.connections.rainfall_connection->is_open());

  prog.vars.connections.project_connection.reset();
  prog.vars.connections.usda_connection.reset();
  prog.vars.connections.rainfall_connection.reset();
  prog.vars.connections.county_list_rs.reset();
  prog.vars.connections.project_rs.reset();
}

}  // namespace
