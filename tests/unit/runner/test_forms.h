// Small windows and a harness for driving transcripts through the interpreter in tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/error/error.h"
#include "platform/ui/form.h"
#include "platform/ui/host.h"
#include "runner/interpreter.h"
#include "tests/support/scratch_folder.h"

namespace gw::runner::testing {

using ui::Kind;

// What the test windows' handlers did, in order.
using Log = std::vector<std::string>;

// A main window with one control of most kinds; its handlers write to the log.
class MainForm : public ui::Form {
 public:
  MainForm(ui::Forms& forms, Log& log) : ui::Form(forms, "frmMain"), log_(log) {}
  int value = 0;  // a form-level variable the handlers change

 protected:
  void build() override {
    set_caption("Main");
    auto& txt = add(Kind::TextBox, "txtA");
    txt.on_change = [this] { log_.push_back("txtA.Change " + c("txtA").text()); };
    txt.on_got_focus = [this] { log_.push_back("txtA.GotFocus"); };
    txt.on_lost_focus = [this] { log_.push_back("txtA.LostFocus"); };
    // Swallows "x", writes "a" as "A".
    txt.on_key_press = [this](int& k) {
      log_.push_back("txtA.KeyPress " + std::to_string(k));
      if (k == 'x') k = 0;
      if (k == 'a') k = 'A';
    };
    auto& locked = add(Kind::TextBox, "txtLocked");
    locked.set_text("fixed");
    locked.set_locked(true);
    locked.on_key_press = [this](int& k) { log_.push_back("txtLocked.KeyPress " + std::to_string(k)); };
    for (int i = 0; i < 2; ++i) add(Kind::TextBox, "txtArr", i).set_text("arr" + std::to_string(i));
    auto& go = add(Kind::CommandButton, "cmdGo");
    go.set_caption("&Go");
    go.on_click = [this] {
      log_.push_back("cmdGo.Click");
      if (host().msgbox("Go on?", ui::Buttons::YesNo, ui::Icon::Exclamation) == ui::Answer::Yes)
        host().msgbox("Gone", ui::Buttons::OK, ui::Icon::Information, "Title");
    };
    go.on_got_focus = [this] { log_.push_back("cmdGo.GotFocus"); };
    add(Kind::CommandButton, "cmdOff").set_enabled(false);
    add(Kind::CommandButton, "cmdHidden").set_visible(false);
    add(Kind::CommandButton, "cmdFail").on_click = [] { throw gw::Error("Division by zero"); };
    // Catches every program failure, as the program's handlers do.
    add(Kind::CommandButton, "cmdCatch").on_click = [this] {
      try {
        host().msgbox("Caught?");
      } catch (const std::exception& e) {
        log_.push_back(std::string("cmdCatch caught ") + e.what());
      }
    };
    add(Kind::CommandButton, "cmdDialog").on_click = [this] { forms().get("frmDlg").show_modal(); };
    add(Kind::CommandButton, "cmdReopen").on_click = [this] {
      // Shows the dialog again as long as it asks for it (a window that rebuilds itself
      // by closing and letting its opener show it again).
      reopen = true;
      while (reopen) {
        reopen = false;
        forms().get("frmDlg").show_modal();
      }
      host().msgbox("Done");
    };
    add(Kind::CommandButton, "cmdFile").on_click = [this] {
      ui::FileDialog d;
      d.dialog_title = "Pick";
      d.filter = "Text (*.txt)|*.txt";
      d.flags = ui::FileDialog::kFileMustExist;
      if (ui::show_open(host(), d)) log_.push_back("open " + d.file_name);
      ui::FileDialog s;
      if (ui::show_save(host(), s)) log_.push_back("save " + s.file_name);
    };
    add(Kind::CommandButton, "cmdHelp").on_click = [this] { host().open_document("help.html"); };
    add(Kind::CommandButton, "cmdEnd").on_click = [this] { host().end_program(); };
    auto& chk = add(Kind::CheckBox, "chkA");
    chk.on_click = [this] { log_.push_back("chkA.Click " + std::to_string(c("chkA").value())); };
    for (const char* n : {"optA", "optB"}) {
      auto& o = add(Kind::OptionButton, n);
      o.on_click = [this, n] { log_.push_back(std::string(n) + ".Click"); };
    }
    auto& lst = add(Kind::ListBox, "lstA");
    lst.set_items({"one", "two", "three"});
    lst.on_click = [this] { log_.push_back("lstA.Click " + c("lstA").text()); };
    lst.on_dblclick = [this] { log_.push_back("lstA.DblClick"); };
    auto& cbo = add(Kind::ComboBox, "cboA");
    cbo.set_items({"Metric", "English"});
    cbo.on_click = [this] { log_.push_back("cboA.Click " + c("cboA").text()); };
    auto& grid = add(Kind::Grid, "grdA");
    grid.set_grid({{"No", "Name"}, {"1", "P-1"}, {"2", "P-2"}});
    grid.on_click = [this] { log_.push_back("grdA.Click " + std::to_string(c("grdA").row())); };
    auto& tb = add(Kind::Toolbar, "Toolbar1");
    tb.set_buttons({{"new", "New"}, {"open", "Open"}, {"off", "Off", false}});
    tb.buttons()[0].caption = "&New";
    tb.buttons()[1].pressed = true;
    tb.on_button_click = [this](int b) { log_.push_back("Toolbar1 " + std::to_string(b)); };
    auto& sb = add(Kind::StatusBar, "StatusBar");
    sb.set_panel_count(2);
    sb.set_panel(1, "Ready");
    auto& ts = add(Kind::TabStrip, "tabA");
    ts.set_tabs({"First", "Second"});
    ts.on_click = [this] { log_.push_back("tabA.Click " + std::to_string(c("tabA").tab())); };
    add(Kind::Label, "lblA").set_caption("Label");
    add(Kind::MenuItem, "mnuExit").on_click = [this] { unload(); };
    add(Kind::MenuItem, "mnuFrames").on_click = [this] { forms().get("frmFrames").show(); };
  }

 public:
  bool reopen = false;

 private:
  Log& log_;
};

// A modal dialog: OK closes it; Rebuild closes it and shows it again at once; Again asks
// its opener to show it again; while Keep is checked its unload handler cancels.
class DialogForm : public ui::Form {
 public:
  DialogForm(ui::Forms& forms, Log& log) : ui::Form(forms, "frmDlg"), log_(log) {}

 protected:
  void build() override {
    set_caption("Dialog");
    add(Kind::TextBox, "txtName");
    add(Kind::CommandButton, "cmdOK").on_click = [this] { unload(); };
    add(Kind::CommandButton, "cmdHide").on_click = [this] { hide(); };
    add(Kind::CommandButton, "cmdRebuild").on_click = [this] {
      unload();
      show_modal();
    };
    add(Kind::CommandButton, "cmdAgain").on_click = [this] {
      static_cast<MainForm&>(forms().get("frmMain")).reopen = true;
      unload();
    };
    auto& keep = add(Kind::CheckBox, "chkKeep");
    keep.on_click = [this] { keep_open = c("chkKeep").checked(); };
    add(Kind::CommandButton, "cmdNested").on_click = [this] { forms().get("frmInner").show_modal(); };
  }
  void Form_Load() override { log_.push_back("frmDlg.Load"); }
  void Form_Unload(int& cancel) override {
    log_.push_back("frmDlg.Unload");
    if (keep_open) cancel = 1;
  }

 public:
  bool keep_open = false;

 private:
  Log& log_;
};

// A second modal window, opened from the dialog.
class InnerForm : public ui::Form {
 public:
  explicit InnerForm(ui::Forms& forms) : ui::Form(forms, "frmInner") {}

 protected:
  void build() override {
    add(Kind::CommandButton, "cmdOK").on_click = [this] { unload(); };
  }
};

// A window of controls in nested frames: fraInner lies in fraOuter. The buttons outside the
// frames close or open them; leaving txtLeave disables fraInner. Page 1 of its tab strip holds
// a button and a frame.
class FramesForm : public ui::Form {
 public:
  FramesForm(ui::Forms& forms, Log& log) : ui::Form(forms, "frmFrames"), log_(log) {}

 protected:
  void build() override {
    add(Kind::Frame, "fraOuter").set_caption("Outer");
    add(Kind::Frame, "fraInner").container = "fraOuter";
    auto inner = [this](Kind k, const char* name) -> ui::Control& {
      ui::Control& ctl = add(k, name);
      ctl.container = "fraInner";
      ctl.on_click = [this, name] { log_.push_back(std::string(name) + ".Click"); };
      ctl.on_got_focus = [this, name] { log_.push_back(std::string(name) + ".GotFocus"); };
      return ctl;
    };
    inner(Kind::TextBox, "txtIn");
    inner(Kind::CommandButton, "cmdIn");
    inner(Kind::OptionButton, "optIn");
    inner(Kind::ListBox, "lstIn").set_items({"a", "b"});
    inner(Kind::CommandButton, "cmdOwnOff").set_enabled(false);
    // A frame named as its own container's container: a cycle that ends the walk.
    add(Kind::Frame, "fraLoopA").container = "fraLoopB";
    add(Kind::Frame, "fraLoopB").container = "fraLoopA";
    auto& loop = add(Kind::CommandButton, "cmdLoop");
    loop.container = "fraLoopA";
    loop.on_click = [this] { log_.push_back("cmdLoop.Click"); };
    add(Kind::CommandButton, "cmdShutOuter").on_click = [this] { c("fraOuter").set_enabled(false); };
    add(Kind::CommandButton, "cmdHideInner").on_click = [this] { c("fraInner").set_visible(false); };
    add(Kind::CommandButton, "cmdOpen").on_click = [this] {
      c("fraOuter").set_enabled(true);
      c("fraInner").set_visible(true);
    };
    add(Kind::TextBox, "txtLeave").on_lost_focus = [this] { c("fraInner").set_enabled(false); };
    // A tab strip showing its page 0: a button on page 1, and a field in a frame on page 1.
    add(Kind::TabStrip, "tabPages").set_tabs({"One", "Two"});
    auto& paged = add(Kind::CommandButton, "cmdPage1");
    paged.container = "tabPages";
    paged.tab_page = 1;
    paged.on_click = [this] { log_.push_back("cmdPage1.Click"); };
    add(Kind::Frame, "fraOnPage1").tab_page = 1;
    add(Kind::TextBox, "txtOnPage1").container = "fraOnPage1";
  }

 private:
  Log& log_;
};

// Runs transcripts against the test windows, each in a fresh set of windows, with its
// own temporary folder.
class Harness {
 public:
  Harness() {
    paths.tmp = scratch.root().string();
    paths.program = "/program";
    paths.fixtures = "/fixtures";
  }
  Harness(const Harness&) = delete;
  Harness& operator=(const Harness&) = delete;

  // Plays the transcript; `start` shows the main window. Returns the failure, if any.
  std::optional<Failure> run(const std::string& text) {
    log.clear();
    forms.reset();
    interp = std::make_unique<Interpreter>(parse_script(text, "t.scn", paths), paths);
    forms = std::make_unique<ui::Forms>(interp->host());
    Log& lg = log;
    forms->register_form("frmMain", [&lg](ui::Forms& f) { return std::make_unique<MainForm>(f, lg); });
    forms->register_form("frmDlg", [&lg](ui::Forms& f) { return std::make_unique<DialogForm>(f, lg); });
    forms->register_form("frmInner", [](ui::Forms& f) { return std::make_unique<InnerForm>(f); });
    forms->register_form("frmFrames", [&lg](ui::Forms& f) { return std::make_unique<FramesForm>(f, lg); });
    ui::Forms* fs = forms.get();
    interp->attach(Session{fs,
                           [this](std::string_view n) -> std::optional<std::string> {
                             auto it = vars.find(std::string(n));
                             if (it == vars.end()) return std::nullopt;
                             return it->second;
                           },
                           [fs] { fs->get("frmMain").show(); }});
    printed.clear();
    interp->printer = [this](const std::string& s) { printed.push_back(s); };
    try {
      interp->run();
    } catch (const Failure& f) {
      return f;
    }
    return std::nullopt;
  }

  gw::testing::ScratchFolder scratch;  // the transcript's $TMP
  Paths paths;
  Log log;
  std::vector<std::string> printed;  // what `print` lines wrote
  std::map<std::string, std::string> vars;
  std::unique_ptr<Interpreter> interp;
  std::unique_ptr<ui::Forms> forms;
};

}  // namespace gw::runner::testing
