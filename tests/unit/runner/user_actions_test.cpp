// Tests of the user's actions: clicks, typing, keys, focus and tab, picking, closing, and
// the actions a user could not do.
#include <gtest/gtest.h>

#include "test_forms.h"
#include "tests/support/host_access.h"

using gw::testing::host_key;

namespace gw::runner::testing {
namespace {

TEST(UserActions, TypingGoesKeyByKeyThroughKeyPressAndChange) {
  Harness h;
  auto f = h.run(R"T(
start
set frmMain.txtA "old"
type frmMain.txtA "bxa"
expect frmMain.txtA "bA"
key frmMain.txtA 8
expect frmMain.txtA "b"
type frmMain.txtA "z\n"
expect frmMain.txtA "z"
)T");
  ASSERT_FALSE(f) << f->text();
  // The whole text is selected first, so typing replaces it; "x" is swallowed and "a"
  // becomes "A" by the KeyPress handler.
  EXPECT_EQ(h.log, (Log{"txtA.Change old", "txtA.GotFocus", "txtA.KeyPress 98", "txtA.Change b",
                        "txtA.KeyPress 120", "txtA.KeyPress 97", "txtA.Change bA", "txtA.KeyPress 8",
                        "txtA.Change b", "txtA.KeyPress 122", "txtA.Change z", "txtA.KeyPress 13"}));
}

TEST(UserActions, ALockedBoxRunsKeyPressButKeepsItsText) {
  Harness h;
  auto f = h.run("start\ntype frmMain.txtLocked \"ab\"\nexpect frmMain.txtLocked \"fixed\"\n");
  ASSERT_FALSE(f) << f->text();
  EXPECT_EQ(h.log, (Log{"txtLocked.KeyPress 97", "txtLocked.KeyPress 98"}));
}

TEST(UserActions, BackspaceDeletesTheSelectionOrTheCharacterBeforeTheCaret) {
  Harness h;
  // Typing leaves the caret at the end; a multi-byte character goes as one.
  auto f = h.run(
      "start\ntype frmMain.txtArr(1) \"ab\u00e9\"\nkey frmMain.txtArr(1) 8\n"
      "expect frmMain.txtArr(1) \"ab\"\nkey frmMain.txtArr(1) 8\nkey frmMain.txtArr(1) 8\n"
      "key frmMain.txtArr(1) 8\nexpect frmMain.txtArr(1) \"\"\nexpect frmMain.txtArr(0) \"arr0\"\n");
  ASSERT_FALSE(f) << f->text();
}

TEST(UserActions, AClickMovesTheFocusFirstAsAMouseDoes) {
  Harness h;
  auto f = h.run(R"T(
start
focus frmMain.txtA
click frmMain.cmdGo
message * -> no
)T");
  ASSERT_FALSE(f) << f->text();
  EXPECT_EQ(h.log, (Log{"txtA.GotFocus", "txtA.LostFocus", "cmdGo.GotFocus", "cmdGo.Click"}));
}

TEST(UserActions, TabMovesTheFocusInTabOrderOfTheTopWindow) {
  Harness h;
  auto f = h.run("start\nfocus frmMain.txtA\ntab\ntab\n");
  ASSERT_FALSE(f) << f->text();
  // txtLocked is next in tab order, then the control array.
  EXPECT_EQ(h.interp->topmost()->name(), "frmMain");
  EXPECT_EQ(h.forms->get("frmMain").active_control(host_key)->key(), "txtArr(0)");
  EXPECT_EQ(h.log, (Log{"txtA.GotFocus", "txtA.LostFocus"}));
}

TEST(UserActions, ChecksOptionsListsGridsTabsAndToolbars) {
  Harness h;
  auto f = h.run(R"T(
start
click frmMain.chkA
expect frmMain.chkA checked
click frmMain.chkA
expect frmMain.chkA unchecked
click frmMain.optB
click frmMain.optB
expect frmMain.optB checked
click frmMain.optA
expect frmMain.optB unchecked
pick frmMain.lstA "two"
dblclick frmMain.lstA
pick frmMain.cboA "English"
expect frmMain.cboA "English"
row frmMain.grdA 2
page frmMain.tabA 1
click frmMain.Toolbar1(2)
)T");
  ASSERT_FALSE(f) << f->text();
  EXPECT_EQ(h.log,
            (Log{"chkA.Click 1", "chkA.Click 0", "optB.Click", "optA.Click", "lstA.Click two",
                 "lstA.DblClick", "cboA.Click English", "grdA.Click 2", "tabA.Click 1", "Toolbar1 2"}));
}

TEST(UserActions, CloseRunsTheUnloadHandlerAndEndedProgramsTakeNoMore) {
  Harness h;
  auto f = h.run("start\nclick frmMain.mnuExit\nexpect frmMain unloaded\n");
  ASSERT_FALSE(f) << f->text();
  f = h.run("start\nclick frmMain.cmdEnd\nexpect ended\nclick frmMain.cmdGo\n");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->line, 4);
  EXPECT_EQ(f->actual, "the program has ended");
}

struct RefusedCase {
  const char* transcript;
  int line;
  const char* actual;
};

TEST(UserActions, ActionsAUserCouldNotDoFail) {
  const RefusedCase cases[] = {
      {"start\nclick frmMain.cmdOff\n", 2, "frmMain.cmdOff is disabled"},
      {"start\nclick frmMain.cmdHidden\n", 2, "frmMain.cmdHidden is hidden"},
      {"start\nclick frmMain.Toolbar1(3)\n", 2, "frmMain.Toolbar1(3) is disabled"},
      {"start\nclick frmMain.Toolbar1(4)\n", 2, "frmMain.Toolbar1 has 3 buttons (counted from 1)"},
      {"click frmMain.cmdGo\n", 1, "frmMain is not loaded"},
      {"start\nclick frmDlg.cmdOK\n", 2, "frmDlg is not loaded"},
      {"start\nclick frmNone.cmdOK\n", 2, "the program has no window frmNone"},
      {"start\nclick frmMain.cmdNone\n", 2, "frmMain has no control cmdNone"},
      {"start\nclick frmMain.txtArr(5)\n", 2, "frmMain has no control txtArr(5)"},
      {"start\nclick frmMain.txtArr_1\n", 2,
       "frmMain has no control txtArr_1; the member of the control array is written frmMain.txtArr(1)"},
      {"start\nclick frmMain.txtArr_7\n", 2, "frmMain has no control txtArr_7"},
      {"start\nset frmMain.txtLocked \"x\"\n", 2, "frmMain.txtLocked is locked"},
      {"start\ntype frmMain.lblA \"x\"\n", 2, "frmMain.lblA takes no typing"},
      {"start\nfocus frmMain.lblA\n", 2, "frmMain.lblA cannot take the focus"},
      {"start\npick frmMain.lstA \"four\"\n", 2,
       "frmMain.lstA has no item \"four\" (items: \"one\" \"two\" \"three\")"},
      {"start\nrow frmMain.grdA 0\n", 2, "frmMain.grdA has rows 1 to 2 to select"},
      {"start\npage frmMain.tabA 2\n", 2, "frmMain.tabA has 2 tabs (counted from 0)"},
      {"start\nstart\n", 2, "the program has started already"},
      {"tab\n", 1, "no window is shown"},
  };
  for (const RefusedCase& c : cases) {
    Harness h;
    auto f = h.run(c.transcript);
    ASSERT_TRUE(f) << c.transcript;
    EXPECT_EQ(f->line, c.line) << c.transcript;
    EXPECT_EQ(f->actual, c.actual) << c.transcript;
  }
}

TEST(UserActions, AWindowLoadedButNotShownTakesNoClicks) {
  Harness h;
  // The check loads nothing; a window the program loaded without showing it is not shown.
  auto f = h.run(
      "start\nclick frmMain.cmdDialog\nmodal frmDlg\n  click frmDlg.cmdHide\nend\nclick frmDlg.cmdOK\n");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->line, 6);
  EXPECT_EQ(f->actual, "frmDlg is not shown");
}

}  // namespace
}  // namespace gw::runner::testing
