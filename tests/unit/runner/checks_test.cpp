// Tests of the transcript's checks: what they read, how they fail, and that they never
// load a window.
#include <gtest/gtest.h>

#include "test_forms.h"

namespace gw::runner::testing {
namespace {

TEST(Checks, ReadControlsWindowsVariablesAndTheClock) {
  Harness h;
  h.vars["unit_system"] = "Metric";
  auto f = h.run(R"T(
clock 86399 0.5
expect clock "86399"
start
expect frmMain visible
expect frmMain loaded
expect frmMain caption "Main"
expect frmDlg unloaded
expect frmDlg hidden
expect frmMain.cmdGo "&Go"
expect frmMain.lblA "Label"
expect frmMain.txtArr(1) "arr1"
expect frmMain.StatusBar(1) "Ready"
expect frmMain.StatusBar(2) ""
expect frmMain.cmdOff disabled
expect frmMain.cmdGo enabled
expect frmMain.cmdHidden hidden
expect frmMain.txtLocked locked
expect frmMain.txtA unlocked
expect frmMain.Toolbar1(3) disabled
expect frmMain.Toolbar1(1) enabled
expect frmMain.Toolbar1(1) "&New"
expect frmMain.Toolbar1(2) ""
expect frmMain.Toolbar1(2) checked
expect frmMain.Toolbar1(1) unchecked
expect frmMain.txtA color "&H80000005"
expect frmMain.cmdGo color "&H8000000F"
expect frmMain.lstA items "one" "two" "three"
expect frmMain.grdA rows 3
expect frmMain.grdA cell 0 1 "Name"
expect frmMain.grdA cell 2 1 "P-2"
expect var unit_system "Metric"
)T");
  ASSERT_FALSE(f) << f->text();
}

TEST(Checks, TheClockWrapsAtMidnight) {
  Harness h;
  auto f = h.run("clock 86399.5 0.25\nstart\nexpect clock \"86399.5\"\n");
  ASSERT_FALSE(f) << f->text();
  // A start-up procedure that polls the clock until 1.0 s has passed across midnight.
  h.interp.reset();
  h.forms.reset();
  Paths p;
  Interpreter in(parse_script("clock 86399.5\nstart\nexpect clock \"0.75\"\n", "t.scn", p), p);
  ui::Forms forms(in.host());
  ui::Host* host = &in.host();
  in.attach(Session{&forms, {}, [host] {
                      double start = host->clock();
                      for (;;) {
                        double now = host->clock();
                        if (now < start) now += 86400;
                        if (now >= start + 1.0) break;
                      }
                    }});
  EXPECT_NO_THROW(in.run());
}

TEST(Checks, AWaitThatNeverEndsFailsInsteadOfHanging) {
  // A wait that compares against the time of day alone never ends when it starts just
  // before midnight.
  Paths p;
  Interpreter in(parse_script("clock 86399\nstart\n", "t.scn", p), p);
  ui::Forms forms(in.host());
  ui::Host* host = &in.host();
  in.attach(Session{&forms, {}, [host] {
                      double start = host->clock();
                      while (host->clock() < start + 3.0) {}
                    }});
  try {
    in.run();
    ADD_FAILURE() << "the endless wait passed";
  } catch (const Failure& f) {
    EXPECT_EQ(f.line, 2);
    EXPECT_EQ(f.actual, "the program read the clock 1000000 times without end");
  }
}

TEST(Checks, NeverLoadAWindow) {
  Harness h;
  auto f = h.run("start\nexpect frmDlg.txtName \"\"\n");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->line, 2);
  EXPECT_EQ(f->actual, "frmDlg is not loaded");
  EXPECT_EQ(h.forms->existing("frmDlg"), nullptr);
  EXPECT_EQ(std::count(h.log.begin(), h.log.end(), "frmDlg.Load"), 0);
  f = h.run("start\nexpect frmDlg caption \"Dialog\"\n");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->actual, "frmDlg is not loaded");
}

// `print` writes what the matching check would compare, and changes nothing.
TEST(Checks, PrintWritesTheValueAChecksReads) {
  Harness h;
  h.vars["unit_system"] = "Metric";
  auto f = h.run(R"T(start
print frmMain.txtArr(1)
print frmMain.StatusBar(1)
print frmMain.Toolbar1(1)
print frmMain.grdA cell 2 1
print frmMain caption
print var unit_system
expect frmMain.txtArr(1) "arr1"
)T");
  ASSERT_FALSE(f) << f->text();
  EXPECT_EQ(h.printed,
            (std::vector<std::string>{
                "t.scn:2: frmMain.txtArr(1) = \"arr1\"", "t.scn:3: frmMain.StatusBar(1) = \"Ready\"",
                "t.scn:4: frmMain.Toolbar1(1) = \"&New\"", "t.scn:5: frmMain.grdA cell 2 1 = \"P-2\"",
                "t.scn:6: frmMain caption = \"Main\"", "t.scn:7: unit_system = \"Metric\""}));
  // What cannot be read fails as the checks do.
  for (auto [line, actual] :
       {std::pair{"print frmMain.txtNone", "frmMain has no control txtNone"},
        std::pair{"print frmDlg.cmdOK", "frmDlg is not loaded"},
        std::pair{"print var nothing_such", "the program has no variable nothing_such"},
        std::pair{"print frmMain", "malformed line: print a window's caption: print frmMain caption"}}) {
    auto g = h.run(std::string("start\n") + line + "\n");
    ASSERT_TRUE(g) << line;
    EXPECT_EQ(g->line, 2);
    EXPECT_EQ(g->actual, actual) << line;
  }
}

TEST(Checks, FailWithWhatTheProgramShows) {
  const struct {
    const char* check;
    const char* actual;
  } cases[] = {
      {"expect frmMain.txtArr(0) \"x\"", "frmMain.txtArr(0) reads \"arr0\""},
      {"expect frmMain.StatusBar(1) \"Busy\"", "frmMain.StatusBar(1) reads \"Ready\""},
      {"expect frmMain.StatusBar(3) \"\"", "frmMain.StatusBar has 2 panels (counted from 1)"},
      {"expect frmMain.StatusBar \"\"",
       "frmMain.StatusBar has no text of its own (name a panel: frmMain.StatusBar(1))"},
      {"expect frmMain.Toolbar1(1) \"New\"", "frmMain.Toolbar1(1) reads \"&New\""},
      {"expect frmMain.Toolbar1(1) checked", "frmMain.Toolbar1(1) is unchecked"},
      {"expect frmMain.Toolbar1 \"\"", "frmMain.Toolbar1 has no text of its own"},
      {"expect frmMain.StatusBar(1) enabled", "frmMain.StatusBar(1) is a panel, which has no state enabled"},
      {"expect frmMain.Toolbar1(1) locked", "frmMain.Toolbar1(1) is a button, which has no state locked"},
      {"expect frmMain.cmdGo disabled", "frmMain.cmdGo is enabled"},
      {"expect frmMain.cmdHidden visible", "frmMain.cmdHidden is hidden"},
      {"expect frmMain.chkA checked", "frmMain.chkA is unchecked"},
      {"expect frmMain.txtA color \"&HFFC0C0\"", "frmMain.txtA has color \"&H80000005\""},
      {"expect frmMain.lstA items \"one\"", "frmMain.lstA has items \"one\" \"two\" \"three\""},
      {"expect frmMain.cboA items", "frmMain.cboA has items \"Metric\" \"English\""},
      {"expect frmMain.grdA cell 1 1 \"P-9\"", "frmMain.grdA cell 1 1 reads \"P-1\""},
      {"expect frmMain.grdA cell 3 0 \"\"", "frmMain.grdA has 3 rows and 2 columns"},
      {"expect frmMain.grdA rows 2", "frmMain.grdA has 3 rows"},
      {"expect frmMain.txtA rows 2", "frmMain.txtA is not a grid"},
      {"expect frmMain hidden", "frmMain is visible"},
      {"expect frmMain unloaded", "frmMain is visible"},
      {"expect frmMain caption \"Other\"", "frmMain has caption \"Main\""},
      {"expect var nothing_such \"\"", "the program has no variable nothing_such"},
      {"expect var unit_system \"English\"", "unit_system is \"Metric\""},
      {"expect ended", "the program has not ended"},
      {"expect clock \"0\"", "the clock reads \"36000\""},
      {"expect frmMain.txtA sideways", "malformed line: unknown control check sideways"},
      {"expect frmMain.txtA", "malformed line: missing a text or a check"},
      {"expect frmMain.txtA \"\" \"extra\"", "malformed line: unexpected \"extra\""},
  };
  for (const auto& c : cases) {
    Harness h;
    h.vars["unit_system"] = "Metric";
    auto f = h.run(std::string("start\n") + c.check + "\n");
    ASSERT_TRUE(f) << c.check;
    EXPECT_EQ(f->line, 2) << c.check;
    EXPECT_EQ(f->expected, c.check);
    EXPECT_EQ(f->actual, c.actual) << c.check;
  }
}

}  // namespace
}  // namespace gw::runner::testing
