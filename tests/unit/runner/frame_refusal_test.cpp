// Tests of the refusal of a user action on a control inside a hidden or disabled frame, or on
// a page of a tab strip that is not shown.
#include <gtest/gtest.h>

#include "test_forms.h"

namespace gw::runner::testing {
namespace {

constexpr const char* kOpen = "start\nclick frmMain.mnuFrames\n";

struct FrameCase {
  const char* lines;  // after the window of frames is shown
  const char* actual;
};

TEST(FrameRefusal, EveryActionOnAControlInAClosedFrameFails) {
  const FrameCase cases[] = {
      // A disabled frame further out refuses every kind of action.
      {"click frmFrames.cmdShutOuter\nclick frmFrames.cmdIn\n",
       "frmFrames.cmdIn is disabled: its frame fraOuter is"},
      {"click frmFrames.cmdShutOuter\ndblclick frmFrames.cmdIn\n",
       "frmFrames.cmdIn is disabled: its frame fraOuter is"},
      {"click frmFrames.cmdShutOuter\ntype frmFrames.txtIn \"1\"\n",
       "frmFrames.txtIn is disabled: its frame fraOuter is"},
      {"click frmFrames.cmdShutOuter\nset frmFrames.txtIn \"1\"\n",
       "frmFrames.txtIn is disabled: its frame fraOuter is"},
      {"click frmFrames.cmdShutOuter\nkey frmFrames.txtIn 8\n",
       "frmFrames.txtIn is disabled: its frame fraOuter is"},
      {"click frmFrames.cmdShutOuter\nfocus frmFrames.txtIn\n",
       "frmFrames.txtIn is disabled: its frame fraOuter is"},
      {"click frmFrames.cmdShutOuter\nclick frmFrames.optIn\n",
       "frmFrames.optIn is disabled: its frame fraOuter is"},
      {"click frmFrames.cmdShutOuter\npick frmFrames.lstIn \"b\"\n",
       "frmFrames.lstIn is disabled: its frame fraOuter is"},
      // The hidden counterpart; a hidden frame counts before a disabled one.
      {"click frmFrames.cmdHideInner\nclick frmFrames.cmdIn\n",
       "frmFrames.cmdIn is hidden: its frame fraInner is"},
      {"click frmFrames.cmdShutOuter\nclick frmFrames.cmdHideInner\ntype frmFrames.txtIn \"1\"\n",
       "frmFrames.txtIn is hidden: its frame fraInner is"},
      // A page of a tab strip that is not shown hides what it holds, in frames too.
      {"click frmFrames.cmdPage1\n", "frmFrames.cmdPage1 is hidden: its page 1 of tabPages is"},
      {"type frmFrames.txtOnPage1 \"1\"\n", "frmFrames.txtOnPage1 is hidden: its page 1 of tabPages is"},
      // The control's own flag is named first.
      {"click frmFrames.cmdShutOuter\nclick frmFrames.cmdOwnOff\n", "frmFrames.cmdOwnOff is disabled"},
  };
  for (const FrameCase& c : cases) {
    Harness h;
    const std::string text = std::string(kOpen) + c.lines;
    auto f = h.run(text);
    ASSERT_TRUE(f) << text;
    EXPECT_EQ(f->actual, c.actual) << text;
    // Nothing inside the frames ran: the refused action did not happen.
    for (const std::string& entry : h.log) EXPECT_EQ(entry.find("In."), std::string::npos) << text << entry;
  }
}

TEST(FrameRefusal, AnOpenedFrameOrShownPageTakesActionsAgainAndChecksStillRead) {
  Harness h;
  auto f = h.run(std::string(kOpen) + R"T(
click frmFrames.cmdShutOuter
expect frmFrames.fraOuter disabled
expect frmFrames.cmdIn enabled
expect frmFrames.txtIn ""
click frmFrames.cmdOpen
click frmFrames.cmdIn
type frmFrames.txtIn "7"
expect frmFrames.txtIn "7"
click frmFrames.cmdLoop
page frmFrames.tabPages 1
click frmFrames.cmdPage1
type frmFrames.txtOnPage1 "2"
)T");
  ASSERT_FALSE(f) << f->text();
  EXPECT_EQ(h.log,
            (Log{"cmdIn.GotFocus", "cmdIn.Click", "txtIn.GotFocus", "cmdLoop.Click", "cmdPage1.Click"}));
}

TEST(FrameRefusal, AFrameClosedByTheFieldTheClickLeavesTakesNoClick) {
  // The program's answer to the focus change, not the user's fault: the line passes, and
  // the click does not happen.
  Harness h;
  auto f = h.run(std::string(kOpen) +
                 "focus frmFrames.txtLeave\nclick frmFrames.cmdIn\nexpect frmFrames.fraInner disabled\n");
  ASSERT_FALSE(f) << f->text();
  EXPECT_EQ(h.log, Log{});
}

}  // namespace
}  // namespace gw::runner::testing
