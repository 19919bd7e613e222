// Binding: controls follow the current record, edits reach the record, refills do not.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/binding/binding.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/ui/form.h"
#include "tests/support/host_access.h"
#include "tests/support/recording_host.h"
#include "tests/support/scratch_folder.h"

using gw::testing::host_key;

namespace {

namespace fs = std::filesystem;
using gw::ui::Kind;

class PipeForm : public gw::ui::Form {
 public:
  explicit PipeForm(gw::ui::Forms& f) : Form(f, "frmPipe") {}

 protected:
  void build() override {
    add(Kind::TextBox, "pipe_number");
    add(Kind::ComboBox, "pipe_shape").set_items({"Circular", "Box"});
  }
};

struct BindingTest : ::testing::Test {
  gw::testing::ScratchFolder scratch;
  fs::path file;
  gw::testing::RecordingHost host;
  gw::ui::Forms forms{host};
  PipeForm form{forms};
  gw::db::Connection conn;
  gw::db::Recordset rs;
  gw::ui::Binding binding;
  std::vector<gw::db::ChangeReason> reasons;

  void SetUp() override {
    file = scratch.copy(std::string(GW_FIXTURES_BUILD_DIR) + "/older.gwp", "older.gwp");
    conn.open(file.string());
    rs.will_change_record = [this](gw::db::ChangeReason r, bool&) { reasons.push_back(r); };
    rs.open(conn, "SELECT * FROM PIPE ORDER BY PIPE_NUMBER");
    binding.attach(rs);
    binding.bind(form.host_control(host_key, "pipe_number"), "PIPE_NUMBER");
    binding.bind(form.host_control(host_key, "pipe_shape"), "PIPE_SHAPE");
  }
  void TearDown() override {
    binding.detach();
    rs.close();
    conn.close();
  }
};

TEST_F(BindingTest, ControlsFollowTheRecordAndARefillIsNoChange) {
  ASSERT_GE(rs.record_count(), 2);
  EXPECT_EQ(form.host_control(host_key, "pipe_number").text(), rs.field("PIPE_NUMBER"));
  int changes = 0;
  form.host_control(host_key, "pipe_number").on_change = [&] {
    ++changes;
    EXPECT_TRUE(binding.refilling());
  };
  rs.move_next();
  EXPECT_EQ(form.host_control(host_key, "pipe_number").text(), rs.field("PIPE_NUMBER"));
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(reasons.empty());
  EXPECT_FALSE(rs.has_pending_changes());
}

TEST_F(BindingTest, AnEditReachesTheRecordOnceAndOnlyARealChangeCounts) {
  std::string shape = rs.field("PIPE_SHAPE");
  form.host_control(host_key, "pipe_shape").set_text(shape);  // the same text: nothing happens
  EXPECT_TRUE(reasons.empty());
  form.host_control(host_key, "pipe_shape").set_list_index(1);
  form.host_control(host_key, "pipe_number").set_text("R'9");
  EXPECT_EQ(reasons, std::vector<gw::db::ChangeReason>{gw::db::ChangeReason::first_change});
  EXPECT_EQ(rs.field("PIPE_SHAPE"), "Box");
  rs.update();
  gw::db::Recordset check;
  check.open(conn, "SELECT PIPE_SHAPE FROM PIPE WHERE PIPE_NUMBER = ?", {"R'9"});
  EXPECT_EQ(check.record_count(), 1);
  EXPECT_EQ(check.field("PIPE_SHAPE"), "Box");
}

TEST_F(BindingTest, UnloadingTheWindowLetsGoOfItsControls) {
  form.unload();
  rs.move_next();  // would write into discarded controls if still bound
  form.host_control(host_key, "pipe_number");
  EXPECT_EQ(form.host_control(host_key, "pipe_number").text(), "");
}

}  // namespace
