// Tests of how the runner matches what the program does (message boxes, file dialogs, modal
// windows, the desktop) against the transcript, and of the failures when they differ.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "test_forms.h"

namespace gw::runner::testing {
namespace {

TEST(ProgramSide, MessagesAreAnsweredAsTheTranscriptSays) {
  Harness h;
  auto f = h.run(R"T(
start
click frmMain.cmdGo
message "Go on?" exclamation title "" -> yes
message "Gone" info title "Title"
click frmMain.cmdGo
message * -> no
expect frmMain.txtA ""
)T");
  ASSERT_FALSE(f) << f->text();
  EXPECT_EQ(h.log, (Log{"cmdGo.GotFocus", "cmdGo.Click", "cmdGo.Click"}));
}

TEST(ProgramSide, FileDialogsAndDocumentsAreAnsweredFromTheTranscript) {
  Harness h;
  std::ofstream(h.paths.tmp + "/in.txt") << "x";
  auto f = h.run(R"T(
start
click frmMain.cmdFile
open "$TMP/in.txt" title "Pick" filter "Text (*.txt)|*.txt"
save "$TMP/out.txt"
click frmMain.cmdFile
open cancel
save cancel
click frmMain.cmdHelp
document "help.html"
click frmMain.cmdHelp
document *
)T");
  ASSERT_FALSE(f) << f->text();
  EXPECT_EQ(h.log, (Log{"open " + h.paths.tmp + "/in.txt", "save " + h.paths.tmp + "/out.txt"}));
  EXPECT_EQ(h.interp->host().current_folder(), h.paths.tmp);
}

TEST(ProgramSide, ModalBlocksRunTheirLinesWhileTheWindowIsOpen) {
  Harness h;
  auto f = h.run(R"T(
start
click frmMain.cmdDialog
modal frmDlg
  expect frmDlg visible
  type frmDlg.txtName "Ann"
  click frmDlg.cmdNested
  modal frmInner
    click frmInner.cmdOK
  end
  expect frmInner unloaded
  click frmDlg.cmdOK
end
expect frmDlg unloaded
click frmMain.cmdDialog
modal frmDlg
  click frmDlg.cmdHide   # hiding ends a modal show too
end
expect frmDlg loaded
expect frmDlg hidden
)T");
  ASSERT_FALSE(f) << f->text();
}

TEST(ProgramSide, AWindowThatRebuildsItselfContinuesItsBlock) {
  Harness h;
  // The dialog closes and shows itself again inside its own handler, then its opener
  // shows it again after it closed: both stay one block.
  auto f = h.run(R"T(
start
click frmMain.cmdReopen
modal frmDlg
  click frmDlg.cmdRebuild
  expect frmDlg visible
  click frmDlg.cmdAgain
  expect frmDlg visible
  click frmDlg.cmdOK
end
message "Done"
)T");
  ASSERT_FALSE(f) << f->text();
  EXPECT_EQ(std::count(h.log.begin(), h.log.end(), "frmDlg.Load"), 3);
}

TEST(ProgramSide, ACancelledCloseKeepsTheBlockOpen) {
  Harness h;
  auto f = h.run(R"T(
start
click frmMain.cmdDialog
modal frmDlg
  click frmDlg.chkKeep
  close frmDlg
  expect frmDlg visible
  click frmDlg.chkKeep
  close frmDlg
end
)T");
  ASSERT_FALSE(f) << f->text();
}

// A failure raised while the program runs must pass through the program's own handlers,
// which catch std::exception.
TEST(ProgramSide, FailuresPassThroughTheProgramsHandlers) {
  Harness h;
  auto f = h.run("start\nclick frmMain.cmdCatch\nmessage \"Something else\"\n");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->line, 3);
  EXPECT_EQ(f->actual, "the program showed message \"Caught?\" none title \"\" [OK]");
  for (auto& l : h.log) EXPECT_EQ(l.find("caught"), std::string::npos) << l;
}

struct FailCase {
  const char* name;
  const char* transcript;
  int line;
  const char* expected;  // the transcript's side
  const char* actual;    // the program's side
};

class Mismatch : public ::testing::TestWithParam<FailCase> {};

TEST_P(Mismatch, FailsAtTheLineWithWhatWasExpectedAndWhatHappened) {
  const FailCase& c = GetParam();
  Harness h;
  auto f = h.run(c.transcript);
  ASSERT_TRUE(f) << c.name << ": the transcript passed";
  EXPECT_EQ(f->file, "t.scn");
  EXPECT_EQ(f->line, c.line) << f->text();
  EXPECT_EQ(f->expected, c.expected) << f->text();
  EXPECT_EQ(f->actual, c.actual) << f->text();
}

const FailCase kMismatches[] = {
    {"other text", "start\nclick frmMain.cmdGo\nmessage \"Go?\" -> yes\n", 3, "message \"Go?\" -> yes",
     "the program showed message \"Go on?\" exclamation title \"\" [Yes/No]"},
    {"other icon", "start\nclick frmMain.cmdGo\nmessage \"Go on?\" info -> yes\n", 3,
     "message \"Go on?\" info -> yes",
     "the program showed message \"Go on?\" exclamation title \"\" [Yes/No]"},
    {"other title", "start\nclick frmMain.cmdGo\nmessage * -> yes\nmessage \"Gone\" title \"\"\n", 4,
     "message \"Gone\" title \"\"", "the program showed message \"Gone\" info title \"Title\" [OK]"},
    {"answer not offered", "start\nclick frmMain.cmdGo\nmessage \"Go on?\"\n", 3, "message \"Go on?\"",
     "the box offers Yes/No only"},
    {"no message", "start\nmessage \"Hello\"\n", 2, "message \"Hello\"", "the program showed nothing"},
    {"unexpected message", "start\nclick frmMain.cmdGo\nexpect frmMain.txtA \"\"\n", 2, "click frmMain.cmdGo",
     "the program showed message \"Go on?\" exclamation title \"\" [Yes/No] before line 3: expect "
     "frmMain.txtA \"\""},
    {"unexpected dialog", "start\nclick frmMain.cmdFile\nmessage \"Pick one\"\n", 2, "click frmMain.cmdFile",
     "the program showed the open dialog title \"Pick\" filter \"Text (*.txt)|*.txt\" dir \"\" before line "
     "3: "
     "message \"Pick one\""},
    {"message after the end", "start\nclick frmMain.cmdGo\n", 2, "end of transcript",
     "the program showed message \"Go on?\" exclamation title \"\" [Yes/No]"},
    {"no modal window", "start\nmodal frmDlg\nend\n", 2, "modal frmDlg", "the program showed nothing"},
    {"other modal window", "start\nclick frmMain.cmdDialog\nmodal frmInner\nend\n", 3, "modal frmInner",
     "the program showed window frmDlg modally"},
    {"end while open", "start\nclick frmMain.cmdDialog\nmodal frmDlg\nend\n", 4, "end",
     "frmDlg is still open"},
    {"end outside a block", "start\nend\n", 2, "end", "no modal window is open"},
    {"block left open", "start\nclick frmMain.cmdDialog\nmodal frmDlg\n  expect frmDlg visible\n", 3,
     "modal frmDlg", "the transcript ends with frmDlg still open"},
    {"closed but not ended",
     "start\nclick frmMain.cmdDialog\nmodal frmDlg\nclick frmDlg.cmdOK\nexpect frmDlg unloaded\n", 5,
     "end of the modal frmDlg block", "frmDlg closed but block not ended"},
    {"closed, then a message",
     "start\nclick frmMain.cmdReopen\nmodal frmDlg\nclick frmDlg.cmdOK\nmessage \"Done\"\n", 5,
     "end of the modal frmDlg block", "frmDlg closed but block not ended"},
    {"save for an open dialog", "start\nclick frmMain.cmdFile\nsave \"$TMP/a.txt\"\n", 3,
     "save \"$TMP/a.txt\"",
     "the program showed the open dialog title \"Pick\" filter \"Text (*.txt)|*.txt\" dir \"\""},
    {"dialog title", "start\nclick frmMain.cmdFile\nopen cancel title \"Open\"\n", 3,
     "open cancel title \"Open\"",
     "the program showed the open dialog title \"Pick\" filter \"Text (*.txt)|*.txt\" dir \"\""},
    {"open a missing file", "start\nclick frmMain.cmdFile\nopen \"/no/such/file.txt\"\n", 3,
     "open \"/no/such/file.txt\"",
     "the open dialog takes existing files only, and \"/no/such/file.txt\" does not exist"},
    {"other document", "start\nclick frmMain.cmdHelp\ndocument \"other.html\"\n", 3,
     "document \"other.html\"", "the program opened \"help.html\" with the desktop"},
    {"unhandled error", "start\nclick frmMain.cmdFail\n", 2, "click frmMain.cmdFail",
     "unhandled error: Division by zero"},
    {"unknown command", "start\nclick frmMain.cmdGo\nfrobnicate x\n", 3, "frobnicate x",
     "unknown command frobnicate"},
    {"bad answer word", "start\nclick frmMain.cmdGo\nmessage * -> maybe\n", 3, "message * -> maybe",
     "malformed line: the answer is ok, yes, no or cancel, not maybe"},
};

INSTANTIATE_TEST_SUITE_P(Runner, Mismatch, ::testing::ValuesIn(kMismatches), [](const auto& param_info) {
  std::string n = param_info.param.name;
  for (auto& ch : n)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return n;
});

}  // namespace
}  // namespace gw::runner::testing
