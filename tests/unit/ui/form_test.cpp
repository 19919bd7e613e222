// Window model: load on touch, unload keeps form-level state, focus order and the pages and
// frames that refuse it, option groups.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/error/error.h"
#include "platform/ui/form.h"
#include "platform/ui/host.h"
#include "tests/support/host_access.h"
#include "tests/support/recording_host.h"

using gw::testing::host_key;

namespace {

using gw::ui::Answer;
using gw::ui::Control;
using gw::ui::Form;
using gw::ui::Forms;
using gw::ui::Kind;

using NullHost = gw::testing::RecordingHost;

class TestForm : public Form {
 public:
  static constexpr const char* kName = "frmTest";
  explicit TestForm(Forms& f) : Form(f, kName) {}
  int loads = 0;
  int remembered = 0;  // a form-level variable
  std::vector<std::string> log;
  bool cancel_unload = false;

 protected:
  void build() override {
    for (const char* n : {"txtA", "txtB", "txtC"}) {
      Control& c = add(Kind::TextBox, n);
      std::string name = n;
      c.on_got_focus = [this, name] { log.push_back("got " + name); };
      c.on_lost_focus = [this, name] { log.push_back("lost " + name); };
    }
    add(Kind::Label, "lbl");
    add(Kind::Frame, "fraOpt");
    for (int i = 0; i < 3; ++i) add(Kind::OptionButton, "opt", i).container = "fraOpt";
    add(Kind::CommandButton, "cmdClose").on_click = [this] { unload(); };
    // A tab strip showing page 0; page 1 holds a field and a frame with a field in it.
    add(Kind::TabStrip, "tabs").set_tabs({"One", "Two"});
    Control& paged = add(Kind::TextBox, "txtPage1");
    paged.container = "tabs";
    paged.tab_page = 1;
    add(Kind::Frame, "fraPage1").tab_page = 1;
    add(Kind::TextBox, "txtInFrame").container = "fraPage1";
  }
  void Form_Load() override { ++loads; }
  void Form_Unload(int& cancel) override { cancel = cancel_unload ? 1 : 0; }
};

struct FormTest : ::testing::Test {
  NullHost host;
  Forms forms{host};
  void SetUp() override {
    forms.register_form(TestForm::kName, [](Forms& f) { return std::make_unique<TestForm>(f); });
  }
  TestForm& form() { return forms.get<TestForm>(); }
};

TEST_F(FormTest, TouchingAControlLoadsTheWindowOnceAndUnloadKeepsFormVariables) {
  TestForm& f = form();
  EXPECT_FALSE(f.is_loaded());
  f.host_control(host_key, "txtA").set_text("x");
  EXPECT_TRUE(f.is_loaded());
  EXPECT_EQ(f.loads, 1);
  f.remembered = 7;
  EXPECT_TRUE(f.unload());
  EXPECT_FALSE(f.is_loaded());
  EXPECT_EQ(f.find(host_key, "txtA"), nullptr);
  // Controls come back as designed; the form-level variable survives.
  EXPECT_EQ(f.host_control(host_key, "txtA").text(), "");
  EXPECT_EQ(f.loads, 2);
  EXPECT_EQ(f.remembered, 7);
  // Releasing the instance discards the form-level variables too.
  forms.release(TestForm::kName);
  EXPECT_EQ(form().remembered, 0);
}

TEST_F(FormTest, UnloadCanBeCancelledAndAHandlerMayUnloadItsOwnWindow) {
  TestForm& f = form();
  f.load();
  f.cancel_unload = true;
  EXPECT_FALSE(f.unload());
  EXPECT_TRUE(f.is_loaded());
  f.cancel_unload = false;
  f.host_control(host_key, "cmdClose").click();  // the handler's control is discarded while it runs
  EXPECT_FALSE(f.is_loaded());
}

TEST_F(FormTest, FocusRunsLostFocusThenGotFocusAndTabSkipsWhatCannotTakeIt) {
  TestForm& f = form();
  f.load();
  f.set_focus(f.host_control(host_key, "txtA"));
  f.host_control(host_key, "txtB").set_enabled(false);
  f.tab_next();
  EXPECT_EQ(f.active_control(host_key), &f.host_control(host_key, "txtC"));
  EXPECT_EQ(f.log, (std::vector<std::string>{"got txtA", "lost txtA", "got txtC"}));
  EXPECT_FALSE(f.set_focus(f.host_control(host_key, "lbl")));
  EXPECT_FALSE(f.set_focus(f.host_control(host_key, "txtB")));
  // Controls inside a disabled frame cannot take the focus either.
  f.host_control(host_key, "fraOpt").set_enabled(false);
  EXPECT_FALSE(f.can_focus(f.host_control(host_key, "opt", 1)));
}

TEST_F(FormTest, AControlOnAPageNotShownIsOutOfSightAndTakesNoFocus) {
  TestForm& f = form();
  f.load();
  Control& paged = f.host_control(host_key, "txtPage1");
  Control& framed = f.host_control(host_key, "txtInFrame");
  int page = -1;
  EXPECT_EQ(f.strip_showing_another_page(framed, &page), &f.host_control(host_key, "tabs"));
  EXPECT_EQ(page, 1);
  EXPECT_FALSE(f.can_focus(paged));
  EXPECT_FALSE(f.set_focus(framed));
  EXPECT_EQ(f.strip_showing_another_page(f.host_control(host_key, "txtA")), nullptr);
  f.host_control(host_key, "tabs").set_tab(1);
  EXPECT_EQ(f.strip_showing_another_page(framed), nullptr);
  EXPECT_TRUE(f.set_focus(paged));
  EXPECT_TRUE(f.set_focus(framed));
}

TEST_F(FormTest, ALostFocusHandlerThatSendsTheFocusBackKeepsIt) {
  TestForm& f = form();
  f.load();
  f.set_focus(f.host_control(host_key, "txtA"));
  auto logging = f.host_control(host_key, "txtA").on_lost_focus;
  f.host_control(host_key, "txtA").on_lost_focus = [&f, logging] {
    logging();
    f.set_focus(f.host_control(host_key, "txtA"));  // a refused value: back into the field
  };
  EXPECT_FALSE(f.set_focus(f.host_control(host_key, "txtC")));
  EXPECT_EQ(f.active_control(host_key), &f.host_control(host_key, "txtA"));
  EXPECT_EQ(f.log, (std::vector<std::string>{"got txtA", "lost txtA", "got txtA"}));
}

TEST_F(FormTest, OptionButtonsOfOneFrameExcludeEachOther) {
  TestForm& f = form();
  int clicks = 0;
  f.host_control(host_key, "opt", 2).on_click = [&] { ++clicks; };
  f.host_control(host_key, "opt", 0).set_value(1);
  f.host_control(host_key, "opt", 2).set_value(1);
  EXPECT_EQ(f.host_control(host_key, "opt", 0).value(), 0);
  EXPECT_EQ(f.host_control(host_key, "opt", 2).value(), 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_THROW(f.host_control(host_key, "opt", 5), gw::Error);
}

TEST_F(FormTest, FileDialogCancelRaisesOnlyWithCancelError) {
  gw::ui::FileDialog d;
  d.file_name = "kept";
  EXPECT_FALSE(gw::ui::show_save(host, d));
  EXPECT_EQ(d.file_name, "kept");
  d.cancel_error = true;
  try {
    gw::ui::show_open(host, d);
    FAIL() << "cancel did not raise";
  } catch (const gw::Error& e) {
    EXPECT_STREQ(e.what(), "Cancel was selected.");
  }
  host.files.push_back("/tmp/projects/a.gwp");
  EXPECT_TRUE(gw::ui::show_open(host, d));
  EXPECT_EQ(d.file_name, "/tmp/projects/a.gwp");
  EXPECT_EQ(host.current_folder(), "/tmp/projects");
}

}  // namespace
