// Tests of the pipe design window's geometry handlers driven directly, where a transcript cannot
// look: where the focus goes after the lateral discharge, and the length left in view mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "design/frmpipemain.h"
#include "design/windows.h"
#include "platform/db/connection.h"
#include "shell/program.h"
#include "tests/support/fixture_project.h"
#include "tests/support/host_access.h"
#include "tests/support/recording_host.h"

using gw::testing::host_key;

namespace gw::design {
namespace {

class PipeGeometryWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    prog_ = std::make_unique<shell::Program>(host_, GW_PROGRAM_DIR);
    register_design_windows(*prog_);
    testing::open_fixture_project(*prog_, scratch_, "release2_1.gwp", "0064-029-F21");
  }
  void TearDown() override { prog_.reset(); }

  frmpipemain& open_window(const std::string& mode, const std::string& id) {
    prog_->form<frmpipemain>().open_on(mode, id);
    frmpipemain& w = prog_->form<frmpipemain>();
    w.load();
    return w;
  }

  // The control `steps` places after `from` in the window's tab order.
  static ui::Control* after(frmpipemain& w, ui::Control& from, int steps) {
    auto order = w.tab_order(host_key);
    auto it = std::find(order.begin(), order.end(), &from);
    if (it == order.end()) return nullptr;
    const auto at = static_cast<size_t>(it - order.begin() + steps) % order.size();
    return order[at];
  }

  testing::ScratchFolder scratch_;
  testing::RecordingHost host_;
  std::unique_ptr<shell::Program> prog_;
};

TEST_F(PipeGeometryWindow, LeavingTheLateralDischargePassesOneFieldBeyondTheOneEntered) {
  frmpipemain& w = open_window("edit", "1");  // a computed discharge: the lateral field applies
  w.host_control(host_key, "pipetab").set_tab(1);
  ui::Control& lateral = w.host_control(host_key, "lateral_discharge");
  ASSERT_TRUE(w.set_focus(lateral));

  // Tab: the field after it receives the focus and passes it on once.
  ui::Control* expected = after(w, lateral, 2);
  w.tab_next();
  EXPECT_EQ(w.active_control(host_key), expected);
  EXPECT_EQ(lateral.text(), "0.000");

  // A click elsewhere: the clicked field passes it on.
  ASSERT_TRUE(w.set_focus(lateral));
  ui::Control& tc = w.host_control(host_key, "structure_Tc");
  expected = after(w, tc, 1);
  ASSERT_TRUE(w.set_focus(tc));
  EXPECT_EQ(w.active_control(host_key), expected);

  // Only once: other fields keep the focus they are given (on their own page).
  w.host_control(host_key, "pipetab").set_tab(0);
  ui::Control& length = w.host_control(host_key, "pipe_length");
  ASSERT_TRUE(w.set_focus(length));
  EXPECT_EQ(w.active_control(host_key), &length);
  w.tab_next();
  EXPECT_EQ(w.active_control(host_key), &w.host_control(host_key, "pipe_elein"));
  w.unload();
}

TEST_F(PipeGeometryWindow, LeavingTheLengthInViewModeChangesNothing) {
  frmpipemain& w = open_window("view", "10");
  ASSERT_EQ(w.host_control(host_key, "screenmode").text(), "VIEW");
  w.host_control(host_key, "pipe_length").set_text("175.5");
  w.host_control(host_key, "pipe_length").on_lost_focus();
  EXPECT_EQ(w.host_control(host_key, "pipe_length").text(), "175.5");
  EXPECT_EQ(w.host_control(host_key, "pipe_slope").text(), "0.015");
  EXPECT_TRUE(host_.messages.empty());
  w.unload();
}

}  // namespace
}  // namespace gw::design
